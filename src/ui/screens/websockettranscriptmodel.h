#pragma once

#include "execution/websocketclient.h"
#include "ui/screens/streamlistmodel.h"

#include <QPointer>

namespace mako {

/// The transcript of a WebSocket client, one row per entry: outgoing entries with an up arrow
/// in blue, everything else with a down arrow in green.
class WebSocketTranscriptModel : public StreamListModel {
    Q_OBJECT

public:
    using StreamListModel::StreamListModel;

    /// Shows `client`'s transcript (none: an empty list).
    void setClient(WebSocketClient* client);
    WebSocketClient* client() const { return m_client; }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    qsizetype sourceSize() const override;

private:
    QPointer<WebSocketClient> m_client;
    QMetaObject::Connection m_appended;
    QMetaObject::Connection m_destroyed;
};

} // namespace mako
