#include <QCoreApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// Every test binary runs with an application object (for event loops and signals) and with
// QStandardPaths in test mode, so nothing a test does can reach the user's real data or
// preferences.
int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
