#include "execution/networkservice.h"
#include "shellrun.h"
#include "ui/common/colors.h"

#include <QApplication>
#include <QStyle>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

TEST(Appearance, storedPreferenceAppliesFromTheStartAndFollowsChanges)
{
    const QString desktopStyle = QApplication::style()->name();
    const struct {
        QString stored;
        bool dark;
        QString style;
        QString iconTheme;
    } cases[] {
        {u"dark"_s, true, u"fusion"_s, u"breeze-dark"_s},
        {u"light"_s, false, u"fusion"_s, u"breeze"_s},
        {u"system"_s, false, desktopStyle, u"breeze"_s},
        {u"unknown"_s, false, desktopStyle, u"breeze"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        ShellRun run({}, {{u"appearance"_s, c.stored}});
        EXPECT_EQ(isDark(run.window().palette()), c.dark);
        EXPECT_EQ(QApplication::style()->name().toLower(), c.style.toLower());
        EXPECT_EQ(QIcon::themeName(), c.iconTheme);
    }

    ShellRun run;
    run.app->settings().setValue(SettingKeys::appearance, u"dark"_s);
    // Widgets take a new application palette from a posted event.
    EXPECT_TRUE(QTest::qWaitFor([&] { return isDark(run.window().palette()); }));
    // The accent colours the selection of the dark palette.
    run.app->settings().setValue(SettingKeys::accentColorName, u"orange"_s);
    EXPECT_EQ(QApplication::palette().color(QPalette::Highlight),
        systemColor(SystemColor::orange, QApplication::palette()));
    run.app->settings().setValue(SettingKeys::appearance, u"system"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !isDark(run.window().palette()); }));
    EXPECT_EQ(QApplication::style()->name().toLower(), desktopStyle.toLower());
}

TEST(Appearance, networkPreferencesReachTheEngineBeforeTheWindowShowsAndOnChange)
{
    ShellRun run({},
        {{u"requestTimeout"_s, 45.0}, {u"sslVerification"_s, false},
            {u"defaultUserAgent"_s, u"Probe/2"_s}, {u"maxRedirects"_s, 3}});
    NetworkSettings engine = NetworkService::shared().settings();
    EXPECT_EQ(engine.requestTimeout, 45);
    EXPECT_FALSE(engine.verifySSL);
    EXPECT_EQ(engine.defaultUserAgent, u"Probe/2"_s);
    EXPECT_EQ(engine.maxRedirects, 3);

    run.app->settings().setValue(SettingKeys::sslVerification, true);
    run.app->settings().setValue(SettingKeys::proxyHost, u"127.0.0.1"_s);
    engine = NetworkService::shared().settings();
    EXPECT_TRUE(engine.verifySSL);
    EXPECT_EQ(engine.proxy.host, u"127.0.0.1"_s);
    run.app->settings().setValue(SettingKeys::sslVerification, true);
    NetworkService::shared().updateSettings({});
}
