#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The window's areas run as real widgets, in-process, on the offscreen platform, with
// QStandardPaths in test mode so that nothing reaches the user's data or preferences. This
// main takes the place of the support library's, which has no widgets.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
