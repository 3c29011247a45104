#pragma once
// The program's own shut-down dialog: a Swedish question that offers to shut
// the computer down or restart it. Only a confirmed choice reaches logind over
// D-Bus; logind and polkit then decide, and may ask for a password.

#include "platform/devices/SystemBus.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace kav {

enum class ShutdownChoice { Cancel, PowerOff, Reboot };

class ShutdownDialog {
public:
    // `bus` is the bus logind listens on.
    explicit ShutdownDialog(SystemBus bus = SystemBus()) : bus_(std::move(bus)) {}

    // Asks the user modally, carries out the answer and returns it.
    ShutdownChoice run(QWidget* parent = nullptr);

    // The question, not shown; "Avbryt" is its default and escape button.
    static std::unique_ptr<QMessageBox> createQuestion(QWidget* parent = nullptr);
    // What the button the user clicked in `question` stands for; Cancel when
    // no button was clicked.
    static ShutdownChoice choiceOf(const QMessageBox& question);

    // Asks logind to power off or to reboot, interactively, without waiting
    // for its answer (the window never hangs on a password prompt). Returns
    // whether a request went out; Cancel sends nothing.
    bool carryOut(ShutdownChoice choice) const;

private:
    SystemBus bus_;
};

} // namespace kav
