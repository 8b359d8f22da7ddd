#include "support/TempHome.h"

#include <gtest/gtest.h>

#ifdef SLATEBOOK_TEST_WIDGETS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

int main(int argc, char **argv)
{
    // Whatever a test forgets, nothing in this process reaches the real user's files.
    TempHome processHome;
#ifdef SLATEBOOK_TEST_WIDGETS
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
