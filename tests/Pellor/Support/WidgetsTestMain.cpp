// The main program of the viewer's service tests: one Qt application for every
// test (on the offscreen platform, which the test target sets), so that the
// services' timers, queued calls and small dialogs work as in the viewer.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (CTest's discovery) needs no application.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
