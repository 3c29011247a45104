#include "ShutdownDialog.h"

#include <QDBusMessage>
#include <QMessageBox>
#include <QPushButton>

namespace kav {

namespace {

// Object names that tie each button of the question to its choice.
constexpr const char* kPowerOffName = "powerOff";
constexpr const char* kRebootName = "reboot";
constexpr const char* kCancelName = "cancel";

} // namespace

ShutdownDialog::ShutdownDialog(const QDBusConnection& bus)
    : send_([bus](const QDBusMessage& m) { return bus.send(m); }) {}

ShutdownDialog::ShutdownDialog(LazyBus& bus)
    : send_([&bus](const QDBusMessage& m) {
          bus.whenConnected([m](const QDBusConnection& c) { c.send(m); });
          return true;
      }) {}

std::unique_ptr<QMessageBox> ShutdownDialog::createQuestion(QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(QMessageBox::Question);
    box->setWindowTitle(QStringLiteral("Stäng av datorn"));
    box->setText(QStringLiteral("Vill du stänga av datorn eller starta om den?"));
    box->setWindowModality(Qt::ApplicationModal);

    box->addButton(QStringLiteral("Stäng av"), QMessageBox::AcceptRole)->setObjectName(kPowerOffName);
    box->addButton(QStringLiteral("Starta om"), QMessageBox::AcceptRole)->setObjectName(kRebootName);
    QPushButton* cancel = box->addButton(QStringLiteral("Avbryt"), QMessageBox::RejectRole);
    cancel->setObjectName(kCancelName);

    // A stray Return or Escape must never turn the computer off.
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    return box;
}

ShutdownChoice ShutdownDialog::choiceOf(const QMessageBox& question) {
    const QAbstractButton* clicked = question.clickedButton();
    if (!clicked) return ShutdownChoice::Cancel;
    if (clicked->objectName() == QLatin1String(kPowerOffName)) return ShutdownChoice::PowerOff;
    if (clicked->objectName() == QLatin1String(kRebootName)) return ShutdownChoice::Reboot;
    return ShutdownChoice::Cancel;
}

ShutdownChoice ShutdownDialog::run(QWidget* parent) {
    const std::unique_ptr<QMessageBox> question = createQuestion(parent);
    question->exec();
    const ShutdownChoice choice = choiceOf(*question);
    carryOut(choice);
    return choice;
}

bool ShutdownDialog::carryOut(ShutdownChoice choice) {
    if (choice == ShutdownChoice::Cancel) return false;
    const QString method = choice == ShutdownChoice::PowerOff ? QStringLiteral("PowerOff") : QStringLiteral("Reboot");
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
                                                       QStringLiteral("/org/freedesktop/login1"),
                                                       QStringLiteral("org.freedesktop.login1.Manager"), method);
    // The argument `interactive` lets polkit ask the user for a password
    // where the system wants one; the message flag allows that on the bus.
    call << true;
    call.setInteractiveAuthorizationAllowed(true);
    return send_(call);
}

} // namespace kav
