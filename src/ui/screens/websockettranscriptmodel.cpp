#include "ui/screens/websockettranscriptmodel.h"

#include "execution/websocketclient.h"
#include "ui/common/colors.h"

using namespace Qt::StringLiterals;

namespace mako {

void WebSocketTranscriptModel::setClient(WebSocketClient* client)
{
    if (client == m_client)
        return;
    startOver([&] {
        disconnect(m_appended);
        disconnect(m_destroyed);
        m_client = client;
        if (!client)
            return;
        m_appended = connect(client, &WebSocketClient::messagesChanged, this,
            &WebSocketTranscriptModel::takeAppended);
        // A client that goes (its tab closed) leaves an empty list, never rows without data.
        m_destroyed = connect(client, &QObject::destroyed, this,
            [this] { startOver([this] { m_client = nullptr; }); });
    });
}

qsizetype WebSocketTranscriptModel::sourceSize() const
{
    return m_client ? m_client->messages().size() : 0;
}

QVariant WebSocketTranscriptModel::data(const QModelIndex& index, int role) const
{
    if (!m_client || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const WSMessage& message = m_client->messages().at(sourceIndex(index.row()));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
    case FilterTextRole:
        return message.content;
    case Qt::AccessibleTextRole:
        return (message.isOutgoing ? tr("Sent: %1") : tr("Received: %1")).arg(message.content);
    case TimeRole:
        return timeOfDay(message.timestamp);
    case SymbolRole:
        return message.isOutgoing ? u"arrow.up.circle.fill"_s : u"arrow.down.circle.fill"_s;
    case AccentRole:
        return int(message.isOutgoing ? SystemColor::blue : SystemColor::green);
    default:
        return {};
    }
}

} // namespace mako
