// Building the Qt side of the program, and its start.
#include "platform/qt/Desktop.h"

#include "forms/DesignCheck.h"
#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/frmMain.h"
#include "platform/qt/QtPlatform.h"

namespace kav::qt {

Desktop::Desktop(std::filesystem::path programFolder)
    : desktopPlatform_(std::make_unique<QtPlatform>(std::move(programFolder), views_)),
      program_(*desktopPlatform_, steadyClock_, &views_), driver_(std::make_unique<TimerDriver>(program_.timers(), steadyClock_)) {}

Desktop::Desktop(Platform& platform, Clock& clock) : program_(platform, clock, &views_) {}

Desktop::~Desktop() = default;

std::vector<std::string> Desktop::start() {
    // A misspelt name must stop the program before anything is shown, not
    // fail silently later.
    std::vector<std::string> problems;
    for (const FormDef* def : {&frmMainDesign(), &Form1Design(), &Form2Design()})
        for (auto& p : checkDesign(*def))
            problems.push_back(std::move(p));
    if (!problems.empty()) return problems;
    program_.start();
    return checkBindings(program_.main());
}

void Desktop::saveUnsavedLines() {
    if (program_.started()) program_.main().saveUnsavedLines();
}

} // namespace kav::qt
