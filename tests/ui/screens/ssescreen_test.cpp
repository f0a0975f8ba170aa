#include "execution/sseclient.h"
#include "screenrun.h"
#include "support/httptestserver.h"
#include "ui/common/colors.h"
#include "ui/screens/ssescreen.h"
#include "ui/screens/streamlistmodel.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

ScriptedResponse eventStream(QList<QByteArray> chunks, int chunkDelayMs)
{
    return ScriptedResponse {.headers = {{"Content-Type", "text/event-stream"}},
        .chunks = std::move(chunks),
        .chunkDelayMs = chunkDelayMs};
}

struct SSERun : ScreenRun<SSEScreen> {
    explicit SSERun(const ScriptedResponse& response)
    {
        server.setHandler([response](const RecordedRequest&) { return response; });
        open(APIRequest {.name = u"Feed"_s,
            .url = server.baseUrl() + u"/events"_s,
            .headers = {KeyValuePair {.key = u"X-Client"_s, .value = u"{{raw}}"_s}},
            .requestProtocol = RequestProtocol::sse});
    }

    QString column(int row, int role) const
    {
        return view->model()->index(row, 0).data(role).toString();
    }

    HttpTestServer server;
    QPushButton* connectButton = find<QPushButton>(u"connectButton"_s);
    QAbstractItemView* view = find<QAbstractItemView>(u"transcriptView"_s);
};

} // namespace

TEST(SSEScreen, showsEachEventWithItsTypeAndCountsThem)
{
    SSERun run(eventStream({"event: greeting\ndata: hello\n\n", "data: {\"n\": 1}\n\n"}, 10));
    click(run.connectButton);
    EXPECT_EQ(run.connectButton->text(), u"Disconnect"_s);
    // The stream ends by itself: the client's notice closes the list.
    ASSERT_TRUE(waitFor([&] { return run.view->model()->rowCount() == 4; }));
    EXPECT_EQ(rowTexts(run.view),
        (QStringList {u"Connected to "_s + run.server.baseUrl() + u"/events"_s, u"hello"_s,
            u"{\"n\": 1}"_s, u"Connection closed"_s}));
    QStringList types;
    QList<int> accents;
    for (int row = 0; row < 4; ++row) {
        types.append(run.column(row, StreamListModel::TitleRole));
        accents.append(run.view->model()->index(row, 0).data(StreamListModel::AccentRole).toInt());
    }
    EXPECT_EQ(types, (QStringList {u"system"_s, u"greeting"_s, u"message"_s, u"system"_s}));
    const int teal = int(SystemColor::teal);
    EXPECT_EQ(accents, (QList<int> {-1, teal, teal, -1}));
    EXPECT_EQ(run.find<QLabel>(u"statusCount"_s)->text(), u"4 events"_s);
    EXPECT_EQ(run.connectButton->text(), u"Connect"_s);

    // A placeholder that no variable names goes out as typed.
    const RecordedRequest request = run.server.requests().constFirst();
    EXPECT_EQ(request.header("X-Client"), "{{raw}}");
    EXPECT_EQ(request.header("Accept"), "text/event-stream");
}

// Return in the address connects, and the button then stops the stream.
TEST(SSEScreen, returnInTheAddressConnectsAndDisconnectStopsTheStream)
{
    QList<QByteArray> chunks(50, "data: tick\n\n");
    SSERun run(eventStream(chunks, 200));
    QTest::keyClick(run.find<QLineEdit>(u"urlField"_s), Qt::Key_Return);
    EXPECT_EQ(run.connectButton->text(), u"Disconnect"_s);
    ASSERT_TRUE(waitFor([&] {
        return run.column(run.view->model()->rowCount() - 1, Qt::DisplayRole) == u"tick"_s;
    }));
    EXPECT_TRUE(run.find<QLabel>(u"statusConnected"_s)->isVisible());
    click(run.connectButton);
    EXPECT_EQ(run.connectButton->text(), u"Connect"_s);
    EXPECT_FALSE(run.find<QLabel>(u"statusConnected"_s)->isVisible());
    EXPECT_TRUE(waitFor([&] { return rowTexts(run.view).contains(u"Disconnected"_s); }));
    EXPECT_TRUE(run.server.waitForClosedConnections(1));
    EXPECT_EQ(run.server.requests().size(), 1);
    // The user's own stop is no failure: nothing red in the status line once the stream ended.
    EXPECT_TRUE(waitFor([&] { return rowTexts(run.view).endsWith(u"Connection closed"_s); }));
    EXPECT_FALSE(run.find<QLabel>(u"statusNote"_s)->isVisible());
}

// A stream that inherits its auth connects with its collection's.
TEST(SSEScreen, anInheritingStreamConnectsWithItsCollectionsAuth)
{
    SSERun run(eventStream({"data: hi\n\n"}, 0));
    const APIRequest feed {.name = u"Feed"_s,
        .url = run.server.baseUrl() + u"/events"_s,
        .authType = AuthType::inherit,
        .requestProtocol = RequestProtocol::sse};
    Collection api {.name = u"API"_s, .requests = {feed}};
    api.authType = AuthType::apiKey;
    api.authToken = u"stream-key"_s;
    run.state.appendCollection(api);
    run.state.openFromCollection(feed, api.id);
    click(run.connectButton);
    ASSERT_TRUE(run.server.waitForRequests(1));
    EXPECT_EQ(run.server.requests()[0].header("X-API-Key"), "stream-key");
}
