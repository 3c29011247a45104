// The code box in the renderer: its right-button menu shows the model's
// offers and a choice copies through the platform; its tooltip lists them.
#include "forms/Program.h"
#include "forms/frmMain.h"
#include "platform/qt/FormView.h"
#include "platform/qt/Renderer.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

namespace kav {
namespace {

struct CodeBoxView : ::testing::Test {
    test::TempDir dir;
    test::FakePlatform fake{dir.path()};
    VirtualClock clock;
    Program program{fake, clock};
    qt::Renderer renderer{program};

    void SetUp() override {
        program.setListener(&renderer);
        program.start();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(renderer.viewFor(program.main())));
    }
    QLineEdit* box() { return dynamic_cast<QLineEdit*>(renderer.viewFor(program.main())->widgetFor("txtColor")); }
};

TEST_F(CodeBoxView, MenuShowsTheOffersAndTheChosenOneIsCopied) {
    program.main().txtColor.Text = "FF8000";
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* a : menu->actions())
            captions << a->text();
        menu->actions().value(0)->trigger();
        menu->close();
    });
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), box()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box(), &e);

    QStringList offered;
    for (const CopyOffer& o : program.main().copyOffers("txtColor"))
        offered << QString::fromStdString(o.caption);
    EXPECT_EQ(captions, offered);
    EXPECT_EQ(fake.clipboard, "#FF8000");
}

TEST_F(CodeBoxView, TooltipListsTheFormsOnlyWhileThereIsACode) {
    auto tooltip = [this] {
        QToolTip::hideText();
        QHelpEvent e(QEvent::ToolTip, QPoint(5, 5), box()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box(), &e);
        return QToolTip::text();
    };
    EXPECT_EQ(tooltip(), QString());
    program.main().txtColor.Text = "FF8000";
    EXPECT_EQ(tooltip(), QStringLiteral("#FF8000\n#ff8000\nrgb(255, 128, 0)\nhsl(30, 100%, 50%)"));
}

} // namespace
} // namespace kav
