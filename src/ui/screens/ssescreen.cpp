#include "ui/screens/ssescreen.h"

#include "execution/sseclient.h"
#include "state/appstate.h"
#include "ui/screens/screenheader.h"
#include "ui/screens/screenstatusbar.h"
#include "ui/screens/sseeventmodel.h"
#include "ui/screens/transcriptpane.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

SSEScreen::SSEScreen(AppState& state, Commands& commands, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_clients([this] { return new SSEClient(NetworkService::shared(), this); })
    , m_model(new SSEEventModel(this))
    , m_connect(new QPushButton(tr("Connect")))
    , m_events(new TranscriptPane(m_model, true, tr("Filter events")))
    , m_statusBar(
          new ScreenStatusBar(u"antenna.radiowaves.left.and.right", tr("Server-Sent Events")))
{
    setObjectName(u"sseScreen"_s);
    auto* header = new ScreenHeader(state, commands, RequestProtocol::sse);
    m_connect->setObjectName(u"connectButton"_s);
    connect(m_connect, &QPushButton::clicked, this, &SSEScreen::toggleConnection);
    // Return in the address connects, as it sends on the HTTP screen; an open stream stays open.
    connect(header->urlField(), &QLineEdit::returnPressed, this, [this] {
        if (const SSEClient* current = client(); !current || !current->isConnected())
            toggleConnection();
    });
    header->addAction(m_connect);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_events, 1);
    layout->addWidget(m_statusBar);
    setTabOrder(header->urlField(), m_connect);

    // The count follows the list as shown: a "Clear" starts it again from zero.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_model, signal, this, &SSEScreen::showCount);
    connect(m_model, &QAbstractItemModel::modelReset, this, &SSEScreen::showCount);
    connect(&state, &AppState::openRequestChanged, this, &SSEScreen::handleOpenRequestChanged);
    connect(&state, &AppState::tabsChanged, this, [this] {
        m_clients.keepOnly(m_state.tabs());
        handleOpenRequestChanged();
        showConnectionState();
    });
    handleOpenRequestChanged();
}

SSEClient* SSEScreen::client() const
{
    return m_model->client();
}

void SSEScreen::handleOpenRequestChanged()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    const std::optional<QUuid>& tabID = m_state.activeTabID();
    const bool mine = request && request->requestProtocol == RequestProtocol::sse;
    showClient(mine && tabID ? m_clients.clientFor(*tabID) : nullptr);
    // A tab whose request turned into another protocol ends the connection it had here.
    if (!mine && tabID)
        m_clients.discard(*tabID);
}

void SSEScreen::showClient(SSEClient* client)
{
    if (client == m_model->client())
        return;
    if (SSEClient* old = m_model->client())
        disconnect(old, nullptr, this, nullptr);
    m_model->setClient(client);
    if (client) {
        connect(client, &SSEClient::isConnectedChanged, this, &SSEScreen::showConnectionState);
        connect(client, &SSEClient::errorChanged, this, &SSEScreen::showConnectionState);
    }
    showConnectionState();
    showCount();
}

void SSEScreen::toggleConnection()
{
    SSEClient* current = client();
    const std::optional<APIRequest>& request = m_state.openRequest();
    if (!current || !request)
        return;
    if (current->isConnected())
        current->disconnect();
    else
        current->connect(request->url, request->headers);
}

void SSEScreen::showConnectionState()
{
    const SSEClient* current = client();
    const bool connected = current && current->isConnected();
    m_connect->setText(connected ? tr("Disconnect") : tr("Connect"));
    m_statusBar->setConnected(connected);
    m_statusBar->setNote(current ? current->error().value_or(QString()) : QString(), true);
}

void SSEScreen::showCount()
{
    m_statusBar->setCount(tr("%n event(s)", nullptr, m_model->rowCount()));
}

} // namespace mako
