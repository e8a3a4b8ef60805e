// Test entry point for suites that need a Qt application object. Without a display
// the suite runs on the offscreen platform, so it needs no X server.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Trelvik Display v5.2");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
