// Under a locale that is not Swedish Qt's own colour dialog still speaks
// Swedish throughout, with the same access keys: Qt's translation as Debian
// ships it, completed by the program's own file.
#include "platform/qt/FormView.h"
#include "platform/qt/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>
#include <map>
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
    for (const char* swedish : {"Välj färg", "Hämta färg från &skärmen", "Avbryt", "Lägg &till i anpassade färger"})
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
    EXPECT_TRUE(items.contains(QStringLiteral("&Markera alla"))) << items.join(u'|').toStdString();
}

// The texts of what a dialog's keys reach: buttons, and labels that hand the
// focus on; a standard button takes its text from the desktop theme, as
// `buttonText` gives it.
QStringList keyedTexts(QWidget& dialog, const std::function<QString(QAbstractButton&)>& buttonText) {
    QStringList texts;
    for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
        texts << buttonText(*b);
    for (const QLabel* l : dialog.findChildren<QLabel*>())
        if (l->buddy()) texts << l->text();
    return texts;
}

QString asBuilt(QAbstractButton& b) { return b.text(); }

// A standard button's text as GNOME's theme gives it: QGnomeTheme's own
// translations ("&OK", "&Avbryt"), which carry access keys.
QString underGnome(QAbstractButton& b) {
    auto* box = qobject_cast<QDialogButtonBox*>(b.parentWidget());
    const QDialogButtonBox::StandardButton which = box ? box->standardButton(&b) : QDialogButtonBox::NoButton;
    if (which == QDialogButtonBox::Ok) return QCoreApplication::translate("QGnomeTheme", "&OK");
    if (which == QDialogButtonBox::Cancel) return QCoreApplication::translate("QGnomeTheme", "&Cancel");
    return b.text();
}

std::unique_ptr<QWidget> colourDialog() {
    auto dialog = std::make_unique<QColorDialog>();
    dialog->setOption(QColorDialog::DontUseNativeDialog, true);
    return dialog;
}

std::unique_ptr<QWidget> messageBox() {
    return std::make_unique<QMessageBox>(QMessageBox::Information, QStringLiteral("Kavrilon"),
                                         QStringLiteral("FEL !! Fil saknas!!"), QMessageBox::Ok);
}

// The text box's own menu, as a widget whose actions are its items.
std::unique_ptr<QWidget> textBoxMenu() {
    static QLineEdit box(QStringLiteral("FF8000"));
    return std::unique_ptr<QWidget>(box.createStandardContextMenu());
}

// No two things one dialog's keys reach share an access key, in every dialog
// the program shows in Swedish, under the plain and GNOME's desktop theme;
// in a menu every item has a key of its own.
TEST(Translation, NoTwoAccessKeysClashWithinADialog) {
    ASSERT_EQ(installed(), 2);
    const struct {
        const char* dialog;
        std::function<std::unique_ptr<QWidget>()> make;
        std::function<QString(QAbstractButton&)> buttonText;
    } cases[] = {
        {"colour dialog", colourDialog, asBuilt}, {"colour dialog under GNOME's theme", colourDialog, underGnome},
        {"message box", messageBox, asBuilt},     {"message box under GNOME's theme", messageBox, underGnome},
        {"text box menu", textBoxMenu, asBuilt},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<QWidget> dialog = c.make();
        QStringList texts = keyedTexts(*dialog, c.buttonText);
        const bool menu = qobject_cast<QMenu*>(dialog.get()) != nullptr;
        for (const QAction* a : dialog->actions())
            if (!a->isSeparator()) texts << a->text().section(u'\t', 0, 0);
        ASSERT_FALSE(texts.isEmpty()) << c.dialog;
        std::map<QChar, QString> owner;
        for (const QString& t : texts) {
            const std::optional<QChar> key = qt::accessKeyOf(t);
            if (!key) {
                EXPECT_FALSE(menu) << c.dialog << ": \"" << t.toStdString() << "\" has no access key";
                continue;
            }
            const auto [it, fresh] = owner.emplace(*key, t);
            EXPECT_TRUE(fresh) << c.dialog << ": \"" << it->second.toStdString() << "\" and \"" << t.toStdString()
                               << "\" share Alt+" << QString(*key).toStdString();
        }
    }
}

} // namespace
} // namespace kav
