#include "ui/screens/websocketscreen.h"

#include "execution/websocketclient.h"
#include "state/appstate.h"
#include "ui/common/icons.h"
#include "ui/common/symbolbutton.h"
#include "ui/screens/requestbinding.h"
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
    : StreamScreen(state, commands, RequestProtocol::websocket, u"arrow.left.arrow.right",
        tr("WebSocket"), parent)
    , m_model(new WebSocketTranscriptModel(this))
    , m_transcript(new TranscriptPane(m_model, false, tr("Filter messages")))
    , m_input(new QLineEdit)
    , m_send(new QPushButton(icons::icon(u"paperplane.fill"), tr("Send")))
{
    setObjectName(u"websocketScreen"_s);
    finishSetUp(m_model, m_transcript, buildInputRow());
}

QLayout* WebSocketScreen::buildInputRow()
{
    m_saved = makeSymbolButton(u"savedMessagesButton"_s, u"clock.arrow.circlepath", tr("Saved"),
        tr("Saved Messages"), nullptr);
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

StreamClient* WebSocketScreen::makeClient()
{
    return new WebSocketClient(this);
}

void WebSocketScreen::showInList(StreamClient* client)
{
    // Every client of this screen is one it made.
    m_model->setClient(static_cast<WebSocketClient*>(client));
}

QString WebSocketScreen::countText(int rows) const
{
    return tr("%n message(s)", nullptr, rows);
}

void WebSocketScreen::followOpenRequest(const std::optional<APIRequest>& request)
{
    m_saved->setEnabled(request && !request->wsMessages.isEmpty());
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
        statusBar()->setNote(tr("Not sent: not connected"), true);
        return;
    }
    current->send(text);
    m_input->clear();
    rememberMessage(text);
}

void WebSocketScreen::rememberMessage(const QString& text)
{
    editOpenRequest(state(), [&](APIRequest& request) {
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
    const std::optional<APIRequest>& request = state().openRequest();
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
        editOpenRequest(state(), [](APIRequest& request) { request.wsMessages.clear(); });
    });
}

} // namespace mako
