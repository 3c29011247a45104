#pragma once
// Opens and closes the tray of the computer's CD drive with the Linux CD-ROM
// ioctls. Each call returns only when the drive has finished moving the tray,
// because the kernel's eject and close-tray requests block until then; the
// caller's window waits meanwhile, as the tray buttons are meant to.
//
// A disc that the desktop has mounted makes the kernel refuse the eject, so
// the tray first asks the desktop's disk service, when one is given, to
// unmount and eject; the ioctl is the way when that service is absent.
//
// The system calls go through CdSystemCalls so a test can record them instead
// of touching a real drive.

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
    // Asks the desktop's disk service to unmount and eject the disc in the
    // drive of one of the given device nodes; true when it did.
    using ServiceEject = std::function<bool(const std::vector<std::string>& devices)>;

    explicit CdTray(CdSystemCalls& sys = posixCdSystemCalls(), ServiceEject service = {});

    // Ejects through the disk service, or else unlocks the door and ejects
    // the tray with the ioctls. True when the eject succeeded.
    bool open();
    // Pulls the tray in. True when the drive accepted the request.
    bool close();

    // The device nodes tried, in order: the distribution's alias for the
    // first drive, then the first SCSI CD-ROM device itself.
    static constexpr const char* kDevices[] = {"/dev/cdrom", "/dev/sr0"};

private:
    // The descriptor of the first device that opens, or -1 when none does.
    int openDevice();

    CdSystemCalls* sys_;
    ServiceEject service_;
};

} // namespace kav
