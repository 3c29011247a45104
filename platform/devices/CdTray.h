#pragma once
// Opens and closes the tray of the computer's CD drive with the Linux CD-ROM
// ioctls. Each call returns only when the drive has finished moving the tray,
// because the kernel's eject and close-tray requests block until then; the
// caller's window waits meanwhile, as the tray buttons are meant to.
//
// The system calls go through CdSystemCalls so a test can record them instead
// of touching a real drive.

#include <string>

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
    explicit CdTray(CdSystemCalls& sys = posixCdSystemCalls());

    // Unlocks the door and ejects the tray. True when the eject succeeded.
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
};

} // namespace kav
