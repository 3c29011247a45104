// Memory running out while a logbook is read makes it a file that cannot be
// read, not the end of the program. A child reads under an address space
// limit that leaves no room for the file. AddressSanitizer reserves address
// space of its own and ends a program whose allocation fails, so this test
// and the reader it runs are built without the sanitizers.
#include "logbook/AtomicFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kav::test {
namespace {

TEST(ReaderMemory, ExhaustedMemoryMakesAFileThatCannotBeRead) {
    TempDir dir;
    const auto path = dir.path() / "kavrilon.ini";
    std::ofstream(path, std::ios::binary).close();
    std::filesystem::resize_file(path, std::uintmax_t{128} << 20);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        long pages = 0;
        if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
            std::fclose(f);
        }
        const auto room = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE)) + (rlim_t{32} << 20);
        const rlimit limit{room, room};
        if (pages == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(100);
        ::_exit(static_cast<int>(logbook::readFile(path.string()).outcome));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the reader was killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(logbook::ReadResult::Outcome::Refused));
}

} // namespace
} // namespace kav::test
