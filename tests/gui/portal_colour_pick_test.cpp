// The colour dialog's screen pick: against a fake screenshot portal on a
// private bus started by the test, the pick button asks the portal and the
// colour it answers becomes the dialog's colour; without a portal that picks
// (or with a bus that never answers) the button keeps Qt's own grab.
#include "platform/qt/PortalColourPick.h"

#include "tests/support/TempDir.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace kav::qt {
namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// The screenshot portal as far as picking goes: its version, and PickColor,
// which answers on the request object with orange.
class FakePortal final : public QDBusVirtualObject {
public:
    uint version = 2;
    QStringList tokens;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        if (m.member() == QLatin1String("Get"))
            return bus.send(m.createReply(QVariant::fromValue(QDBusVariant(version))));
        if (m.member() != QLatin1String("PickColor")) return false;
        tokens << qdbus_cast<QVariantMap>(m.arguments().value(1)).value(QStringLiteral("handle_token")).toString();
        const QString handle =
            kPortalPath + QStringLiteral("/request/") + m.service().mid(1).replace(u'.', u'_') + u'/' + tokens.last();
        bus.send(m.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
        QDBusArgument colour;
        colour.beginStructure();
        colour << 1.0 << 0.5 << 0.0;
        colour.endStructure();
        QDBusMessage response = QDBusMessage::createSignal(handle, QStringLiteral("org.freedesktop.portal.Request"),
                                                           QStringLiteral("Response"));
        response << 0u << QVariantMap{{QStringLiteral("color"), QVariant::fromValue(colour)}};
        return bus.send(response);
    }
};

// A listening socket that nobody serves: a hung bus.
QString listeningSocket(const test::TempDir& dir, const char* name, int& fd) {
    const std::string path = (dir.path() / name).string();
    fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un sa{};
    sa.sun_family = AF_UNIX;
    path.copy(sa.sun_path, sizeof sa.sun_path - 1);
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa), 0);
    EXPECT_EQ(::listen(fd, 4), 0);
    return QStringLiteral("unix:path=") + QString::fromStdString(path);
}

class PortalPick : public ::testing::Test {
protected:
    test::TempDir dir;
    QProcess daemon;
    QString address;
    FakePortal portal;
    QString portalName;

    // A dbus-daemon with a configuration of its own: it listens in the
    // temporary folder and can start no service, so no real portal answers.
    void SetUp() override {
        const QString folder = QString::fromStdString(dir.path().string());
        QFile config(folder + QStringLiteral("/bus.conf"));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                     " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                     "<busconfig><type>session</type><listen>unix:path=" +
                     folder.toUtf8() +
                     "/bus</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                     "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                     "<allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config.fileName(),
                                                     QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        ASSERT_TRUE(daemon.waitForStarted(5000)) << "dbus-daemon is not installed";
        while (!daemon.canReadLine())
            ASSERT_TRUE(daemon.waitForReadyRead(5000)) << "dbus-daemon gave no address";
        address = QString::fromUtf8(daemon.readLine()).trimmed();
    }
    void TearDown() override {
        stopPortal();
        daemon.terminate();
        if (!daemon.waitForFinished(3000)) daemon.kill();
        daemon.waitForFinished(3000);
    }
    void servePortal(uint version) {
        static int n = 0;
        portal.version = version;
        portalName = QStringLiteral("fake-portal-%1").arg(++n);
        QDBusConnection bus = QDBusConnection::connectToBus(address, portalName);
        ASSERT_TRUE(bus.registerService(kPortal));
        ASSERT_TRUE(bus.registerVirtualObject(kPortalPath, &portal));
    }
    void stopPortal() {
        if (!portalName.isEmpty()) QDBusConnection::disconnectFromBus(portalName);
        portalName.clear();
    }
    // Attaches the pick to an open dialog and waits for its decision.
    static PortalColourPick* open(QColorDialog& dialog, const QString& busAddress) {
        dialog.setOption(QColorDialog::DontUseNativeDialog, true);
        auto* pick = new PortalColourPick(dialog, busAddress);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitFor([pick] { return pick->path() != PortalColourPick::Path::Checking; }, 8000));
        return pick;
    }
};

TEST_F(PortalPick, PickButtonAsksThePortalAndItsColourBecomesTheDialogs) {
    servePortal(2);
    QColorDialog dialog(Qt::white);
    PortalColourPick* pick = open(dialog, address);
    ASSERT_EQ(pick->path(), PortalColourPick::Path::Portal);
    pick->pickButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.currentColor() == QColor(255, 128, 0); }, 5000))
        << dialog.currentColor().name().toStdString();
    EXPECT_EQ(portal.tokens.size(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pick->pickButton()->isEnabled(); }, 2000));
}

TEST_F(PortalPick, WithoutAPortalThatPicksTheButtonKeepsQtsOwnGrab) {
    int muteFd = -1, silentFd = -1;
    const QString mute = listeningSocket(dir, "mute", muteFd);
    const QString silent = listeningSocket(dir, "silent", silentFd);
    // This one answers the authentication with OK, then falls silent.
    std::thread silentBus([silentFd] {
        const int c = ::accept(silentFd, nullptr, nullptr);
        char buf[256];
        if (c >= 0 && ::read(c, buf, sizeof buf) > 0) {
            const char ok[] = "OK 0123456789abcdef0123456789abcdef\r\n";
            if (::write(c, ok, sizeof ok - 1) > 0)
                while (::read(c, buf, sizeof buf) > 0) {
                }
        }
        if (c >= 0) ::close(c);
    });
    const std::vector<std::tuple<const char*, uint, QString>> cases = {
        {"no portal on the bus", 0, address},
        {"a portal without PickColor", 1, address},
        {"a bus that never answers", 0, mute},
        {"a bus that falls silent after the authentication", 0, silent},
        {"no session bus", 0, QString()},
        {"a bus address naming no socket", 0, QStringLiteral("unix:path=/nonexistent/bus")},
    };
    for (const auto& [what, version, busAddress] : cases) {
        SCOPED_TRACE(what);
        if (version) servePortal(version);
        QColorDialog dialog(Qt::white);
        PortalColourPick* pick = open(dialog, busAddress);
        EXPECT_EQ(pick->path(), PortalColourPick::Path::Toolkit);
        // Qt's grab starts at once and disables the button until Escape.
        pick->pickButton()->click();
        EXPECT_FALSE(pick->pickButton()->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        stopPortal();
    }
    EXPECT_TRUE(portal.tokens.isEmpty());
    silentBus.join();
    ::close(muteFd);
    ::close(silentFd);
}

} // namespace
} // namespace kav::qt
