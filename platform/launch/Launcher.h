#pragma once
// Carries out a Windows command line of the launch table on a Linux desktop:
// finds the first installed program that stands in for it and starts it
// without a shell and without waiting. It does not track, wait for or end
// the program it started. Everything it reads from the system (PATH, the
// current desktop, the home and working folders, where the program's own
// HTML page lies) comes in a LaunchEnvironment, and the actual start goes
// through a Starter, so tests can use fake programs and record the starts.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kav {

struct LaunchRow;

struct LaunchEnvironment {
    // PATH: folders searched for a candidate's program, separated by ':'.
    std::string path;
    // XDG_CURRENT_DESKTOP: the desktop's names, separated by ':', most
    // particular first ("ubuntu:GNOME").
    std::string currentDesktop;
    // HOME.
    std::string home;
    // Where games may lie outside PATH.
    std::vector<std::filesystem::path> gameDirs{"/usr/games", "/usr/local/games"};
    // The working directory the bare name "kavrilon.ini" is resolved in;
    // empty means the process's working directory at the time of the launch.
    std::filesystem::path workingDirectory;
    // KAVRILON_DOC_DIR, where a developer or a package may put the program's
    // own HTML page; empty when unset.
    std::filesystem::path docDir;
    // The folder of the running executable.
    std::filesystem::path executableDir;

    // The environment of this process.
    static LaunchEnvironment fromSystem();

    // The program's own HTML page, found in this order: $KAVRILON_DOC_DIR/,
    // <executable dir>/../share/doc/kavrilon/ (installed), <executable dir>/doc/
    // (build tree); nothing when none holds an index.html.
    std::optional<std::filesystem::path> docPage() const;
};

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

    explicit Launcher(LaunchEnvironment env = LaunchEnvironment::fromSystem(), Starter starter = startDetached);

    // Every installed stand-in for the command line, in the order they are
    // tried: the current desktop's own candidates first, then those for any
    // desktop, then those of other desktops. Empty for an unknown line.
    std::vector<LaunchCommand> resolveAll(std::string_view commandLine) const;
    // The first of them, or nothing.
    std::optional<LaunchCommand> resolve(std::string_view commandLine) const;

    // Starts the first stand-in that starts. The show-window code has no
    // counterpart here: a desktop program opens its window normally and the
    // window manager gives it the focus. False, with nothing shown, when the
    // line is unknown or nothing could be started.
    bool launch(std::string_view commandLine, int showCode) const;

    const LaunchEnvironment& environment() const { return env_; }

    // The real starter: QProcess::startDetached, no shell in between.
    static bool startDetached(const std::string& program, const std::vector<std::string>& args);

private:
    std::optional<std::filesystem::path> findProgram(const std::string& name, bool game) const;
    std::optional<std::vector<std::string>> expandArgs(const std::vector<std::string>& argv) const;
    std::vector<std::string> desktopNames() const;

    LaunchEnvironment env_;
    Starter starter_;
};

} // namespace kav
