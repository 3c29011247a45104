// What the user sees of the three windows, offscreen: every text the program
// can show fits its control in the face the program picks, every text is
// readable under a dark desktop palette, and a screen reader finds a name for
// every control, the painted labels, and a lamp's colour as a word.
#include "colour/Contrast.h"
#include "forms/form1/Form1.h"
#include "forms/form2/Form2.h"
#include "platform/qt/CaptionButton.h"
#include "platform/qt/ClientArea.h"
#include "platform/qt/Convert.h"
#include "platform/qt/FormView.h"
#include "tests/gui/DesktopFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <gtest/gtest.h>

namespace kav {
namespace {

// The program with all three windows loaded and shown.
struct Look : ::testing::Test, test::DesktopWorld {
    void SetUp() override {
        // The style the run asks for (one run per style), not a fallback.
        const QString style = qEnvironmentVariable("QT_STYLE_OVERRIDE");
        if (!style.isEmpty()) {
            ASSERT_EQ(QApplication::style()->name().toLower(), style.toLower());
        }
        ASSERT_EQ(desktop.start(), std::vector<std::string>());
        program.main().raise("ab", Event::Click);
        program.main().raise("lcp", Event::Click);
        for (Window* w : windows())
            ASSERT_TRUE(QTest::qWaitForWindowExposed(desktop.viewFor(*w)));
    }
    std::vector<Window*> windows() { return {&program.main(), program.form1(), program.form2()}; }
    qt::FormView& view(Window& w) { return *desktop.viewFor(w); }
    // Every control of every window with the kinds that show a text.
    template <class Fn> void forEachTextControl(Fn fn) {
        for (Window* w : windows())
            for (Control& c : w->controls())
                if (c.kind() == Kind::CommandButton || c.kind() == Kind::Label || c.kind() == Kind::TextBox ||
                    c.kind() == Kind::ListBox)
                    fn(*w, c);
    }
};

// The size a caption takes against the room its control gives it, as drawn.
struct Room {
    QSize need, room;
    QString family;
};

Room roomFor(Look& t, Window& w, Control& c, const std::string& text) {
    if (c.kind() == Kind::Label) {
        c.Caption = text;
        const qt::FittedText f = static_cast<qt::ClientArea*>(t.view(w).centralWidget())->fittedLabel(c);
        const QSize room = qt::rectOf(c.def()).size();
        return {qt::fittedSize(qt::qs(text), f, room), room, QFontInfo(f.font).family()};
    }
    if (c.kind() == Kind::CommandButton) {
        c.Caption = text;
        auto* b = dynamic_cast<qt::CaptionButton*>(t.view(w).widgetFor(c.name()));
        const qt::FittedText f = b->fittedCaption();
        const QSize room = b->captionBox().size();
        return {qt::fittedSize(qt::qs(text), f, room), room, QFontInfo(f.font).family()};
    }
    c.Text = text;
    auto* e = dynamic_cast<QLineEdit*>(t.view(w).widgetFor(c.name()));
    // The box's own style option, as it paints with it.
    struct Peek : QLineEdit {
        static void option(const QLineEdit& e, QStyleOptionFrame* o) { (e.*(&Peek::initStyleOption))(o); }
    };
    QStyleOptionFrame opt;
    Peek::option(*e, &opt);
    // A line edit keeps two pixels of room at either side of its text.
    const QSize room =
        e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e).marginsRemoved(e->textMargins()).size() -
        QSize(4, 0);
    const QFontMetrics fm(e->font());
    return {QSize(fm.horizontalAdvance(qt::qs(text)), fm.height()), room, QFontInfo(e->font()).family()};
}

// The texts handlers write at run time, beside the design captions.
const struct {
    const char* window;
    const char* control;
    std::string text;
} kRunTimeTexts[] = {
    {"frmMain", "cmdCopy", "Ligger nu i klippminnet.."},
    {"frmMain", "cmdCopy", "Kopiera..."},
    {"frmMain", "Command3", "Rensa klipp minnet.. "},
    {"frmMain", "Command3", "Klipp minnet tomt.."},
    {"frmMain", "Label5", "Antal op. programmet har gjort: 0"},
    {"frmMain", "Label5", "Antal op. programmet har gjort: 9999"},
    {"frmMain", "Label5", "Antal op. programmet har gjort: 10000"},
    {"frmMain", "Label5", "Antal op. programmet har gjort: 999999"},
    {"frmMain", "txtColor", "FF8000"},
    {"frmMain", "txtColor", "DDDDDD"},
    {"Form1", "Command2", "klistra in.."},
    {"Form1", "Command3", "klistra in.."},
    {"Form1", "Text1", "CTRL + V.."},
    {"Form1", "Label3", "2026-12-31"},
    {"Form1", "Label3", "31.12.2026"},
};

TEST_F(Look, EveryTextTheProgramShowsFitsItsControlInTheChosenFace) {
    std::vector<std::tuple<Window*, Control*, std::string>> cases;
    forEachTextControl([&](Window& w, Control& c) {
        const std::string design(c.kind() == Kind::TextBox ? c.Text.get() : c.Caption.get());
        if (!design.empty()) cases.emplace_back(&w, &c, design);
    });
    for (const auto& r : kRunTimeTexts)
        for (Window* w : windows())
            if (w->name() == r.window) cases.emplace_back(w, w->find(r.control), r.text);
    ASSERT_GT(cases.size(), 60u);
    for (auto& [w, c, text] : cases) {
        // Staging boxes that no handler ever shows are never drawn.
        if (c->kind() == Kind::TextBox && !view(*w).widgetFor(c->name())->isVisibleTo(&view(*w))) continue;
        const Room r = roomFor(*this, *w, *c, text);
        EXPECT_EQ(r.family, QString::fromLatin1(qt::kControlFace)) << c->name();
        EXPECT_TRUE(r.need.width() <= r.room.width() && r.need.height() <= r.room.height())
            << w->name() << "." << c->name() << " \"" << text << "\" needs " << r.need.width() << "x" << r.need.height()
            << " in " << r.room.width() << "x" << r.room.height();
    }
}

// A dark desktop palette, as a dark theme gives: light text on dark faces.
QPalette darkPalette() {
    QPalette p(QColor(0xEE, 0xEE, 0xEE), QColor(0x35, 0x35, 0x35), QColor(0x50, 0x50, 0x50), QColor(0x20, 0x20, 0x20),
               QColor(0x2A, 0x2A, 0x2A), QColor(0xEE, 0xEE, 0xEE), Qt::white, QColor(0x2A, 0x2A, 0x2A),
               QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

TEST_F(Look, EveryTextIsReadableUnderADarkPalette) {
    const QPalette before = QApplication::palette();
    QApplication::setPalette(darkPalette());
    forEachTextControl([&](Window& w, Control& c) {
        QColor text, back;
        if (c.kind() == Kind::Label) {
            text = qt::textColourOn(c.BackColor == kDefaultColour ? kSysButtonFace : c.BackColor.get());
            back = qt::toQColor(c.BackColor, QApplication::palette().color(QPalette::Button));
        } else {
            const QWidget* widget = view(w).widgetFor(c.name());
            const bool button = c.kind() == Kind::CommandButton;
            // Enabled colours: a disabled caption is meant to recede.
            text = widget->palette().color(QPalette::Active, button ? QPalette::ButtonText : QPalette::Text);
            back = widget->palette().color(QPalette::Active, button ? QPalette::Button : QPalette::Base);
        }
        EXPECT_GE(contrastRatio(qt::fromQColor(text), qt::fromQColor(back)), 4.5)
            << w.name() << "." << c.name() << " " << text.name().toStdString() << " on " << back.name().toStdString();
    });
    QApplication::setPalette(before);
}

// Where a drawn line crosses its shape (a rod or a piston head on its
// barrel): the middle of the part of the line that lies well inside the
// shape's box, in client pixels; nothing when it does not cross it.
std::optional<QPoint> middleOnSurface(const ControlDef& line, const ControlDef& shape) {
    const QRectF box = QRectF(qt::rectOf(shape)).adjusted(2, 2, -2, -2);
    const QPointF a(qt::px(line.x1), qt::px(line.y1)), b(qt::px(line.x2), qt::px(line.y2));
    std::optional<double> from, to;
    for (int i = 0; i <= 1000; ++i) {
        const double t = i / 1000.0;
        if (!box.contains(a + (b - a) * t)) continue;
        if (!from) from = t;
        to = t;
    }
    if (!from) return std::nullopt;
    return (a + (b - a) * ((*from + *to) / 2)).toPoint();
}

// The rods and piston heads stand out from the barrels they are drawn on in
// every style, a dark one included: at least the 3:1 WCAG asks of the parts
// of a picture that carry meaning.
TEST_F(Look, LinesStandOutFromTheShapesTheyAreDrawnOn) {
    Window& main = program.main();
    auto* area = static_cast<qt::ClientArea*>(view(main).centralWidget());
    const QImage shot = area->grab().toImage();
    int checked = 0;
    for (Control& line : main.controls()) {
        Control* shape = line.def().surface.empty() ? nullptr : main.find(line.def().surface);
        if (!shape || !line.Visible || !shape->Visible) continue;
        const std::optional<QPoint> at = middleOnSurface(line.def(), shape->def());
        if (!at || !area->rect().contains(*at)) continue;
        const QColor ink = shot.pixelColor(*at * shot.devicePixelRatio());
        const QColor fill = qt::toQColor(shape->BackColor);
        EXPECT_GE(contrastRatio(qt::fromQColor(ink), qt::fromQColor(fill)), 3.0)
            << line.name() << " " << ink.name().toStdString() << " on " << shape->name() << " "
            << fill.name().toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 4) << "the rods and heads in view at start";
}

TEST_F(Look, EveryVisibleControlHasAnAccessibleName) {
    for (Window* w : windows()) {
        for (Control& c : w->controls()) {
            QWidget* widget = view(*w).widgetFor(c.name());
            if (!widget || !widget->isVisibleTo(&view(*w))) continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << w->name() << "." << c.name();
        }
        std::vector<QWidget*> menus{view(*w).menuBar()};
        for (QMenu* m : view(*w).findChildren<QMenu*>())
            menus.push_back(m);
        for (QWidget* m : menus) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(m);
            for (int i = 0; i < a->childCount(); ++i) {
                if (a->child(i)->role() == QAccessible::Separator) continue;
                EXPECT_FALSE(a->child(i)->text(QAccessible::Name).trimmed().isEmpty())
                    << m->objectName().toStdString() << " item " << i;
            }
        }
    }
}

TEST_F(Look, BoxesAndLampsAreNamedByTheLabelBesideThem) {
    const struct {
        const char* control;
        const char* name;
    } cases[] = {{"txtColor", "Kod"}, {"Text1", "Test:"},       {"Text4", "Startvillkor"},
                 {"Text9", "Alarm"},  {"cmdCopy", "Kopiera.."}, {"Command18", "Snabbstart"}};
    for (const auto& c : cases) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(view(program.main()).widgetFor(c.control));
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(c.name)) << c.control;
    }
}

