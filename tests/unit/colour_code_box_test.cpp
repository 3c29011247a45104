// The code box's offers: its code in every web form, disabled while the box
// is empty, and a chosen offer copied alone, without the copy commands'
// captions, lamps and journal line.
#include "colour_program_fixture.h"

namespace kav::test {
namespace {

// Counts every property change of the window's controls.
struct ChangeCounter final : WindowObserver {
    int changes = 0;
    void controlChanged(Control&, PropId) override { ++changes; }
    void windowChanged(Window&, PropId) override { ++changes; }
};

class CodeBox : public ProgramTest {};

TEST_F(CodeBox, OffersTheCodeInEachFormWithTheTextInTheCaption) {
    frmMain& w = startAndSettle();
    w.txtColor.Text = "FF8800";
    std::vector<std::string> captions, texts;
    for (const CopyOffer& o : w.copyOffers("txtColor")) {
        EXPECT_TRUE(o.enabled) << o.caption;
        EXPECT_EQ(o.caption, "Kopiera som " + o.text);
        texts.push_back(o.text);
    }
    EXPECT_EQ(texts,
              (std::vector<std::string>{"#FF8800", "#ff8800", "#F80", "rgb(255, 136, 0)", "hsl(32, 100%, 50%)"}));
}

TEST_F(CodeBox, OffersNothingToCopyWhileEmptyAndNoShortFormWhereThereIsNone) {
    frmMain& w = startAndSettle();
    struct Case {
        const char* code;
        std::vector<bool> enabled;
    };
    const Case cases[] = {{"", {false, false, false, false, false}}, {"FF8001", {true, true, false, true, true}}};
    for (const Case& c : cases) {
        w.txtColor.Text = c.code;
        std::vector<bool> enabled;
        for (const CopyOffer& o : w.copyOffers("txtColor"))
            enabled.push_back(o.enabled);
        EXPECT_EQ(enabled, c.enabled) << '"' << c.code << '"';
    }
    EXPECT_TRUE(w.copyOffers("Text1").empty());
}

TEST_F(CodeBox, ChosenOfferPutsOnlyItsTextOnTheClipboard) {
    frmMain& w = startAndSettle();
    w.txtColor.Text = "FF8000";
    ChangeCounter counter;
    w.addObserver(&counter);
    fake.calls.clear();

    w.takeCopyOffer("txtColor", 3);
    // No caption, lamp or timer changed; later the panel's own timers do.
    EXPECT_EQ(counter.changes, 0);
    w.removeObserver(&counter);
    advance(5000);

    EXPECT_EQ(fake.calls, (std::vector<std::string>{"clipboardSetText(rgb(255, 128, 0))"}));
    // No copy journal line, and no save (the panel's own lines save nothing).
    for (std::size_t i = 0; i < w.List1.ListCount(); ++i)
        EXPECT_NE(w.List1.List(i), kCopied);
    EXPECT_EQ(saves(), 0u);
}

TEST_F(CodeBox, DisabledOfferCopiesNothing) {
    frmMain& w = startAndSettle();
    w.txtColor.Text = "FF8001";
    fake.calls.clear();
    w.takeCopyOffer("txtColor", 2);
    w.takeCopyOffer("txtColor", 99);
    EXPECT_TRUE(fake.calls.empty());
}

} // namespace
} // namespace kav::test
