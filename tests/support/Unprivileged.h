#pragma once
// A user without privileges, to run a check as. Root ignores file modes, and
// CI runs as root: there a system user is created for the test and removed
// again when the object goes. Run by anyone else, it is that user, who has no
// privileges to drop. The check runs in a forked child that takes on the
// user's ids and reports through its exit status.

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kav::test {

class Unprivileged {
public:
    Unprivileged();
    ~Unprivileged();
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

    uid_t uid() const { return uid_; }
    gid_t gid() const { return gid_; }
    // Whether the user was created here (the tests run as root).
    bool created() const { return !name_.empty(); }

    // Gives a file or folder to the user (nothing to do when not root).
    void own(const std::filesystem::path& path) const;

    // Runs `check` as the user in a child process, a member of `groups` too;
    // its exit status, or -1 when the child could not take on the user or
    // was killed.
    int run(const std::function<int()>& check, const std::vector<gid_t>& groups = {}) const;

private:
    std::string name_;
    uid_t uid_;
    gid_t gid_;
};

} // namespace kav::test