TEST_F(Look, PaintedLabelsAreStaticTextsOfTheClientArea) {
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(view(program.main()).centralWidget());
    QStringList texts;
    for (int i = 0; i < area->childCount(); ++i)
        if (area->child(i)->role() == QAccessible::StaticText) {
            texts << area->child(i)->text(QAccessible::Name);
            EXPECT_EQ(area->indexOfChild(area->child(i)), i);
        }
    EXPECT_TRUE(texts.contains(QStringLiteral("Startvillkor"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QString::fromUtf8("Färgkod klar:"))) << texts.join(u'|').toStdString();
}

TEST_F(Look, LogbookIsAListOfItsRowsInSightThatTellsTheRowCount) {
    Control& list = program.main().List1;
    for (int i = 0; i < 40; ++i)
        list.AddItem("rad " + std::to_string(i));
    auto* widget = dynamic_cast<QAbstractItemView*>(view(program.main()).widgetFor("List1"));
    // The view lays its new rows out when the event loop runs, before a user
    // or a screen reader can scroll.
    QApplication::processEvents();
    widget->verticalScrollBar()->setValue(widget->verticalScrollBar()->maximum());
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::List);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Loggbok"));
    ASSERT_NE(a->tableInterface(), nullptr);
    EXPECT_EQ(a->tableInterface()->rowCount(), static_cast<int>(list.ListCount()));
    const int inSight = a->childCount();
    ASSERT_GT(inSight, 1);
    EXPECT_LT(inSight, 40);
    QAccessibleInterface* last = a->child(inSight - 1);
    EXPECT_EQ(last->role(), QAccessible::ListItem);
    EXPECT_EQ(last->text(QAccessible::Name), QStringLiteral("rad 39"));
    EXPECT_EQ(a->indexOfChild(last), inSight - 1);
    EXPECT_TRUE(a->rect().contains(last->rect().center()));
}

