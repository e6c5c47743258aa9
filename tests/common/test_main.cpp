// Shared main() of every test program: Qt's offscreen platform (so widget
// tests need no display) and the application object, then GoogleTest.
#include <gtest/gtest.h>

#include <cstdlib>

#ifdef BRIX_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char **argv)
{
    // gtest_discover_tests runs the program at build time without CTest's
    // environment, so the platform is chosen here as well.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
