// The Qt renderer of the window model, offscreen: controls become widgets at
// their design places, stacking and tab order hold, and clicks, access keys,
// shortcuts and the right mouse button reach the model's handlers.
#include "forms/Program.h"
#include "forms/form1/Form1.h"
#include "forms/main/frmMain.h"
#include "platform/qt/ClientArea.h"
#include "platform/qt/FormView.h"
#include "tests/gui/DesktopFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kav {
namespace {

struct Gui : ::testing::Test, test::DesktopWorld {
    void SetUp() override {
        ASSERT_EQ(desktop.start(), std::vector<std::string>());
        view()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view()));
        ASSERT_TRUE(QTest::qWaitForWindowActive(view()));
    }
    qt::FormView* view() { return desktop.viewFor(program.main()); }
    template <class W> W* widget(const char* name) { return dynamic_cast<W*>(view()->widgetFor(name)); }
    // The context menu a click on the client area opens, closed again; null when none opens.
    QMenu* menuOpenedBy(Qt::MouseButton button, QPoint at) {
        QMenu* opened = nullptr;
        QTimer watch;
        watch.setSingleShot(true);
        QObject::connect(&watch, &QTimer::timeout, [&opened] {
            opened = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (opened) opened->close();
        });
        watch.start(50);
        // The press goes to the widget under the pointer, as the window
        // system delivers it, and travels up from there.
        QWidget* area = view()->centralWidget();
        QWidget* target = area->childAt(at) ? area->childAt(at) : area;
        QTest::mouseClick(target, button, {}, target->mapFrom(area, at));
        return opened;
    }
};

TEST_F(Gui, ControlsBecomeWidgetsAtTheirDesignPlaceInPixels) {
    auto* color = widget<QPushButton>("cmdColor");
    ASSERT_NE(color, nullptr);
    EXPECT_EQ(color->geometry(), QRect(136, 0, 169, 89)); // 2040, 0, 2535, 1335 twips
    EXPECT_EQ(color->text(), QString::fromUtf8("Välj färg.."));
    EXPECT_FALSE(color->isEnabled());
    EXPECT_TRUE(color->font().bold());
    EXPECT_EQ(color->font().pixelSize(), 24); // 18 points at the design's 96 dpi
    auto* code = widget<QLineEdit>("txtColor");
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(code->geometry(), QRect(144, 144, 81, 27));
    auto* list = widget<QAbstractItemView>("List1");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), QRect(120, 248, 505, 108));
    // The client area shows 220 pixels at start, so the list lies out of view.
    EXPECT_EQ(view()->centralWidget()->height(), 220);
    EXPECT_EQ(view()->centralWidget()->width(), 697);
    EXPECT_EQ(view()->windowTitle(), QString::fromUtf8("Kavrilon  V.1.0     Av:  Vendel Hagmark    -   Skarnvik"));
    EXPECT_FALSE(widget<QLineEdit>("Text14")->isVisibleTo(view()));
    EXPECT_FALSE(widget<QPushButton>("Command15")->isVisibleTo(view()));
    EXPECT_EQ(widget<QPushButton>("Command1")->toolTip(),
              QString::fromUtf8("Kopiera HEX talen till klippminnet - Stängs nu !!"));
}

TEST_F(Gui, WidgetsStackAndTabInDesignOrder) {
    // Children of the client area are painted in creation order: the last is topmost.
    QStringList stack;
    for (QObject* o : view()->centralWidget()->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->objectName().isEmpty()) stack.prepend(w->objectName());
    ASSERT_FALSE(stack.isEmpty());
    EXPECT_EQ(stack.first(), "Command18");
    EXPECT_EQ(stack.last(), "txtColor");
    EXPECT_LT(stack.indexOf("Command14"), stack.indexOf("Text14"));

    // Tab goes txtColor -> cmdColor -> ... skipping nothing in the chain itself.
    QWidget* w = widget<QLineEdit>("txtColor");
    EXPECT_EQ(w->nextInFocusChain()->objectName(), "cmdColor");
    EXPECT_EQ(widget<QPushButton>("cmdCopy")->nextInFocusChain()->objectName(), "Command1");
    EXPECT_EQ(widget<QLineEdit>("Text14")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(QApplication::focusWidget(), widget<QLineEdit>("txtColor"));
}

// Tab and Shift+Tab go round the controls that do something; a lamp is
// never among them.
TEST_F(Gui, TabSkipsTheLamps) {
    const auto& lamps = program.main().def().lamps;
    for (Qt::KeyboardModifier direction : {Qt::NoModifier, Qt::ShiftModifier}) {
        QStringList reached;
        for (int i = 0; i < 40; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, direction);
            const QString name = QApplication::focusWidget()->objectName();
            EXPECT_EQ(std::find(lamps.begin(), lamps.end(), name.toStdString()), lamps.end()) << name.toStdString();
            if (!reached.contains(name)) reached << name;
        }
        EXPECT_TRUE(reached.contains(QStringLiteral("Command18"))) << reached.join(u' ').toStdString();
        EXPECT_GE(reached.size(), 10) << reached.join(u' ').toStdString();
    }
}

