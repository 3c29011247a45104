#pragma once
// Qt's own texts (the colour dialog, the text boxes' context menu, message
// box buttons) in Swedish, the program's language, whatever the user's locale:
// Qt's translation as the system ships it, and the program's own file for the
// texts that translation lacks. The program's own captions are Swedish in the
// design and need no translation. One language everywhere keeps the access
// keys of Qt's dialogs the same in every locale.

#include <QLocale>

class QCoreApplication;

namespace kav::qt {

// Loads and installs both translations for `locale`; returns how many loaded.
int installTranslations(QCoreApplication& app, const QLocale& locale = QLocale(QLocale::Swedish, QLocale::Sweden));

} // namespace kav::qt
