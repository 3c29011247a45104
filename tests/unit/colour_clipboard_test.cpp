// Copying the code by button and by menu, the caption restore 1800 ms later,
// and clearing the clipboard.
#include "journal_messages.h"

#include "model/Colour.h"

namespace kav::test {
namespace {

class ClipboardCommands : public ProgramTest {
protected:
    static void expectPasteArrow(const frmMain& w, bool shown) {
        EXPECT_EQ(w.Line1.Visible.get(), shown);
        EXPECT_EQ(w.Line2.Visible.get(), shown);
        EXPECT_EQ(w.Line3.Visible.get(), shown);
        EXPECT_EQ(w.Line4.Visible.get(), shown);
        EXPECT_EQ(w.Label3.Visible.get(), shown);
    }
};

TEST_F(ClipboardCommands, ButtonCopiesTheCodeAndShowsThePasteHint) {
    frmMain& w = startAndSettle();
    w.cmdCopy.Enabled = true;
    w.txtColor.Text = "FF8000";
    fake.clipboard = "något annat";
    fake.calls.clear();
    ASSERT_TRUE(w.raise("cmdCopy", Event::Click));

    EXPECT_EQ(fake.calls, (std::vector<std::string>{"clipboardClear()", "clipboardSetText(FF8000)"}));
    EXPECT_EQ(fake.clipboard, "FF8000");
    expectPasteArrow(w, true);
    EXPECT_EQ(w.cmdCopy.Caption.get(), "Ligger nu i klippminnet..");
    EXPECT_EQ(w.Command3.Caption.get(), "Rensa klipp minnet.. ");
    EXPECT_EQ(w.kop.Caption.get(), "&Kopiera till klippminnet..");
    EXPECT_TRUE(w.Command3.Enabled.get());
    EXPECT_EQ(w.Text4.BackColor.get(), palette(10));
    EXPECT_EQ(w.Text7.BackColor.get(), palette(10));
    EXPECT_EQ(w.Text13.BackColor.get(), palette(10));
}

TEST_F(ClipboardCommands, CaptionsAreRestoredAt1800ms) {
    frmMain& w = startAndSettle();
    w.cmdCopy.Enabled = true;
    ASSERT_TRUE(w.raise("cmdCopy", Event::Click));
    advance(1799);
    EXPECT_EQ(w.cmdCopy.Caption.get(), "Ligger nu i klippminnet..");
    expectPasteArrow(w, true);
    advance(1);
    EXPECT_EQ(w.cmdCopy.Caption.get(), "Kopiera...");
    EXPECT_EQ(w.kop.Caption.get(), "Kopiera till klippminnet.. ");
    expectPasteArrow(w, false);
    EXPECT_FALSE(w.Timer1.Enabled.get());
    // The clear button's caption and the lamps stay as the copy left them.
    EXPECT_EQ(w.Command3.Caption.get(), "Rensa klipp minnet.. ");
    EXPECT_EQ(w.Text4.BackColor.get(), palette(10));
    EXPECT_EQ(w.Text7.BackColor.get(), palette(10));
    EXPECT_EQ(w.Text13.BackColor.get(), palette(10));
}

TEST_F(ClipboardCommands, MenuCopyWorksWhileTheButtonIsDisabledAndLeavesTheInOperationLamp) {
    frmMain& w = startAndSettle();
    ASSERT_FALSE(w.cmdCopy.Enabled.get());
    const Colour inOperation = w.Text13.BackColor;
    ASSERT_NE(inOperation, palette(10));
    w.txtColor.Text = "00FF00";
    ASSERT_TRUE(w.raise("kop", Event::Click));

    EXPECT_EQ(fake.clipboard, "00FF00");
    expectPasteArrow(w, true);
    EXPECT_EQ(w.kop.Caption.get(), "Ligger nu i klippminnet..  ");
    EXPECT_EQ(w.cmdCopy.Caption.get(), "Ligger nu i klippminnet..");
    EXPECT_EQ(w.Command3.Caption.get(), "Rensa klipp minnet.. ");
    EXPECT_EQ(w.Text7.BackColor.get(), palette(10));
    EXPECT_EQ(w.Text13.BackColor.get(), inOperation);
    EXPECT_FALSE(w.cmdCopy.Enabled.get());

    advance(1800);
    EXPECT_EQ(w.kop.Caption.get(), "Kopiera till klippminnet.. ");
    EXPECT_EQ(w.cmdCopy.Caption.get(), "Kopiera...");
}

TEST_F(ClipboardCommands, CopyBeforeAnyChoicePutsTheEmptyText) {
    frmMain& w = startAndSettle();
    fake.clipboard = "gammalt";
    fake.calls.clear();
    ASSERT_TRUE(w.raise("kop", Event::Click));
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"clipboardClear()", "clipboardSetText()"}));
    EXPECT_EQ(fake.clipboard, "");
}

TEST_F(ClipboardCommands, BusyClipboardStillReportsTheCopy) {
    frmMain& w = startAndSettle();
    fake.clipboardBusy = true;
    fake.clipboard = "gammalt";
    const std::size_t before = w.List1.ListCount();
    ASSERT_TRUE(w.raise("kop", Event::Click));
    EXPECT_EQ(fake.clipboard, "gammalt");
    expectPasteArrow(w, true);
    EXPECT_EQ(w.Text7.BackColor.get(), palette(10));
    advance(150);
    ASSERT_EQ(w.List1.ListCount(), before + 1);
    EXPECT_EQ(lastLine(w.List1), kCopied);
}

TEST_F(ClipboardCommands, ClearEmptiesTheClipboardAndDisablesItselfUntilTheNextCopy) {
    frmMain& w = startAndSettle();
    w.cmdCopy.Enabled = true;
    w.txtColor.Text = "FF8000";
    ASSERT_TRUE(w.raise("cmdCopy", Event::Click));
    w.Text1.Text = "FF8000"; // the user's test paste
    ASSERT_TRUE(w.raise("Command3", Event::Click));

    EXPECT_FALSE(fake.clipboard.has_value());
    EXPECT_EQ(w.Text1.Text.get(), "");
    EXPECT_EQ(w.Text7.BackColor.get(), palette(14));
    EXPECT_EQ(w.Text4.BackColor.get(), palette(10));
    EXPECT_EQ(w.Command3.Caption.get(), "Klipp minnet tomt..");
    EXPECT_FALSE(w.Command3.Enabled.get());
    EXPECT_TRUE(w.Timer6.Enabled.get());
    // A click on the disabled button does nothing.
    fake.calls.clear();
    EXPECT_FALSE(w.raise("Command3", Event::Click));
    EXPECT_TRUE(fake.callsStartingWith("clipboard").empty());

    ASSERT_TRUE(w.raise("kop", Event::Click));
    EXPECT_TRUE(w.Command3.Enabled.get());
    EXPECT_EQ(w.Command3.Caption.get(), "Rensa klipp minnet.. ");
    EXPECT_EQ(w.Text7.BackColor.get(), palette(10));
}

} // namespace
} // namespace kav::test
