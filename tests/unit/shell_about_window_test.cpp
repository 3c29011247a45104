// The About window: its copy-address buttons, its date label and its Exit.
#include "forms/form1/Form1.h"
#include "tests/support/ProgramFixture.h"

namespace kav::test {
namespace {

class AboutWindow : public ProgramTest {
protected:
    Form1& openAbout() {
        frmMain& w = start();
        EXPECT_TRUE(w.raise("ab", Event::Click));
        return *program.form1();
    }
};

TEST_F(AboutWindow, CopyButtonsPutTheAddressOnTheClipboard) {
    struct Pair {
        const char* button;
        const char* box;
    };
    for (const Pair& p : {Pair{"Command2", "Text1"}, Pair{"Command3", "Text2"}}) {
        Form1& f = openAbout();
        Control& button = f.ctl(p.button);
        Control& box = f.ctl(p.box);
        const std::string address = box.Text;
        ASSERT_FALSE(address.empty()) << p.box;
        ASSERT_NE(address, "CTRL + V..");
        fake.calls.clear();

        ASSERT_TRUE(f.raise(p.button, Event::Click)) << p.button;
        EXPECT_EQ(fake.calls, (std::vector<std::string>{"clipboardClear()", "clipboardSetText(" + address + ")"}));
        EXPECT_EQ(fake.clipboard, address);
        EXPECT_EQ(button.Caption.get(), "klistra in..");
        EXPECT_FALSE(button.Enabled.get());
        EXPECT_EQ(box.Text.get(), "CTRL + V..");
        nextRun();
    }
}

TEST_F(AboutWindow, UsedCopyButtonStaysDisabledWhenShownAgain) {
    Form1& f = openAbout();
    ASSERT_TRUE(f.raise("Command2", Event::Click));
    ASSERT_TRUE(f.raise("Command1", Event::Click));
    EXPECT_FALSE(f.Visible.get());
    ASSERT_TRUE(program.main().raise("ab", Event::Click));
    ASSERT_EQ(program.form1(), &f);
    EXPECT_TRUE(f.Visible.get());
    EXPECT_FALSE(f.Command2.Enabled.get());
    EXPECT_EQ(f.Command2.Caption.get(), "klistra in..");
    EXPECT_EQ(f.Text1.Text.get(), "CTRL + V..");
    // A second click on the disabled button copies nothing.
    fake.calls.clear();
    EXPECT_FALSE(f.raise("Command2", Event::Click));
    EXPECT_TRUE(fake.calls.empty());
    // The other button is untouched.
    EXPECT_TRUE(f.Command3.Enabled.get());
}

TEST_F(AboutWindow, BusyClipboardStillDisablesTheButtonAndOverwritesTheBox) {
    Form1& f = openAbout();
    fake.clipboardBusy = true;
    fake.clipboard = "gammalt";
    ASSERT_TRUE(f.raise("Command3", Event::Click));
    EXPECT_EQ(fake.clipboard, "gammalt");
    EXPECT_FALSE(f.Command3.Enabled.get());
    EXPECT_EQ(f.Text2.Text.get(), "CTRL + V..");
}

TEST_F(AboutWindow, DateLabelShowsPlaceholderUntilTheFirstTick) {
    fake.today = "2026-12-07";
    Form1& f = openAbout();
    advance(9);
    EXPECT_EQ(f.Label3.Caption.get(), "##:##:##");
    advance(1);
    EXPECT_EQ(f.Label3.Caption.get(), "2026-12-07");
}

TEST_F(AboutWindow, HiddenWindowAsksNoDateAndShowsTodaysWhenShownAgain) {
    Form1& f = openAbout();
    advance(10);
    ASSERT_TRUE(f.raise("Command1", Event::Click));
    fake.today = "2026-12-08";
    advance(60000);
    EXPECT_EQ(f.Label3.Caption.get(), "2026-12-07");
    ASSERT_TRUE(program.main().raise("ab", Event::Click));
    advance(0);
    EXPECT_EQ(f.Label3.Caption.get(), "2026-12-08");
}

} // namespace
} // namespace kav::test
