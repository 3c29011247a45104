// Whether a bus answers, as both entry points of the probe see it: a private
// dbus-daemon answers; a socket that takes connections and never writes, a
// bus that authenticates and then never replies to Hello, and an address
// with no socket behind it do not.
#include "platform/dbus/BusProbe.h"
#include "platform/dbus/Handshake.h"
#include "tests/support/PrivateBus.h"

#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kav::dbus {
namespace {

using namespace std::chrono_literals;

// A bus that takes every connection on a socket in a temporary folder. A
// mute one never writes a byte; one that `authenticates` accepts each
// client's authentication and then falls silent.
class FakeBus {
public:
    explicit FakeBus(bool authenticates) : path_((dir_.path() / "bus").string()) {
        sockaddr_un sa{.sun_family = AF_UNIX, .sun_path = {}};
        path_.copy(sa.sun_path, sizeof sa.sun_path - 1);
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        listening_ = ::bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0 && ::listen(fd_, 4) == 0;
        if (authenticates) server_ = std::thread([this] { serve(); });
    }
    ~FakeBus() {
        // Wakes the server from accept().
        ::shutdown(fd_, SHUT_RDWR);
        if (server_.joinable()) server_.join();
        for (const int c : clients_)
            ::close(c);
        ::close(fd_);
    }
    bool listening() const { return listening_; }
    std::string address() const { return "unix:path=" + path_; }

private:
    void serve() {
        static constexpr char kOk[] = "OK 0123456789abcdef0123456789abcdef\r\n";
        for (int c = 0; (c = ::accept(fd_, nullptr, nullptr)) >= 0;) {
            clients_.push_back(c);
            char auth[256];
            if (::read(c, auth, sizeof auth) <= 0 || ::write(c, kOk, sizeof kOk - 1) <= 0) return;
        }
    }

    test::TempDir dir_;
    std::string path_;
    int fd_ = -1;
    bool listening_ = false;
    std::thread server_;
    std::vector<int> clients_;
};

TEST(BusProbe, BothEntryPointsAnswerOnlyForABusThatRepliesToHello) {
    test::PrivateBus daemon;
    ASSERT_TRUE(daemon.start()) << "the private dbus-daemon did not start";
    const FakeBus mute(false);
    const FakeBus silent(true);
    ASSERT_TRUE(mute.listening() && silent.listening());
    const test::TempDir empty;
    const std::pair<std::string, bool> cases[] = {
        {daemon.address().toStdString(), true},
        {mute.address(), false},
        {silent.address(), false},
        {"unix:path=" + (empty.path() / "bus").string(), false},
    };
    for (const auto& [address, expected] : cases) {
        SCOPED_TRACE(address);
        EXPECT_EQ(answers(address, 300ms), expected);
        std::optional<bool> answered;
        QObject context;
        probe(address, 300ms, &context, [&answered](bool a) { answered = a; });
        ASSERT_TRUE(QTest::qWaitFor([&answered] { return answered.has_value(); }, 5000));
        EXPECT_EQ(*answered, expected);
    }
}

} // namespace
} // namespace kav::dbus
