// Runs the media tests inside a QApplication (offscreen): the players, the
// local HTTP servers, the waits and the radio window all need its event loop.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
