// Creation, start-up order and removal of the program's three windows.
#include "forms/Program.h"

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/frmMain.h"

namespace kav {

Program::Program(Platform& platform, Clock& clock, ProgramListener* listener)
    : platform_(&platform), timers_(clock), listener_(listener) {}

Program::~Program() {
    unloadForm1();
    unloadForm2();
    if (main_) {
        timers_.detach(*main_);
        if (listener_) listener_->windowUnloading(*main_);
    }
}

void Program::start() {
    if (main_) return;
    main_ = std::make_unique<frmMain>(*this);
    timers_.attach(*main_);
    if (listener_) listener_->windowLoaded(*main_);
    main_->raise("Form", Event::Load);
    main_->Show();
}

Form1& Program::loadForm1() {
    if (!form1_) {
        form1_ = std::make_unique<Form1>(*this);
        timers_.attach(*form1_);
        if (listener_) listener_->windowLoaded(*form1_);
    }
    return *form1_;
}

Form2& Program::loadForm2() {
    if (!form2_) {
        form2_ = std::make_unique<Form2>(*this);
        timers_.attach(*form2_);
        if (listener_) listener_->windowLoaded(*form2_);
    }
    return *form2_;
}

void Program::unloadForm1() {
    if (!form1_) return;
    timers_.detach(*form1_);
    if (listener_) listener_->windowUnloading(*form1_);
    form1_.reset();
}

void Program::unloadForm2() {
    if (!form2_) return;
    timers_.detach(*form2_);
    if (listener_) listener_->windowUnloading(*form2_);
    form2_.reset();
}

} // namespace kav
