#include "state/settings.h"
#include "support/qtprinters.h"
#include "support/tempappfolder.h"

#include <QFileInfo>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

TEST(Settings, freshStoreReadsEveryDefaultAndStaysEmpty)
{
    TempAppFolder folder;
    {
        Settings settings(folder.settingsFile());
        EXPECT_EQ(settings.value(SettingKeys::appearance), u"system"_s);
        EXPECT_EQ(settings.value(SettingKeys::accentColorName), u"blue"_s);
        EXPECT_TRUE(settings.value(SettingKeys::showMethodBadges));
        EXPECT_FALSE(settings.value(SettingKeys::reopenLastRequest));
        EXPECT_EQ(settings.value(SettingKeys::sidebarWidth), 260.0);
        EXPECT_EQ(settings.value(SettingKeys::editorFontSize), 12.0);
        EXPECT_EQ(settings.value(SettingKeys::editorTabSize), 2);
        EXPECT_EQ(settings.value(SettingKeys::requestTimeout), 30.0);
        EXPECT_EQ(settings.value(SettingKeys::maxRedirects), 10);
        EXPECT_TRUE(settings.value(SettingKeys::sslVerification));
        EXPECT_EQ(settings.value(SettingKeys::defaultUserAgent), u"Mako/1.0"_s);
        EXPECT_EQ(settings.value(SettingKeys::proxyType), u"http"_s);
        EXPECT_EQ(settings.value(SettingKeys::proxyPort), 8080);
        EXPECT_EQ(settings.value(SettingKeys::historyRetention), 100);
        EXPECT_TRUE(settings.value(SettingKeys::recentURLs).isEmpty());
        for (const Settings::Entry& entry : Settings::catalogue())
            EXPECT_FALSE(settings.contains(entry.key)) << entry.key.toStdString();
        EXPECT_EQ(settings.requestTimeout(), 0.0);
        EXPECT_EQ(settings.historyRetention(), 0);
    }
    EXPECT_FALSE(QFileInfo::exists(folder.settingsFile()));
}

TEST(Settings, catalogueHoldsEveryKeyOnceWithItsType)
{
    const QList<Settings::Entry> catalogue = Settings::catalogue();
    EXPECT_EQ(catalogue.size(), 25);
    QSet<QString> keys;
    for (const Settings::Entry& entry : catalogue) {
        EXPECT_TRUE(entry.defaultValue.metaType() == entry.type) << entry.key.toStdString();
        keys.insert(entry.key);
    }
    EXPECT_EQ(keys.size(), catalogue.size());
    const auto typeOf = [&](const QString& key) {
        for (const Settings::Entry& entry : catalogue)
            if (entry.key == key)
                return entry.type;
        return QMetaType();
    };
    EXPECT_EQ(typeOf(u"editorFontSize"_s), QMetaType::fromType<double>());
    EXPECT_EQ(typeOf(u"proxyPort"_s), QMetaType::fromType<int>());
    EXPECT_EQ(typeOf(u"autoFormatJSON"_s), QMetaType::fromType<bool>());
    EXPECT_EQ(typeOf(u"recentURLs"_s), QMetaType::fromType<QStringList>());
}

// The direct reads give the raw number, so a stored 0 stays 0 for the reader to substitute.
TEST(Settings, writesPersistAndDirectReadsGiveTheStoredNumber)
{
    TempAppFolder folder;
    {
        Settings settings(folder.settingsFile());
        QSignalSpy changed(&settings, &Settings::valueChanged);
        settings.setValue(SettingKeys::requestTimeout, 0.0);
        settings.setValue(SettingKeys::historyRetention, 0);
        settings.setValue(SettingKeys::editorWordWrap, true);
        settings.setValue(SettingKeys::appearance, u"dark"_s);
        settings.setValue(SettingKeys::sidebarWidth, 310.0);
        ASSERT_EQ(changed.size(), 5);
        EXPECT_EQ(changed.at(0).at(0).toString(), u"requestTimeout"_s);
    }
    Settings reopened(folder.settingsFile());
    EXPECT_TRUE(reopened.contains(u"requestTimeout"_s));
    EXPECT_EQ(reopened.requestTimeout(), 0.0);
    EXPECT_EQ(reopened.value(SettingKeys::requestTimeout), 0.0);
    EXPECT_EQ(reopened.historyRetention(), 0);
    EXPECT_TRUE(reopened.value(SettingKeys::editorWordWrap));
    EXPECT_EQ(reopened.value(SettingKeys::appearance), u"dark"_s);
    EXPECT_EQ(reopened.value(SettingKeys::sidebarWidth), 310.0);
    reopened.setValue(SettingKeys::requestTimeout, 12.5);
    EXPECT_EQ(reopened.requestTimeout(), 12.5);
}
