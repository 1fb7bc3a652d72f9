// Test main for programs that need a QApplication (widgets, fonts, painting).
#include "PlatformStart.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Outside CTest's environment too (test discovery): the platform plugin of a program without windows.
    platform::PrepareWindowlessGui();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