TEST_F(Gui, ClickAndAccessKeyReachTheBoundHandler) {
    // "&Snabbstart" unlocks the colour buttons. An access key animates the
    // button and clicks it when the animation ends.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.main().cmdColor.Enabled.get(); }, 2000));
    EXPECT_TRUE(widget<QPushButton>("cmdColor")->isEnabled());
    EXPECT_FALSE(widget<QPushButton>("Command18")->isEnabled());

    // "&Man" of the piston, by the mouse.
    QTest::mouseClick(widget<QPushButton>("Command17"), Qt::LeftButton);
    EXPECT_TRUE(program.main().Command16.Enabled);
    EXPECT_TRUE(widget<QPushButton>("Command16")->isEnabled());
}

TEST_F(Gui, DisabledOrHiddenButtonDoesNothing) {
    // An access key clicks its button after a short animation.
    auto pressAndSettle = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        QTest::qWait(250);
    };
    auto* closeCd = widget<QPushButton>("Command9");
    QTest::mouseClick(closeCd, Qt::LeftButton);
    pressAndSettle(Qt::Key_C);
    EXPECT_TRUE(fake.callsStartingWith("cdDoor").empty());
    program.main().Command8.Visible = false;
    pressAndSettle(Qt::Key_O);
    EXPECT_TRUE(fake.callsStartingWith("cdDoor").empty());
    program.main().Command8.Visible = true;
    pressAndSettle(Qt::Key_O);
    EXPECT_EQ(fake.callsStartingWith("cdDoor"), (std::vector<std::string>{"cdDoor(open)"}));
}

TEST_F(Gui, ShortcutsWorkWithTheMenuClosedEvenFromATextBox) {
    ASSERT_EQ(QApplication::focusWidget(), widget<QLineEdit>("txtColor"));
    program.main().txtColor.Text = "FF8000";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(fake.clipboard.value_or("<none>"), "FF8000");
    EXPECT_EQ(view()->actionFor("kop")->text(), QString::fromUtf8("Ligger nu i klippminnet..  "));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
    const auto launches = fake.callsStartingWith("launch(");
    EXPECT_EQ(launches, (std::vector<std::string>{"launch(color)", "launch(lym)"}));
}

TEST_F(Gui, OnlyTheRightButtonOnTheBareAreaOpensTheFileMenu) {
    const struct {
        Qt::MouseButton button;
        QPoint at;
        bool opens;
    } cases[] = {
        {Qt::RightButton, {530, 100}, true}, // no control: left of the status light
        {Qt::LeftButton, {530, 100}, false},
        {Qt::RightButton, {250, 156}, false}, // on the label "Kod"
        {Qt::RightButton, {176, 184}, false}, // on the enabled button "Om..."
    };
    for (const auto& c : cases)
        EXPECT_EQ(menuOpenedBy(c.button, c.at), c.opens ? view()->menuFor("ar") : nullptr)
            << c.button << " at " << c.at.x() << "," << c.at.y();
}

TEST_F(Gui, PropertyChangesReachTheirWidgets) {
    Control& lamp = program.main().Text16;
    lamp.BackColor = palette(10);
    EXPECT_EQ(widget<QLineEdit>("Text16")->palette().color(QPalette::Base), QColor(0, 255, 0));
    program.main().Command3.Caption = "Klipp minnet tomt..";
    EXPECT_EQ(widget<QPushButton>("Command3")->text(), QString::fromUtf8("Klipp minnet tomt.."));
    const int rows = widget<QAbstractItemView>("List1")->model()->rowCount();
    program.main().List1.AddItem("rad");
    EXPECT_EQ(widget<QAbstractItemView>("List1")->model()->rowCount(), rows + 1);
}

// A list box shows whole rows only, so the last line in sight is never cut
// through; the box's own font and other sizes alike.
TEST_F(Gui, ListShowsOnlyWholeRows) {
    auto* list = widget<QAbstractItemView>("List1");
    for (int i = 0; i < 20; ++i)
        program.main().List1.AddItem("rad");
    for (const double points : {0.0, 7.5, 9.75, 12.0, 14.25}) {
        SCOPED_TRACE(points);
        if (points > 0) {
            QFont f = list->font();
            f.setPointSizeF(points);
            list->setFont(f);
        }
        const int row = list->visualRect(list->model()->index(0, 0)).height();
        ASSERT_GT(row, 0);
        EXPECT_EQ(list->viewport()->height() % row, 0) << list->viewport()->height() << " / " << row;
        EXPECT_GE(list->viewport()->height(), row);
    }
}

// The arrow keys, Home and End move the current row as in a list box.
TEST_F(Gui, KeysMoveTheCurrentRowOfTheList) {
    auto* list = widget<QAbstractItemView>("List1");
    for (int i = 0; i < 40; ++i)
        program.main().List1.AddItem("rad");
    const int last = list->model()->rowCount() - 1;
    list->setFocus();
    const struct {
        Qt::Key key;
        int row;
    } steps[] = {{Qt::Key_End, last}, {Qt::Key_Up, last - 1}, {Qt::Key_Home, 0}, {Qt::Key_Down, 1}};
    for (const auto& step : steps) {
        QTest::keyClick(list, step.key);
        EXPECT_EQ(list->currentIndex().row(), step.row) << QKeySequence(step.key).toString().toStdString();
    }
}

