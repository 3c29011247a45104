#pragma once
// One running copy per program folder. Two copies on one logbook would each
// save their own list over the other's, so the first copy holds a lock on
// ".kavrilon.lock" in the program folder and a second start only asks it,
// over a local socket in a folder private to the user, to bring its main
// window to the front, and then ends. The lock is a flock(), which the kernel
// drops when its holder dies, so a crashed or killed copy never leaves it
// stuck.
//
// Other users on the machine can neither hold the lock nor answer for it:
// the lock file is the user's own, mode 0600, and is never reached through a
// link; a lock that only other users' processes hold is not a copy of ours,
// and the file is then replaced by a fresh one. The socket lives only in the
// user's own runtime folder, or in a private folder the program makes and
// checks; the answering copy must run as the same user. A program folder
// that belongs to someone else (root starting the program in a user's
// folder) gets no lock file at all: that start runs without the lock.
//
// The check runs before the application object exists: a second copy never
// connects to the display and never reads the logbook. The listener runs on
// the window's thread, as a socket notifier of its event loop.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace kav::qt {

class SingleInstance {
public:
    // How a start that found another copy ends.
    enum class Outcome {
        First,     // no other copy: this one runs (with or without the lock)
        Raised,    // the other copy was asked to show itself: end with 0
        NoAnswer,  // another copy holds the lock and does not answer
        NoChannel, // another copy holds the lock; there is no private place
                   // for the socket, so it cannot be asked
    };

    // Takes the folder's lock or, when a copy of this user holds it, asks
    // that copy to show itself and waits for its reply. Gives up after a
    // second and a half. An empty
    // folder (the program has none) takes nothing and is always the first.
    explicit SingleInstance(const std::filesystem::path& folder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another copy runs on this folder: this one must end.
    bool isFirst() const { return outcome_ == Outcome::First; }
    Outcome outcome() const { return outcome_; }
    // True only while this copy holds the folder's lock. A first copy
    // without it (a folder of another user, a lock file that cannot be
    // opened or is not the user's, a lock error) must not write the folder.
    bool holdsLock() const { return lockFd_ >= 0; }

    // The exit status and the Swedish line for standard error of a start
    // that ends without a window (NoAnswer, NoChannel); nothing otherwise.
    static constexpr int kNoAnswerStatus = 75;
    std::optional<std::string> endMessage() const;

    // In the first copy, once the application object exists: calls `raise`
    // on the window's thread whenever a later start asks for the main window.
    void listen(std::function<void()> raise);
    // Stops listening, before the application object goes. The lock stays
    // until this object goes, so a new start waits for the closing save.
    void stopListening();

    // Shows a window un-minimised, on top and active, and the modal dialog
    // that blocks it, if any, above it.
    static void bringToFront(QWidget* window);

    // The folder the socket may live in: $XDG_RUNTIME_DIR when it is the
    // user's own folder of mode 0700, else a folder of the user's in /tmp
    // made (mode 0700) and checked here; nothing when neither can be had.
    static std::optional<std::string> privateSocketFolder();
    // The socket's path for a program folder in that folder.
    static std::optional<std::string> socketPath(const std::filesystem::path& folder);

private:
    std::filesystem::path folder_;
    Outcome outcome_ = Outcome::First;
    int lockFd_ = -1;
    std::optional<std::string> socketPath_;
    struct Server;
    std::unique_ptr<Server> server_;
};

} // namespace kav::qt
