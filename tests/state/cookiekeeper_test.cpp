#include "execution/cookiejar.h"
#include "execution/networkservice.h"
#include "state/cookiekeeper.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "support/qtprinters.h"
#include "support/tempappfolder.h"
#include "support/waitfor.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

QNetworkCookie cookie(const QByteArray& name, bool lasting)
{
    QNetworkCookie made(name, "v-" + name);
    made.setDomain(u".shop.test"_s);
    made.setPath(u"/"_s);
    if (lasting)
        made.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(30));
    return made;
}

QByteArrayList names(const CookieJar& jar)
{
    QByteArrayList listed;
    for (const QNetworkCookie& each : jar.all())
        listed.append(each.name());
    return listed;
}

// Everything the service was asked to do so far has been done.
void settle(PersistenceService& persistence)
{
    bool idle = false;
    QObject context;
    persistence.whenIdle(&context, [&idle] { idle = true; });
    ASSERT_TRUE(waitFor([&idle] { return idle; }));
}

} // namespace

// One launch keeps its lasting cookies for the next, in an owner-only file, and the session's
// cookies go with the session.
TEST(CookieKeeper, lastingCookiesOutliveTheLaunchInAnOwnerOnlyFile)
{
    TempAppFolder folder;
    Settings settings(folder.settingsFile());
    {
        PersistenceService persistence(folder.path());
        NetworkService service;
        CookieKeeper keeper(service.engine().cookies(), persistence, settings);
        ASSERT_TRUE(service.engine().cookies().insert(cookie("kept", true)));
        ASSERT_TRUE(service.engine().cookies().insert(cookie("session", false)));
        settle(persistence);
    }
    const QByteArray file = folder.read(PersistenceService::kCookiesFile);
    EXPECT_TRUE(file.contains("\tkept\tv-kept\n")) << file.toStdString();
    EXPECT_FALSE(file.contains("session"));
    EXPECT_EQ(folder.mode(PersistenceService::kCookiesFile), 0600u);

    // The next launch reads them back; a cookie that arrived before the file was read wins.
    PersistenceService persistence(folder.path(), SerialWorker::Start::OnRequest);
    NetworkService service;
    CookieJar& jar = service.engine().cookies();
    CookieKeeper keeper(jar, persistence, settings);
    QNetworkCookie fresh = cookie("kept", true);
    fresh.setValue("fresh");
    ASSERT_TRUE(jar.insert(fresh));
    persistence.startWork();
    settle(persistence);
    ASSERT_EQ(names(jar), QByteArrayList({"kept"}));
    EXPECT_EQ(jar.all().first().value(), "fresh");
}

// Off removes the file and writes nothing more however the jar changes; on writes it anew.
TEST(CookieKeeper, preferenceOffRemovesTheFileAndOnWritesItAgain)
{
    TempAppFolder folder;
    Settings settings(folder.settingsFile());
    PersistenceService persistence(folder.path());
    NetworkService service;
    CookieJar& jar = service.engine().cookies();
    CookieKeeper keeper(jar, persistence, settings);
    ASSERT_TRUE(jar.insert(cookie("first", true)));
    settle(persistence);
    ASSERT_TRUE(folder.fileNames().contains(PersistenceService::kCookiesFile));

    settings.setValue(SettingKeys::keepCookies, false);
    ASSERT_TRUE(jar.insert(cookie("second", true)));
    settle(persistence);
    EXPECT_FALSE(folder.fileNames().contains(PersistenceService::kCookiesFile));

    settings.setValue(SettingKeys::keepCookies, true);
    settle(persistence);
    const QByteArray file = folder.read(PersistenceService::kCookiesFile);
    EXPECT_TRUE(file.contains("\tfirst\t") && file.contains("\tsecond\t")) << file.toStdString();

    // With the preference off at start, a file left behind is neither read nor kept.
    settings.setValue(SettingKeys::keepCookies, false);
    settle(persistence);
    folder.write(PersistenceService::kCookiesFile, file);
    NetworkService next;
    CookieKeeper nextKeeper(next.engine().cookies(), persistence, settings);
    settle(persistence);
    EXPECT_TRUE(next.engine().cookies().all().isEmpty());
    EXPECT_FALSE(folder.fileNames().contains(PersistenceService::kCookiesFile));
}
