// Drive letters on removable media, and copy and delete of the logbook file.
#include "platform/launch/Media.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kav {

namespace fs = std::filesystem;

namespace {

std::string userName() {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name) return pw->pw_name;
    const char* u = std::getenv("USER");
    return u ? u : "";
}

// Writes all of `n` bytes, going on after a short write or an interrupt.
bool writeAll(int fd, const char* data, std::size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, data, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

// Copies the bytes of `in` to `out`; false on any read or write error.
bool copyBytes(int in, int out) {
    char buf[64 * 1024];
    for (;;) {
        const ssize_t r = ::read(in, buf, sizeof buf);
        if (r == 0) return true;
        if (r < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (!writeAll(out, buf, static_cast<std::size_t>(r))) return false;
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded: on some file
    // systems a write error only shows here.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Opens a new file beside `target` with a name no one else uses, with the
// usual permissions after the umask.
int createTemporaryBeside(const fs::path& target, fs::path& tempPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target.parent_path() / ("." + target.filename().string() + ".part-" + std::to_string(::getpid()) +
                                           "-" + std::to_string(counter++));
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

} // namespace

MediaEnvironment MediaEnvironment::fromSystem() {
    MediaEnvironment env;
    const std::string user = userName();
    if (!user.empty()) env.mountRoots = {fs::path("/media") / user, fs::path("/run/media") / user};
    return env;
}

Media::Media(MediaEnvironment env) : env_(std::move(env)) {}

fs::path Media::workingDirectory() const {
    if (!env_.workingDirectory.empty()) return env_.workingDirectory;
    std::error_code ec;
    return fs::current_path(ec);
}

bool Media::isMountPoint(const fs::path& dir) const {
    if (env_.isMountPoint) return env_.isMountPoint(dir);
    struct stat self {};
    struct stat parent {};
    if (::stat(dir.c_str(), &self) != 0 || ::stat((dir / "..").c_str(), &parent) != 0) return false;
    return self.st_dev != parent.st_dev;
}

std::vector<fs::path> Media::mounted() const {
    std::vector<fs::path> media;
    for (const auto& root : env_.mountRoots) {
        std::error_code ec;
        for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code typeEc;
            if (!it->is_directory(typeEc)) continue;
            const fs::path& dir = it->path();
            if (!isMountPoint(dir) || ::access(dir.c_str(), W_OK) != 0) continue;
            media.push_back(dir);
        }
    }
    std::sort(media.begin(), media.end(), [](const fs::path& a, const fs::path& b) {
        if (a.filename() != b.filename()) return a.filename() < b.filename();
        return a < b;
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
    if (!hasDrive) return workingDirectory() / rest;

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

bool Media::copy(std::string_view from, std::string_view to) const {
    const auto source = resolve(from);
    const auto target = resolve(to);
    if (!source || !target) return false;

    FileDescriptor in(::open(source->c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (in.get() < 0 || ::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;

    fs::path temp;
    FileDescriptor out(createTemporaryBeside(*target, temp));
    if (out.get() < 0) return false;
    const bool written = copyBytes(in.get(), out.get()) && ::fsync(out.get()) == 0;
    if (!out.close() || !written || ::rename(temp.c_str(), target->c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool Media::remove(std::string_view path) const {
    const auto file = resolve(path);
    if (!file) return false;
    // unlink() refuses folders, so only a file is ever removed.
    return ::unlink(file->c_str()) == 0;
}

} // namespace kav
