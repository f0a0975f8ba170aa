#include "ui/screens/sseeventmodel.h"

#include "execution/sseclient.h"
#include "ui/common/colors.h"

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// The client's own notices ("Connected to ...", "Disconnected") carry this type.
const QString kSystemType = u"system"_s;

} // namespace

void SSEEventModel::setClient(SSEClient* client)
{
    if (client == m_client)
        return;
    startOver([&] {
        disconnect(m_appended);
        disconnect(m_destroyed);
        m_client = client;
        if (!client)
            return;
        m_appended = connect(client, &SSEClient::eventsChanged, this, &SSEEventModel::takeAppended);
        // A client that goes (its tab closed) leaves an empty list, never rows without data.
        m_destroyed = connect(client, &QObject::destroyed, this,
            [this] { startOver([this] { m_client = nullptr; }); });
    });
}

qsizetype SSEEventModel::sourceSize() const
{
    return m_client ? m_client->events().size() : 0;
}

QVariant SSEEventModel::data(const QModelIndex& index, int role) const
{
    if (!m_client || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const SSEEvent& event = m_client->events().at(sourceIndex(index.row()));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
        return event.data;
    case Qt::AccessibleTextRole:
        return event.event + u": "_s + event.data;
    case FilterTextRole:
        return event.event + u'\n' + event.data;
    case TitleRole:
        return event.event;
    case TimeRole:
        return timeOfDay(event.timestamp);
    case AccentRole:
        return event.event == kSystemType ? -1 : int(SystemColor::teal);
    default:
        return {};
    }
}

} // namespace mako
