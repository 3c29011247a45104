#pragma once
// Qt's own texts (the colour dialog, the text boxes' context menu, message
// box buttons) in the user's language: Qt's translation as the system ships
// it, and the program's own file for the texts that translation lacks. The
// program's own captions are Swedish in the design and need no translation.

#include <QLocale>

class QCoreApplication;

namespace kav::qt {

// Loads and installs both translations for `locale`; returns how many loaded.
int installTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

} // namespace kav::qt
