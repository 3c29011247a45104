// Drives A:, D: and E: on removable media mounted under fake roots, the copy
// that never leaves a half-written file, and the delete that reports whether
// there was a file.
#include "logbook/Media.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include <sys/stat.h>

namespace kav {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::TempDir;
using logbook::Media;
using logbook::MediaEnvironment;

void writeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class MediaTest : public ::testing::Test {
protected:
    TempDir tmp;
    fs::path media = tmp.path() / "media" / "user";
    fs::path runMedia = tmp.path() / "run" / "media" / "user";
    fs::path work = tmp.path() / "work";
    // Folders the fake mount table does not list.
    std::set<fs::path> unmounted;
    // Logbook bytes as the program writes them: Windows-1252, CR LF.
    const std::string logbook = "V\xE4lkommen\r\nFF8000\r\n";

    void SetUp() override {
        fs::create_directories(work);
        writeFile(work / "kavrilon.ini", logbook);
    }

    Media make() {
        MediaEnvironment env;
        env.mountRoots = {media, runMedia};
        env.workingDirectory = work;
        env.isMountPoint = [this](const fs::path& p) { return unmounted.count(p) == 0; };
        return Media(env);
    }

    fs::path mount(const fs::path& root, const std::string& name) {
        fs::create_directories(root / name);
        return root / name;
    }
};

TEST_F(MediaTest, WithNothingMountedTheCopyFailsAndWritesNothing) {
    Media m = make();
    EXPECT_TRUE(m.mounted().empty());
    EXPECT_FALSE(m.copy("kavrilon.ini", "A:\\kavrilon.ini"));
    EXPECT_FALSE(m.copy("kavrilon.ini", "E:\\kavrilon.ini"));
    // Roots that exist but hold only unmounted folders count as empty too.
    const fs::path stale = mount(media, "STALE");
    unmounted.insert(stale);
    EXPECT_FALSE(make().copy("kavrilon.ini", "A:\\kavrilon.ini"));
    EXPECT_TRUE(fs::is_empty(stale));
    EXPECT_EQ(readAll(work / "kavrilon.ini"), logbook);
}

TEST_F(MediaTest, OneMediumIsEveryDrive) {
    const fs::path stick = mount(runMedia, "USBSTICK");
    Media m = make();
    EXPECT_EQ(m.drive('A'), stick);
    EXPECT_EQ(m.drive('E'), stick);
    EXPECT_EQ(m.drive('D'), stick);
    EXPECT_EQ(m.drive('a'), stick);
    EXPECT_EQ(m.drive('C'), std::nullopt);

    ASSERT_TRUE(m.copy("kavrilon.ini", "E:\\kavrilon.ini"));
    EXPECT_EQ(readAll(stick / "kavrilon.ini"), logbook);
    // Nothing but the file itself is left on the medium.
    EXPECT_EQ(namesIn(stick), std::vector<std::string>{"kavrilon.ini"});
}

TEST_F(MediaTest, TwoMediaInNameOrderGiveAFirstAndESecond) {
    // Made in the opposite order and under different roots on purpose.
    const fs::path second = mount(media, "B-STICK");
    const fs::path first = mount(runMedia, "A-FLOPPY");
    Media m = make();
    EXPECT_EQ(m.mounted(), (std::vector<fs::path>{first, second}));
    EXPECT_EQ(m.drive('A'), first);
    EXPECT_EQ(m.drive('E'), second);
    EXPECT_EQ(m.drive('D'), second);

    ASSERT_TRUE(m.copy("kavrilon.ini", "A:\\kavrilon.ini"));
    EXPECT_EQ(namesIn(first), std::vector<std::string>{"kavrilon.ini"});
    EXPECT_TRUE(fs::is_empty(second));
    ASSERT_TRUE(m.copy("kavrilon.ini", "D:\\kavrilon.ini"));
    EXPECT_EQ(readAll(second / "kavrilon.ini"), logbook);
}

TEST_F(MediaTest, UnmountedFoldersAndPlainFilesAreNoDrives) {
    const fs::path stale = mount(media, "AAA-OLD");
    unmounted.insert(stale);
    writeFile(media / "A-note.txt", "not a medium");
    const fs::path stick = mount(media, "ZZZ");
    Media m = make();
    EXPECT_EQ(m.mounted(), std::vector<fs::path>{stick});
    EXPECT_EQ(m.drive('A'), stick);
}

TEST_F(MediaTest, ACopyReplacesAnOlderCopyWhole) {
    const fs::path stick = mount(media, "STICK");
    writeFile(stick / "kavrilon.ini", std::string(5000, 'x'));
    ASSERT_TRUE(make().copy("kavrilon.ini", "A:\\kavrilon.ini"));
    EXPECT_EQ(readAll(stick / "kavrilon.ini"), logbook);
    EXPECT_EQ(namesIn(stick), std::vector<std::string>{"kavrilon.ini"});
}

TEST_F(MediaTest, AFailedCopyLeavesNoFileBehind) {
    const fs::path stick = mount(media, "STICK");
    Media m = make();

    // No source in the working directory.
    fs::remove(work / "kavrilon.ini");
    EXPECT_FALSE(m.copy("kavrilon.ini", "A:\\kavrilon.ini"));
    EXPECT_TRUE(fs::is_empty(stick));

    // A folder as the source.
    fs::create_directories(work / "kavrilon.ini");
    EXPECT_FALSE(m.copy("kavrilon.ini", "A:\\kavrilon.ini"));
    EXPECT_TRUE(fs::is_empty(stick));
    fs::remove(work / "kavrilon.ini");

    // A pipe as the source is refused at once, without waiting for a writer.
    fs::remove(work / "kavrilon.ini");
    ASSERT_EQ(::mkfifo((work / "kavrilon.ini").c_str(), 0600), 0);
    EXPECT_FALSE(m.copy("kavrilon.ini", "A:\\kavrilon.ini"));
    EXPECT_TRUE(fs::is_empty(stick));
    fs::remove(work / "kavrilon.ini");

    // The final rename fails because a folder stands in the target's place:
    // the written temporary file must go again.
    writeFile(work / "kavrilon.ini", logbook);
    fs::create_directories(stick / "kavrilon.ini");
    EXPECT_FALSE(m.copy("kavrilon.ini", "A:\\kavrilon.ini"));
    EXPECT_EQ(namesIn(stick), std::vector<std::string>{"kavrilon.ini"});
    EXPECT_TRUE(fs::is_directory(stick / "kavrilon.ini"));
}

TEST_F(MediaTest, NamesAreResolvedInTheWorkingDirectoryAndStayOnTheirDrive) {
    const fs::path stick = mount(media, "STICK");
    Media m = make();
    EXPECT_EQ(m.resolve("kavrilon.ini"), work / "kavrilon.ini");
    EXPECT_EQ(m.resolve("A:\\kavrilon.ini"), stick / "kavrilon.ini");
    EXPECT_EQ(m.resolve("A:\\logg\\kavrilon.ini"), stick / "logg" / "kavrilon.ini");
    EXPECT_EQ(m.resolve("A:\\..\\kavrilon.ini"), std::nullopt);
    EXPECT_EQ(m.resolve("A:\\"), std::nullopt);
    EXPECT_EQ(m.resolve("Q:\\kavrilon.ini"), std::nullopt);
}

TEST_F(MediaTest, DeleteReportsWhetherThereWasAFile) {
    Media m = make();
    EXPECT_TRUE(m.remove("kavrilon.ini"));
    EXPECT_FALSE(fs::exists(work / "kavrilon.ini"));
    EXPECT_FALSE(m.remove("kavrilon.ini"));

    // Only files are deleted, never a folder of that name.
    fs::create_directories(work / "kavrilon.ini");
    EXPECT_FALSE(m.remove("kavrilon.ini"));
    EXPECT_TRUE(fs::is_directory(work / "kavrilon.ini"));
}

TEST_F(MediaTest, APlainFolderIsNoMountPointByDefault) {
    MediaEnvironment env;
    env.mountRoots = {media};
    mount(media, "JUSTAFOLDER");
    EXPECT_TRUE(Media(env).mounted().empty());
    // The system's own roots are those of this user.
    const MediaEnvironment sys = MediaEnvironment::fromSystem();
    ASSERT_EQ(sys.mountRoots.size(), 2u);
    EXPECT_EQ(sys.mountRoots[0].parent_path(), fs::path("/media"));
    EXPECT_EQ(sys.mountRoots[1].parent_path(), fs::path("/run/media"));
}

} // namespace
} // namespace kav
