// The design tables of frmMain, Form1 and Form2: they pass their own
// consistency checks, the checks catch broken tables, and spot values that
// handlers and users depend on are exactly as designed.
#include "forms/DesignCheck.h"
#include "forms/form1/Form1.h"
#include "forms/form2/Form2.h"
#include "tests/support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace kav {
namespace {

class FormsTest : public test::ProgramTest {
protected:
    const ControlDef& mainDef(std::string_view name) { return program.main().ctl(name).def(); }
};

bool mentions(const std::vector<std::string>& problems, std::string_view text) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string& p) { return p.find(text) != std::string::npos; });
}

std::string joined(const std::vector<std::string>& problems) {
    std::string s;
    for (const auto& p : problems)
        s += p + "\n";
    return s;
}

TEST_F(FormsTest, AllThreeWindowsPassTheDesignAndBindingChecks) {
    program.start();
    Form1& about = program.loadForm1();
    Form2& picture = program.loadForm2();
    for (const Window* w : {static_cast<const Window*>(&program.main()), static_cast<const Window*>(&about),
                            static_cast<const Window*>(&picture)}) {
        const auto design = checkDesign(w->def());
        EXPECT_TRUE(design.empty()) << joined(design);
        const auto bindings = checkBindings(*w);
        EXPECT_TRUE(bindings.empty()) << joined(bindings);
    }
}

TEST(DesignCheck, ReportsEachKindOfBrokenTable) {
    const ControlDef controls[] = {
        {.name = "Command1", .kind = Kind::CommandButton, .width = 100, .height = 100},
        {.name = "Command1", .kind = Kind::CommandButton, .width = 100, .height = 100},
        {.name = "Label1", .kind = Kind::Label, .width = 100, .height = 100},
        {.name = "Line1", .kind = Kind::Line, .surface = "Label1"},
        {.name = "Text1", .kind = Kind::TextBox, .width = 100, .height = 0},
        {.name = "kop", .kind = Kind::MenuItem, .caption = "&Kopiera", .parent = "Label1", .shortcut = "Ctrl+C"},
        {.name = "ar", .kind = Kind::MenuItem, .caption = "&Arkiv"},
        {.name = "sp", .kind = Kind::MenuItem, .caption = "&Spara", .parent = "ar", .shortcut = "Ctrl+C"},
        {.name = "Timer1", .kind = Kind::Timer, .interval = 0},
    };
    const std::string_view paint[] = {"Label1", "Command1", "Ghost"};
    const std::string_view widgets[] = {"Command1", "Text1"};
    const std::string_view tab[] = {"Command1"};
    const SpokenName spoken[] = {{.control = "Command1", .label = "Line1"}};
    const FormDef form{.name = "Broken",
                       .caption = "",
                       .controls = controls,
                       .paintOrder = paint,
                       .widgetOrder = widgets,
                       .tabOrder = tab,
                       .focusAtStart = "Text1",
                       .spokenNames = spoken};

    const auto problems = checkDesign(form);
    EXPECT_TRUE(mentions(problems, "'Command1' is declared twice")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "'Command1' does not belong in the stacking order of lines")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "'Ghost' in the stacking order")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "'Line1' is missing from the stacking order")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "'Text1' is neither in the tab order")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "focused at start, 'Text1'")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "'Text1' has no size")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "menu item 'kop' hangs under 'Label1'")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "shortcut Ctrl+C is given to both 'kop' and 'sp'")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "timer 'Timer1' has interval 0")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "spoken name for 'Command1' names no text box")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "'Command1' needs either a label that exists")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "'Text1' has no spoken name")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "'Line1' is drawn on 'Label1', which is not an opaque shape")) << joined(problems);
    EXPECT_EQ(problems.size(), 14u) << joined(problems);
}

TEST(DesignCheck, ReportsBindingsToMissingControlsAndWrongEvents) {
    const ControlDef controls[] = {
        {.name = "Command1", .kind = Kind::CommandButton, .width = 100, .height = 100},
        {.name = "Timer1", .kind = Kind::Timer, .interval = 10},
        {.name = "Label1", .kind = Kind::Label, .width = 100, .height = 100},
    };
    const FormDef form{.name = "Bound", .caption = "", .controls = controls};
    Window window(form);
    const auto noop = [](const EventArgs&) {};
    window.bind("Command1", Event::Click, noop);
    window.bind("Timer1", Event::Timer, noop);
    window.bind("Form", Event::Load, noop);
    EXPECT_TRUE(checkBindings(window).empty()) << joined(checkBindings(window));

    window.bind("Timer1", Event::Click, noop);
    window.bind("Command1", Event::Timer, noop);
    window.bind("Label1", Event::Click, noop);
    window.bind("Ghost", Event::Click, noop);
    window.bind("Form", Event::Click, noop);
    const auto problems = checkBindings(window);
    EXPECT_TRUE(mentions(problems, "Timer1_Click is bound to an event")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "Command1_Timer is bound to an event")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "Label1_Click is bound to an event")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "Ghost_Click names no control")) << joined(problems);
    EXPECT_TRUE(mentions(problems, "Form_Click is bound to an event the window does not raise")) << joined(problems);
    EXPECT_EQ(problems.size(), 5u) << joined(problems);
}

