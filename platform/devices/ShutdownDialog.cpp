#include "ShutdownDialog.h"

#include <QMessageBox>
#include <QPushButton>

namespace kav {

namespace {

// Object names that tie each button of the question to its choice.
constexpr const char* kPowerOffName = "powerOff";
constexpr const char* kRebootName = "reboot";
constexpr const char* kCancelName = "cancel";

} // namespace

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

bool ShutdownDialog::carryOut(ShutdownChoice choice) const {
    if (choice == ShutdownChoice::Cancel) return false;
    // The argument `interactive` lets polkit ask the user for a password
    // where the system wants one; the call's own flag allows that on the bus.
    return bus_.send({QStringLiteral("org.freedesktop.login1"),
                      QStringLiteral("/org/freedesktop/login1"),
                      choice == ShutdownChoice::PowerOff ? QStringLiteral("org.freedesktop.login1.Manager.PowerOff")
                                                         : QStringLiteral("org.freedesktop.login1.Manager.Reboot"),
                      {QStringLiteral("true")}});
}

} // namespace kav
