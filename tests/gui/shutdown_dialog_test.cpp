// The shut-down dialog: its question (default "Avbryt"), and what reaches
// logind for each answer. logind is a fake that records its calls, on a
// private bus started by the test, so nothing here can shut anything down.
#include "platform/devices/LazyBus.h"
#include "platform/devices/ShutdownDialog.h"

#include "tests/support/PrivateBus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QMessageBox>
#include <QObject>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kav {
namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kInterface = QStringLiteral("org.freedesktop.login1.Manager");

// logind's manager object, reduced to the two requests the dialog may send.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList calls;

public Q_SLOTS:
    void PowerOff(bool interactive) { calls << QStringLiteral("PowerOff(%1)").arg(interactive ? "true" : "false"); }
    void Reboot(bool interactive) { calls << QStringLiteral("Reboot(%1)").arg(interactive ? "true" : "false"); }
    // Not logind's: the test sends it last, and since one connection's
    // messages arrive in order, everything sent before it has arrived too.
    void Marker() { calls << QStringLiteral("Marker()"); }
};

using test::PrivateBus;

class ShutdownDialogOnPrivateBus : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) return;
        bus_ = new PrivateBus;
        busStarted_ = bus_->start();
    }
    static void TearDownTestSuite() {
        delete bus_;
        bus_ = nullptr;
    }

    void SetUp() override {
        if (!bus_) GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(busStarted_) << "the private dbus-daemon did not start";
        static int round = 0;
        ++round;
        logindName_ = QStringLiteral("logind-%1").arg(round);
        clientName_ = QStringLiteral("client-%1").arg(round);
        logind_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus_->address(), logindName_));
        client_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus_->address(), clientName_));
        ASSERT_TRUE(logind_->isConnected());
        ASSERT_TRUE(client_->isConnected());
        ASSERT_TRUE(logind_->registerService(kService));
        ASSERT_TRUE(logind_->registerObject(kPath, &fake_, QDBusConnection::ExportAllSlots));
    }

    void TearDown() override {
        if (logind_) {
            logind_->unregisterObject(kPath);
            logind_->unregisterService(kService);
            logind_.reset();
            QDBusConnection::disconnectFromBus(logindName_);
        }
        if (client_) {
            client_.reset();
            QDBusConnection::disconnectFromBus(clientName_);
        }
    }

    // Everything logind received from the client, ending with the marker.
    QStringList receivedByLogind() {
        const QDBusMessage marker =
            QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Marker"));
        EXPECT_TRUE(client_->send(marker));
        EXPECT_TRUE(QTest::qWaitFor([this] { return fake_.calls.contains(QStringLiteral("Marker()")); }, 5000));
        return fake_.calls;
    }

    ShutdownDialog dialog() { return ShutdownDialog(*client_); }

    static PrivateBus* bus_;
    static bool busStarted_;
    FakeLogind fake_;
    std::unique_ptr<QDBusConnection> logind_;
    std::unique_ptr<QDBusConnection> client_;
    QString logindName_;
    QString clientName_;
};

PrivateBus* ShutdownDialogOnPrivateBus::bus_ = nullptr;
bool ShutdownDialogOnPrivateBus::busStarted_ = false;

QAbstractButton* buttonWithText(const QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons())
        if (b->text() == text) return b;
    return nullptr;
}

// Runs `act` on the application-modal question as soon as it is open. `act`
// must close it; should it fail to, the box is rejected so the test cannot
// hang in the dialog's event loop.
void whenQuestionOpens(std::function<void(QMessageBox&)> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll->stop();
        poll->deleteLater();
        act(*box);
        if (box->isVisible()) {
            ADD_FAILURE() << "the question was left open";
            box->reject();
        }
    });
    poll->start();
}

TEST_F(ShutdownDialogOnPrivateBus, ConfirmedShutDownAsksLogindToPowerOffInteractively) {
    EXPECT_TRUE(dialog().carryOut(ShutdownChoice::PowerOff));
    EXPECT_EQ(receivedByLogind(), (QStringList{"PowerOff(true)", "Marker()"}));
}

TEST_F(ShutdownDialogOnPrivateBus, ConfirmedRestartAsksLogindToRebootInteractively) {
    EXPECT_TRUE(dialog().carryOut(ShutdownChoice::Reboot));
    EXPECT_EQ(receivedByLogind(), (QStringList{"Reboot(true)", "Marker()"}));
}

