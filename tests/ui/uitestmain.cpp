#include "ui/common/translations.h"

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
    // As main() does, but in English and with plain numbers whatever the machine's language: the
    // tests read the texts.
    QLocale::setDefault(QLocale::c());
    mako::installTranslations(&app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
