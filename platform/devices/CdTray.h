#pragma once
// Opens and closes the tray of the computer's CD drive with the Linux CD-ROM
// ioctls, which block until the tray has moved: the caller's window waits
// meanwhile, as the tray buttons are meant to. The kernel refuses to eject a
// disc the desktop mounted, so the desktop's disk service, when given, is
// asked first; the window does not wait for the service, and the ioctl
// follows only when the service did not eject. The system calls go through
// CdSystemCalls so a test can record them instead of touching a real drive.

#include <functional>
#include <string>
#include <vector>

namespace kav {

class CdSystemCalls {
public:
    virtual ~CdSystemCalls() = default;
    // The same contracts as open(2), ioctl(2) and close(2): -1 on failure.
    virtual int open(const std::string& path, int flags) = 0;
    virtual int ioctl(int fd, unsigned long request, unsigned long arg) = 0;
    virtual int close(int fd) = 0;
};

// The real system calls.
CdSystemCalls& posixCdSystemCalls();

class CdTray {
public:
    // Asks the disk service to unmount and eject the disc in the drive of
    // one of the device nodes, and later tells `then` whether it did.
    using ServiceEject =
        std::function<void(const std::vector<std::string>& devices, std::function<void(bool ejected)> then)>;

    explicit CdTray(CdSystemCalls& sys = posixCdSystemCalls(), ServiceEject service = {});

    // Ejects through the disk service, or else unlocks the door and ejects
    // with the ioctls; true when the eject succeeded or the service was asked.
    bool open();
    bool close(); // true when the drive accepted the request

    // The device nodes tried: the distribution's alias for the first drive,
    // then the first SCSI CD-ROM device.
    static constexpr const char* kDevices[] = {"/dev/cdrom", "/dev/sr0"};

private:
    // Opens the first device that opens and sends it `what`.
    bool request(unsigned long what);

    CdSystemCalls* sys_;
    ServiceEject service_;
};

} // namespace kav
