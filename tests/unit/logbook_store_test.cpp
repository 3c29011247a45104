// The Logbook's load and save of the main window's list, with the logbook in
// a temporary folder: what reaches the list and which bytes reach the file.
#include "tests/support/ProgramFixture.h"
#include "tests/support/Unprivileged.h"
#include "tests/unit/logbook_test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace kav::test {
namespace {

namespace fs = std::filesystem;

// The main window on its own, without start-up, so each test decides what the
// list holds before it loads or saves.
using Logbook = ProgramFixture;
using Entries = std::vector<std::string>;

TEST(LogbookLoad, FileThatCannotBeReadOrIsEmptyAppendsOneEmptyEntry) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
    };
    const std::vector<Case> cases = {
        {"missing file", [](const fs::path&) {}},
        {"folder", [](const fs::path& p) { fs::create_directory(p); }},
        {"dangling link", [](const fs::path& p) { fs::create_symlink(p.parent_path() / "nowhere.ini", p); }},
        {"file of 0 bytes", [](const fs::path& p) { writeBytes(p, ""); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Logbook book;
        c.make(book.logbookFile);
        book.add("earlier");
        book.load();
        EXPECT_EQ(book.entries(), (Entries{"earlier", ""}));
    }
    // The superuser reads any file, so a user without privileges loads the
    // file it cannot read.
    SCOPED_TRACE("unreadable file");
    Unprivileged user;
    EXPECT_EQ(user.run([] {
        Logbook book;
        writeBytes(book.logbookFile, "secret\r\n");
        fs::permissions(book.logbookFile, fs::perms::none);
        book.add("earlier");
        book.load();
        return book.entries() == Entries{"earlier", ""} ? 0 : 1;
    }),
              0);
}

TEST(LogbookLoad, AppendsEveryLineAfterWhatTheListHolds) {
    Logbook book;
    writeBytes(book.logbookFile, "a\r\n\r\nV\xE4lkommen\r\nlast without line end");
    book.add("x");
    book.load();
    EXPECT_EQ(book.entries(), (Entries{"x", "a", "", "Välkommen", "last without line end"}));

    // The last line gets its CR LF with the next save.
    book.save();
    EXPECT_EQ(book.logbookBytes(), "x\r\na\r\n\r\nV\xE4lkommen\r\nlast without line end\r\n");
}

TEST(LogbookLoad, LoneLfFileLoadsLineByLineAndIsSavedWithCrLf) {
    Logbook book;
    writeBytes(book.logbookFile, "one\ntwo\n\nthree\n");
    book.load();
    EXPECT_EQ(book.entries(), (Entries{"one", "two", "", "three"}));
    book.save();
    EXPECT_EQ(book.logbookBytes(), "one\r\ntwo\r\n\r\nthree\r\n");
}

TEST(LogbookSave, WritesEachEntryInWindows1252WithCrLf) {
    Logbook book;
    for (const char* entry : {"", "Välkommen till Vendel Hagmarks loggbok  i Skarnvik",
                              "Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya färg kod blev..  =", "FF8000"})
        book.add(entry);
    book.save();
    EXPECT_EQ(book.logbookBytes(),
              "\r\n"
              "V\xE4lkommen till Vendel Hagmarks loggbok  i Skarnvik\r\n"
              "Vendel Hagmarks loggbok, Special.  Gratulera !!   Din nya f\xE4rg kod blev..  =\r\n"
              "FF8000\r\n");
}

TEST(LogbookSave, LoadThenSaveReproducesAFileTheProgramWrotePrecededByEarlierLines) {
    Logbook first;
    for (const char* entry : {"", "Välkommen till Vendel Hagmarks loggbok  i Skarnvik", "",
                              "Användaren har tryck på knappen:  Öppna CD rom - CD Släde ut..", "00FF7F", "€ ‰ Ÿ"})
        first.add(entry);
    first.save();
    const auto written = first.logbookBytes();
    ASSERT_TRUE(written);

    Logbook second;
    writeBytes(second.logbookFile, *written);
    second.add("");
    second.add("earlier");
    second.load();
    second.save();
    EXPECT_EQ(second.logbookBytes(), "\r\nearlier\r\n" + *written);
}

TEST(LogbookSave, EmptyListLeavesAFileOfZeroBytes) {
    Logbook book;
    writeBytes(book.logbookFile, "old\r\n");
    book.save();
    EXPECT_EQ(book.logbookBytes(), "");
}

TEST(LogbookSave, FailedSaveKeepsOldFileAndListAndTheNextSaveWritesEverything) {
    Logbook book;
    writeBytes(book.logbookFile, "old\r\n");
    book.add("a");
    book.add("b");
    book.failWrites(true);
    book.save();
    EXPECT_EQ(book.logbookBytes(), "old\r\n");
    EXPECT_EQ(book.entries(), (Entries{"a", "b"}));

    book.failWrites(false);
    book.add("c");
    book.save();
    EXPECT_EQ(book.logbookBytes(), "a\r\nb\r\nc\r\n");
}

TEST(LogbookSave, ListGrowsPast32767EntriesAndKeepsThemAll) {
    Logbook book;
    const std::size_t count = 40000;
    for (std::size_t i = 0; i < count; ++i)
        book.add("entry " + std::to_string(i));
    EXPECT_EQ(book.form().List1.ListCount(), count);
    book.save();
    ASSERT_TRUE(book.logbookBytes());

    Logbook reloaded;
    fs::copy_file(book.logbookFile, reloaded.logbookFile);
    reloaded.load();
    ASSERT_EQ(reloaded.form().List1.ListCount(), count);
    EXPECT_EQ(reloaded.entries().front(), "entry 0");
    EXPECT_EQ(reloaded.entries()[32767], "entry 32767");
    EXPECT_EQ(reloaded.entries().back(), "entry 39999");
}

TEST(LogbookLoad, HugeAndBinaryLogbooksLoadWithoutLoss) {
    {
        SCOPED_TRACE("100 000 lines");
        Logbook book;
        std::string bytes;
        for (int i = 0; i < 100000; ++i)
            bytes += "line " + std::to_string(i) + "\r\n";
        writeBytes(book.logbookFile, bytes);
        book.load();
        ASSERT_EQ(book.form().List1.ListCount(), 100000u);
        EXPECT_EQ(book.entries()[99999], "line 99999");
    }
    {
        SCOPED_TRACE("a line of 10 MB");
        Logbook book;
        std::string line(10u << 20, 'x');
        for (std::size_t i = 0; i < line.size(); i += 1000)
            line[i] = '\xE4';
        writeBytes(book.logbookFile, line);
        book.load();
        ASSERT_EQ(book.form().List1.ListCount(), 1u);
        book.save();
        EXPECT_EQ(book.logbookBytes(), line + "\r\n");
    }
    {
        SCOPED_TRACE("NUL-filled");
        Logbook book;
        writeBytes(book.logbookFile, std::string(1u << 20, '\0'));
        book.load();
        ASSERT_EQ(book.form().List1.ListCount(), 1u);
        EXPECT_EQ(book.entries()[0], std::string(1u << 20, '\0'));
    }
    {
        SCOPED_TRACE("random binary lines");
        // Every byte value except the line ends, in lines of random length:
        // loading and saving gives the file back byte for byte.
        std::mt19937 rng(20260107);
        std::string bytes;
        for (int line = 0; line < 2000; ++line) {
            const auto length = rng() % 200;
            for (unsigned i = 0; i < length; ++i) {
                char c = static_cast<char>(rng() % 256);
                if (c == '\r' || c == '\n') c = '\0';
                bytes += c;
            }
            bytes += "\r\n";
        }
        Logbook book;
        writeBytes(book.logbookFile, bytes);
        book.load();
        EXPECT_EQ(book.form().List1.ListCount(), 2000u);
        book.save();
        EXPECT_EQ(book.logbookBytes(), bytes);
    }
}

} // namespace
} // namespace kav::test
