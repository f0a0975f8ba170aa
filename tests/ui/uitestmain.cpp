#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The window's tests run the real widgets in-process on the offscreen platform, with
// QStandardPaths in test mode so that nothing reaches the user's data or preferences.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
