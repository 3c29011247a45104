// F11 that can open no page says so in the main window's status line, and
// the line goes again.
#include "launcher/LaunchItems.h"
#include "platform/qt/QtPlatform.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace kav::qt {
namespace {

namespace fs = std::filesystem;

TEST(PlatformHomepage, F11ThatOpensNoPageSaysSoInTheStatusLine) {
    test::TempDir dir;
    // No program to open a page with, and a private runtime folder for the page.
    fs::create_directory(dir.path() / "bin");
    fs::create_directory(dir.path() / "run");
    fs::permissions(dir.path() / "run", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir.path() / "bin").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (dir.path() / "run").c_str(), 1);
    QMainWindow main;
    main.show();
    QApplication::setActiveWindow(&main);
    QtPlatform platform{dir.path()};

    const LaunchItem* homepage = findLaunchItem("color");
    ASSERT_NE(homepage, nullptr);
    EXPECT_FALSE(platform.launch(*homepage));
    ::setenv("PATH", oldPath.c_str(), 1);
    ::unsetenv("XDG_RUNTIME_DIR");
    auto* bar = main.findChild<QStatusBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->currentMessage().startsWith(QStringLiteral("Programmets hemsida kan inte öppnas")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.findChild<QStatusBar*>() == nullptr; }, 10000));
}

} // namespace
} // namespace kav::qt
