// What the address sanitizer's leak check is told in the sanitizer build:
// built into the program and every test, so it travels with each binary to
// any user and folder the tests run it from. Every leak it does not name
// fails the test that finds it.

// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" const char* __asan_default_options();
extern "C" const char* __lsan_default_suppressions();

// The leak check reads each thread's memory of the libraries loaded at run
// time (Qt's plugins) through the sanitizer's record of that memory. The
// record guesses each block's bounds from the layout of an old C library;
// now and then it guesses a bogus range, and the check itself crashes while
// reading it, failing a run that leaks nothing. Without the record, the
// check reads the stacks, the libraries' data and the threads' fixed
// memory, which hold everything the program keeps.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }

// Memory that libraries below the program keep until the process ends, which
// the program cannot free.
extern "C" const char* __lsan_default_suppressions() {
    // Qt's Wayland plugin keeps the compositor's global objects (outputs,
    // shared memory, subcompositor) to the end; Mesa's EGL driver, which Qt
    // loads for Wayland windows, keeps its one-time set-up. The system's
    // libraries have no frame pointers, so these names match only where
    // allocations record their whole stack (fast_unwind_on_malloc=0, which
    // the Wayland rows of the desktop profiles set).
    // Its shell integration keeps each activation request it makes, and its
    // clipboard keeps the program's last copied text past the end.
    return "leak:libQt6WaylandClient.so\n"
           "leak:libxdg-shell.so\n"
           "leak:QClipboard::setText\n"
           "leak:libEGL_mesa.so\n";
}

// NOLINTEND(bugprone-reserved-identifier)
