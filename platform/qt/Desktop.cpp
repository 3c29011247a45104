#include "platform/qt/Desktop.h"

#include "forms/DesignCheck.h"
#include "forms/form1/Form1.h"
#include "forms/form2/Form2.h"
#include "forms/main/frmMain.h"
#include "platform/qt/FormView.h"
#include "platform/qt/QtPlatform.h"

namespace kav::qt {

Desktop::Desktop(std::filesystem::path programFolder, logbook::Logbook& logbook)
    : desktopPlatform_(std::make_unique<QtPlatform>(std::move(programFolder),
                                                    [this](const Window& w) -> QWidget* { return viewFor(w); })),
      program_(*desktopPlatform_, logbook, steadyClock_, this),
      driver_(std::make_unique<TimerDriver>(program_.timers(), steadyClock_)) {}

Desktop::Desktop(Platform& platform, logbook::Logbook& logbook, Clock& clock)
    : program_(platform, logbook, clock, this) {}

Desktop::~Desktop() = default;

FormView* Desktop::viewFor(const Window& window) const {
    auto it = views_.find(&window);
    return it == views_.end() ? nullptr : it->second.get();
}

void Desktop::windowLoaded(Window& window) {
    auto view = std::make_unique<FormView>(window);
    // The windows kept out of the task bar belong to the one shown there.
    if (!window.def().showInTaskbar)
        for (const auto& [other, otherView] : views_)
            if (other->def().showInTaskbar) view->setOwner(otherView.get());
    views_[&window] = std::move(view);
}

void Desktop::windowUnloading(Window& window) { views_.erase(&window); }

std::vector<std::string> Desktop::start() {
    // A misspelt name stops the program before anything is shown.
    std::vector<std::string> problems;
    for (const FormDef* def : {&frmMainDesign(), &Form1Design(), &Form2Design()})
        for (auto& p : checkDesign(*def))
            problems.push_back(std::move(p));
    if (!problems.empty()) return problems;
    program_.start();
    return checkBindings(program_.main());
}

} // namespace kav::qt