TEST_F(Gui, RowWiderThanTheCapShowsItsBeginningAndTheFileKeepsEveryByte) {
    std::string line = "Början";
    for (int i = 0; line.size() < 100000; ++i)
        line += " ord" + std::to_string(i);
    program.main().List1.AddItem(line);
    const QAbstractItemModel* rows = widget<QAbstractItemView>("List1")->model();
    const QString shown = rows->index(rows->rowCount() - 1, 0).data().toString();
    const QString whole = QString::fromStdString(line);
    EXPECT_LT(shown.size(), 2000);
    EXPECT_TRUE(whole.startsWith(shown)) << shown.left(40).toStdString();
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8("Början ord0 ord1")));

    book.save();
    const std::string file = logbookBytes().value_or("");
    EXPECT_TRUE(file.ends_with("B\xF6rjan" + line.substr(7) + "\r\n"));
}

TEST_F(Gui, GrowAndShrinkStepsResizeTheRealWindowFromItsHeight) {
    const int before = view()->frameGeometry().height();
    EXPECT_DOUBLE_EQ(program.main().Height, before * 15.0);
    program.main().growStep();
    EXPECT_EQ(view()->frameGeometry().height(), before + 208);
    EXPECT_TRUE(view()->centralWidget()->height() > 248); // the list comes into view
    program.main().shrinkStep();
    EXPECT_DOUBLE_EQ(program.main().Height, before * 15.0 - 20.0);
    EXPECT_EQ(view()->frameGeometry().height(), before - 1);
}

TEST_F(Gui, AboutWindowIsOneWindowShownAgain) {
    program.main().raise("ab", Event::Click);
    Form1* first = program.form1();
    ASSERT_NE(first, nullptr);
    qt::FormView* v = desktop.viewFor(*first);
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->windowTitle(), QString::fromUtf8("::: About.."));
    first->raise("Command1", Event::Click);
    EXPECT_FALSE(v->isVisible());
    program.main().raise("ab", Event::Click);
    EXPECT_EQ(program.form1(), first);
    EXPECT_TRUE(v->isVisible());
}

} // namespace
} // namespace kav

namespace kav {
namespace {

// Counts paint events of one widget.
struct PaintCounter final : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(Gui, PeriodicHandlerWritingTheSameCaptionCostsNoRepaint) {
    clock.set(0);
    clock.advance(program.timers(), 1000); // the start-up lines are in, the counter is current
    QApplication::processEvents();
    PaintCounter counter;
    view()->centralWidget()->installEventFilter(&counter);
    const std::string caption = program.main().Label5.Caption;
    for (int i = 0; i < 5; ++i) {
        clock.advance(program.timers(), 100); // one tick of the counter each time, nothing else
        QApplication::processEvents();
    }
    EXPECT_EQ(program.main().Label5.Caption.get(), caption);
    EXPECT_EQ(counter.paints, 0);
    program.main().List1.AddItem("one more");
    clock.advance(program.timers(), 100);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0); // a real change does repaint
    view()->centralWidget()->removeEventFilter(&counter);
}

TEST_F(Gui, LowerPanelComesIntoViewAndRodsAreDrawnOverTheirBarrels) {
    frmMain& w = program.main();
    w.raise("Command11", Event::Click); // left cylinder Man: front drawing and a grow step
    QApplication::processEvents();
    const QImage shot = view()->centralWidget()->grab().toImage();
    ASSERT_GE(shot.height(), 400);
    // The extended rod Line12 (x 300 twips, 3000 to 6360) stands below the old
    // bottom edge of 220 pixels, and its piston head Line7 lies across the
    // opaque barrel at y 3000 twips: both black, drawn above the barrel.
    EXPECT_EQ(shot.pixelColor(20, 300), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(15, 200), QColor(Qt::black));
    // The barrel itself is light red now.
    EXPECT_EQ(shot.pixelColor(12, 100), QColor(255, 0, 0));
    // The console lock barrel (Shape7, 1200..3135 x 6000..6255 twips) is in view.
    EXPECT_TRUE(view()->centralWidget()->height() * 15 > 6255);
}

TEST_F(Gui, ClosingTheAboutWindowByItsFrameRemovesIt) {
    program.main().raise("ab", Event::Click);
    Form1* first = program.form1();
    ASSERT_NE(first, nullptr);
    first->raise("Command2", Event::Click);
    EXPECT_FALSE(first->Command2.Enabled);
    desktop.viewFor(*first)->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.form1() == nullptr; }, 2000));
    program.main().raise("ab", Event::Click);
    ASSERT_NE(program.form1(), nullptr);
    EXPECT_TRUE(program.form1()->Command2.Enabled); // created anew with its design values
    EXPECT_EQ(program.form1()->Command2.Caption.get(), "&Kopiera adressen..");
}

} // namespace
} // namespace kav
