#include "model/recordjson.h"
#include "state/appstate.h"
#include "state/historyfilter.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "state/urlhistory.h"
#include "statetest.h"
#include "support/qtprinters.h"
#include "support/tempappfolder.h"

#include <QEventLoop>
#include <QSettings>

#include <gtest/gtest.h>

#include <optional>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct HistoryRun {
    explicit HistoryRun(const TempAppFolder& folder)
        : persistence(folder.path())
        , settings(folder.settingsFile())
        , state(&persistence, &settings)
    {
        EXPECT_TRUE(waitUntilLoaded(state));
    }

    void send(int times)
    {
        for (int i = 0; i < times; ++i)
            state.addHistoryItem(APIRequest {.url = u"https://a.test/%1"_s.arg(sent++)}, 200, 0.25);
    }

    PersistenceService persistence;
    Settings settings;
    AppState state;
    int sent = 0;
};

QStringList recentURLs(URLHistory& urls)
{
    QStringList result;
    QEventLoop loop;
    urls.recentURLs(&loop, [&](const QStringList& stored) {
        result = stored;
        loop.quit();
    });
    loop.exec();
    return result;
}

} // namespace

TEST(History, retentionIsReadAtEveryAdditionAndBelowOneMeans100)
{
    const struct {
        std::optional<int> stored;
        int additions;
        int expected;
    } cases[]
        = {{std::nullopt, 101, 100}, {5, 6, 5}, {0, 101, 100}, {-3, 101, 100}, {150, 120, 120}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.value_or(-999));
        TempAppFolder folder;
        HistoryRun run(folder);
        if (c.stored)
            run.settings.setValue(SettingKeys::historyRetention, *c.stored);
        run.send(c.additions);
        ASSERT_EQ(run.state.history().size(), c.expected);
        EXPECT_EQ(
            run.state.history().first().request.url, u"https://a.test/%1"_s.arg(c.additions - 1));
        EXPECT_EQ(run.state.history().last().request.url,
            u"https://a.test/%1"_s.arg(c.additions - c.expected));
        EXPECT_EQ(run.state.history().first().statusCode, 200);
        ASSERT_TRUE(waitUntilIdle(run.persistence));
        const auto onDisk
            = decodeRecords<HistoryItem>(folder.read(PersistenceService::kHistoryFile));
        ASSERT_TRUE(onDisk.ok());
        EXPECT_EQ(encodeRecords(onDisk.value()), encodeRecords(run.state.history()));
    }
}

TEST(History, loweringRetentionTakesEffectAtTheNextAdditionAndClearingWritesEmptyArray)
{
    TempAppFolder folder;
    HistoryRun run(folder);
    run.send(100);
    run.settings.setValue(SettingKeys::historyRetention, 10);
    EXPECT_EQ(run.state.history().size(), 100);
    run.send(1);
    EXPECT_EQ(run.state.history().size(), 10);

    run.state.clearHistory();
    EXPECT_TRUE(run.state.history().isEmpty());
    ASSERT_TRUE(waitUntilIdle(run.persistence));
    EXPECT_EQ(folder.read(PersistenceService::kHistoryFile), "[]");
}

TEST(History, filterMatchesURLOrNameIgnoringCaseInHistoryOrder)
{
    const QList<HistoryItem> history {
        HistoryItem {
            .request = APIRequest {.name = u"List users"_s, .url = u"https://a.test/users"_s}},
        HistoryItem {
            .request = APIRequest {.name = u"Orders"_s, .url = u"https://a.test/orders"_s}},
        HistoryItem {.request = APIRequest {.name = u"Ünïcode"_s, .url = u"https://b.test/x"_s}},
        HistoryItem {.request = APIRequest {.name = u"users again"_s, .url = u"https://c.test/"_s}},
    };
    const struct {
        QString search;
        QList<int> expected;
    } cases[] = {{u""_s, {0, 1, 2, 3}}, {u"USERS"_s, {0, 3}}, {u"a.test"_s, {0, 1}},
        {u"üNÏ"_s, {2}}, {u"nothing"_s, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.search.toStdString());
        const QList<HistoryItem> shown = filteredHistory(history, c.search);
        ASSERT_EQ(shown.size(), c.expected.size());
        for (int i = 0; i < shown.size(); ++i)
            EXPECT_EQ(shown[i].id, history[c.expected[i]].id);
    }
}

TEST(URLHistory, keepsFiftyDistinctURLsMostRecentFirst)
{
    TempAppFolder folder;
    URLHistory urls(folder.settingsFile());
    for (int i = 0; i < 51; ++i)
        urls.addURL(u"https://a.test/%1"_s.arg(i));
    QStringList stored = recentURLs(urls);
    ASSERT_EQ(stored.size(), 50);
    EXPECT_EQ(stored.first(), u"https://a.test/50"_s);
    EXPECT_EQ(stored.last(), u"https://a.test/1"_s);

    urls.addURL(u"https://a.test/25"_s);
    urls.addURL(u"HTTPS://A.TEST/26"_s);
    urls.addURL(QString());
    stored = recentURLs(urls);
    ASSERT_EQ(stored.size(), 50);
    EXPECT_EQ(
        stored.mid(0, 3), (QStringList {u""_s, u"HTTPS://A.TEST/26"_s, u"https://a.test/25"_s}));
    EXPECT_EQ(stored.count(u"https://a.test/25"_s), 1);
    EXPECT_EQ(stored.count(u"https://a.test/26"_s), 1);
    EXPECT_EQ(QSettings(folder.settingsFile(), QSettings::IniFormat)
                  .value(SettingKeys::recentURLs.name)
                  .toStringList(),
        stored);
}
