#include "platform/posix/ProgramFolder.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::posix {

namespace fs = std::filesystem;

namespace {

// The desktop entry is what every installation of the program puts under
// share, whether `cmake --install` or a distribution's package made it.
constexpr const char* kInstalledMarker = "share/applications/io.github.kavrilon.Kavrilon.desktop";

bool isAbsolute(const std::string& p) { return !p.empty() && p.front() == '/'; }

// Whether an executable's folder is the bin folder of an installed copy.
bool isInstalledLayout(const fs::path& executableDir) {
    const fs::path dir = executableDir.lexically_normal();
    // "/usr/bin/" normalises to a trailing empty name; look at the folder itself.
    const fs::path bin = dir.filename().empty() ? dir.parent_path() : dir;
    if (bin.filename() != "bin") return false;
    struct stat st {};
    return ::stat((bin.parent_path() / kInstalledMarker).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The path of the running executable as the kernel knows it, as bytes.
std::string executablePath(const char* argv0) {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe.string();
    const fs::path real = argv0 ? fs::canonical(argv0, ec) : fs::path();
    return ec ? std::string() : real.string();
}

} // namespace

std::string envOr(const char* name, std::string fallback) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::move(fallback);
}

fs::path chooseProgramFolder(const ProgramFolderInputs& in) {
    fs::path exeDir = in.executable.parent_path();
    if (!isInstalledLayout(exeDir)) return exeDir;
    // A relative XDG_DATA_HOME is invalid by the base directory rules and is
    // ignored, and so is a relative HOME.
    if (isAbsolute(in.xdgDataHome)) return fs::path(in.xdgDataHome) / "kavrilon";
    std::string home = in.home;
    if (!isAbsolute(home)) home = in.passwordHome ? in.passwordHome() : std::string();
    if (!isAbsolute(home)) return {};
    return fs::path(home) / ".local" / "share" / "kavrilon";
}

// A missing level is made only inside a folder of the user's or of root's
// (such as /tmp): never inside another user's, so root started with a user's
// HOME (sudo -E) leaves no folder of its own in that user's home.
bool enterProgramFolder(const fs::path& folder) {
    if (folder.empty() || !folder.is_absolute()) return false;
    fs::path sofar;
    struct stat parent {};
    for (const auto& part : folder) {
        sofar /= part;
        struct stat st {};
        if (::stat(sofar.c_str(), &st) != 0) {
            if (errno != ENOENT || (parent.st_uid != ::geteuid() && parent.st_uid != 0)) return false;
            if (::mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST) return false;
            if (::stat(sofar.c_str(), &st) != 0) return false;
        }
        parent = st;
    }
    return ::chdir(folder.c_str()) == 0;
}

std::string homeFromPasswordDatabase(uid_t uid) {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0) size = 16384;
    for (int attempt = 0; attempt < 6; ++attempt, size *= 4) {
        std::vector<char> buf(static_cast<std::size_t>(size));
        passwd pw{};
        passwd* found = nullptr;
        const int rc = ::getpwuid_r(uid, &pw, buf.data(), buf.size(), &found);
        if (rc == ERANGE) continue;
        if (rc != 0 || !found || !found->pw_dir) return {};
        return found->pw_dir;
    }
    return {};
}

ProgramFolderInputs programFolderInputsFromSystem(const char* argv0) {
    ProgramFolderInputs in;
    in.executable = executablePath(argv0);
    in.xdgDataHome = envOr("XDG_DATA_HOME");
    in.home = envOr("HOME");
    in.passwordHome = [] { return homeFromPasswordDatabase(::getuid()); };
    return in;
}

} // namespace kav::posix
