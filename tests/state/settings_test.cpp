#include "state/settings.h"
#include "support/qtprinters.h"
#include "support/tempappfolder.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

// Reading a default, or walking the catalogue, must not write it: the file holds only what the
// user changed. The direct reads give the raw number, so a stored 0 stays 0 for the reader to
// substitute.
TEST(Settings, freshStoreReadsDefaultsAndWritesPersistWithTheirStoredNumber)
{
    TempAppFolder folder;
    {
        Settings settings(folder.settingsFile());
        EXPECT_EQ(settings.value(SettingKeys::appearance), u"system"_s);
        EXPECT_TRUE(settings.value(SettingKeys::showMethodBadges));
        EXPECT_EQ(settings.value(SettingKeys::requestTimeout), 30.0);
        EXPECT_EQ(settings.value(SettingKeys::historyRetention), 100);
        EXPECT_TRUE(settings.value(SettingKeys::recentURLs).isEmpty());
        QSet<QString> keys;
        for (const Settings::Entry& entry : Settings::catalogue()) {
            EXPECT_FALSE(settings.contains(entry.key)) << entry.key.toStdString();
            keys.insert(entry.key);
        }
        EXPECT_EQ(keys.size(), 28);
        EXPECT_EQ(settings.requestTimeout(), 0.0);
        EXPECT_EQ(settings.historyRetention(), 0);
    }
    EXPECT_FALSE(QFileInfo::exists(folder.settingsFile()));
    {
        Settings settings(folder.settingsFile());
        QSignalSpy changed(&settings, &Settings::valueChanged);
        settings.setValue(SettingKeys::requestTimeout, 0.0);
        settings.setValue(SettingKeys::historyRetention, 0);
        settings.setValue(SettingKeys::appearance, u"dark"_s);
        ASSERT_EQ(changed.size(), 3);
        EXPECT_EQ(changed.at(0).at(0).toString(), u"requestTimeout"_s);
    }
    Settings reopened(folder.settingsFile());
    EXPECT_TRUE(reopened.contains(u"requestTimeout"_s));
    EXPECT_EQ(reopened.requestTimeout(), 0.0);
    EXPECT_EQ(reopened.value(SettingKeys::requestTimeout), 0.0);
    EXPECT_EQ(reopened.historyRetention(), 0);
    EXPECT_EQ(reopened.value(SettingKeys::appearance), u"dark"_s);
    reopened.setValue(SettingKeys::requestTimeout, 12.5);
    EXPECT_EQ(reopened.requestTimeout(), 12.5);
}

// The Network preferences reach the engine as one set of options, from the first request on.
TEST(Settings, networkPreferencesBecomeTheEngineOptions)
{
    TempAppFolder folder;
    Settings settings(folder.settingsFile());
    EXPECT_EQ(settings.networkSettings(), NetworkSettings {});
    EXPECT_EQ(settings.networkSettings().defaultUserAgent, u"Mako/1.0"_s);
    settings.setValue(SettingKeys::requestTimeout, 1000.0);
    settings.setValue(SettingKeys::sslVerification, false);
    settings.setValue(SettingKeys::defaultUserAgent, u"Tester/9"_s);
    settings.setValue(SettingKeys::proxyEnabled, true);
    settings.setValue(SettingKeys::proxyType, u"socks5"_s);
    settings.setValue(SettingKeys::proxyHost, u"proxy.test"_s);
    settings.setValue(SettingKeys::proxyPort, 1080);
    const NetworkSettings network = settings.networkSettings();
    EXPECT_EQ(network.requestTimeout, 300);
    EXPECT_FALSE(network.verifySSL);
    EXPECT_EQ(network.defaultUserAgent, u"Tester/9"_s);
    EXPECT_EQ(network.proxy,
        (ProxySettings {.enabled = true,
            .type = ProxySettings::Type::socks5,
            .host = u"proxy.test"_s,
            .port = 1080}));
    // A type the catalogue does not know falls back to plain HTTP.
    settings.setValue(SettingKeys::proxyType, u"gopher"_s);
    EXPECT_EQ(settings.networkSettings().proxy.type, ProxySettings::Type::http);

    // The HTTP version and the system's proxy: a file without them means Auto and the system's.
    EXPECT_EQ(settings.networkSettings().httpVersion, HttpVersion::automatic);
    EXPECT_TRUE(settings.networkSettings().proxy.useSystem);
    const struct {
        QString stored;
        HttpVersion version;
    } versions[] {{u"http1.1"_s, HttpVersion::http1_1}, {u"http2"_s, HttpVersion::http2},
        {u"http3"_s, HttpVersion::automatic}};
    for (const auto& c : versions) {
        settings.setValue(SettingKeys::httpVersion, c.stored);
        EXPECT_EQ(settings.networkSettings().httpVersion, c.version) << c.stored.toStdString();
    }
    settings.setValue(SettingKeys::proxyUseSystem, false);
    EXPECT_FALSE(settings.networkSettings().proxy.useSystem);
}

