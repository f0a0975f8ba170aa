#pragma once

#include "execution/httpengine.h"
#include "model/apienvironment.h"
#include "model/apirequest.h"
#include "model/apiresponse.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace mako {

class NetworkService;

/// The state behind one request editor: the request, and the loading flag, response and error
/// of its send. Runs one send at a time; lives on the main thread, only the transfer leaves it.
///
/// Only the newest send reports: a send that a newer one replaced ends without touching the
/// fields or calling its completion, so it can never show its cancellation over the newer
/// send's progress or result.
class RequestViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(mako::APIRequest request READ request WRITE setRequest NOTIFY requestChanged)
    Q_PROPERTY(std::optional<mako::APIResponse> response READ response NOTIFY responseChanged)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(std::optional<QString> error READ error NOTIFY errorChanged)

public:
    /// Receives the response of that send: absent when it failed, was cancelled or refused.
    using Completion = std::function<void(const std::optional<APIResponse>& response)>;

    static inline const QString kEmptyURLMessage = QStringLiteral("Please enter a URL");
    static inline const QString kCancelledMessage = QStringLiteral("Request cancelled");

    /// `network` must outlive the model.
    RequestViewModel(APIRequest request, NetworkService* network, QObject* parent = nullptr);

    const APIRequest& request() const { return m_request; }
    void setRequest(const APIRequest& request);
    /// Of the last completed send.
    const std::optional<APIResponse>& response() const { return m_response; }
    bool isLoading() const { return m_isLoading; }
    /// The message of the last failed or refused send.
    const std::optional<QString>& error() const { return m_error; }

    /// Sends the request as it is now, replacing (and stopping) a send still running. An empty
    /// URL is refused with kEmptyURLMessage, leaving the response and loading flag as they were.
    void send(const std::optional<APIEnvironment>& environment);
    /// `send`, then `onComplete` on the main thread once it has ended, never before this returns.
    void sendInBackground(const std::optional<APIEnvironment>& environment, Completion onComplete);
    /// Stops the running send; it then ends with kCancelledMessage.
    void cancel();

Q_SIGNALS:
    void requestChanged();
    void responseChanged();
    void isLoadingChanged();
    void errorChanged();

private:
    void finish(quint64 sendID, const NetworkResult& result, const Completion& onComplete);
    void setResponse(const std::optional<APIResponse>& response);
    void setIsLoading(bool loading);
    void setError(const std::optional<QString>& error);

    NetworkService* m_network;
    APIRequest m_request;
    std::optional<APIResponse> m_response;
    bool m_isLoading = false;
    std::optional<QString> m_error;

    // The newest send: only its end is reported.
    quint64 m_currentSend = 0;
    bool m_currentCancelled = false;
    TransferHandle m_currentTransfer;
};

} // namespace mako
