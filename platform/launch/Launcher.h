#pragma once
// Carries out a launcher item on a Linux desktop: starts the first installed
// program of the item's stand-ins (standIns(), in StandIns.cpp) without a
// shell and without waiting for it. Files, folders and web pages go to
// xdg-open, which hands them to the program the user chose for them. What it
// reads from the system comes in a LaunchEnvironment and the start goes
// through a Starter, so tests can use fake programs and record the starts.

#include "model/Types.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

struct LaunchEnvironment {
    std::string path;           // PATH
    std::string currentDesktop; // XDG_CURRENT_DESKTOP, most particular first ("ubuntu:GNOME")
    std::string home;           // HOME
    std::vector<std::filesystem::path> gameDirs{"/usr/games", "/usr/local/games"}; // outside PATH
    // The logbook file "Logg.." opens; empty without a program folder, when
    // it opens nothing.
    std::filesystem::path logbook;
    std::filesystem::path docDir;                          // KAVRILON_DOC_DIR, empty when unset
    std::filesystem::path executableDir;                   // the folder of the running executable
    std::filesystem::path runtimeDir;                      // XDG_RUNTIME_DIR
    std::filesystem::path tmpDir = "/tmp";                 // where a private folder goes without it
    std::string builtInPage = ":/kavrilon/doc/index.html"; // a Qt resource, or any file

    // The environment of this process.
    static LaunchEnvironment fromSystem();

    // The first index.html of $KAVRILON_DOC_DIR/, <executable dir>/../share/
    // doc/kavrilon/ (installed) and <executable dir>/doc/ (build tree), without
    // links, when nobody but root and the user could have put it there.
    std::optional<std::filesystem::path> docPage() const;
    // The built-in page written to <private folder>/kavrilon/index.html, for
    // a program copied without its page; the private folder is the runtime
    // folder when it is the user's own, of mode 0700, or else one of the
    // user's in the temporary folder (posix::privateFolder).
    std::optional<std::filesystem::path> pageFromBuiltIn() const;
};

// A variable this process changed for itself (the session bus hidden from
// Qt), with the user's value (nothing when unset): every program the launcher
// starts gets the user's value. Called before any thread starts.
void keepForLaunchedPrograms(const std::string& name, std::optional<std::string> userValue);

// One program that can take the place of a launcher item: the desktop it
// belongs to, as XDG_CURRENT_DESKTOP names it ("GNOME", empty for any), and
// its name on PATH with its arguments, separated by single spaces. An
// argument may be a placeholder that the launcher fills in: {home}, the home
// folder; {logbook}, the logbook file; {docpage}, the file URL of the
// program's own page; {address}, the item's web page. A program whose
// placeholder has no value is passed over.
struct LaunchCandidate {
    std::string_view desktop;
    std::string_view command;
};

// The programs that stand in for one launcher item, in the order they are
// tried on a desktop they all suit equally well.
struct StandIn {
    std::string_view item;
    std::vector<LaunchCandidate> candidates;
};

const std::vector<StandIn>& standIns();

class Launcher {
public:
    // Starts `program` with `args` detached from this process; true when the
    // program was started.
    using Starter = std::function<bool(const std::string& program, const std::vector<std::string>& args)>;

    explicit Launcher(LaunchEnvironment env = LaunchEnvironment::fromSystem(), Starter starter = startDetached);

    // Starts the first installed stand-in that starts, this desktop's own
    // first; the window manager gives its window the focus. False when the
    // item is unknown or nothing started.
    bool launch(const LaunchItem& item) const;
    // When none is installed, the program the item would start first on this
    // desktop; nothing when one is installed or the item has no stand-in.
    std::optional<std::string> missingProgram(const LaunchItem& item) const;

    // The real starter: QProcess::startDetached, no shell in between, with the
    // user's own values of the variables kept for launched programs.
    static bool startDetached(const std::string& program, const std::vector<std::string>& args);

private:
    struct Command {
        std::string program;
        std::vector<std::string> args;
    };
    // The item's installed stand-ins whose placeholders all have a value, in
    // the order they are tried.
    std::vector<Command> installed(const LaunchItem& item) const;
    std::optional<std::string> valueOf(std::string_view placeholder, const LaunchItem& item) const;

    LaunchEnvironment env_;
    Starter starter_;
};

} // namespace kav
