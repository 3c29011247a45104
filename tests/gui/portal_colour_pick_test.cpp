// The colour dialog's screen pick: against a fake screenshot portal on a
// private bus started by the test, the pick button asks the portal and the
// colour it answers becomes the dialog's colour; without a portal (or with
// an old one, or a bus that never answers) the button keeps Qt's own grab.
#include "platform/qt/PortalColourPick.h"

#include "tests/support/TempDir.h"

#include <QColorDialog>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace kav::qt {
namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// A dbus-daemon of our own with a configuration of our own: it listens in a
// temporary folder and can start no service, so no real portal can answer.
class PrivateBus {
public:
    PrivateBus() {
        const QString dir = QString::fromStdString(dir_.path().string());
        QFile config(dir + QStringLiteral("/bus.conf"));
        if (!config.open(QIODevice::WriteOnly)) return;
        config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                     " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                     "<busconfig><type>session</type><listen>unix:path=" +
                     dir.toUtf8() +
                     "/bus</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                     "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                     "<allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        daemon_.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config.fileName(),
                                                      QStringLiteral("--print-address"), QStringLiteral("--nofork")});
        if (!daemon_.waitForStarted(5000)) return;
        while (!daemon_.canReadLine())
            if (!daemon_.waitForReadyRead(5000)) return;
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon_.terminate();
        if (!daemon_.waitForFinished(3000)) daemon_.kill();
        daemon_.waitForFinished(3000);
    }
    const QString& address() const { return address_; }

private:
    test::TempDir dir_;
    QProcess daemon_;
    QString address_;
};

// The screenshot portal as far as picking goes: its version, and PickColor,
// which answers on the request object with a fixed colour.
class FakePortal final : public QDBusVirtualObject {
public:
    uint version = 2;
    QStringList pickTokens;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        if (m.member() == QLatin1String("Get") && m.arguments().value(1).toString() == QLatin1String("version")) {
            bus.send(m.createReply(QVariant::fromValue(QDBusVariant(version))));
            return true;
        }
        if (m.member() != QLatin1String("PickColor")) return false;
        const QString token =
            qdbus_cast<QVariantMap>(m.arguments().value(1)).value(QStringLiteral("handle_token")).toString();
        pickTokens << token;
        const QString handle =
            kPortalPath + QStringLiteral("/request/") + m.service().mid(1).replace(u'.', u'_') + u'/' + token;
        bus.send(m.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
        QDBusArgument colour;
        colour.beginStructure();
        colour << 1.0 << 0.5 << 0.0;
        colour.endStructure();
        QDBusMessage response = QDBusMessage::createSignal(handle, QStringLiteral("org.freedesktop.portal.Request"),
                                                           QStringLiteral("Response"));
        response << 0u << QVariantMap{{QStringLiteral("color"), QVariant::fromValue(colour)}};
        bus.send(response);
        return true;
    }
};

class PortalPick : public ::testing::Test {
protected:
    PrivateBus bus;
    FakePortal portal;
    std::unique_ptr<QDBusConnection> portalBus;
    QColorDialog dialog{Qt::white};

    void SetUp() override {
        ASSERT_FALSE(bus.address().isEmpty()) << "the private dbus-daemon did not start";
        dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    }
    void TearDown() override {
        if (portalBus) QDBusConnection::disconnectFromBus(portalBus->name());
    }
    void servePortal(uint version) {
        portal.version = version;
        static int n = 0;
        portalBus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(bus.address(), QStringLiteral("fake-portal-%1").arg(++n)));
        ASSERT_TRUE(portalBus->registerService(kPortal));
        ASSERT_TRUE(portalBus->registerVirtualObject(kPortalPath, &portal));
    }
    // Opens the dialog with the pick attached, and waits for its decision.
    PortalColourPick* open(const QString& address) {
        auto* pick = new PortalColourPick(dialog, address);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitFor([pick] { return pick->path() != PortalColourPick::Path::Checking; }, 8000));
        return pick;
    }
};

TEST_F(PortalPick, PickButtonAsksThePortalAndItsColourBecomesTheDialogs) {
    servePortal(2);
    PortalColourPick* pick = open(bus.address());
    ASSERT_EQ(pick->path(), PortalColourPick::Path::Portal);
    ASSERT_NE(pick->pickButton(), nullptr);
    pick->pickButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.currentColor() == QColor(255, 128, 0); }, 5000))
        << dialog.currentColor().name().toStdString();
    EXPECT_EQ(portal.pickTokens.size(), 1);
    EXPECT_FALSE(portal.pickTokens.value(0).isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return pick->pickButton()->isEnabled(); }, 2000));
}

// A listening socket at `name` in `dir`: a hung bus that never answers.
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

// A bus that accepts the authentication and then falls silent: it answers
// one client's first line with OK and reads until that client goes.
std::thread silentAfterAuth(int fd) {
    return std::thread([fd] {
        const int c = ::accept(fd, nullptr, nullptr);
        if (c < 0) return;
        char buf[256];
        if (::read(c, buf, sizeof buf) > 0) {
            const char ok[] = "OK 0123456789abcdef0123456789abcdef\r\n";
            [[maybe_unused]] const auto w = ::write(c, ok, sizeof ok - 1);
            while (::read(c, buf, sizeof buf) > 0) {
            }
        }
        ::close(c);
    });
}

TEST_F(PortalPick, WithoutAPortalThatPicksTheButtonKeepsQtsOwnGrab) {
    test::TempDir dir;
    int muteFd = -1, silentFd = -1;
    const QString mute = listeningSocket(dir, "mute", muteFd);
    const QString silent = listeningSocket(dir, "silent", silentFd);
    std::thread silentBus = silentAfterAuth(silentFd);
    struct Case {
        const char* what;
        int portalVersion; // 0: no portal on the bus
        QString address;
    };
    const Case cases[] = {
        {"no portal on the bus", 0, bus.address()},
        {"a portal without PickColor", 1, bus.address()},
        {"a bus that never answers", 0, mute},
        {"a bus that falls silent after the authentication", 0, silent},
        {"no session bus at all", 0, QString()},
        {"a bus address naming no socket", 0, QStringLiteral("unix:path=/nonexistent/bus")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.portalVersion) servePortal(static_cast<uint>(c.portalVersion));
        QColorDialog d(Qt::white);
        d.setOption(QColorDialog::DontUseNativeDialog, true);
        auto* pick = new PortalColourPick(d, c.address);
        d.show();
        ASSERT_TRUE(QTest::qWaitFor([pick] { return pick->path() != PortalColourPick::Path::Checking; }, 8000));
        EXPECT_EQ(pick->path(), PortalColourPick::Path::Toolkit);
        // Qt's grab starts at once and disables the button until Escape.
        pick->pickButton()->click();
        EXPECT_FALSE(pick->pickButton()->isEnabled());
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(portal.pickTokens.isEmpty());
        if (portalBus) {
            QDBusConnection::disconnectFromBus(portalBus->name());
            portalBus.reset();
        }
    }
    silentBus.join();
    ::close(muteFd);
    ::close(silentFd);
}

} // namespace
} // namespace kav::qt
