#pragma once
// What a helper thread of the program does first: it leaves every signal to
// the main thread, whose handlers end the program with its closing save, and
// stands back `niceSteps` nice steps behind the window's thread and the
// display server (Linux gives each thread its own nice value; where that
// fails the thread keeps its priority).

namespace kav::posix {

void becomeBackgroundThread(int niceSteps);

} // namespace kav::posix