TEST_F(FormsTest, MainWindowPropertiesAndStartingStates) {
    const FormDef& f = frmMainDesign();
    EXPECT_EQ(f.caption, "Kavrilon  V.1.0     Av:  Vendel Hagmark    -   Skarnvik");
    EXPECT_EQ(f.frame, FrameStyle::Sizable);
    EXPECT_EQ(f.clientWidth, 10455);
    EXPECT_EQ(f.clientHeight, 3300);
    EXPECT_EQ(f.left, 2160);
    EXPECT_EQ(f.top, 2115);
    EXPECT_EQ(f.backColor, kSysAppWorkspace);

    program.start();
    std::set<std::string_view> hidden, disabled;
    for (const Control& c : program.main().controls()) {
        if (c.kind() == Kind::Timer || c.kind() == Kind::MenuItem) continue;
        if (!c.def().visible) hidden.insert(c.name());
        if (!c.def().enabled) disabled.insert(c.name());
    }
    const std::set<std::string_view> wantDisabled = {"cmdColor",  "cmdCopy",   "Command9", "Command14",
                                                     "Command16", "Command10", "Command4"};
    const std::set<std::string_view> wantHidden = {"Command15", "Command13", "Text8",   "Text12", "Text14", "Text15",
                                                   "Label3",    "Line1",     "Line2",   "Line3",  "Line4",  "Line21",
                                                   "Line27",    "Line29",    "Shape15", "Line7",  "Line12", "Shape6",
                                                   "Line10",    "Line11",    "Shape5",  "Line14", "Line13", "Shape10"};
    EXPECT_EQ(disabled, wantDisabled);
    EXPECT_EQ(hidden, wantHidden);

    // The counter label keeps its design caption until the first counter tick.
    EXPECT_EQ(program.main().Label5.Caption.get(), "Label5");
    EXPECT_EQ(program.main().Text8.Text.get(), "Text8");
    EXPECT_EQ(program.main().Text12.Text.get(), "kavrilon.ini");
}

TEST_F(FormsTest, MainWindowControlsSpotValues) {
    program.start();
    const ControlDef& color = mainDef("cmdColor");
    EXPECT_EQ(color.caption, "Välj färg..");
    EXPECT_EQ(color.tooltip, "Välj färger eller blandar färger som man vill...");
    EXPECT_EQ(color.left, 2040);
    EXPECT_EQ(color.top, 0);
    EXPECT_EQ(color.width, 2535);
    EXPECT_EQ(color.height, 1335);
    EXPECT_EQ(color.font.points, 18.0);
    EXPECT_TRUE(color.font.bold);

    EXPECT_EQ(mainDef("Command12").caption, "&Ramp  = ' NER'");
    EXPECT_EQ(mainDef("Command13").caption, "&Ramp =  ' UPP'");
    EXPECT_EQ(mainDef("Label4").caption, "Klar för 'Klistra in'");
    EXPECT_EQ(mainDef("txtColor").font.points, 13.5);
    EXPECT_FALSE(mainDef("txtColor").font.bold);

    const ControlDef& rod = mainDef("Line12");
    EXPECT_EQ(rod.kind, Kind::Line);
    EXPECT_EQ(rod.x1, 300);
    EXPECT_EQ(rod.y1, 3000);
    EXPECT_EQ(rod.x2, 300);
    EXPECT_EQ(rod.y2, 6360);
    EXPECT_EQ(rod.borderWidth, 5);

    EXPECT_EQ(mainDef("Shape12").shape, ShapeKind::Circle);
    EXPECT_TRUE(mainDef("Shape12").opaque);
    EXPECT_EQ(mainDef("Shape12").backColor, palette(14));
    EXPECT_FALSE(mainDef("Shape8").opaque);
    EXPECT_EQ(mainDef("Shape13").shape, ShapeKind::RoundedRectangle);
    EXPECT_EQ(mainDef("Shape9").backColor, kSysDesktop);
    EXPECT_EQ(mainDef("Label9").backColor, palette(8));
    EXPECT_EQ(mainDef("Text14").backColor, palette(10));
    EXPECT_EQ(mainDef("Text1").backColor, kDefaultColour);
    EXPECT_EQ(mainDef("comColor").kind, Kind::CommonDialog);
}

