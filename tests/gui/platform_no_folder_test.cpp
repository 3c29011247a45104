// Without a program folder the logbook is no file, and the file commands on
// it leave a kavrilon.ini in the working directory alone.
#include "platform/qt/QtPlatform.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace kav::qt {
namespace {

namespace fs = std::filesystem;

TEST(PlatformWithoutFolder, LogbookCommandsActOnNothing) {
    test::TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    std::ofstream("kavrilon.ini") << "someone else's file\r\n";
    QtPlatform platform{fs::path()};

    EXPECT_EQ(platform.logbookPath(), "");
    EXPECT_FALSE(platform.shellDelete("kavrilon.ini"));
    EXPECT_FALSE(platform.shellCopy("kavrilon.ini", R"(A:\kavrilon.ini)"));
    std::ifstream in("kavrilon.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "someone else's file\r\n");
    fs::current_path(before);
}

} // namespace
} // namespace kav::qt
