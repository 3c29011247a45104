#pragma once
// Carries out a launcher item on a Linux desktop: starts the first installed
// program of the item's stand-ins (platform/launch/StandIns) without a shell
// and without waiting for it. What it reads from the system comes in a
// LaunchEnvironment and the start goes through a Starter, so tests can use
// fake programs and record the starts.

#include "forms/Platform.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
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
    // Where "kavrilon.ini" is resolved; empty means the process's own.
    std::filesystem::path workingDirectory;
    // The program has no folder: a line naming a file there starts nothing.
    bool withoutWorkingDirectory = false;
    std::filesystem::path docDir;        // KAVRILON_DOC_DIR, empty when unset
    std::filesystem::path executableDir; // the folder of the running executable
    // Desktop entries: $XDG_DATA_HOME/applications, then those of $XDG_DATA_DIRS.
    std::vector<std::filesystem::path> applicationDirs;
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

// What desktop programs answer when asked (`gnome-control-center --list`,
// `xdg-mime query default text/plain`).
class DesktopAnswers {
public:
    // Runs a program without a shell and returns what it printed, or nothing
    // when it could not run, failed, or took too long.
    using Asker =
        std::function<std::optional<std::string>(const std::string& program, const std::vector<std::string>& args)>;

    explicit DesktopAnswers(Asker asker = run) : asker_(std::move(asker)) {}

    // Asks every time.
    std::optional<std::string> ask(const std::string& program, const std::vector<std::string>& args) const;
    // Asks the first time only, for an answer that cannot change meanwhile.
    std::optional<std::string> askOnce(const std::string& program, const std::vector<std::string>& args);

    // The real asker: QProcess, standard output only, at most three seconds.
    static std::optional<std::string> run(const std::string& program, const std::vector<std::string>& args);

private:
    Asker asker_;
    std::map<std::pair<std::string, std::vector<std::string>>, std::optional<std::string>> kept_;
};

// A variable this process changed for itself (the session bus hidden from
// Qt), with the user's value (nothing when unset): every program the launcher
// starts or asks gets the user's value. Called before any thread starts.
void keepForLaunchedPrograms(const std::string& name, std::optional<std::string> userValue);

// A program to start: its full path and its arguments.
struct LaunchCommand {
    std::string program;
    std::vector<std::string> args;
    bool operator==(const LaunchCommand&) const = default;
};

class Launcher {
public:
    // Starts `program` with `args` detached from this process; true when the
    // program was started.
    using Starter = std::function<bool(const std::string& program, const std::vector<std::string>& args)>;

    explicit Launcher(LaunchEnvironment env = LaunchEnvironment::fromSystem(), Starter starter = startDetached,
                      std::shared_ptr<DesktopAnswers> answers = nullptr);

    // Every installed stand-in for the item, in the order they are tried.
    std::vector<LaunchCommand> resolveAll(const LaunchItem& item) const;
    // The first of them, or nothing.
    std::optional<LaunchCommand> resolve(const LaunchItem& item) const;
    // When none is installed, the program the item would start first on this
    // desktop; nothing when one is installed or the item has no stand-in.
    std::optional<std::string> missingProgram(const LaunchItem& item) const;

    // Starts the first stand-in that starts; the window manager gives its
    // window the focus. False when the item is unknown or nothing started.
    bool launch(const LaunchItem& item) const;

    // The real starter: QProcess::startDetached, no shell in between.
    static bool startDetached(const std::string& program, const std::vector<std::string>& args);

private:
    std::optional<std::filesystem::path> findProgram(const std::string& name, bool game) const;
    std::optional<std::vector<std::string>> expandArgs(const std::vector<std::string>& argv,
                                                       std::string_view commandLine) const;
    std::optional<std::string> choosePage(const std::string& program, const std::vector<std::string>& choices) const;
    std::optional<LaunchCommand> defaultApp(std::string_view mimeType, const std::vector<std::string>& files) const;

    LaunchEnvironment env_;
    Starter starter_;
    std::shared_ptr<DesktopAnswers> answers_;
};

} // namespace kav