TEST_F(FormsTest, MainWindowTimersIntervalsAndThoseRunningAtLoad) {
    program.start();
    std::vector<std::string_view> running;
    int timers = 0;
    for (const Control& c : program.main().controls()) {
        if (c.kind() != Kind::Timer) continue;
        ++timers;
        if (c.def().enabled) running.push_back(c.name());
    }
    EXPECT_EQ(timers, 24);
    EXPECT_EQ(running, (std::vector<std::string_view>{"Timer2", "Timer21", "Timer23"}));
    EXPECT_EQ(mainDef("Timer24").interval, 6000);
    EXPECT_EQ(mainDef("Timer1").interval, 1800);
}

TEST_F(FormsTest, MainWindowMenuTree) {
    program.start();
    const ControlDef& sp = mainDef("sp");
    EXPECT_EQ(sp.caption, "&Spara loggboken till  Diskett  A:\\");
    EXPECT_EQ(sp.shortcut, "Ctrl+A");
    EXPECT_EQ(mainDef("bekant").caption, "Bekanta dig med windows ");
    EXPECT_EQ(mainDef("ljud").caption, "Ljud & Multimedia - Hälp");
    EXPECT_EQ(mainDef("kop").shortcut, "Ctrl+C");
    EXPECT_EQ(mainDef("epost").shortcut, "F12");
    EXPECT_EQ(mainDef("sol").parent, "ss");
    EXPECT_EQ(mainDef("ss").parent, "lp");
    EXPECT_EQ(mainDef("s").index, 1);
    EXPECT_EQ(mainDef("ta").index, 0);
    EXPECT_EQ(mainDef("rtob").index, 1);
    EXPECT_EQ(mainDef("ss").index, 0);
    EXPECT_EQ(mainDef("kop").index, -1);

    std::vector<std::string_view> bar, underAr;
    for (const ControlDef& c : frmMainDesign().controls) {
        if (c.kind != Kind::MenuItem) continue;
        if (c.parent.empty()) bar.push_back(c.name);
        if (c.parent == "ar") underAr.push_back(c.name);
    }
    EXPECT_EQ(bar, (std::vector<std::string_view>{"ar", "lp", "up", "abo", "plc"}));
    EXPECT_EQ(underAr, (std::vector<std::string_view>{"kop", "s", "bok", "sp", "loggbok", "bra", "ta", "lym", "spel",
                                                      "a", "win", "d", "col"}));
}

// The design check already holds each order to its controls; what is left is
// how the orders stand to one another: the tab order runs through the
// widgets from the front of the stacking order to its back, and the focus at
// start is the first stop.
TEST(FormsDesign, MainWindowOrdersEndToEnd) {
    const FormDef& f = frmMainDesign();
    EXPECT_TRUE(checkDesign(f).empty());
    std::vector<std::string_view> frontToBack(f.widgetOrder.rbegin(), f.widgetOrder.rend());
    std::erase_if(frontToBack, [&](std::string_view name) {
        return std::find(f.tabOrder.begin(), f.tabOrder.end(), name) == f.tabOrder.end();
    });
    EXPECT_EQ(frontToBack, std::vector<std::string_view>(f.tabOrder.begin(), f.tabOrder.end()));
    ASSERT_FALSE(f.tabOrder.empty());
    EXPECT_EQ(f.focusAtStart, f.tabOrder.front());
}

TEST_F(FormsTest, AboutAndPictureWindows) {
    program.start();
    Form1& about = program.loadForm1();
    const FormDef& f1 = about.def();
    EXPECT_EQ(f1.caption, "::: About..");
    EXPECT_EQ(f1.frame, FrameStyle::FixedToolWindow);
    EXPECT_FALSE(f1.showInTaskbar);
    EXPECT_EQ(about.Label1.Caption.get(), "Kavrilon  Av:   Vendel Hagmark  ");
    EXPECT_EQ(about.Label3.Caption.get(), "##:##:##");
    EXPECT_EQ(about.Text2.def().parent, "");
    EXPECT_EQ(about.Command3.def().parent, "");
    EXPECT_EQ(about.Text1.def().parent, "Frame1");
    EXPECT_EQ(about.Command2.def().tooltip, "CTRL + V");
    EXPECT_EQ(about.Timer1.def().interval, 10);
    EXPECT_TRUE(about.Timer1.def().enabled);
    EXPECT_EQ(about.Image2.def().top, -5160);

    Form2& picture = program.loadForm2();
    EXPECT_EQ(picture.def().caption, "PLC - system");
    EXPECT_EQ(picture.def().frame, FrameStyle::SizableToolWindow);
    const FontDef& font = picture.Command1.def().font;
    EXPECT_EQ(font.points, 9.75);
    EXPECT_TRUE(font.bold);
    EXPECT_EQ(font.face, "Arial");
    EXPECT_EQ(picture.Command1.Caption.get(), "&Exit");
}

} // namespace
} // namespace kav
