#pragma once
// The program's own shut-down dialog: a Swedish question that offers to shut
// the computer down or restart it, with "Avbryt" as the default answer. Only
// a confirmed choice reaches the system, as a request to logind over D-Bus;
// logind and polkit then decide, and may ask for a password.

#include "platform/devices/LazyBus.h"

#include <QDBusConnection>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace kav {

enum class ShutdownChoice { Cancel, PowerOff, Reboot };

class ShutdownDialog {
public:
    // `bus` is a connection to the bus logind listens on.
    explicit ShutdownDialog(const QDBusConnection& bus);
    // The program's way: the request goes out on `bus` once it is connected,
    // and the dialog never waits for that.
    explicit ShutdownDialog(LazyBus& bus);

    // Asks the user modally, without a timeout, then carries out the answer.
    // Returns the answer.
    ShutdownChoice run(QWidget* parent = nullptr);

    // The question, built but not shown. "Avbryt" is both its default button
    // (Return) and its escape button (Escape and the close box).
    static std::unique_ptr<QMessageBox> createQuestion(QWidget* parent = nullptr);
    // What the button the user clicked in `question` stands for; Cancel when
    // no button was clicked.
    static ShutdownChoice choiceOf(const QMessageBox& question);

    // Asks logind to power off or to reboot, interactively, without waiting
    // for its answer, so the window never hangs on an authentication prompt.
    // Cancel sends nothing. Returns whether a request went out on the bus.
    bool carryOut(ShutdownChoice choice);

private:
    std::function<bool(const QDBusMessage&)> send_;
};

} // namespace kav
