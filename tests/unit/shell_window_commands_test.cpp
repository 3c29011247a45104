// The main window's commands: end, minimise, the right-button menu, the About
// box and the two secondary windows.
#include "forms/form1/Form1.h"
#include "forms/form2/Form2.h"
#include "tests/support/ProgramFixture.h"

namespace kav::test {
namespace {

class WindowCommands : public ProgramTest {};

// The context menus a window asks its views to show.
struct MenuRecorder final : WindowObserver {
    std::vector<std::string> menus;
    void controlChanged(Control&, PropId) override {}
    void windowChanged(Window&, PropId) override {}
    void menuPoppedUp(Window&, std::string_view menuName) override { menus.emplace_back(menuName); }
};

TEST_F(WindowCommands, ExitButtonAndMenuEndTheProgram) {
    for (const char* trigger : {"Command1", "col"}) {
        start();
        EXPECT_TRUE(program.main().raise(trigger, Event::Click)) << trigger;
        EXPECT_TRUE(fake.ended) << trigger;
        EXPECT_EQ(fake.callsStartingWith("endProgram("), std::vector<std::string>{"endProgram()"}) << trigger;
        nextRun();
        fake.ended = false;
        fake.calls.clear();
    }
}

TEST_F(WindowCommands, MinimiseSetsWindowStateOne) {
    frmMain& w = start();
    ASSERT_EQ(w.WindowState.get(), 0);
    ASSERT_TRUE(w.raise("Command7", Event::Click));
    EXPECT_EQ(w.WindowState.get(), 1);
}

TEST_F(WindowCommands, OnlyTheRightButtonOpensTheFileMenu) {
    frmMain& w = start();
    MenuRecorder shown;
    w.addObserver(&shown);
    EventArgs press;
    press.x = 500;
    press.y = 700;
    for (int button : {1, 4}) {
        press.button = button;
        w.raise("Form", Event::MouseDown, press);
    }
    EXPECT_TRUE(shown.menus.empty());
    press.button = 2;
    press.shift = 1;
    w.raise("Form", Event::MouseDown, press);
    EXPECT_EQ(shown.menus, std::vector<std::string>{"ar"});
    w.removeObserver(&shown);
}

TEST_F(WindowCommands, ClosingByTheFrameEndsTheProgramOrRemovesTheWindow) {
    const struct {
        const char* window;
        Window* (*open)(Program&);
        bool (*done)(Program&, const FakePlatform&);
    } cases[] = {
        {"frmMain", [](Program& p) -> Window* { return &p.main(); },
         [](Program&, const FakePlatform& f) { return f.ended; }},
        {"Form1", [](Program& p) -> Window* { return &p.loadForm1(); },
         [](Program& p, const FakePlatform& f) { return p.form1() == nullptr && !f.ended; }},
        {"Form2", [](Program& p) -> Window* { return &p.loadForm2(); },
         [](Program& p, const FakePlatform& f) { return p.form2() == nullptr && !f.ended; }},
    };
    for (const auto& c : cases) {
        start();
        c.open(program)->requestClose();
        EXPECT_TRUE(c.done(program, fake)) << c.window;
        nextRun();
        fake.ended = false;
    }
}

TEST_F(WindowCommands, AboutButtonAndMenuShowTheSameAboutBox) {
    frmMain& w = start();
    ASSERT_TRUE(w.raise("Command2", Event::Click));
    ASSERT_TRUE(w.raise("om", Event::Click));
    const std::string expected = "aboutBox(frmMain|Kavrilon * Färg koder för hemsidan..|"
                                 "Utvecklat av Vendel Hagmark - Skarnvik, Hallmyra)";
    EXPECT_EQ(fake.callsStartingWith("aboutBox("), (std::vector<std::string>{expected, expected}));
}

TEST_F(WindowCommands, AboutMenuLoadsForm1OnceAndShowsIt) {
    frmMain& w = start();
    ASSERT_EQ(program.form1(), nullptr);
    ASSERT_TRUE(w.raise("ab", Event::Click));
    Form1* first = program.form1();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->Visible.get());
    first->Hide();
    ASSERT_TRUE(w.raise("ab", Event::Click));
    EXPECT_EQ(program.form1(), first);
    EXPECT_TRUE(first->Visible.get());
}

TEST_F(WindowCommands, PlcMenuShowsForm2AndItsExitOnlyHidesIt) {
    frmMain& w = start();
    ASSERT_TRUE(w.raise("lcp", Event::Click));
    Form2* form2 = program.form2();
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->Visible.get());
    ASSERT_TRUE(form2->raise("Command1", Event::Click));
    EXPECT_FALSE(form2->Visible.get());
    EXPECT_EQ(program.form2(), form2);
    ASSERT_TRUE(w.raise("lcp", Event::Click));
    EXPECT_EQ(program.form2(), form2);
    EXPECT_TRUE(form2->Visible.get());
}

} // namespace
} // namespace kav::test
