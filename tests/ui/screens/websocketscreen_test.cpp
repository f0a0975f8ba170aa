#include "execution/websocketclient.h"
#include "screenrun.h"
#include "support/websockettestpeer.h"
#include "ui/screens/streamlistmodel.h"
#include "ui/screens/websocketscreen.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

struct WebSocketRun : ScreenRun<WebSocketScreen> {
    explicit WebSocketRun(const QStringList& saved = {})
    {
        open(APIRequest {.name = u"Chat"_s,
            .url = peer.url(),
            .requestProtocol = RequestProtocol::websocket,
            .wsMessages = saved});
    }

    void connectToPeer(int connections = 1)
    {
        const int before = rows();
        click(connectButton);
        EXPECT_TRUE(waitFor([&] { return peer.connectionCount() == connections; }));
        // Announced once the handshake is through.
        EXPECT_TRUE(waitForRows(before + 1));
    }
    void type(const QString& text, bool viaReturn)
    {
        QTest::keyClicks(field, text);
        if (viaReturn)
            QTest::keyClick(field, Qt::Key_Return);
        else
            click(find<QPushButton>(u"sendMessageButton"_s));
    }
    int rows() const { return view->model()->rowCount(); }
    bool waitForRows(int count) const
    {
        return waitFor([&] { return rows() == count; });
    }

    WebSocketTestPeer peer;
    QPushButton* connectButton = find<QPushButton>(u"connectButton"_s);
    QLineEdit* field = find<QLineEdit>(u"messageField"_s);
    QAbstractItemView* view = find<QAbstractItemView>(u"transcriptView"_s);
    QLabel* count = find<QLabel>(u"statusCount"_s);
};

} // namespace

// Return in the address connects; again while open, the connection stays.
TEST(WebSocketScreen, connectsSendsRemembersWhatWasSentAndDisconnects)
{
    WebSocketRun run;
    auto* url = run.find<QLineEdit>(u"urlField"_s);
    QTest::keyClick(url, Qt::Key_Return);
    EXPECT_TRUE(waitFor([&] { return run.peer.connectionCount() == 1; }));
    EXPECT_TRUE(run.waitForRows(1));
    EXPECT_EQ(run.connectButton->text(), u"Disconnect"_s);
    QTest::keyClick(url, Qt::Key_Return);
    EXPECT_EQ(run.peer.connectionCount(), 1);
    EXPECT_TRUE(run.find<QLabel>(u"statusConnected"_s)->isVisible());
    run.type(u"hello"_s, true);
    run.type(u"again"_s, false);
    run.type(u"hello"_s, true);
    EXPECT_TRUE(run.field->text().isEmpty());
    EXPECT_TRUE(run.waitForRows(7));
    EXPECT_EQ(rowTexts(run.view),
        (QStringList {u"Connected to "_s + run.peer.url(), u"hello"_s, u"again"_s, u"hello"_s,
            u"hello"_s, u"again"_s, u"hello"_s}));
    QStringList symbols;
    for (int row : {0, 1})
        symbols.append(
            run.view->model()->index(row, 0).data(StreamListModel::SymbolRole).toString());
    EXPECT_EQ(symbols, (QStringList {u"arrow.down.circle.fill"_s, u"arrow.up.circle.fill"_s}));
    EXPECT_EQ(run.peer.receivedTexts(), (QStringList {u"hello"_s, u"again"_s, u"hello"_s}));
    EXPECT_EQ(run.count->text(), u"7 messages"_s);
    // Each message once, the one sent last at the end.
    EXPECT_EQ(run.state.openRequest()->wsMessages, (QStringList {u"again"_s, u"hello"_s}));

    click(run.connectButton);
    EXPECT_EQ(run.connectButton->text(), u"Connect"_s);
    EXPECT_FALSE(run.find<QLabel>(u"statusConnected"_s)->isVisible());
    // The client's own close follows the notice.
    EXPECT_TRUE(waitFor([&] { return rowTexts(run.view).value(7) == u"Disconnected"_s; }));
    EXPECT_TRUE(waitFor([&] { return run.peer.clientCloseCodes() == QList<int> {1000}; }));
    // The user's own close is no failure: nothing red in the status line.
    EXPECT_TRUE(waitFor([&] { return run.rows() == 9; }));
    EXPECT_FALSE(run.find<QLabel>(u"statusNote"_s)->isVisible());
}

// A message typed before connecting stays in the field, and the status line says why it was
// not sent.
TEST(WebSocketScreen, anEmptyFieldOrAClosedConnectionAddsNoEntry)
{
    const struct {
        bool connected;
        QString text;
        bool viaReturn;
    } cases[] = {
        {true, {}, true},
        {true, {}, false},
        {false, u"lost"_s, true},
        {false, u"lost"_s, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + (c.viaReturn ? " return" : " button"));
        WebSocketRun run;
        if (c.connected)
            run.connectToPeer();
        const QStringList before = rowTexts(run.view);
        const qsizetype entries = run.screen->client()->messages().size();
        run.type(c.text, c.viaReturn);
        EXPECT_EQ(run.field->text(), c.text);
        auto* note = run.find<QLabel>(u"statusNote"_s);
        EXPECT_EQ(note->isVisible(), !c.connected);
        if (!c.connected) {
            EXPECT_EQ(note->text(), u"Not sent: not connected"_s);
        }
        EXPECT_EQ(run.screen->client()->messages().size(), entries);
        EXPECT_EQ(rowTexts(run.view), before);
        EXPECT_TRUE(run.state.openRequest()->wsMessages.isEmpty());
        EXPECT_TRUE(run.peer.receivedTexts().isEmpty());
    }
}

