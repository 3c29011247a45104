#pragma once
// The shell file operations of the logbook commands on a Linux desktop. A
// Windows name is either a bare name ("kavrilon.ini"), resolved in the
// working directory, or a drive name ("A:\kavrilon.ini"), resolved on the
// user's mounted, writable removable media: the desktop mounts them as
// folders under /media/$USER or /run/media/$USER. A: is the first of them in
// name order; E: is the second when there are two or more, else the first;
// D: is the same as E:. Other drive letters name nothing.
//
// A copy reads only a regular file, and goes to a temporary name on the
// medium first and is then renamed into place, so the medium never holds a
// half-written file. A delete removes
// a file (not a folder) and reports whether there was one to remove.

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace kav {

struct MediaEnvironment {
    // Folders whose sub-folders are the mounted media.
    std::vector<std::filesystem::path> mountRoots;
    // Where bare names are resolved; empty means the process's working
    // directory at the time of the operation.
    std::filesystem::path workingDirectory;
    // Whether a folder is a mount point. Left empty, a folder is one when it
    // lies on another file system than its parent folder.
    std::function<bool(const std::filesystem::path&)> isMountPoint;

    // /media/$USER and /run/media/$USER of this user.
    static MediaEnvironment fromSystem();
};

class Media {
public:
    explicit Media(MediaEnvironment env = MediaEnvironment::fromSystem());

    // The mounted, writable media, in name order.
    std::vector<std::filesystem::path> mounted() const;
    // The folder that stands for a drive letter, or nothing.
    std::optional<std::filesystem::path> drive(char letter) const;
    // A Windows name as a Linux path, or nothing when its drive is absent.
    std::optional<std::filesystem::path> resolve(std::string_view windowsName) const;

    // Copies a file, replacing the target whole. False when the source is
    // not a file, the target's drive is absent or the copy failed; a failure
    // leaves no file of its own behind.
    bool copy(std::string_view from, std::string_view to) const;
    // Deletes a file. False when there is no such file or it cannot be removed.
    bool remove(std::string_view path) const;

private:
    std::filesystem::path workingDirectory() const;
    bool isMountPoint(const std::filesystem::path& dir) const;

    MediaEnvironment env_;
};

} // namespace kav
