// "Open CD" through the desktop's disk service: a fake udisks2 on a private
// bus records what it is asked, and the tray's system calls are recorded
// too, so no real drive is touched. With the service the disc is unmounted
// and then ejected; without it, or on a bus that never answers, the tray
// falls back to the eject ioctl.
#include "platform/devices/CdTray.h"
#include "platform/devices/DiscService.h"
#include "platform/devices/LazyBus.h"
#include "tests/support/PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QThread>

#include <gtest/gtest.h>

#include <linux/cdrom.h>
#include <mutex>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kav {
namespace {

using namespace std::chrono_literals;

const QString kBlock = QStringLiteral("/org/freedesktop/UDisks2/block_devices/sr0");
const QString kDrive = QStringLiteral("/org/freedesktop/UDisks2/drives/Fake_CD");

// udisks2 as far as an eject needs it; it answers from a thread of its own,
// since the tray waits for the answers on the test's thread.
class FakeUDisks final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        QVariantList reply;
        if (m.member() == QLatin1String("ResolveDevice")) {
            const auto devspec = qdbus_cast<QVariantMap>(m.arguments().value(0));
            QList<QDBusObjectPath> found;
            // The tray's nodes, as they are or with the alias followed.
            const QString node = devspec.value(QStringLiteral("path")).toString();
            if (node == QLatin1String("/dev/cdrom") || node == QLatin1String("/dev/sr0"))
                found << QDBusObjectPath(kBlock);
            reply << QVariant::fromValue(found);
        } else if (m.member() == QLatin1String("Get")) {
            reply << QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusObjectPath(kDrive))));
        } else {
            const std::lock_guard lock(mutex);
            asked << m.member() + QLatin1Char(' ') + m.path();
        }
        bus.send(m.createReply(reply));
        return true;
    }
    QStringList calls() {
        const std::lock_guard lock(mutex);
        return asked;
    }

private:
    std::mutex mutex;
    QStringList asked;
};

// The tray's system calls: every device opens, every request succeeds.
class Ioctls final : public CdSystemCalls {
public:
    std::vector<unsigned long> requests;
    int open(const std::string&, int) override { return 5; }
    int ioctl(int, unsigned long request, unsigned long) override {
        requests.push_back(request);
        return 0;
    }
    int close(int) override { return 0; }
};

// A socket that takes connections and never answers: a mute bus.
class MuteSocket {
public:
    MuteSocket() {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const std::string path = (dir_.path() / "bus").string();
        path.copy(addr.sun_path, sizeof addr.sun_path - 1);
        if (::bind(fd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd_, 8) != 0) fd_ = -1;
        address_ = "unix:path=" + path;
    }
    ~MuteSocket() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool listening() const { return fd_ >= 0; }
    const std::string& address() const { return address_; }

private:
    test::TempDir dir_;
    int fd_ = -1;
    std::string address_;
};

class DiscServiceTray : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bus.start()) << "the private dbus-daemon did not start"; }
    void TearDown() override {
        if (serviceThread.isRunning()) {
            serviceThread.quit();
            serviceThread.wait();
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("udisks"));
    }

    // The fake is registered before it moves to its thread: registering
    // gives it a child object, which must be made in the fake's own thread to
    // be owned (and freed) by it.
    void startFakeService() {
        QDBusConnection c = QDBusConnection::connectToBus(bus.address(), QStringLiteral("udisks"));
        ASSERT_TRUE(c.registerService(QStringLiteral("org.freedesktop.UDisks2")));
        ASSERT_TRUE(
            c.registerVirtualObject(QStringLiteral("/org/freedesktop/UDisks2"), &fake, QDBusConnection::SubPath));
        fake.moveToThread(&serviceThread);
        serviceThread.start();
    }

    // Opens the tray as the program does: the disk service on a lazily
    // connected bus at `address`, else the ioctls.
    bool openTray(const std::string& address) {
        static int n = 0;
        const QString name = QStringLiteral("client-%1").arg(++n);
        bool opened = false;
        {
            LazyBus lazy(address, name, 300ms);
            CdTray tray(ioctls, [&](const std::vector<std::string>& devices) {
                const auto c = lazy.connection();
                return c && DiscService(*c, 2s).eject(devices);
            });
            opened = tray.open();
        }
        return opened;
    }

    test::PrivateBus bus;
    FakeUDisks fake;
    QThread serviceThread;
    Ioctls ioctls;
};

TEST_F(DiscServiceTray, WithTheServiceTheDiscIsUnmountedThenEjectedAndNoIoctlIsSent) {
    startFakeService();
    EXPECT_TRUE(openTray(bus.address().toStdString()));
    EXPECT_EQ(fake.calls(), (QStringList{"Unmount " + kBlock, "Eject " + kDrive}));
    EXPECT_TRUE(ioctls.requests.empty());
}

TEST_F(DiscServiceTray, WithoutTheServiceTheEjectIoctlIsSent) {
    EXPECT_TRUE(openTray(bus.address().toStdString()));
    EXPECT_EQ(ioctls.requests, (std::vector<unsigned long>{CDROM_LOCKDOOR, CDROMEJECT}));
}

TEST_F(DiscServiceTray, OnAMuteBusTheEjectIoctlIsSent) {
    const MuteSocket mute;
    ASSERT_TRUE(mute.listening());
    EXPECT_TRUE(openTray(mute.address()));
    EXPECT_EQ(ioctls.requests, (std::vector<unsigned long>{CDROM_LOCKDOOR, CDROMEJECT}));
}

} // namespace
} // namespace kav
