#include "ui/screens/websocketscreen.h"

#include "execution/websocketclient.h"
#include "state/appstate.h"
#include "ui/common/icons.h"
#include "ui/common/symbolbutton.h"
#include "ui/screens/requestbinding.h"
#include "ui/screens/screenheader.h"
#include "ui/screens/screenstatusbar.h"
#include "ui/screens/transcriptpane.h"
#include "ui/screens/websockettranscriptmodel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace mako {

WebSocketScreen::WebSocketScreen(AppState& state, Commands& commands, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_clients([this] { return new WebSocketClient(this); })
    , m_model(new WebSocketTranscriptModel(this))
    , m_connect(new QPushButton(tr("Connect")))
    , m_transcript(new TranscriptPane(m_model, false, tr("Filter messages")))
    , m_input(new QLineEdit)
    , m_send(new QPushButton(icons::icon(u"paperplane.fill"), tr("Send")))
    , m_statusBar(new ScreenStatusBar(u"arrow.left.arrow.right", tr("WebSocket")))
{
    setObjectName(u"websocketScreen"_s);
    auto* header = new ScreenHeader(state, commands, RequestProtocol::websocket);
    m_connect->setObjectName(u"connectButton"_s);
    connect(m_connect, &QPushButton::clicked, this, &WebSocketScreen::toggleConnection);
    // Return in the address connects, as it sends on the HTTP screen; an open stream stays open.
    connect(header->urlField(), &QLineEdit::returnPressed, this, [this] {
        if (const WebSocketClient* current = client(); !current || !current->isConnected())
            toggleConnection();
    });
    header->addAction(m_connect);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_transcript, 1);
    layout->addLayout(buildInputRow());
    layout->addWidget(m_statusBar);
    setTabOrder(header->urlField(), m_connect);
    setTabOrder(m_connect, m_input);
    setTabOrder(m_input, m_send);

    // The count follows the list as shown: a "Clear" starts it again from zero.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_model, signal, this, &WebSocketScreen::showCount);
    connect(m_model, &QAbstractItemModel::modelReset, this, &WebSocketScreen::showCount);
    connect(
        &state, &AppState::openRequestChanged, this, &WebSocketScreen::handleOpenRequestChanged);
    connect(&state, &AppState::tabsChanged, this, [this] {
        m_clients.keepOnly(m_state.tabs());
        handleOpenRequestChanged();
        showConnectionState();
    });
    handleOpenRequestChanged();
}

QLayout* WebSocketScreen::buildInputRow()
{
    m_saved = makeSymbolButton(u"savedMessagesButton"_s, u"clock.arrow.circlepath", tr("Saved"),
        tr("Saved Messages"), this);
    m_saved->setPopupMode(QToolButton::InstantPopup);
    auto* savedMenu = new QMenu(m_saved);
    savedMenu->setObjectName(u"savedMessagesMenu"_s);
    connect(savedMenu, &QMenu::aboutToShow, this, &WebSocketScreen::fillSavedMessagesMenu);
    m_saved->setMenu(savedMenu);
    m_input->setObjectName(u"messageField"_s);
    m_input->setPlaceholderText(tr("Send message..."));
    m_input->setAccessibleName(tr("Message"));
    connect(m_input, &QLineEdit::returnPressed, this, &WebSocketScreen::sendMessage);
    m_send->setObjectName(u"sendMessageButton"_s);
    connect(m_send, &QPushButton::clicked, this, &WebSocketScreen::sendMessage);

    auto* inputRow = new QHBoxLayout;
    inputRow->setContentsMargins(12, 0, 12, 8);
    inputRow->addWidget(m_saved);
    inputRow->addWidget(m_input, 1);
    inputRow->addWidget(m_send);
    return inputRow;
}

WebSocketClient* WebSocketScreen::client() const
{
    return m_model->client();
}

void WebSocketScreen::handleOpenRequestChanged()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    const std::optional<QUuid>& tabID = m_state.activeTabID();
    const bool mine = request && request->requestProtocol == RequestProtocol::websocket;
    showClient(mine && tabID ? m_clients.clientFor(*tabID) : nullptr);
    // A tab whose request turned into another protocol ends the connection it had here.
    if (!mine && tabID)
        m_clients.discard(*tabID);
    m_saved->setEnabled(request && !request->wsMessages.isEmpty());
}

void WebSocketScreen::showClient(WebSocketClient* client)
{
    if (client == m_model->client())
        return;
    if (WebSocketClient* old = m_model->client())
        disconnect(old, nullptr, this, nullptr);
    m_model->setClient(client);
    if (client) {
        connect(client, &WebSocketClient::isConnectedChanged, this,
            &WebSocketScreen::showConnectionState);
        connect(
            client, &WebSocketClient::errorChanged, this, &WebSocketScreen::showConnectionState);
    }
    showConnectionState();
    showCount();
}

void WebSocketScreen::toggleConnection()
{
    WebSocketClient* current = client();
    const std::optional<APIRequest>& request = m_state.openRequest();
    if (!current || !request)
        return;
    if (current->isConnected())
        current->disconnect();
    else
        current->connect(request->url, request->headers);
}

void WebSocketScreen::sendMessage()
{
    const QString text = m_input->text();
    if (text.isEmpty())
        return;
    WebSocketClient* current = client();
    m_input->setFocus();
    // Typed before connecting, the message waits in the field instead of vanishing unsent.
    if (!current || !current->isConnected()) {
        m_statusBar->setNote(tr("Not sent: not connected"), true);
        return;
    }
    current->send(text);
    m_input->clear();
    rememberMessage(text);
}

void WebSocketScreen::rememberMessage(const QString& text)
{
    editOpenRequest(m_state, [&](APIRequest& request) {
        // The newest at the end, each message once, the oldest forgotten beyond the limit.
        request.wsMessages.removeAll(text);
        request.wsMessages.append(text);
        while (request.wsMessages.size() > kMaxSavedMessages)
            request.wsMessages.removeFirst();
    });
}

void WebSocketScreen::fillSavedMessagesMenu()
{
    QMenu* menu = m_saved->menu();
    menu->clear();
    const std::optional<APIRequest>& request = m_state.openRequest();
    if (!request)
        return;
    const QFontMetrics metrics(menu->font());
    // Newest first: the message just sent is the one most likely wanted again.
    for (auto message = request->wsMessages.crbegin(); message != request->wsMessages.crend();
         ++message) {
        const QString text = *message;
        QString label = metrics.elidedText(
            QString(text).replace(u'\n', u' '), Qt::ElideRight, 50 * metrics.averageCharWidth());
        // An ampersand in a message is text, not a mnemonic.
        label.replace(u"&"_s, u"&&"_s);
        menu->addAction(label, this, [this, text] {
            m_input->setText(text);
            m_input->setFocus();
        });
    }
    menu->addSeparator();
    menu->addAction(tr("Forget Saved Messages"), this, [this] {
        editOpenRequest(m_state, [](APIRequest& request) { request.wsMessages.clear(); });
    });
}

void WebSocketScreen::showConnectionState()
{
    const WebSocketClient* current = client();
    const bool connected = current && current->isConnected();
    m_connect->setText(connected ? tr("Disconnect") : tr("Connect"));
    m_statusBar->setConnected(connected);
    m_statusBar->setNote(current ? current->error().value_or(QString()) : QString(), true);
}

void WebSocketScreen::showCount()
{
    m_statusBar->setCount(tr("%n message(s)", nullptr, m_model->rowCount()));
}

} // namespace mako
