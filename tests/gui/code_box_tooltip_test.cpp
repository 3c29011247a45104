// The code box in the renderer: hovering shows the code's web forms, one a
// line, and nothing while the box is empty. (Its menu is driven end to end.)
#include "platform/qt/FormView.h"
#include "tests/gui/DesktopFixture.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace kav {
namespace {

TEST(CodeBoxView, TooltipListsTheFormsOnlyWhileThereIsACode) {
    test::DesktopWorld world;
    qt::Desktop& desktop = world.desktop;
    Program& program = world.program;
    ASSERT_EQ(desktop.start(), std::vector<std::string>());
    QWidget* box = desktop.viewFor(program.main())->widgetFor("txtColor");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box->window()));
    auto tooltip = [box] {
        QToolTip::hideText();
        QHelpEvent e(QEvent::ToolTip, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &e);
        return QToolTip::text();
    };
    EXPECT_EQ(tooltip(), QString());
    program.main().txtColor.Text = "FF8000";
    // The forms the code has, then the contrast notes; the earlier colours stay in the menu.
    EXPECT_EQ(tooltip(), QStringLiteral("#FF8000\n#ff8000\nrgb(255, 128, 0)\nhsl(30, 100%, 50%)\n"
                                        "oklch(73.2% 0.1858 53)\noklab(73.2% 0.112 0.1484)\n"
                                        "närmast: darkorange\n"
                                        "Kontrast mot vitt 2,5:1 · mot svart 8,3:1\n"
                                        "Normal text (4,5:1): läsbar mot svart"));
}

} // namespace
} // namespace kav
