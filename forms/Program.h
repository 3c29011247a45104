#pragma once
// The running program: the platform, the timer service, the main window and
// the two secondary windows, created on first use and removed by their close
// box. A listener (the views of a desktop) hears when a window comes or goes.

#include "forms/Platform.h"
#include "model/TimerService.h"
#include "logbook/Logbook.h"

#include <memory>

namespace kav {

class frmMain;
class Form1;
class Form2;

class ProgramListener {
public:
    virtual void windowLoaded(Window& window) = 0;
    virtual void windowUnloading(Window& window) = 0;

protected:
    ~ProgramListener() = default;
};

class Program {
public:
    // The logbook and the listener, when there is one, must outlive the program.
    Program(Platform& platform, logbook::Logbook& logbook, Clock& clock, ProgramListener* listener = nullptr);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TimerService& timers() { return timers_; }

    // Creates the main window with its design values (its timers start
    // counting), runs Form_Load, then shows it.
    void start();
    frmMain& main() { return *main_; }

    // Load: create the window if it does not exist. Unload: remove it, as the
    // close box of its frame does; the next Load creates it anew.
    Form1& loadForm1();
    Form2& loadForm2();
    Form1* form1() { return form1_.get(); }
    Form2* form2() { return form2_.get(); }
    void unloadForm1();
    void unloadForm2();

private:
    // One load and one unload for every window: the timers count for a window
    // from its creation to its removal, and the listener hears of both.
    template <class W> W& load(std::unique_ptr<W>& window);
    template <class W> void unload(std::unique_ptr<W>& window);

    Platform* platform_;
    logbook::Logbook* logbook_;
    TimerService timers_;
    ProgramListener* listener_ = nullptr;
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<Form2> form2_;
};

} // namespace kav
