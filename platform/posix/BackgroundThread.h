#pragma once
// What a helper thread does first: it leaves every signal to the main thread,
// whose handlers end the program with its closing save, and stands back
// `niceSteps` nice steps (Linux gives each thread its own nice value).

namespace kav::posix {

void becomeBackgroundThread(int niceSteps);

} // namespace kav::posix
