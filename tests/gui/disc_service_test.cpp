// "Open CD" through the desktop's disk service: a fake udisks2 on a private
// bus records what it is asked, and the tray's system calls are recorded
// too, so no real drive is touched. With the service the disc is unmounted
// and then ejected; when the service refuses, is missing, or the bus never
// answers, the tray falls back to the eject ioctl.
#include "platform/devices/CdTray.h"
#include "platform/devices/DiscService.h"
#include "tests/support/MuteBus.h"
#include "tests/support/PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QTest>

#include <gtest/gtest.h>

#include <linux/cdrom.h>
#include <mutex>
#include <optional>

namespace kav {
namespace {

using namespace std::chrono_literals;

const std::string kBlock = "/org/freedesktop/UDisks2/block_devices/sr0";
const std::string kDrive = "/org/freedesktop/UDisks2/drives/Fake_CD";

// udisks2 as far as an eject needs it; it records the requests that change
// something, and refuses the eject when told to.
class FakeUDisks final : public QDBusVirtualObject {
public:
    bool refuseEject = false;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        QVariantList reply;
        if (m.member() == QLatin1String("ResolveDevice")) {
            const auto devspec = qdbus_cast<QVariantMap>(m.arguments().value(0));
            QList<QDBusObjectPath> found;
            // The tray's nodes, as they are or with the alias followed.
            const QString node = devspec.value(QStringLiteral("path")).toString();
            if (node == QLatin1String("/dev/cdrom") || node == QLatin1String("/dev/sr0"))
                found << QDBusObjectPath(QString::fromStdString(kBlock));
            reply << QVariant::fromValue(found);
        } else if (m.member() == QLatin1String("Get")) {
            reply << QVariant::fromValue(
                QDBusVariant(QVariant::fromValue(QDBusObjectPath(QString::fromStdString(kDrive)))));
        } else if (m.member() == QLatin1String("Unmount") || m.member() == QLatin1String("Eject")) {
            const std::lock_guard lock(mutex_);
            asked_.push_back((m.member() + QLatin1Char(' ') + m.path()).toStdString());
            if (refuseEject && m.member() == QLatin1String("Eject"))
                return bus.send(m.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.Failed"), {}));
        } else {
            return false;
        }
        return bus.send(m.createReply(reply));
    }
    std::vector<std::string> calls() {
        const std::lock_guard lock(mutex_);
        return asked_;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> asked_;
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

class DiscServiceTray : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.start()) << "the private dbus-daemon did not start";
        ASSERT_TRUE(mute.listening());
    }

    // Puts `fake` on the bus as udisks2 until the returned connection name is
    // disconnected.
    QString serve(FakeUDisks& fake) {
        static int n = 0;
        const QString name = QStringLiteral("udisks-%1").arg(++n);
        QDBusConnection c = QDBusConnection::connectToBus(bus.address(), name);
        EXPECT_TRUE(c.registerService(QStringLiteral("org.freedesktop.UDisks2")));
        EXPECT_TRUE(
            c.registerVirtualObject(QStringLiteral("/org/freedesktop/UDisks2"), &fake, QDBusConnection::SubPath));
        return name;
    }

    // Opens the tray as the program does, the disk service asked on the bus
    // at `address`, and waits until the service has had its say; the click
    // itself never waits for the service.
    void openTray(const QString& address) {
        DiscService service(SystemBus(address), 1s);
        bool answered = false;
        CdTray tray(ioctls, [&](const std::vector<std::string>& devices, std::function<void(bool)> then) {
            service.eject(devices, [&answered, then](bool ejected) {
                then(ejected);
                answered = true;
            });
        });
        EXPECT_TRUE(tray.open());
        EXPECT_FALSE(answered) << "the click waited for the disk service";
        EXPECT_TRUE(QTest::qWaitFor([&answered] { return answered; }, 20000));
    }

    test::PrivateBus bus;
    const test::MuteBus mute;
    Ioctls ioctls;
};

TEST_F(DiscServiceTray, TheIoctlEjectsOnlyWhenTheServiceDidNot) {
    const std::vector<unsigned long> byIoctl{CDROM_LOCKDOOR, CDROMEJECT};
    const std::vector<std::string> byService{"Unmount " + kBlock, "Eject " + kDrive};
    const struct {
        const char* what;
        std::optional<bool> service; // whether the service refuses the eject; none: no service
        bool mute;
        std::vector<std::string> asked;
        std::vector<unsigned long> requests;
    } cases[] = {
        {"the service ejects", false, false, byService, {}},
        {"the service refuses", true, false, byService, byIoctl},
        {"a bus without the service", std::nullopt, false, {}, byIoctl},
        {"a bus that never answers", std::nullopt, true, {}, byIoctl},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeUDisks fake;
        fake.refuseEject = c.service.value_or(false);
        const QString served = c.service ? serve(fake) : QString();
        ioctls.requests.clear();
        openTray(c.mute ? QString::fromStdString(mute.address()) : bus.address());
        EXPECT_EQ(fake.calls(), c.asked);
        EXPECT_EQ(ioctls.requests, c.requests);
        if (!served.isEmpty()) QDBusConnection::disconnectFromBus(served);
    }
}

} // namespace
} // namespace kav
