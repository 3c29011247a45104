// A created system user (as root) or the user running the tests.
#include "tests/support/Unprivileged.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kav::test {

namespace {

// Runs a program without a shell and returns its exit status.
int runProgram(std::vector<std::string> args) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// useradd and userdel fail while another process holds the lock on the user
// database (tests run in parallel), so they are tried again for a while.
bool runRetrying(const std::vector<std::string>& args) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (runProgram(args) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

} // namespace

Unprivileged::Unprivileged() : uid_(::geteuid()), gid_(::getegid()) {
    if (uid_ != 0) return;
    static std::atomic<int> counter{0};
    const std::string name = "kavt" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    if (!runRetrying({"/usr/sbin/useradd", "--system", "--no-create-home", "--user-group", "--shell",
                      "/usr/sbin/nologin", name}))
        throw std::runtime_error("useradd " + name + " failed");
    name_ = name;
    const passwd* pw = ::getpwnam(name.c_str());
    if (!pw) throw std::runtime_error("no password entry for " + name);
    uid_ = pw->pw_uid;
    gid_ = pw->pw_gid;
}

Unprivileged::~Unprivileged() {
    if (created()) runRetrying({"/usr/sbin/userdel", name_});
}

void Unprivileged::own(const std::filesystem::path& path) const {
    if (created() && ::lchown(path.c_str(), uid_, gid_) != 0) throw std::runtime_error("lchown " + path.string());
}

int Unprivileged::run(const std::function<int()>& check, const std::vector<gid_t>& groups) const {
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (created() && (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(gid_) != 0 || ::setuid(uid_) != 0))
            ::_exit(125);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    const int code = WEXITSTATUS(status);
    return code == 125 ? -1 : code;
}

} // namespace kav::test
