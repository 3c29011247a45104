// The colour dialog's screen pick against what no real portal can be made to
// do: a fake screenshot portal on a private bus started by the test answers
// with malformed replies or never answers a pick, and buses that never answer
// at all, as the start check leaves them to Qt. The real portal is played on
// a real desktop (the sway profile of the end-to-end tests). This runs on the
// offscreen platform, which is no X11 session: without a portal there is no
// pick button.
#include "app/SessionBusCheck.h"
#include "platform/qt/PortalColourPick.h"
#include "tests/support/MuteBus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace kav::qt {
namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// The screenshot portal as far as picking goes: it says `version`, and
// answers a PickColor on its request object with `colour` (none: it never
// answers). It records the tokens asked with and the requests closed.
class FakePortal final : public QDBusVirtualObject {
public:
    QVariant version = 2u;
    std::optional<QVariant> colour;
    QStringList tokens;
    QStringList closed;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& m, const QDBusConnection& bus) override {
        if (m.member() == QLatin1String("Get"))
            return bus.send(m.createReply(QVariant::fromValue(QDBusVariant(version))));
        if (m.member() == QLatin1String("Close")) {
            closed << m.path();
            return bus.send(m.createReply());
        }
        if (m.member() != QLatin1String("PickColor")) return false;
        tokens << qdbus_cast<QVariantMap>(m.arguments().value(1)).value(QStringLiteral("handle_token")).toString();
        const QString handle =
            kPortalPath + QStringLiteral("/request/") + m.service().mid(1).replace(u'.', u'_') + u'/' + tokens.last();
        bus.send(m.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
        if (!colour) return true;
        QDBusMessage response = QDBusMessage::createSignal(handle, QStringLiteral("org.freedesktop.portal.Request"),
                                                           QStringLiteral("Response"));
        response << 0u << QVariantMap{{QStringLiteral("color"), *colour}};
        return bus.send(response);
    }
};

QVariant rgb(std::initializer_list<double> parts) {
    QDBusArgument arg;
    arg.beginStructure();
    for (double p : parts)
        arg << p;
    arg.endStructure();
    return QVariant::fromValue(arg);
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
    void servePortal() {
        static int n = 0;
        portalName = QStringLiteral("fake-portal-%1").arg(++n);
        QDBusConnection bus = QDBusConnection::connectToBus(address, portalName);
        ASSERT_TRUE(bus.registerService(kPortal));
        ASSERT_TRUE(bus.registerVirtualObject(kPortalPath, &portal, QDBusConnection::SubPath));
    }
    void stopPortal() {
        if (!portalName.isEmpty()) QDBusConnection::disconnectFromBus(portalName);
        portalName.clear();
    }
    // Attaches the pick, asking on a connection of its own to the bus at
    // `busAddress`, to an open dialog and waits for its decision; the screen
    // pick it asks.
    static const ScreenPick* open(QColorDialog& dialog, const QString& busAddress) {
        static int n = 0;
        const QDBusConnection bus = QDBusConnection::connectToBus(busAddress, QStringLiteral("pick-%1").arg(++n));
        dialog.setOption(QColorDialog::DontUseNativeDialog, true);
        const auto* pick = (new PortalColourPick(dialog, bus))->findChild<ScreenPick*>();
        dialog.show();
        EXPECT_TRUE(QTest::qWaitFor([pick] { return pick->path() != ScreenPick::Path::Checking; }, 8000));
        return pick;
    }
    // The pick button the dialog shows, Qt's or the program's; null when it shows none.
    static QPushButton* pickButton(const QColorDialog& dialog) {
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (!b->isHidden() && b->text() == QColorDialog::tr("&Pick Screen Color")) return b;
        return nullptr;
    }
};

TEST_F(PortalPick, MalformedVersionOffersNoPick) {
    const std::vector<std::pair<const char*, QVariant>> cases = {
        {"the version as a string", QStringLiteral("2")},
        {"the version as a signed number", 2},
        {"the version as a structure", rgb({2})},
    };
    for (const auto& [what, version] : cases) {
        SCOPED_TRACE(what);
        portal.version = version;
        servePortal();
        QColorDialog dialog(Qt::white);
        const ScreenPick* pick = open(dialog, address);
        EXPECT_EQ(pick->path(), ScreenPick::Path::None);
        EXPECT_EQ(pickButton(dialog), nullptr);
        stopPortal();
    }
}

TEST_F(PortalPick, MalformedColourLeavesTheDialogsColour) {
    const std::vector<std::pair<const char*, QVariant>> cases = {
        {"two parts", rgb({1.0, 0.5})},
        {"four parts", rgb({1.0, 0.5, 0.0, 1.0})},
        {"not a number", rgb({1.0, std::nan(""), 0.0})},
        {"a string", QStringLiteral("#ff8000")},
        {"a number", 7},
    };
    servePortal();
    for (const auto& [what, answer] : cases) {
        SCOPED_TRACE(what);
        portal.colour = answer;
        QColorDialog dialog(Qt::white);
        const ScreenPick* pick = open(dialog, address);
        ASSERT_EQ(pick->path(), ScreenPick::Path::Portal);
        ASSERT_NE(pickButton(dialog), nullptr);
        pickButton(dialog)->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return pickButton(dialog)->isEnabled(); }, 5000));
        EXPECT_EQ(dialog.currentColor(), QColor(Qt::white)) << dialog.currentColor().name().toStdString();
    }
    // A well-formed answer, through the same portal, does reach the dialog.
    portal.colour = rgb({1.0, 0.5, 0.0});
    QColorDialog dialog(Qt::white);
    open(dialog, address);
    pickButton(dialog)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.currentColor() == QColor(255, 128, 0); }, 5000));
}

TEST_F(PortalPick, ClosingTheDialogWithdrawsAPickThePortalNeverAnswered) {
    servePortal();
    {
        QColorDialog dialog(Qt::white);
        const ScreenPick* pick = open(dialog, address);
        ASSERT_EQ(pick->path(), ScreenPick::Path::Portal);
        pickButton(dialog)->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return portal.tokens.size() == 1; }, 5000));
        EXPECT_FALSE(pickButton(dialog)->isEnabled());
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return portal.closed.size() == 1; }, 5000));
    EXPECT_TRUE(portal.closed.value(0).endsWith(portal.tokens.value(0))) << portal.closed.value(0).toStdString();
}

TEST_F(PortalPick, BusesThatNeverAnswerOfferNoPick) {
    const test::MuteBus mute;
    const test::MuteBus silent(true);
    ASSERT_TRUE(mute.listening() && silent.listening());
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"a bus that never answers", mute.address()},
        {"a bus that falls silent after the authentication", silent.address()},
    };
    for (const auto& [what, busAddress] : cases) {
        SCOPED_TRACE(what);
        QColorDialog dialog(Qt::white);
        const ScreenPick* pick =
            open(dialog, QString::fromStdString(app::answeringBus(busAddress, std::chrono::milliseconds(300))));
        EXPECT_EQ(pick->path(), ScreenPick::Path::None);
        // Not even Qt's own button, whose grab reads nothing off an X11 screen here.
        EXPECT_EQ(pickButton(dialog), nullptr);
        for (const QPushButton* b : dialog.findChildren<QPushButton*>())
            EXPECT_TRUE(b->isHidden() || b->text() != QColorDialog::tr("&Pick Screen Color"));
    }
}

} // namespace
} // namespace kav::qt
