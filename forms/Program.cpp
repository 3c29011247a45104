// Creation, start-up order and removal of the program's three windows.
#include "forms/Program.h"

#include "forms/form1/Form1.h"
#include "forms/form2/Form2.h"
#include "forms/main/frmMain.h"

#include <type_traits>

namespace kav {

Program::Program(Platform& platform, logbook::Logbook& logbook, Clock& clock, ProgramListener* listener)
    : platform_(&platform), logbook_(&logbook), timers_(clock), listener_(listener) {}

Program::~Program() {
    unloadForm1();
    unloadForm2();
    unload(main_);
}

template <class W> W& Program::load(std::unique_ptr<W>& window) {
    if (!window) {
        if constexpr (std::is_same_v<W, frmMain>)
            window = std::make_unique<W>(*this, *platform_, *logbook_);
        else
            window = std::make_unique<W>(*this, *platform_);
        timers_.attach(*window);
        if (listener_) listener_->windowLoaded(*window);
    }
    return *window;
}

template <class W> void Program::unload(std::unique_ptr<W>& window) {
    if (!window) return;
    timers_.detach(*window);
    if (listener_) listener_->windowUnloading(*window);
    window.reset();
}

Form1& Program::loadForm1() { return load(form1_); }
Form2& Program::loadForm2() { return load(form2_); }
void Program::unloadForm1() { unload(form1_); }
void Program::unloadForm2() { unload(form2_); }

void Program::start() {
    if (main_) return;
    load(main_).raise("Form", Event::Load);
    main_->Show();
}

} // namespace kav
