// A launcher item for which nothing is installed (PATH holds an empty
// folder, so nothing can start) says in the main window's status line which
// program is missing, in Swedish, the first time the item is chosen only;
// F11, which opens the program's own page, says each time that it cannot.
#include "forms/main/frmMain.h"
#include "platform/qt/Desktop.h"
#include "platform/qt/FormView.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kav::qt {
namespace {

namespace fs = std::filesystem;

struct LaunchStatus : ::testing::Test {
    test::TempDir dir;
    std::string pathBefore = std::getenv("PATH") ? std::getenv("PATH") : "";
    logbook::Logbook book{logbook::logbookPathIn(dir.path() / "prog")};
    std::unique_ptr<Desktop> desktop;
    FormView* view = nullptr;
    QLabel* status = nullptr; // at the right end of the menu bar

    void SetUp() override {
        fs::create_directory(dir.path() / "prog");
        fs::create_directory(dir.path() / "empty");
        fs::create_directory(dir.path() / "run");
        fs::permissions(dir.path() / "run", fs::perms::owner_all);
        ::setenv("PATH", (dir.path() / "empty").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (dir.path() / "run").c_str(), 1);
        ::unsetenv("XDG_CURRENT_DESKTOP");
        desktop = std::make_unique<Desktop>(dir.path() / "prog", book);
        ASSERT_EQ(desktop->start(), std::vector<std::string>());
        view = desktop->viewFor(desktop->program().main());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
        status = qobject_cast<QLabel*>(view->menuBar()->cornerWidget());
        ASSERT_NE(status, nullptr);
    }
    void TearDown() override {
        desktop.reset();
        ::setenv("PATH", pathBefore.c_str(), 1);
        ::unsetenv("XDG_RUNTIME_DIR");
    }
    QString choose(const char* item) {
        view->actionFor(item)->trigger();
        return status->text();
    }
};

TEST_F(LaunchStatus, MissingProgramIsNamedOncePerItem) {
    EXPECT_EQ(status->text(), QString());
    // F4, "&Kort-Kommandon", opens the desktop's help viewer.
    QTest::keyClick(view, Qt::Key_F4);
    EXPECT_EQ(status->text(), QString::fromUtf8("Kort-Kommandon: yelp är inte installerat."));
    const QString other = choose("vol");
    EXPECT_TRUE(other.startsWith(QString::fromUtf8("Volymkontroll - Hjälp: "))) << other.toStdString();
    // Told once: choosing F4 again leaves the status line as it is.
    EXPECT_EQ(choose("kor"), other);
}

TEST_F(LaunchStatus, HomepageWithNothingToShowItSaysSoEachTime) {
    for (int time = 0; time < 2; ++time) {
        status->clear();
        EXPECT_TRUE(choose("color").startsWith(QString::fromUtf8("Programmets hemsida kan inte öppnas"))) << time;
    }
}

} // namespace
} // namespace kav::qt
