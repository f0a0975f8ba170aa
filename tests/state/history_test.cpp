#include "state/historyfilter.h"
#include "staterun.h"

#include <QSettings>

#include <optional>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

void send(StateRun& run, int from, int to)
{
    for (int i = from; i < to; ++i)
        run.state.addHistoryItem(APIRequest {.url = u"https://a.test/%1"_s.arg(i)}, 200, 0.25);
}

} // namespace

// The limit is read at every addition, so a lowered one takes effect at the next send; a limit
// below one means 100.
TEST(History, retentionIsReadAtEveryAdditionAndBelowOneMeans100)
{
    const struct {
        std::optional<int> stored;
        int additions;
        std::optional<int> loweredTo; // then one more addition
        int expected;
    } cases[] = {{std::nullopt, 101, {}, 100}, {5, 6, {}, 5}, {0, 101, {}, 100}, {-3, 101, {}, 100},
        {150, 120, {}, 120}, {std::nullopt, 100, 10, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.value_or(-999));
        StateRun run;
        if (c.stored)
            run.settings.setValue(SettingKeys::historyRetention, *c.stored);
        send(run, 0, c.additions);
        int sent = c.additions;
        if (c.loweredTo) {
            run.settings.setValue(SettingKeys::historyRetention, *c.loweredTo);
            send(run, sent, sent + 1);
            ++sent;
        }
        const QList<HistoryItem>& history = run.state.history();
        ASSERT_EQ(history.size(), c.expected);
        EXPECT_EQ(history.first().request.url, u"https://a.test/%1"_s.arg(sent - 1));
        EXPECT_EQ(history.last().request.url, u"https://a.test/%1"_s.arg(sent - c.expected));
        EXPECT_EQ(encodeRecords(run.stored<HistoryItem>(kHistoryFile)), encodeRecords(history));
    }
}

TEST(History, filterMatchesURLOrNameIgnoringCaseInHistoryOrder)
{
    QList<HistoryItem> history;
    for (const auto& [name, url] : {std::pair {u"List users"_s, u"https://a.test/users"_s},
             {u"Orders"_s, u"https://a.test/orders"_s}, {u"Ünïcode"_s, u"https://b.test/x"_s},
             {u"users again"_s, u"https://c.test/"_s}})
        history.append(HistoryItem {.request = APIRequest {.name = name, .url = url}});
    const struct {
        QString search;
        QList<int> expected;
    } cases[] = {{u""_s, {0, 1, 2, 3}}, {u"USERS"_s, {0, 3}}, {u"a.test"_s, {0, 1}},
        {u"üNÏ"_s, {2}}, {u"nothing"_s, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.search.toStdString());
        QList<QUuid> shown, expected;
        for (const HistoryItem& item : filteredHistory(history, c.search))
            shown.append(item.id);
        for (int index : c.expected)
            expected.append(history[index].id);
        EXPECT_EQ(shown, expected);
    }
}

TEST(URLHistory, keepsFiftyDistinctURLsMostRecentFirst)
{
    TempAppFolder folder;
    URLHistory urls(folder.settingsFile());
    for (int i = 0; i < 51; ++i)
        urls.addURL(u"https://a.test/%1"_s.arg(i));
    urls.addURL(u"https://a.test/25"_s);
    urls.addURL(u"HTTPS://A.TEST/26"_s);
    urls.addURL(QString());
    const QStringList stored = recentURLs(urls);
    ASSERT_EQ(stored.size(), 50);
    EXPECT_EQ(
        stored.mid(0, 3), (QStringList {u""_s, u"HTTPS://A.TEST/26"_s, u"https://a.test/25"_s}));
    EXPECT_EQ(stored.last(), u"https://a.test/3"_s);
    EXPECT_EQ(stored.count(u"https://a.test/25"_s), 1);
    EXPECT_EQ(stored.count(u"https://a.test/26"_s), 1);
    EXPECT_EQ(QSettings(folder.settingsFile(), QSettings::IniFormat)
                  .value(SettingKeys::recentURLs.name)
                  .toStringList(),
        stored);
}
