#pragma once
// The program's Qt side on the fake platform and the virtual clock: the
// desktop builds the window views and the program, which a test then starts.

#include "platform/qt/Desktop.h"
#include "tests/support/ProgramFixture.h"

namespace kav::test {

struct DesktopWorld : FakeWorld {
    qt::Desktop desktop{fake, book, clock};
    Program& program = desktop.program();
};

} // namespace kav::test
