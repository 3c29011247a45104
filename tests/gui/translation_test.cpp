// Under a locale that is not Swedish Qt's own colour dialog still speaks
// Swedish throughout, with the same access keys: Qt's translation as Debian
// ships it, completed by the program's own file.
#include "platform/qt/Translations.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace kav {
namespace {

// Both translations, installed once for the whole program as at start.
int installed() {
    static const int loaded = qt::installTranslations(*qApp);
    return loaded;
}

TEST(Translation, ColourDialogIsSwedishUnderAnotherLocale) {
    ASSERT_NE(QLocale().language(), QLocale::Swedish);
    EXPECT_EQ(installed(), 2);
    QColorDialog dialog;
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    QStringList shown{dialog.windowTitle()};
    for (const QPushButton* b : dialog.findChildren<QPushButton*>())
        shown << b->text();
    // The title, the screen picker and the cancel button, which Debian's
    // translation lacks, and one text it has.
    for (const char* swedish : {"Välj färg", "Hämta färg från &skärmen", "Avbryt", "&Lägg till i anpassade färger"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(swedish)))
            << swedish << " not in " << shown.join(u'|').toStdString();
    for (const char* english : {"Select Color", "&Pick Screen Color", "Cancel", "&Add to Custom Colors"})
        EXPECT_FALSE(shown.contains(QLatin1String(english))) << english;
}

TEST(Translation, TextBoxContextMenuIsSwedish) {
    ASSERT_EQ(installed(), 2);
    QLineEdit box(QStringLiteral("FF8000"));
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList items;
    for (const QAction* a : menu->actions())
        items << a->text().section(u'\t', 0, 0);
    EXPECT_TRUE(items.contains(QStringLiteral("&Kopiera"))) << items.join(u'|').toStdString();
    EXPECT_TRUE(items.contains(QStringLiteral("Markera alla"))) << items.join(u'|').toStdString();
}

} // namespace
} // namespace kav
