#pragma once

#include "execution/sseclient.h"
#include "ui/screens/streamlistmodel.h"

#include <QPointer>

namespace mako {

/// The events of a stream, one two-line row each: the type as a heading (teal for the stream's
/// events, the secondary colour for the client's own notices) and the data.
class SSEEventModel : public StreamListModel {
    Q_OBJECT

public:
    using StreamListModel::StreamListModel;

    /// Shows `client`'s events (none: an empty list).
    void setClient(SSEClient* client);
    SSEClient* client() const { return m_client; }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    qsizetype sourceSize() const override;

private:
    QPointer<SSEClient> m_client;
    QMetaObject::Connection m_appended;
    QMetaObject::Connection m_destroyed;
};

} // namespace mako
