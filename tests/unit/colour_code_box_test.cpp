// The code box's offers: its code in every web form, disabled while the box
// is empty; the colours chosen before, from the list; the contrast notes;
// and a chosen offer copied alone, without the copy commands' captions,
// lamps and journal line.
#include "journal_messages.h"

#include <algorithm>

namespace kav::test {
namespace {

struct ChangeCounter final : WindowObserver {
    int changes = 0;
    void controlChanged(Control&, PropId) override { ++changes; }
    void windowChanged(Window&, PropId) override { ++changes; }
};

class CodeBox : public ProgramTest {};

TEST_F(CodeBox, OffersEachFormWithItsTextInTheCaptionAndOnlyFormsThatExist) {
    frmMain& w = startAndSettle();
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"FF8800",
         {"#FF8800", "#ff8800", "#F80", "rgb(255, 136, 0)", "hsl(32, 100%, 50%)", "oklch(74.4% 0.181 56.5)",
          "oklab(74.4% 0.1 0.151)"}},
        {"FF8001",
         {"#FF8001", "#ff8001", "", "rgb(255, 128, 1)", "hsl(30, 100%, 50%)", "oklch(73.19% 0.1857 52.9)",
          "oklab(73.2% 0.112 0.1482)"}},
        {"", {"", "", "", "", "", "", ""}},
    };
    for (const auto& [code, texts] : cases) {
        w.txtColor.Text = code;
        std::vector<std::string> offered;
        for (const CopyOffer& o : w.copyOffers("txtColor")) {
            if (o.note || !o.submenu.empty()) continue;
            EXPECT_EQ(o.enabled, !o.text.empty()) << o.caption;
            if (o.enabled) {
                EXPECT_EQ(o.caption, "Kopiera som " + o.text);
            }
            offered.push_back(o.text);
        }
        EXPECT_EQ(offered, texts) << '"' << code << '"';
    }
    EXPECT_TRUE(w.copyOffers("Text1").empty());
}

// The captions of the notes.
std::vector<std::string> notes(const std::vector<CopyOffer>& offers) {
    std::vector<std::string> out;
    for (const CopyOffer& o : offers)
        if (o.note) out.push_back(o.caption);
    return out;
}

TEST_F(CodeBox, EarlierColoursAreTheListsLastDifferentChoicesNewestFirst) {
    // A choice in an earlier run, loaded from the file.
    writeLogbook(kCongratulationBytes + "\r\n0000FF\r\n");
    frmMain& w = startAndSettle();
    w.raise("Command18", Event::Click); // Snabbstart enables the colour button
    for (Colour c : {0x0000FFu, 0x0080FFu, 0x0000FFu, 0x00FF00u}) {
        fake.colourAnswer = c;
        w.raise("cmdColor", Event::Click);
        advance(1000);
    }
    // The file now says otherwise; the menu reads the list.
    writeLogbook(kCongratulationBytes + "\r\n123456\r\n");
    std::vector<std::string> earlier;
    for (const CopyOffer& o : w.copyOffers("txtColor")) {
        if (o.submenu.empty()) continue;
        EXPECT_EQ(o.text, o.caption);
        earlier.push_back(o.text);
    }
    EXPECT_EQ(earlier, (std::vector<std::string>{"00FF00", "FF0000", "FF8000", "0000FF"}));
}

TEST_F(CodeBox, ContrastNotesOnlyWhileThereIsACode) {
    frmMain& w = startAndSettle();
    EXPECT_TRUE(notes(w.copyOffers("txtColor")).empty());
    w.txtColor.Text = "777777";
    EXPECT_EQ(notes(w.copyOffers("txtColor")), (std::vector<std::string>{"närmast: gray",
                                                                         "Kontrast mot vitt 4,4:1 · mot svart 4,6:1",
                                                                         "Normal text (4,5:1): läsbar mot svart"}));
}

// The named colour nearest in OKLab, as colorjs.io 0.5.2's deltaEOK over
// CSS's 148 names finds it; of names that share a colour, the first in
// alphabetical order.
TEST_F(CodeBox, NamesTheNearestNamedColourOrTheExactOne) {
    frmMain& w = startAndSettle();
    const std::pair<const char*, const char*> cases[] = {
        {"FF8000", "närmast: darkorange"}, {"123456", "närmast: midnightblue"}, {"7F7F7F", "närmast: gray"},
        {"0C0B0A", "närmast: black"},      {"4B0081", "närmast: indigo"},       {"FFA500", "exakt: orange"},
        {"00FFFF", "exakt: aqua"},         {"FF00FF", "exakt: fuchsia"},        {"D3D3D3", "exakt: lightgray"},
        {"2F4F4F", "exakt: darkslategray"},
    };
    for (const auto& [code, line] : cases) {
        w.txtColor.Text = code;
        EXPECT_EQ(notes(w.copyOffers("txtColor")).front(), line) << code;
    }
}

TEST_F(CodeBox, ChosenOfferPutsOnlyItsTextOnTheClipboard) {
    frmMain& w = startAndSettle();
    w.txtColor.Text = "FF8001";
    w.List1.AddItem(kCongratulation);
    w.List1.AddItem("00ff00");
    const std::vector<CopyOffer> offers = w.copyOffers("txtColor");
    const auto earlier = static_cast<std::size_t>(
        std::find_if(offers.begin(), offers.end(), [](const CopyOffer& o) { return !o.submenu.empty(); }) -
        offers.begin());
    ChangeCounter counter;
    w.addObserver(&counter);
    clearCalls();
    w.takeCopyOffer("txtColor", 2); // no short form: disabled
    w.takeCopyOffer("txtColor", 3);
    w.takeCopyOffer("txtColor", offers.size() - 1); // a note
    w.takeCopyOffer("txtColor", earlier);           // the earlier colour, as the code box shows a code
    // No caption, lamp or timer changed; later the panel's own timers do.
    EXPECT_EQ(counter.changes, 0);
    w.removeObserver(&counter);
    advance(5000);

    EXPECT_EQ(fake.calls, (std::vector<std::string>{"clipboardSetText(rgb(255, 128, 1))", "clipboardSetText(00FF00)"}));
    for (std::size_t i = 0; i < w.List1.ListCount(); ++i)
        EXPECT_NE(w.List1.store().text(i), kCopied);
    EXPECT_EQ(saves(), 0u); // the panel's own journal lines save nothing
}

} // namespace
} // namespace kav::test
