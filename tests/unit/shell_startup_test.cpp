// Start-up: the empty head line, the loaded logbook, the welcome chain with
// its save, and the operation counter.
#include "journal_messages.h"

namespace kav::test {
namespace {

class StartUp : public ProgramTest {};

TEST_F(StartUp, FirstStartWithoutLogbookWritesTwoEmptyLinesAndTheWelcome) {
    ASSERT_FALSE(logbookBytes().has_value());
    frmMain& w = start();
    advance(299);
    EXPECT_FALSE(logbookBytes().has_value());
    advance(1);
    EXPECT_EQ(logbookBytes(), "\r\n\r\n" + kWelcomeBytes + "\r\n");
    EXPECT_FALSE(w.Timer19.Enabled.get() || w.ctl("Timer20").Enabled.get());
}

TEST_F(StartUp, EachFurtherStartAddsAnEmptyHeadLineAndAWelcomeLine) {
    start();
    advance(300);
    const std::optional<std::string> first = logbookBytes();
    ASSERT_TRUE(first.has_value());
    nextRun();

    start();
    advance(300);
    EXPECT_EQ(logbookBytes(), "\r\n" + *first + kWelcomeBytes + "\r\n");
}

TEST_F(StartUp, LoadedLinesFollowTheEmptyHeadLine) {
    writeLogbook("F\xE4rg\r\nFF8000\r\n");
    frmMain& w = start();
    EXPECT_EQ(linesOf(w.List1), (std::vector<std::string>{"", "Färg", "FF8000"}));
    EXPECT_TRUE(w.Timer19.Enabled.get());

    advance(149);
    EXPECT_EQ(w.List1.ListCount(), 3u);
    advance(1);
    EXPECT_EQ(lastLine(w.List1), kWelcome);
    EXPECT_EQ(w.Text8.Text.get(), kWelcome);
    EXPECT_TRUE(w.ctl("Timer20").Enabled.get());
    advance(150);
    EXPECT_EQ(logbookBytes(), "\r\nF\xE4rg\r\nFF8000\r\n" + kWelcomeBytes + "\r\n");
}

TEST_F(StartUp, CounterShowsTheNumberOfLogbookLinesFrom100ms) {
    writeLogbook("a\r\nb\r\nc\r\n");
    frmMain& w = start();
    const std::size_t atLoad = w.List1.ListCount();
    advance(99);
    EXPECT_EQ(w.Label5.Caption.get(), "Label5");
    advance(1);
    EXPECT_EQ(w.Label5.Caption.get(), "Antal op. programmet har gjort: " + std::to_string(atLoad));
    EXPECT_EQ(atLoad, 4u);
    // The welcome line at 150 ms shows at the next refresh.
    advance(100);
    EXPECT_EQ(w.Label5.Caption.get(), "Antal op. programmet har gjort: 5");
}

} // namespace
} // namespace kav::test
