#pragma once
// The ways the program ends, each with its closing save run exactly once:
//  - SIGTERM, SIGINT and SIGHUP end every running event loop, modal dialogs'
//    included, so an open dialog cannot hold the program; the save runs
//    after the main loop.
//  - A lost display: the display plugin calls exit() from inside the event
//    loop, so the save runs from an exit handler.
//  - The main window destroyed by another X client ends the program as its
//    close box does.

#include <QAbstractNativeEventFilter>

#include <functional>

#include <sys/types.h>

class QSocketNotifier;
class QWidget;

namespace kav::qt {

class ProgramEnd final : public QAbstractNativeEventFilter {
public:
    // Needs the application object; only one may exist at a time.
    explicit ProgramEnd(std::function<void()> closingSave);
    ~ProgramEnd() override;

    // Ends the program when this window's native window is destroyed from outside.
    void watchMainWindow(QWidget* window) { mainWindow_ = window; }

    // Runs the closing save the first time it is called.
    void closingSave();

    // Ends the main event loop and every loop nested in it.
    static void endEventLoops();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    static void atExit();

    std::function<void()> save_;
    bool saved_ = false;
    QWidget* mainWindow_ = nullptr;
    pid_t mainThread_;
    QSocketNotifier* signalNotifier_ = nullptr;
};

} // namespace kav::qt
