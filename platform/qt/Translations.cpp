#include "platform/qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace kav::qt {

namespace {

// Installs the first of `names` that exists for the locale in `dir`.
bool install(QCoreApplication& app, const QLocale& locale, std::initializer_list<const char*> names,
             const QString& dir) {
    auto translator = std::make_unique<QTranslator>(&app);
    for (const char* name : names)
        if (translator->load(locale, QString::fromLatin1(name), QStringLiteral("_"), dir)) {
            QCoreApplication::installTranslator(translator.release());
            return true;
        }
    return false;
}

} // namespace

int installTranslations(QCoreApplication& app) {
    const QLocale locale(QLocale::Swedish, QLocale::Sweden);
    // Debian 12 ships Qt's Swedish texts as the older all-in-one "qt_sv";
    // newer systems have "qtbase_sv". The program's file is installed last,
    // so its texts win where both have one.
    int loaded = 0;
    loaded += install(app, locale, {"qtbase", "qt"}, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    loaded += install(app, locale, {"kavrilon_qt"}, QStringLiteral(":/kavrilon/i18n"));
    return loaded;
}

} // namespace kav::qt
