// The tray device on Linux, with every system call recorded instead of made:
// which device node is opened, how, which CD-ROM requests reach it in which
// order, and that the descriptor is closed again.
#include "platform/devices/CdTray.h"

#include <fcntl.h>
#include <linux/cdrom.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kav {
namespace {

class RecordedCalls final : public CdSystemCalls {
public:
    std::map<std::string, int> devices;   // the nodes that open, with their descriptor
    std::map<unsigned long, int> failing; // requests that fail, with their result
    std::vector<std::string> log;

    int open(const std::string& path, int flags) override {
        log.push_back("open " + path + " " + flagsText(flags));
        const auto it = devices.find(path);
        return it == devices.end() ? -1 : it->second;
    }
    int ioctl(int fd, unsigned long request, unsigned long arg) override {
        log.push_back("ioctl " + std::to_string(fd) + " " + requestName(request) + " " + std::to_string(arg));
        const auto it = failing.find(request);
        return it == failing.end() ? 0 : it->second;
    }
    int close(int fd) override {
        log.push_back("close " + std::to_string(fd));
        return 0;
    }

private:
    static std::string flagsText(int flags) {
        return flags == (O_RDONLY | O_NONBLOCK) ? "O_RDONLY|O_NONBLOCK" : "flags=" + std::to_string(flags);
    }
    static std::string requestName(unsigned long request) {
        switch (request) {
        case CDROM_LOCKDOOR: return "CDROM_LOCKDOOR";
        case CDROMEJECT: return "CDROMEJECT";
        case CDROMCLOSETRAY: return "CDROMCLOSETRAY";
        default: return "request=" + std::to_string(request);
        }
    }
};

using Log = std::vector<std::string>;

TEST(CdTrayDevice, OpenUnlocksTheDoorThenEjectsOnDevCdromAndClosesIt) {
    RecordedCalls sys;
    sys.devices = {{"/dev/cdrom", 7}, {"/dev/sr0", 8}};
    CdTray tray(sys);

    EXPECT_TRUE(tray.open());
    EXPECT_EQ(sys.log, (Log{"open /dev/cdrom O_RDONLY|O_NONBLOCK", "ioctl 7 CDROM_LOCKDOOR 0", "ioctl 7 CDROMEJECT 0",
                            "close 7"}));
}

TEST(CdTrayDevice, CloseSendsCloseTrayAndClosesTheDevice) {
    RecordedCalls sys;
    sys.devices = {{"/dev/cdrom", 7}, {"/dev/sr0", 8}};
    CdTray tray(sys);

    EXPECT_TRUE(tray.close());
    EXPECT_EQ(sys.log, (Log{"open /dev/cdrom O_RDONLY|O_NONBLOCK", "ioctl 7 CDROMCLOSETRAY 0", "close 7"}));
}

TEST(CdTrayDevice, FallsBackToDevSr0WhenDevCdromDoesNotOpen) {
    RecordedCalls sys;
    sys.devices = {{"/dev/sr0", 5}};
    CdTray tray(sys);

    EXPECT_TRUE(tray.open());
    EXPECT_TRUE(tray.close());
    EXPECT_EQ(sys.log,
              (Log{"open /dev/cdrom O_RDONLY|O_NONBLOCK", "open /dev/sr0 O_RDONLY|O_NONBLOCK",
                   "ioctl 5 CDROM_LOCKDOOR 0", "ioctl 5 CDROMEJECT 0", "close 5", "open /dev/cdrom O_RDONLY|O_NONBLOCK",
                   "open /dev/sr0 O_RDONLY|O_NONBLOCK", "ioctl 5 CDROMCLOSETRAY 0", "close 5"}));
}

TEST(CdTrayDevice, WithoutADriveNothingIsRequestedAndBothCallsFail) {
    RecordedCalls sys;
    CdTray tray(sys);

    EXPECT_FALSE(tray.open());
    EXPECT_FALSE(tray.close());
    EXPECT_EQ(sys.log, (Log{"open /dev/cdrom O_RDONLY|O_NONBLOCK", "open /dev/sr0 O_RDONLY|O_NONBLOCK",
                            "open /dev/cdrom O_RDONLY|O_NONBLOCK", "open /dev/sr0 O_RDONLY|O_NONBLOCK"}));
}

TEST(CdTrayDevice, RefusedRequestsAreReportedAndTheDeviceIsStillClosed) {
    RecordedCalls sys;
    sys.devices = {{"/dev/cdrom", 3}};

    // A refused unlock does not stop the eject, whose own outcome counts.
    sys.failing = {{CDROM_LOCKDOOR, -1}};
    EXPECT_TRUE(CdTray(sys).open());
    EXPECT_EQ(sys.log, (Log{"open /dev/cdrom O_RDONLY|O_NONBLOCK", "ioctl 3 CDROM_LOCKDOOR 0", "ioctl 3 CDROMEJECT 0",
                            "close 3"}));

    sys.log.clear();
    sys.failing = {{CDROMEJECT, -1}, {CDROMCLOSETRAY, -1}};
    EXPECT_FALSE(CdTray(sys).open());
    EXPECT_FALSE(CdTray(sys).close());
    EXPECT_EQ(sys.log, (Log{"open /dev/cdrom O_RDONLY|O_NONBLOCK", "ioctl 3 CDROM_LOCKDOOR 0", "ioctl 3 CDROMEJECT 0",
                            "close 3", "open /dev/cdrom O_RDONLY|O_NONBLOCK", "ioctl 3 CDROMCLOSETRAY 0", "close 3"}));
}

} // namespace
} // namespace kav
