// Which session bus Qt gets: a bus that replies to Hello is kept; a socket
// that takes connections and never writes, a bus that authenticates and then
// never replies, and an address with no socket behind it are replaced by one
// that Qt refuses at once.
#include "app/SessionBusCheck.h"
#include "tests/support/MuteBus.h"
#include "tests/support/PrivateBus.h"

#include <QDBusConnection>

#include <gtest/gtest.h>

#include <unistd.h>

namespace kav::app {
namespace {

using namespace std::chrono_literals;

class SessionBusCheck : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(daemon.start()) << "the private dbus-daemon did not start";
        ASSERT_TRUE(abstract.start(QStringLiteral("unix:abstract=kavrilon-test-%1").arg(::getpid())));
        ASSERT_TRUE(mute.listening() && silent.listening() && muteAbstract.listening());
    }

    test::PrivateBus daemon;
    test::PrivateBus abstract;
    const test::MuteBus mute;
    const test::MuteBus silent{true};
    const test::MuteBus muteAbstract{false, true};
    const test::TempDir empty;
};

TEST_F(SessionBusCheck, KeepsOnlyABusThatRepliesToHello) {
    const struct {
        const char* what;
        std::string address;
        bool kept;
    } cases[] = {
        {"a running bus", daemon.address().toStdString(), true},
        {"the same bus, its path escaped", QString(daemon.address()).replace(u'/', QStringLiteral("%2f")).toStdString(),
         true},
        {"a running bus on an abstract socket", abstract.address().toStdString(), true},
        {"a bus that never answers", mute.address(), false},
        {"a bus on an abstract socket that never answers", muteAbstract.address(), false},
        {"a bus that falls silent after the authentication", silent.address(), false},
        {"no socket", "unix:path=" + (empty.path() / "bus").string(), false},
        {"another transport, left to the D-Bus library", "tcp:host=127.0.0.1,port=9", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(answeringBus(c.address, 300ms) == c.address, c.kept) << c.what;
}

TEST_F(SessionBusCheck, QtRefusesTheAddressThatReplacesAMuteBus) {
    const QString name = QStringLiteral("replaced");
    const QString replaced = QString::fromStdString(answeringBus(mute.address(), 300ms));
    ASSERT_NE(replaced.toStdString(), mute.address());
    EXPECT_FALSE(QDBusConnection::connectToBus(replaced, name).isConnected()) << replaced.toStdString();
    QDBusConnection::disconnectFromBus(name);
}

} // namespace
} // namespace kav::app
