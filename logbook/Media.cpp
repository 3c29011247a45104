#include "logbook/Media.h"

#include "logbook/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kav::logbook {

namespace fs = std::filesystem;

namespace {

// Whether a folder lies on another file system than its parent.
bool isOwnFileSystem(const fs::path& dir) {
    struct stat self {};
    struct stat parent {};
    if (::stat(dir.c_str(), &self) != 0 || ::stat((dir / "..").c_str(), &parent) != 0) return false;
    return self.st_dev != parent.st_dev;
}

} // namespace

MediaEnvironment MediaEnvironment::fromSystem() {
    MediaEnvironment env;
    const passwd* pw = ::getpwuid(::getuid());
    const char* fromEnv = std::getenv("USER");
    const std::string user = pw && pw->pw_name ? pw->pw_name : fromEnv ? fromEnv : "";
    if (!user.empty()) env.mountRoots = {fs::path("/media") / user, fs::path("/run/media") / user};
    return env;
}

Media::Media(MediaEnvironment env) : env_(std::move(env)) {}

std::vector<fs::path> Media::mounted() const {
    std::vector<fs::path> media;
    for (const auto& root : env_.mountRoots) {
        std::error_code ec;
        for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code typeEc;
            if (!it->is_directory(typeEc)) continue;
            const fs::path& dir = it->path();
            const bool mount = env_.isMountPoint ? env_.isMountPoint(dir) : isOwnFileSystem(dir);
            if (!mount || ::access(dir.c_str(), W_OK) != 0) continue;
            media.push_back(dir);
        }
    }
    std::sort(media.begin(), media.end(), [](const fs::path& a, const fs::path& b) {
        return std::pair(a.filename(), a) < std::pair(b.filename(), b);
    });
    return media;
}

std::optional<fs::path> Media::drive(char letter) const {
    const auto media = mounted();
    if (media.empty()) return std::nullopt;
    switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'A': return media[0];
    case 'D':
    case 'E': return media.size() >= 2 ? media[1] : media[0];
    default: return std::nullopt;
    }
}

std::optional<fs::path> Media::resolve(std::string_view windowsName) const {
    if (windowsName.empty()) return std::nullopt;
    const bool hasDrive =
        windowsName.size() >= 2 && windowsName[1] == ':' && std::isalpha(static_cast<unsigned char>(windowsName[0]));
    std::string rest(hasDrive ? windowsName.substr(2) : windowsName);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    std::error_code ec;
    if (!hasDrive) return (env_.workingDirectory.empty() ? fs::current_path(ec) : env_.workingDirectory) / rest;

    const auto root = drive(windowsName[0]);
    if (!root) return std::nullopt;
    while (!rest.empty() && rest.front() == '/')
        rest.erase(rest.begin());
    if (rest.empty()) return std::nullopt;
    // A name on a drive stays on that drive.
    const fs::path relative = fs::path(rest).lexically_normal();
    if (relative.empty() || *relative.begin() == "..") return std::nullopt;
    return *root / relative;
}

// The program's one reader and one atomic writer: a pipe named like the
// logbook never stops the program, and the medium never holds half a file.
bool Media::copy(std::string_view from, std::string_view to) const {
    const auto source = resolve(from);
    const auto target = resolve(to);
    if (!source || !target) return false;
    const logbook::ReadResult read = logbook::readFile(source->string());
    if (read.outcome != logbook::ReadResult::Outcome::Read) return false;
    return logbook::writeFileAtomic(target->string(), read.bytes);
}

bool Media::remove(std::string_view path) const {
    const auto file = resolve(path);
    if (!file) return false;
    // unlink() refuses folders, so only a file is ever removed.
    return ::unlink(file->c_str()) == 0;
}

} // namespace kav::logbook