TEST(WebSocketScreen, followsTheNewestMessageUntilTheUserScrollsUp)
{
    WebSocketRun run;
    run.connectToPeer();
    QScrollBar* bar = run.view->verticalScrollBar();
    run.peer.stream(200, 4000, u"m"_s);
    ASSERT_TRUE(run.waitForRows(201));
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    bar->setValue(0);
    run.peer.stream(50, 4000, u"n"_s);
    ASSERT_TRUE(run.waitForRows(251));
    EXPECT_EQ(bar->value(), 0);

    run.view->scrollToBottom();
    run.peer.stream(50, 4000, u"o"_s);
    ASSERT_TRUE(run.waitForRows(301));
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST(WebSocketScreen, filtersAndClearsTheTranscriptWithoutLosingWhatComesNext)
{
    WebSocketRun run;
    run.peer.setEcho(false);
    run.connectToPeer();
    for (const QString& text : {u"apple"_s, u"Banana"_s, u"cherry"_s})
        run.peer.sendText(text);
    ASSERT_TRUE(run.waitForRows(4));
    auto* filter = run.find<QLineEdit>(u"transcriptFilter"_s);
    QTest::keyClicks(filter, u"AN"_s);
    EXPECT_EQ(rowTexts(run.view), QStringList {u"Banana"_s});
    filter->clear();
    click(run.find<QToolButton>(u"transcriptClearButton"_s));
    EXPECT_EQ(run.rows(), 0);
    EXPECT_EQ(run.count->text(), u"0 messages"_s);
    run.peer.sendText(u"date"_s);
    EXPECT_TRUE(run.waitForRows(1));
    EXPECT_EQ(rowTexts(run.view), QStringList {u"date"_s});
    EXPECT_EQ(run.screen->client()->messages().size(), 5);
}

TEST(WebSocketScreen, eachTabKeepsItsOwnConnectionUntilItClosesOrChangesProtocol)
{
    WebSocketRun run;
    const QUuid first = *run.state.activeTabID();
    run.connectToPeer();
    run.type(u"from the first"_s, true);
    ASSERT_TRUE(run.waitForRows(3));
    const QStringList firstTranscript = rowTexts(run.view);

    run.open(APIRequest {.url = run.peer.url(), .requestProtocol = RequestProtocol::websocket});
    EXPECT_EQ(run.rows(), 0);
    EXPECT_EQ(run.connectButton->text(), u"Connect"_s);
    run.connectToPeer(2);

    run.state.switchToTab(first);
    EXPECT_EQ(rowTexts(run.view), firstTranscript);
    EXPECT_EQ(run.connectButton->text(), u"Disconnect"_s);
    run.state.closeTab(first);
    EXPECT_TRUE(waitFor([&] { return run.peer.clientCloseCodes() == QList<int> {1000}; }));
    EXPECT_EQ(run.peer.openConnectionCount(), 1);
    EXPECT_EQ(run.connectButton->text(), u"Disconnect"_s);

    // A tab turned into another protocol closes its connection too.
    APIRequest request = *run.state.openRequest();
    request.requestProtocol = RequestProtocol::sse;
    run.state.setOpenRequest(request);
    EXPECT_TRUE(waitFor([&] { return run.peer.clientCloseCodes() == QList<int> {1000, 1000}; }));
    EXPECT_EQ(run.screen->client(), nullptr);
}

TEST(WebSocketScreen, offersTheSavedMessagesAgain)
{
    WebSocketRun run({u"{\"type\": \"subscribe\"}"_s, u"ping"_s});
    auto* button = run.find<QToolButton>(u"savedMessagesButton"_s);
    ASSERT_TRUE(button->isEnabled());
    QMenu* menu = button->menu();
    Q_EMIT menu->aboutToShow();
    // Newest first, then the command that forgets them.
    ASSERT_EQ(menu->actions().size(), 4);
    EXPECT_EQ(menu->actions()[0]->text(), u"ping"_s);
    menu->actions()[1]->trigger();
    EXPECT_EQ(run.field->text(), u"{\"type\": \"subscribe\"}"_s);
    menu->actions()[3]->trigger();
    EXPECT_TRUE(run.state.openRequest()->wsMessages.isEmpty());
    EXPECT_FALSE(button->isEnabled());
}

// Times of day as the locale writes them, always with seconds: messages come within a minute.
TEST(WebSocketScreen, transcriptTimesAreWrittenAsTheLocaleWritesThemWithSeconds)
{
    const struct {
        QLocale locale;
        QString afternoon; // 14:05:09
        const char* pattern; // what a transcript row shows
    } cases[] {
        {QLocale(QLocale::English, QLocale::UnitedStates), u"2:05:09 PM"_s,
            R"(^\d{1,2}:\d\d:\d\d\s(AM|PM)$)"},
        {QLocale(QLocale::German, QLocale::Germany), u"14:05:09"_s, R"(^\d\d:\d\d:\d\d$)"},
        {QLocale(QLocale::Finnish, QLocale::Finland), u"14.05.09"_s, R"(^\d{1,2}\.\d\d\.\d\d$)"},
    };
    const QLocale before;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        // Newer locale data puts a narrow space before "PM".
        QString afternoon
            = c.locale.toString(QTime(14, 5, 9), StreamListModel::timeFormatWithSeconds(c.locale));
        EXPECT_EQ(afternoon.replace(QChar(0x202f), u' '), c.afternoon);
        QLocale::setDefault(c.locale);
        WebSocketRun run;
        run.connectToPeer();
        const QString shown
            = run.view->model()->index(0, 0).data(StreamListModel::TimeRole).toString();
        EXPECT_TRUE(QRegularExpression(QString::fromLatin1(c.pattern)).match(shown).hasMatch())
            << shown.toStdString();
    }
    QLocale::setDefault(before);
}
