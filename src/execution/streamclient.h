#pragma once

#include "model/apienvironment.h"
#include "model/apirequest.h"
#include "model/keyvaluepair.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

namespace mako {

/// What the WebSocket and the event-stream clients have in common: whether they are connected,
/// their last failure, and how a request's stream is opened. Lives on the main thread.
class StreamClient : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isConnected READ isConnected NOTIFY isConnectedChanged)
    Q_PROPERTY(std::optional<QString> error READ error NOTIFY errorChanged)

public:
    using QObject::QObject;

    /// Opens the stream of `request` the way an HTTP send puts a request together: the URL and
    /// the applicable header rows with the {{variables}} of `environment` substituted (a later
    /// row replaces an earlier one of the same name), then the header of the request's
    /// authentication. Unlike an HTTP send, the URL gets no scheme put in front and no query
    /// rows appended: it is opened as typed.
    void connect(const APIRequest& request, const std::optional<APIEnvironment>& environment);
    /// Opens `url` with the applicable `headers` exactly as given.
    virtual void connect(const QString& url, const QList<KeyValuePair>& headers) = 0;
    /// Ends the stream; the user's own stop is no failure.
    virtual void disconnect() = 0;

    bool isConnected() const { return m_isConnected; }
    /// The last failure, cleared by a connect that starts.
    const std::optional<QString>& error() const { return m_error; }

Q_SIGNALS:
    void isConnectedChanged(bool isConnected);
    void errorChanged();

protected:
    void setConnected(bool isConnected);
    void setError(const std::optional<QString>& error);

private:
    bool m_isConnected = false;
    std::optional<QString> m_error;
};

} // namespace mako