TEST_F(ShutdownDialogOnPrivateBus, AConfirmedChoiceGoesOutOnABusConnectedOnlyThen) {
    // As the program sends it: the bus is connected in the background when
    // the answer is known, and the request follows once it is.
    LazyBus lazy(bus_->address().toStdString(), QStringLiteral("lazy-logind-client"), std::chrono::seconds(2));
    ShutdownDialog lazyDialog(lazy);
    EXPECT_TRUE(lazyDialog.carryOut(ShutdownChoice::Reboot));
    EXPECT_TRUE(QTest::qWaitFor([this] { return fake_.calls.contains(QStringLiteral("Reboot(true)")); }, 5000));
}

TEST_F(ShutdownDialogOnPrivateBus, CancelSendsNothing) {
    EXPECT_FALSE(dialog().carryOut(ShutdownChoice::Cancel));
    EXPECT_EQ(receivedByLogind(), QStringList{"Marker()"});
}

TEST_F(ShutdownDialogOnPrivateBus, TheQuestionOffersBothChoicesWithAvbrytAsDefaultAndEscape) {
    const auto box = ShutdownDialog::createQuestion();
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Stäng av datorn"));
    EXPECT_FALSE(box->text().isEmpty());
    QStringList texts;
    for (QAbstractButton* b : box->buttons())
        texts << b->text();
    texts.sort();
    EXPECT_EQ(texts, (QStringList{"Avbryt", "Starta om", "Stäng av"}));
    ASSERT_NE(box->defaultButton(), nullptr);
    EXPECT_EQ(box->defaultButton()->text(), QStringLiteral("Avbryt"));
    ASSERT_NE(box->escapeButton(), nullptr);
    EXPECT_EQ(box->escapeButton()->text(), QStringLiteral("Avbryt"));
    // Closed without a button: no choice.
    EXPECT_EQ(ShutdownDialog::choiceOf(*box), ShutdownChoice::Cancel);
}

TEST_F(ShutdownDialogOnPrivateBus, EachButtonOfTheQuestionStandsForItsChoice) {
    const std::pair<QString, ShutdownChoice> cases[] = {
        {QStringLiteral("Stäng av"), ShutdownChoice::PowerOff},
        {QStringLiteral("Starta om"), ShutdownChoice::Reboot},
        {QStringLiteral("Avbryt"), ShutdownChoice::Cancel},
    };
    for (const auto& [text, choice] : cases) {
        const auto box = ShutdownDialog::createQuestion();
        box->show();
        QAbstractButton* button = buttonWithText(*box, text);
        ASSERT_NE(button, nullptr) << text.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(box->isVisible()) << text.toStdString();
        EXPECT_EQ(ShutdownDialog::choiceOf(*box), choice) << text.toStdString();
    }
}

TEST_F(ShutdownDialogOnPrivateBus, ClickingAvbrytInTheRealDialogSendsNothing) {
    whenQuestionOpens([](QMessageBox& box) {
        EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
        ASSERT_NE(box.defaultButton(), nullptr);
        EXPECT_EQ(box.defaultButton()->text(), QStringLiteral("Avbryt"));
        if (QAbstractButton* cancel = buttonWithText(box, QStringLiteral("Avbryt")))
            QTest::mouseClick(cancel, Qt::LeftButton);
    });
    EXPECT_EQ(dialog().run(), ShutdownChoice::Cancel);
    EXPECT_EQ(receivedByLogind(), QStringList{"Marker()"});
}

TEST_F(ShutdownDialogOnPrivateBus, ReturnOrEscapeInTheRealDialogSendsNothing) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        whenQuestionOpens([key](QMessageBox& box) {
            // The key goes where the user's key would: to the focused widget.
            EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &box;
            QTest::keyClick(target, key);
        });
        EXPECT_EQ(dialog().run(), ShutdownChoice::Cancel) << key;
    }
    EXPECT_EQ(receivedByLogind(), QStringList{"Marker()"});
}

TEST_F(ShutdownDialogOnPrivateBus, ChoosingStartaOmInTheRealDialogAsksLogindToReboot) {
    whenQuestionOpens([](QMessageBox& box) {
        if (QAbstractButton* reboot = buttonWithText(box, QStringLiteral("Starta om")))
            QTest::mouseClick(reboot, Qt::LeftButton);
    });
    EXPECT_EQ(dialog().run(), ShutdownChoice::Reboot);
    EXPECT_EQ(receivedByLogind(), (QStringList{"Reboot(true)", "Marker()"}));
}

} // namespace
} // namespace kav

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

#include "shutdown_dialog_test.moc"
