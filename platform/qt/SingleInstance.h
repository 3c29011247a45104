#pragma once
// One running copy per program folder. Two copies on one logbook would each
// save their own list over the other's, so the first copy holds a lock on
// ".kavrilon.lock" in the program folder and a second start only asks it,
// over a local socket in the user's runtime folder, to bring its main window
// to the front, and then ends. The lock is a flock(), which the kernel drops
// when its holder dies, so a crashed or killed copy never leaves it stuck.
//
// The check runs before the application object exists: a second copy never
// connects to the display and never reads the logbook.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace kav::qt {

class SingleInstance {
public:
    // Takes the folder's lock or, when another copy holds it, asks that copy
    // to show itself. Gives up asking after about a second. An empty folder
    // (the program has none) takes nothing and is always the first copy.
    explicit SingleInstance(const std::filesystem::path& folder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another copy runs on this folder: this one must end.
    bool isFirst() const { return first_; }
    // Whether this copy holds the folder's lock. A first copy without it
    // (the lock could not be taken, and no other copy answered) must not
    // write the logbook: another copy may be writing it.
    bool holdsLock() const { return lockFd_ >= 0; }

    // In the first copy, once the application object exists: calls `raise`
    // whenever a later start asks for the main window.
    void listen(std::function<void()> raise);
    // Stops listening, before the application object goes. The lock stays
    // until this object goes, so a new start waits for the closing save.
    void stopListening();

    // Shows a window un-minimised, on top and active, and the modal dialog
    // that blocks it, if any, above it.
    static void bringToFront(QWidget* window);

    // The socket's path for a program folder: in $XDG_RUNTIME_DIR when that
    // is usable, else in /tmp with the user's id in the name.
    static std::string socketPath(const std::filesystem::path& folder);

private:
    bool first_ = true;
    int lockFd_ = -1;
    std::string socketPath_;
    struct Server;
    std::unique_ptr<Server> server_;
};

} // namespace kav::qt
