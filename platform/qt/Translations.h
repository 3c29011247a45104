#pragma once
// Qt's own texts (the colour dialog, the text boxes' context menu, message
// box buttons) in Swedish, the program's language, whatever the locale, so
// the access keys of Qt's dialogs are the same everywhere: Qt's translation
// as the system ships it, and the program's own file for what it lacks.

class QCoreApplication;

namespace kav::qt {

// Loads and installs both translations; returns how many loaded.
int installTranslations(QCoreApplication& app);

} // namespace kav::qt
