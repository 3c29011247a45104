// The design tables of frmMain, Form1 and Form2: they pass their own
// consistency checks, the checks catch broken tables, and the values that
// users rely on are as designed.
#include "forms/DesignCheck.h"
#include "forms/form1/Form1.h"
#include "forms/form2/Form2.h"
#include "tests/support/ProgramFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace kav {
namespace {

using FormsTest = test::ProgramTest;

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

// The few design values that the user relies on and that no behaviour test
// here reaches: the keys a user types for a menu command, and each window's
// frame, which decides whether it can be resized and whether it has a
// taskbar button of its own.
enum class Field { Shortcut, Frame, InTaskbar };
struct DesignValue {
    std::string_view window;
    std::string_view control; // empty for the window itself
    Field field;
    std::string value;
};
const DesignValue kReliedOn[] = {
    {"frmMain", "sp", Field::Shortcut, "Ctrl+A"},
    {"frmMain", "epost", Field::Shortcut, "F12"},
    {"frmMain", "", Field::Frame, "sizable"},
    {"Form1", "", Field::Frame, "fixed tool window"},
    {"Form1", "", Field::InTaskbar, "no"},
    {"Form2", "", Field::Frame, "sizable tool window"},
};

std::string valueOf(const Window& w, const DesignValue& row) {
    const FormDef& f = w.def();
    switch (row.field) {
    case Field::Shortcut: return std::string(w.ctl(row.control).def().shortcut);
    case Field::Frame:
        return f.frame == FrameStyle::Sizable           ? "sizable"
               : f.frame == FrameStyle::FixedToolWindow ? "fixed tool window"
                                                        : "sizable tool window";
    case Field::InTaskbar: return f.showInTaskbar ? "yes" : "no";
    }
    return {};
}

TEST_F(FormsTest, DesignValuesUsersRelyOn) {
    program.start();
    const Window* windows[] = {&program.main(), &program.loadForm1(), &program.loadForm2()};
    for (const DesignValue& row : kReliedOn) {
        const auto* w = std::find_if(std::begin(windows), std::end(windows),
                                     [&](const Window* x) { return x->def().name == row.window; });
        ASSERT_NE(w, std::end(windows)) << row.window;
        EXPECT_EQ(valueOf(**w, row), row.value) << row.window << " " << row.control;
    }
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

} // namespace
} // namespace kav
