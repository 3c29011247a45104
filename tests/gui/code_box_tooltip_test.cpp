// The code box in the renderer: hovering shows the code's web forms, one a
// line, and nothing while the box is empty; its menu opens from the keyboard
// too, and the contrast remarks in it are plain items a screen reader also
// finds in the box's description. (The menu is driven end to end as well.)
#include "platform/qt/FormView.h"
#include "tests/gui/DesktopFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kav {
namespace {

struct CodeBoxView : ::testing::Test, test::DesktopWorld {
    QWidget* box = nullptr;
    void SetUp() override {
        ASSERT_EQ(desktop.start(), std::vector<std::string>());
        box = desktop.viewFor(program.main())->widgetFor("txtColor");
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box->window()));
    }
    // What the menu that `open` shows offers: its items' texts (access-key
    // marks removed), whether each is enabled, and for a separator an empty
    // text. The item at `choose`, if any, is then chosen, else the menu closes.
    struct Item {
        QString text;
        bool enabled;
        QString marked; // the text with its access-key mark
    };
    std::vector<Item> menuOpenedBy(const std::function<void()>& open, int choose = -1) {
        std::vector<Item> items;
        QTimer::singleShot(50, [&items, choose] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions())
                items.push_back(
                    {a->isSeparator() ? QString() : QString(a->text()).remove(u'&'), a->isEnabled(), a->text()});
            if (choose >= 0 && choose < menu->actions().size()) menu->actions()[choose]->trigger();
            menu->close();
        });
        open();
        return items;
    }
    void openByKeyboardEvent() {
        QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &e);
    }
};

TEST_F(CodeBoxView, TooltipListsTheFormsOnlyWhileThereIsACode) {
    auto tooltip = [this] {
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

TEST_F(CodeBoxView, ShiftF10OpensTheBoxMenu) {
    program.main().txtColor.Text = "FF8000";
    const std::vector<Item> items = menuOpenedBy([this] { QTest::keyClick(box, Qt::Key_F10, Qt::ShiftModifier); });
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.size(), menuOpenedBy([this] { openByKeyboardEvent(); }).size());
    EXPECT_TRUE(items.front().text.startsWith(QStringLiteral("Kopiera som"))) << items.front().text.toStdString();
}

// Every item of the menu can be reached by a key of its own.
TEST_F(CodeBoxView, EveryMenuItemHasAnAccessKeyOfItsOwn) {
    for (const char* code : {"FF8000", ""}) {
        program.main().txtColor.Text = code;
        std::set<QChar> keys;
        for (const Item& item : menuOpenedBy([this] { openByKeyboardEvent(); })) {
            if (item.text.isEmpty()) continue;
            const qsizetype mark = item.marked.indexOf(u'&');
            ASSERT_TRUE(mark >= 0 && mark + 1 < item.marked.size()) << item.marked.toStdString();
            EXPECT_TRUE(keys.insert(item.marked[mark + 1].toLower()).second)
                << code << ": " << item.marked.toStdString();
        }
        EXPECT_GE(keys.size(), 5u) << code;
    }
}

// The last items, after a separator, are the contrast remarks: enabled, so
// drawn in the menu's text colour, and choosing one copies nothing. The box's
// accessible description holds the same lines.
TEST_F(CodeBoxView, ContrastRemarksAreEnabledItemsThatDoNothingAndDescribeTheBox) {
    program.main().txtColor.Text = "FF8000";
    const std::vector<Item> items = menuOpenedBy([this] { openByKeyboardEvent(); });
    // The remarks follow the menu's last separator: the nearest name, the
    // contrast and the verdict.
    const auto separator =
        std::find_if(items.rbegin(), items.rend(), [](const Item& item) { return item.text.isEmpty(); });
    ASSERT_EQ(separator - items.rbegin(), 3);
    QStringList remarks;
    for (std::size_t i = items.size() - 3; i < items.size(); ++i) {
        EXPECT_TRUE(items[i].enabled) << items[i].text.toStdString();
        remarks << items[i].text;
        fake.calls.clear();
        menuOpenedBy([this] { openByKeyboardEvent(); }, static_cast<int>(i));
        EXPECT_TRUE(fake.callsStartingWith("clipboard").empty()) << items[i].text.toStdString();
    }
    // A positive control: the first item copies.
    menuOpenedBy([this] { openByKeyboardEvent(); }, 0);
    EXPECT_EQ(fake.callsStartingWith("clipboard").size(), 1u);

    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
    EXPECT_EQ(a->text(QAccessible::Description), remarks.join(u'\n'));
    program.main().txtColor.Text = "";
    EXPECT_EQ(a->text(QAccessible::Description), QString());
}

} // namespace
} // namespace kav
