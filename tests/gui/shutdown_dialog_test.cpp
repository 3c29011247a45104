// The shut-down dialog: its question (default "Avbryt"), and what reaches
// logind for each answer. logind is a fake that records its calls, on a
// private bus started by the test, so nothing here can shut anything down.
#include "platform/devices/ShutdownDialog.h"

#include "tests/support/PrivateBus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusContext>
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

// logind's manager object, reduced to the two requests the dialog may send;
// each is recorded with its argument and whether the caller lets polkit ask
// the user.
class FakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList calls;

public Q_SLOTS:
    void PowerOff(bool interactive) { record("PowerOff", interactive); }
    void Reboot(bool interactive) { record("Reboot", interactive); }

private:
    void record(const char* method, bool interactive) {
        calls << QStringLiteral("%1(%2)%3")
                     .arg(QLatin1String(method), interactive ? "true" : "false",
                          message().isInteractiveAuthorizationAllowed() ? " interactive" : "");
    }
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
        logind_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(bus_->address(), logindName_));
        ASSERT_TRUE(logind_->isConnected());
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
    }

    // What logind received before a request the test makes last, which
    // does not count: a stray request made earlier has arrived by then. The
    // last request is a confirmed shut-down, so every test that reads this
    // also sees that one reach logind, interactively.
    QStringList receivedByLogind() {
        EXPECT_TRUE(dialog().carryOut(ShutdownChoice::PowerOff));
        EXPECT_TRUE(QTest::qWaitFor([this] { return fake_.calls.contains(kControl); }, 10000));
        QStringList calls = fake_.calls;
        calls.removeOne(kControl);
        return calls;
    }

    ShutdownDialog dialog() const { return ShutdownDialog(SystemBus(bus_->address())); }

    inline static const QString kControl = QStringLiteral("PowerOff(true) interactive");

    static PrivateBus* bus_;
    static bool busStarted_;
    FakeLogind fake_;
    std::unique_ptr<QDBusConnection> logind_;
    QString logindName_;
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

TEST_F(ShutdownDialogOnPrivateBus, AConfirmedRestartAsksLogindToRebootInteractively) {
    EXPECT_TRUE(dialog().carryOut(ShutdownChoice::Reboot));
    EXPECT_EQ(receivedByLogind(), QStringList{"Reboot(true) interactive"});
}

TEST_F(ShutdownDialogOnPrivateBus, CancelSendsNothing) {
    EXPECT_FALSE(dialog().carryOut(ShutdownChoice::Cancel));
    EXPECT_EQ(receivedByLogind(), QStringList{});
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
    EXPECT_EQ(receivedByLogind(), QStringList{});
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
    EXPECT_EQ(receivedByLogind(), QStringList{});
}

TEST_F(ShutdownDialogOnPrivateBus, ChoosingStartaOmInTheRealDialogAsksLogindToReboot) {
    whenQuestionOpens([](QMessageBox& box) {
        if (QAbstractButton* reboot = buttonWithText(box, QStringLiteral("Starta om")))
            QTest::mouseClick(reboot, Qt::LeftButton);
    });
    EXPECT_EQ(dialog().run(), ShutdownChoice::Reboot);
    EXPECT_EQ(receivedByLogind(), QStringList{"Reboot(true) interactive"});
}

} // namespace
} // namespace kav

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Every request goes to the test's own bus; should one not, it finds no bus.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/kavrilon-test-bus");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

#include "shutdown_dialog_test.moc"
