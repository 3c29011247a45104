#pragma once
// One running copy per program folder, so that two copies never save their
// lists over each other's logbook. The first copy holds a QLockFile in the
// folder (a killed copy's lock is found stale by its process id); a second
// start asks it, over a local socket in a folder private to the user, to
// bring its main window to the front, and ends. The socket is a few system
// calls on the window's event loop rather than a QLocalServer: loading Qt's
// network library and the Kerberos and proxy libraries it brings slowed
// every start's first paint. It does so before the
// application object exists, so it never opens the display. The start
// passes on the activation token its launcher gave it, with which the
// running copy may take the focus where the desktop guards it.
//
// Other users can neither hold the lock nor answer for it: the lock file is
// made with mode 0600 in the user's own folder, and the socket lives in the
// private folder. A program folder of someone else (root starting the
// program there) gets no lock file: that start runs without the lock.

#include <QLockFile>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QSocketNotifier;
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

    // Takes the lock of `folder`, which must be the working directory (the
    // lock file is named relative to it, so any folder name works), or, when
    // a copy holds it, asks that copy to show itself: a second and a half at
    // most for a stopped copy, 20 seconds for one still starting. An empty
    // folder (the program has none) is always the first.
    explicit SingleInstance(const std::filesystem::path& folder);
    ~SingleInstance();

    // False when another copy runs on this folder: this one must end.
    bool isFirst() const { return outcome_ == Outcome::First; }
    // True only while this copy holds the folder's lock. A first copy
    // without it (a folder of another user, a lock file that cannot be made
    // or is not the user's) must not write the folder.
    bool holdsLock() const { return lock_ && lock_->isLocked(); }

    // The exit status and the Swedish line for standard error of a start
    // that ends without a window (NoAnswer, NoChannel); nothing otherwise.
    static constexpr int kNoAnswerStatus = 75;
    std::optional<std::string> endMessage() const;

    // What a later start's launcher gave it to be let come forward with:
    // an xdg-activation token (Wayland) and a startup notification id (X11).
    struct Activation {
        std::string token;
        std::string startupId;
    };

    // In the first copy, once the application object exists: calls `raise`
    // on the window's thread whenever a later start asks for the main window.
    void listen(std::function<void(const Activation&)> raise);
    // Stops listening, before the application object goes. The lock stays
    // until this object goes, so a new start waits for the closing save.
    void stopListening();

    // Shows a window un-minimised, on top and active, and the modal dialog
    // that blocks it, if any, above it; the activation lets it past the
    // desktop's guard against stolen focus. Where the desktop still keeps
    // the focus elsewhere, the window asks for the user's attention.
    static void bringToFront(QWidget* window, const Activation& activation = {});

private:
    std::filesystem::path folder_;
    Outcome outcome_ = Outcome::First;
    std::unique_ptr<QLockFile> lock_;
    std::string socketPath_;
    std::unique_ptr<QSocketNotifier> server_;
};

} // namespace kav::qt
