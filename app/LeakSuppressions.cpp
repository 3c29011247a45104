// Leaks that the address sanitizer's leak check may ignore: memory that
// libraries below the program keep until the process ends, which the program
// cannot free. Built into the program only in the sanitizer build, so the
// list travels with the binary to any user and folder the tests run it from.
// Every other leak fails the test that finds it.

// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" const char* __lsan_default_suppressions();

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
