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

bool CdTray::request(unsigned long what) {
    // O_NONBLOCK lets the device open without a disc in the drive, and with
    // the tray already out.
    int fd = -1;
    for (const char* path : kDevices) {
        fd = sys_->open(path, O_RDONLY | O_NONBLOCK);
        if (fd >= 0) break;
    }
    if (fd < 0) return false;
    // A door locked by another program (or left locked) would refuse the
    // eject; whether the unlock works or not, the eject is tried.
    if (what == CDROMEJECT) (void)sys_->ioctl(fd, CDROM_LOCKDOOR, 0);
    const bool done = sys_->ioctl(fd, what, 0) == 0;
    (void)sys_->close(fd);
    return done;
}

bool CdTray::open() {
    if (!service_) return request(CDROMEJECT);
    service_({std::begin(kDevices), std::end(kDevices)}, [this](bool ejected) {
        if (!ejected) (void)request(CDROMEJECT);
    });
    return true;
}

bool CdTray::close() { return request(CDROMCLOSETRAY); }

} // namespace kav
