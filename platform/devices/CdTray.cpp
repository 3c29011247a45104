// The CD tray through the kernel's CD-ROM ioctls.
#include "CdTray.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kav {

namespace {

class PosixCdSystemCalls final : public CdSystemCalls {
public:
    int open(const std::string& path, int flags) override { return ::open(path.c_str(), flags); }
    int ioctl(int fd, unsigned long request, unsigned long arg) override { return ::ioctl(fd, request, arg); }
    int close(int fd) override { return ::close(fd); }
};

} // namespace

CdSystemCalls& posixCdSystemCalls() {
    static PosixCdSystemCalls calls;
    return calls;
}

CdTray::CdTray(CdSystemCalls& sys, ServiceEject service) : sys_(&sys), service_(std::move(service)) {}

int CdTray::openDevice() {
    // O_NONBLOCK lets the device open without a disc in the drive, and with
    // the tray already out.
    for (const char* path : kDevices) {
        const int fd = sys_->open(path, O_RDONLY | O_NONBLOCK);
        if (fd >= 0) return fd;
    }
    return -1;
}

bool CdTray::open() {
    if (service_ && service_({std::begin(kDevices), std::end(kDevices)})) return true;
    const int fd = openDevice();
    if (fd < 0) return false;
    // A door locked by another program (or left locked) would refuse the
    // eject; whether the unlock works or not, the eject is tried.
    (void)sys_->ioctl(fd, CDROM_LOCKDOOR, 0);
    const bool ejected = sys_->ioctl(fd, CDROMEJECT, 0) == 0;
    (void)sys_->close(fd);
    return ejected;
}

bool CdTray::close() {
    const int fd = openDevice();
    if (fd < 0) return false;
    const bool closed = sys_->ioctl(fd, CDROMCLOSETRAY, 0) == 0;
    (void)sys_->close(fd);
    return closed;
}

} // namespace kav
