// The journal chains of the colour tool: when each step writes its line, what
// the code step reads, and the bytes each save leaves in the logbook file.
#include "journal_messages.h"

namespace kav::test {
namespace {

class JournalChains : public ProgramTest {};

TEST_F(JournalChains, NewColourChainWritesMessageCodeAndSaveAt200400And600ms) {
    frmMain& w = startAndSettle();
    const std::size_t before = w.List1.ListCount();
    const std::size_t savesBefore = saves();
    w.cmdColor.Enabled = true;
    fake.colourAnswer = 255;
    ASSERT_TRUE(w.raise("cmdColor", Event::Click));

    advance(199);
    EXPECT_EQ(w.List1.ListCount(), before);
    advance(1);
    ASSERT_EQ(w.List1.ListCount(), before + 1);
    EXPECT_EQ(w.List1.store().text(before), kCongratulation);
    EXPECT_EQ(w.Text8.Text.get(), kCongratulation);

    // The code step reads the box when it fires, not at the click.
    w.txtColor.Text = "ABCDEF";
    advance(199);
    EXPECT_EQ(w.List1.ListCount(), before + 1);
    advance(1);
    ASSERT_EQ(w.List1.ListCount(), before + 2);
    EXPECT_EQ(w.List1.store().text(before + 1), "ABCDEF");
    // The code goes straight into the list, not through the staging box.
    EXPECT_EQ(w.Text8.Text.get(), kCongratulation);

    advance(199);
    EXPECT_EQ(saves(), savesBefore);
    advance(1);
    EXPECT_EQ(saves(), savesBefore + 1);
    const auto bytes = logbookBytes();
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->ends_with(kCongratulationBytes + "\r\nABCDEF\r\n")) << *bytes;

    // The chain is idle again: nothing more is written or saved.
    advance(2000);
    EXPECT_EQ(w.List1.ListCount(), before + 2);
    EXPECT_EQ(saves(), savesBefore + 1);
    EXPECT_FALSE(w.Timer5.Enabled.get() || w.Timer3.Enabled.get() || w.Timer4.Enabled.get());
}

TEST_F(JournalChains, CopyChainWritesOneLineAt150msAndSavesAt300ms) {
    frmMain& w = startAndSettle();
    const std::size_t before = w.List1.ListCount();
    const std::size_t savesBefore = saves();
    w.txtColor.Text = "FF8000";
    ASSERT_TRUE(w.raise("kop", Event::Click));

    advance(149);
    EXPECT_EQ(w.List1.ListCount(), before);
    advance(1);
    ASSERT_EQ(w.List1.ListCount(), before + 1);
    EXPECT_EQ(lastLine(w.List1), kCopied);
    EXPECT_EQ(w.Text8.Text.get(), kCopied);

    advance(149);
    EXPECT_EQ(saves(), savesBefore);
    advance(1);
    EXPECT_EQ(saves(), savesBefore + 1);
    const auto bytes = logbookBytes();
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->ends_with("\r\n" + kCopiedBytes + "\r\n")) << *bytes;
    EXPECT_FALSE(w.Timer8.Enabled.get() || w.ctl("Timer9").Enabled.get());
}

TEST_F(JournalChains, ButtonAndMenuCopyWriteTheSameLine) {
    frmMain& w = startAndSettle();
    w.cmdCopy.Enabled = true;
    ASSERT_TRUE(w.raise("cmdCopy", Event::Click));
    advance(300);
    const std::string byButton = lastLine(w.List1);
    ASSERT_TRUE(w.raise("kop", Event::Click));
    advance(300);
    EXPECT_EQ(byButton, kCopied);
    EXPECT_EQ(lastLine(w.List1), kCopied);
}

TEST_F(JournalChains, ClearChainWritesItsLineAndSaves) {
    frmMain& w = startAndSettle();
    const std::size_t before = w.List1.ListCount();
    ASSERT_TRUE(w.raise("Command3", Event::Click));
    advance(150);
    ASSERT_EQ(w.List1.ListCount(), before + 1);
    EXPECT_EQ(lastLine(w.List1), kCleared);
    advance(150);
    const auto bytes = logbookBytes();
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->ends_with("\r\n" + kClearedBytes + "\r\n")) << *bytes;
}

TEST_F(JournalChains, TwoCopiesWithinTheFirstIntervalLogAndSaveOnce) {
    frmMain& w = startAndSettle();
    const std::size_t before = w.List1.ListCount();
    const std::size_t savesBefore = saves();
    ASSERT_TRUE(w.raise("kop", Event::Click));
    advance(100);
    ASSERT_TRUE(w.raise("kop", Event::Click));
    // Still the first count: the line comes 150 ms after the first copy.
    advance(50);
    EXPECT_EQ(w.List1.ListCount(), before + 1);
    advance(1000);
    EXPECT_EQ(w.List1.ListCount(), before + 1);
    EXPECT_EQ(saves(), savesBefore + 1);
}

TEST_F(JournalChains, ChainsRunSideBySideAndEachSaveWritesTheWholeList) {
    frmMain& w = startAndSettle();
    const std::size_t before = w.List1.ListCount();
    w.cmdColor.Enabled = true;
    fake.colourAnswer = 16576;
    ASSERT_TRUE(w.raise("cmdColor", Event::Click)); // lines at 200 and 400, save at 600
    advance(100);
    ASSERT_TRUE(w.raise("kop", Event::Click)); // line at 250, save at 400
    advance(500);

    ASSERT_EQ(w.List1.ListCount(), before + 3);
    EXPECT_EQ(w.List1.store().text(before), kCongratulation);
    EXPECT_EQ(w.List1.store().text(before + 1), kCopied);
    EXPECT_EQ(w.List1.store().text(before + 2), "C04000");
    const auto bytes = logbookBytes();
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->ends_with(kCongratulationBytes + "\r\n" + kCopiedBytes + "\r\nC04000\r\n")) << *bytes;
}

TEST_F(JournalChains, FailedSaveStillEndsTheChainAndTheNextSaveCatchesUp) {
    frmMain& w = startAndSettle();
    failWrites(true);
    ASSERT_TRUE(w.raise("Command3", Event::Click));
    advance(300);
    EXPECT_FALSE(w.Timer6.Enabled.get() || w.ctl("Timer7").Enabled.get());
    const auto afterFailure = logbookBytes();
    ASSERT_TRUE(afterFailure.has_value());
    EXPECT_FALSE(afterFailure->ends_with(kClearedBytes + "\r\n"));

    failWrites(false);
    ASSERT_TRUE(w.raise("kop", Event::Click));
    advance(300);
    const auto bytes = logbookBytes();
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->ends_with(kClearedBytes + "\r\n" + kCopiedBytes + "\r\n")) << *bytes;
}

} // namespace
} // namespace kav::test
