#pragma once
// The file operations of the logbook commands on a Linux desktop. A Windows
// name is either bare ("kavrilon.ini"), resolved in the working directory, or
// on a drive ("A:\kavrilon.ini"), resolved on the user's mounted, writable
// removable media under /media/$USER or /run/media/$USER. A: is the first of
// them in name order; D: and E: the second when there are two or more, else
// the first. Other drive letters name nothing.

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace kav::logbook {

struct MediaEnvironment {
    std::vector<std::filesystem::path> mountRoots; // their sub-folders are the media
    // Where bare names are resolved; empty means the working directory.
    std::filesystem::path workingDirectory;
    // Whether a folder is a mount point; by default, whether it lies on
    // another file system than its parent.
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

    // Copies a regular file, replacing the target whole; a failure leaves no
    // file of its own behind.
    bool copy(std::string_view from, std::string_view to) const;
    // Deletes a file (never a folder); false when there was none to remove.
    bool remove(std::string_view path) const;

private:
    MediaEnvironment env_;
};

} // namespace kav::logbook
