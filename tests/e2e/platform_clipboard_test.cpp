// The platform's clipboard on a real X server: after a clear and a set text,
// another program (xclip) pastes exactly that text, å ä ö included; after a
// clear alone it pastes nothing.
#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace kav::qt {
namespace {

struct Paste {
    bool ok = false;
    QByteArray out;
};

// Runs xclip while this program's event loop keeps serving the selection.
Paste pasteWithXclip() {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    Paste p;
    if (!xclip.waitForStarted(5000)) return p;
    if (!QTest::qWaitFor([&] { return xclip.state() == QProcess::NotRunning; }, 10000)) {
        xclip.kill();
        return p;
    }
    p.ok = xclip.exitStatus() == QProcess::NormalExit && xclip.exitCode() == 0;
    p.out = xclip.readAllStandardOutput();
    return p;
}

TEST(PlatformClipboard, OtherProgramsPasteExactlyTheText) {
    QtPlatform platform(std::filesystem::temp_directory_path());
    const std::string text = "Grönt - filen är uppskickad. Å Ä Ö å ä ö FF8000";
    ASSERT_TRUE(platform.clipboardClear());
    ASSERT_TRUE(platform.clipboardSetText(text));
    const Paste p = pasteWithXclip();
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.out.toStdString(), text);

    ASSERT_TRUE(platform.clipboardClear());
    const Paste cleared = pasteWithXclip();
    EXPECT_TRUE(!cleared.ok || cleared.out.isEmpty());

    ASSERT_TRUE(platform.clipboardSetText("FF8000"));
    const Paste code = pasteWithXclip();
    ASSERT_TRUE(code.ok);
    EXPECT_EQ(code.out.toStdString(), "FF8000");
}

} // namespace
} // namespace kav::qt

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
