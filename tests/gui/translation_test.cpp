// Under a Swedish locale Qt's own colour dialog speaks Swedish throughout:
// Qt's translation as Debian ships it, completed by the program's own file.
#include "platform/qt/Translations.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace kav {
namespace {

TEST(Translation, ColourDialogIsSwedishUnderASwedishLocale) {
    ASSERT_EQ(QLocale().language(), QLocale::Swedish);
    EXPECT_EQ(qt::installTranslations(*qApp), 2);
    QColorDialog dialog;
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    QStringList shown{dialog.windowTitle()};
    for (const QPushButton* b : dialog.findChildren<QPushButton*>())
        shown << b->text();
    // The title, the screen picker and the cancel button, which Debian's
    // translation lacks, and one text it has.
    for (const char* swedish : {"Välj färg", "&Hämta färg från skärmen", "Avbryt", "&Lägg till i anpassade färger"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(swedish)))
            << swedish << " not in " << shown.join(u'|').toStdString();
    for (const char* english : {"Select Color", "&Pick Screen Color", "Cancel", "&Add to Custom Colors"})
        EXPECT_FALSE(shown.contains(QLatin1String(english))) << english;
}

} // namespace
} // namespace kav