// The user's own command keys are a group of their own: written as readable text, read back
// exactly (a key with a comma, a command left without a key), and absent from older files.
TEST(Settings, shortcutChangesRoundTripAndOlderFilesHaveNone)
{
    TempAppFolder folder;
    const QHash<QString, QString> changes {{u"sendRequest"_s, u"Ctrl+Shift+Return"_s},
        {u"quit"_s, QString()}, {u"newRequest"_s, u"Ctrl+,"_s}};
    {
        QSettings older(folder.settingsFile(), QSettings::IniFormat);
        older.setValue(u"appearance"_s, u"dark"_s);
    }
    {
        Settings settings(folder.settingsFile());
        EXPECT_TRUE(settings.shortcutOverrides().isEmpty());
        QSignalSpy changed(&settings, &Settings::valueChanged);
        settings.setShortcutOverrides(changes);
        ASSERT_EQ(changed.size(), 1);
        EXPECT_EQ(changed.at(0).at(0).toString(), u"shortcuts"_s);
    }
    Settings reopened(folder.settingsFile());
    EXPECT_EQ(reopened.shortcutOverrides(), changes);
    EXPECT_EQ(reopened.value(SettingKeys::appearance), u"dark"_s);
    QFile file(folder.settingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[shortcuts]\nnewRequest=\"Ctrl+,\"\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("sendRequest=Ctrl+Shift+Return\n")) << text.toStdString();
    // Fewer changes replace the group instead of adding to it.
    reopened.setShortcutOverrides({{u"quit"_s, u"Ctrl+Alt+Q"_s}});
    EXPECT_EQ(
        reopened.shortcutOverrides(), (QHash<QString, QString> {{u"quit"_s, u"Ctrl+Alt+Q"_s}}));
    reopened.setShortcutOverrides({});
    EXPECT_FALSE(reopened.contains(u"shortcuts/quit"_s));
}

// Certificate entries keep their order and files across a reopen, and reach the engine options;
// a passphrase never reaches the file, and a file from before there were entries has none.
TEST(Settings, certificateEntriesRoundTripWithoutTheirPassphrase)
{
    TempAppFolder folder;
    const QList<HostCertificate> entries {
        {.host = u"*.corp.example:8443"_s,
            .certificateFile = u"/home/u/client.pem"_s,
            .keyFile = u"/home/u/client.key"_s,
            .passphrase = u"pem-secret"_s,
            .caBundleFile = u"/home/u/corp-ca.pem"_s},
        {.host = u"api.example.com"_s,
            .type = HostCertificate::Type::pkcs12,
            .certificateFile = u"/home/u/id.p12"_s,
            .passphrase = u"p12-secret"_s},
    };
    {
        Settings settings(folder.settingsFile());
        EXPECT_TRUE(settings.hostCertificates().isEmpty());
        QSignalSpy changed(&settings, &Settings::valueChanged);
        settings.setHostCertificates(entries);
        ASSERT_EQ(changed.size(), 1);
        EXPECT_EQ(changed.at(0).at(0).toString(), u"certificates"_s);
    }
    QList<HostCertificate> expected = entries;
    for (HostCertificate& entry : expected)
        entry.passphrase.clear();
    Settings reopened(folder.settingsFile());
    EXPECT_EQ(reopened.hostCertificates(), expected);
    EXPECT_EQ(reopened.networkSettings().certificates, expected);
    QFile file(folder.settingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_FALSE(text.contains("secret")) << text.toStdString();
    // Fewer entries replace the list instead of adding to it.
    reopened.setHostCertificates({expected.last()});
    EXPECT_EQ(Settings(folder.settingsFile()).hostCertificates(), QList {expected.last()});
    reopened.setHostCertificates({});
    EXPECT_TRUE(Settings(folder.settingsFile()).hostCertificates().isEmpty());
}
