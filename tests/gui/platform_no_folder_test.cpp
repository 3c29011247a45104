// Without a program folder the logbook is no file, and the file commands on
// it leave a kavrilon.ini in the working directory alone.
#include "forms/Program.h"
#include "forms/main/frmMain.h"
#include "platform/qt/QtPlatform.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TempDir.h"
#include "tests/support/VirtualClock.h"

#include <QApplication>
#include <QMessageBox>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace kav::qt {
namespace {

namespace fs = std::filesystem;

TEST(PlatformWithoutFolder, LogbookCommandsActOnNothing) {
    test::TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    std::ofstream("kavrilon.ini") << "someone else's file\r\n";
    const std::string path = logbook::logbookPathIn(fs::path());
    logbook::Logbook book(path);

    EXPECT_EQ(path, "");
    EXPECT_FALSE(book.remove("kavrilon.ini"));
    EXPECT_FALSE(book.copy(R"(A:\kavrilon.ini)"));
    std::ifstream in("kavrilon.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "someone else's file\r\n");
    fs::current_path(before);
}

// The first save tells the user, once, that nothing is saved, in a box that
// stops nothing.
TEST(PlatformWithoutFolder, TheFirstSaveTellsOnceThatTheLogbookIsNotSaved) {
    logbook::Logbook book(logbook::logbookPathIn(fs::path()), showLogbookHeld);
    test::FakePlatform fake;
    VirtualClock clock;
    Program program(fake, book, clock);
    frmMain window(program, fake, book);
    book.save();
    book.save();
    std::vector<QMessageBox*> boxes;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->objectName() == "logbookHeld") boxes.push_back(box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes.front()->text().startsWith(QStringLiteral("Loggboken sparas inte: programmet har ingen mapp")));
    EXPECT_FALSE(boxes.front()->isModal());
    delete boxes.front();
}

} // namespace
} // namespace kav::qt
