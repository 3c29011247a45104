// The raise request between two starts on one program folder: the running
// copy takes a request as an earlier version sends it, and the launcher's
// activation token and startup id that a later start adds, whole or in
// pieces; anything else raises nothing.
#include "platform/qt/SingleInstance.h"

#include "tests/support/TempDir.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kav::qt {
namespace {

struct RaiseRequest : ::testing::Test {
    test::TempDir folder;
    test::TempDir runtime;
    std::optional<SingleInstance> first;
    std::vector<SingleInstance::Activation> raised;

    void SetUp() override {
        ::chmod(runtime.path().c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
        // The program runs in its folder, where the lock file is named.
        std::filesystem::current_path(folder.path());
        first.emplace(folder.path());
        ASSERT_TRUE(first->isFirst());
        first->listen([this](const SingleInstance::Activation& a) { raised.push_back(a); });
    }

    std::string socketPath() const {
        for (const auto& e : std::filesystem::directory_iterator(runtime.path()))
            if (e.is_socket()) return e.path().string();
        return {};
    }

    // Sends the pieces, letting the running copy read between them, and
    // returns its reply.
    std::string send(const std::vector<std::string>& pieces) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        socketPath().copy(addr.sun_path, sizeof addr.sun_path - 1);
        EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        for (const std::string& p : pieces) {
            EXPECT_EQ(::write(fd, p.data(), p.size()), static_cast<ssize_t>(p.size()));
            QTest::qWait(50);
        }
        std::string reply;
        pollfd pfd{fd, POLLIN, 0};
        char buf[16];
        if (QTest::qWaitFor([&] { return ::poll(&pfd, 1, 0) > 0; }, 2000))
            if (const ssize_t n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT); n > 0)
                reply.assign(buf, static_cast<std::size_t>(n));
        ::close(fd);
        return reply;
    }
};

TEST_F(RaiseRequest, MessagesAndWhatTheyRaise) {
    struct Case {
        const char* what;
        std::vector<std::string> pieces;
        bool raises;
        std::string token, startupId;
    };
    const std::vector<Case> cases = {
        {"an earlier version's request", {"raise\n"}, true, "", ""},
        {"a token and a startup id",
         {"raise\nactivation-token 4f2a\nstartup-id host-1_TIME42\n"},
         true,
         "4f2a",
         "host-1_TIME42"},
        {"a token in two pieces", {"raise\nactivation-to", "ken 4f2a\n"}, true, "4f2a", ""},
        {"a token with a space", {"raise\nactivation-token 4f 2a\n"}, true, "", ""},
        {"an unknown line after the request", {"raise\nfocus please\n"}, true, "", ""},
        {"not a request", {"hello\n"}, false, "", ""},
        {"a request too long to be one", {"raise\n" + std::string(2000, 'x') + "\n"}, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        raised.clear();
        const std::string reply = send(c.pieces);
        ASSERT_EQ(raised.size(), c.raises ? 1u : 0u);
        EXPECT_EQ(reply, c.raises ? "ok\n" : "");
        if (!c.raises) continue;
        EXPECT_EQ(raised[0].token, c.token);
        EXPECT_EQ(raised[0].startupId, c.startupId);
    }
}

TEST_F(RaiseRequest, ASecondStartPassesItsLaunchersToken) {
    ::setenv("XDG_ACTIVATION_TOKEN", "sway-token-1", 1);
    ::unsetenv("DESKTOP_STARTUP_ID");
    auto second = std::async(std::launch::async, [this] { return SingleInstance(folder.path()).isFirst(); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !raised.empty(); }, 5000));
    EXPECT_FALSE(second.get());
    ::unsetenv("XDG_ACTIVATION_TOKEN");
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].token, "sway-token-1");
}

// The running copy's answer reaches the second start even when nothing
// else happens on the window's thread after the raise.
TEST_F(RaiseRequest, ASecondStartEndsAnswered) {
    auto second = std::async(std::launch::async, [this] {
        const SingleInstance s(folder.path());
        return !s.isFirst() && !s.endMessage();
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !raised.empty(); }, 5000));
    EXPECT_TRUE(second.get());
}

} // namespace
} // namespace kav::qt
