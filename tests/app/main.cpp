// Runs the window tests inside a QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/main_window.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    velk::app::installJapanese(&app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