// A screen reader meets every lamp among the client area's parts as a
// read-only static text with a name, never as a field to type into or a tab
// stop.
TEST_F(Look, LampsAreReadOnlyStaticTextsAScreenReaderReaches) {
    Window& main = program.main();
    QAccessibleInterface* area = QAccessible::queryAccessibleInterface(view(main).centralWidget());
    ASSERT_FALSE(main.def().lamps.empty());
    for (std::string_view lamp : main.def().lamps) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(view(main).widgetFor(lamp));
        ASSERT_NE(a, nullptr) << lamp;
        EXPECT_EQ(a->role(), QAccessible::StaticText) << lamp;
        EXPECT_TRUE(a->state().readOnly) << lamp;
        EXPECT_FALSE(a->state().editable) << lamp;
        EXPECT_FALSE(a->state().focusable) << lamp;
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << lamp;
        EXPECT_GE(area->indexOfChild(a), 0) << lamp;
    }
}

// The logbook starts with blank lines; each is read as a blank row.
TEST_F(Look, BlankLogbookRowIsNamedAsBlank) {
    Control& list = program.main().List1;
    for (const char* line : {"", "   ", "rad"})
        list.AddItem(line);
    auto* widget = dynamic_cast<QAbstractItemView*>(view(program.main()).widgetFor("List1"));
    widget->verticalScrollBar()->setValue(widget->verticalScrollBar()->maximum());
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(widget)->tableInterface();
    const int rows = table->rowCount();
    EXPECT_EQ(table->cellAt(rows - 3, 0)->text(QAccessible::Name), QStringLiteral("tom rad"));
    EXPECT_EQ(table->cellAt(rows - 2, 0)->text(QAccessible::Name), QStringLiteral("tom rad"));
    EXPECT_EQ(table->cellAt(rows - 1, 0)->text(QAccessible::Name), QStringLiteral("rad"));
}

std::vector<std::pair<QObject*, QAccessible::Event>> g_events;

TEST_F(Look, LampSaysItsColourAndAnnouncesTheChangeAtTheFourSecondStep) {
    // As a screen reader does when it starts: accessibility turns active.
    QPlatformAccessibility* bridge = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(bridge, nullptr);
    bridge->setActive(true);
    QAccessible::installUpdateHandler([](QAccessibleEvent* e) { g_events.emplace_back(e->object(), e->type()); });
    QWidget* lamp = view(program.main()).widgetFor("Text16");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(lamp);
    EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("gul"));
    g_events.clear();
    clock.advance(program.timers(), 4000);
    EXPECT_EQ(a->text(QAccessible::Description), QString::fromUtf8("grön"));
    EXPECT_NE(
        std::find(g_events.begin(), g_events.end(), std::make_pair<QObject*>(lamp, QAccessible::DescriptionChanged)),
        g_events.end());
    QAccessible::installUpdateHandler(nullptr);
    bridge->setActive(false);
}

} // namespace
} // namespace kav
