#include "ui/screens/streamscreen.h"

#include "execution/streamclient.h"
#include "execution/variables.h"
#include "state/appstate.h"
#include "state/oauth2tokens.h"
#include "ui/screens/headersauthsection.h"
#include "ui/screens/screenheader.h"
#include "ui/screens/screenstatusbar.h"
#include "ui/screens/streamlistmodel.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

StreamScreen::StreamScreen(AppState& state, Commands& commands, RequestProtocol protocol,
    QStringView symbol, const QString& title, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_protocol(protocol)
    , m_clients([this] { return makeClient(); })
    , m_header(new ScreenHeader(state, commands, protocol))
    , m_connect(new QPushButton(tr("Connect")))
    , m_section(new HeadersAuthSection(state, protocol))
    , m_statusBar(new ScreenStatusBar(symbol, title))
{
    m_connect->setObjectName(u"connectButton"_s);
    connect(m_connect, &QPushButton::clicked, this, &StreamScreen::toggleConnection);
    // Return in the address connects, as it sends on the HTTP screen; an open stream stays open.
    connect(m_header->urlField(), &QLineEdit::returnPressed, this, [this] {
        if (!m_shown || !m_shown->isConnected())
            toggleConnection();
    });
    m_header->addAction(m_connect);
}

StreamScreen::~StreamScreen()
{
    // The clients go with the widget's children, after the subclass: none may call back into
    // it on the way.
    if (m_shown)
        disconnect(m_shown, nullptr, this, nullptr);
}

void StreamScreen::finishSetUp(StreamListModel* list, QWidget* content, QLayout* footer)
{
    m_list = list;
    // The count follows the list as shown: a "Clear" starts it again from zero.
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(m_list, signal, this, &StreamScreen::showCount);
    connect(m_list, &QAbstractItemModel::modelReset, this, &StreamScreen::showCount);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_section);
    layout->addWidget(content, 1);
    if (footer)
        layout->addLayout(footer);
    layout->addWidget(m_statusBar);

    connect(&m_state, &AppState::openRequestChanged, this, &StreamScreen::handleOpenRequestChanged);
    connect(&m_state, &AppState::tabsChanged, this, [this] {
        m_clients.keepOnly(m_state.tabs());
        handleOpenRequestChanged();
        showConnectionState();
    });
    handleOpenRequestChanged();
}

void StreamScreen::followOpenRequest(const std::optional<APIRequest>&) { }

void StreamScreen::handleOpenRequestChanged()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    const std::optional<QUuid>& tabID = m_state.activeTabID();
    const bool mine = request && request->requestProtocol == m_protocol;
    showClient(mine && tabID ? m_clients.clientFor(*tabID) : nullptr);
    // A tab whose request turned into another protocol ends the connection it had here.
    if (!mine && tabID)
        m_clients.discard(*tabID);
    followOpenRequest(request);
}

void StreamScreen::showClient(StreamClient* client)
{
    if (client == m_shown)
        return;
    if (m_shown)
        disconnect(m_shown, nullptr, this, nullptr);
    m_shown = client;
    showInList(client);
    if (client) {
        connect(
            client, &StreamClient::isConnectedChanged, this, &StreamScreen::showConnectionState);
        connect(client, &StreamClient::errorChanged, this, &StreamScreen::showConnectionState);
        // A client discarded with its tab leaves nothing shown.
        connect(client, &QObject::destroyed, this, [this, client] {
            if (m_shown != client)
                return;
            m_shown = nullptr;
            showInList(nullptr);
            showConnectionState();
            showCount();
        });
    }
    showConnectionState();
    showCount();
}

void StreamScreen::toggleConnection()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    if (!m_shown || !request)
        return;
    if (m_shown->isConnected()) {
        m_shown->disconnect();
        return;
    }
    const std::optional<APIEnvironment> environment = m_state.mergedEnvironment();
    const APIRequest sent = m_state.withInheritedAuth(*request, m_state.openRequestOrigin());
    if (sent.authType != AuthType::oauth2) {
        m_shown->connect(sent, environment);
        return;
    }
    // A stream goes with the token a send of the same request would get.
    m_state.oauth2Tokens().tokenForSend(
        sent.oauth2,
        [environment](const QString& text) { return substituteVariables(text, environment); },
        [self = QPointer(this), client = QPointer(m_shown), request = sent, environment](
            const Result<OAuth2Token>& token) {
            if (!self || !client)
                return;
            if (!token) {
                if (client == self->m_shown)
                    self->m_statusBar->setNote(token.errorMessage(), true);
                return;
            }
            APIRequest withToken = request;
            withToken.authToken = token->accessToken;
            client->connect(withToken, environment);
        });
}

void StreamScreen::showConnectionState()
{
    const bool connected = m_shown && m_shown->isConnected();
    m_connect->setText(connected ? tr("Disconnect") : tr("Connect"));
    m_statusBar->setConnected(connected);
    m_statusBar->setNote(m_shown ? m_shown->error().value_or(QString()) : QString(), true);
}

void StreamScreen::showCount()
{
    m_statusBar->setCount(countText(m_list->rowCount()));
}

} // namespace mako
