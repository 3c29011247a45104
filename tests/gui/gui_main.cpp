// Entry point of a renderer test: the offscreen platform and a QApplication
// exist before any test runs. A test that needs a world of its own (only
// some fonts, a locale) gets it here too, before Qt reads the environment.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
#ifdef KAV_TEST_FONTCONFIG
    ::setenv("FONTCONFIG_FILE", KAV_TEST_FONTCONFIG, 1);
#endif
#ifdef KAV_TEST_LOCALE
    ::setenv("LC_ALL", KAV_TEST_LOCALE, 1);
    ::setenv("LANG", KAV_TEST_LOCALE, 1);
    ::unsetenv("LANGUAGE");
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
