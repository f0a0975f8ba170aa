#pragma once

#include "execution/httpengine.h"
#include "model/apienvironment.h"
#include "model/apirequest.h"
#include "model/apiresponse.h"
#include "model/collection.h"
#include "model/scriptoutcome.h"
#include "scripting/scriptedsend.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>
#include <optional>

namespace mako {

class NetworkService;

/// The state behind one request editor: the request, and the loading flag, response and error
/// of its sends. Lives on the main thread; only the transfers leave it.
///
/// One editor serves every open tab, so each send belongs to a tab (a key the caller chooses;
/// the null id until `showTab` picks another) and runs beside the sends of the other tabs. A
/// new send replaces only the one still running for its own tab: the replaced send ends without
/// touching anything or calling its completion, so it can never show its cancellation over the
/// newer send's progress or result. The fields show the tab chosen with `showTab`; a send of
/// another tab changes them only once that tab is shown again.
class RequestViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(mako::APIRequest request READ request WRITE setRequest NOTIFY requestChanged)
    Q_PROPERTY(std::optional<mako::APIResponse> response READ response NOTIFY responseChanged)
    Q_PROPERTY(bool isLoading READ isLoading NOTIFY isLoadingChanged)
    Q_PROPERTY(std::optional<QString> error READ error NOTIFY errorChanged)

public:
    /// Receives the end of that send: its response, or (when it failed, was cancelled or was
    /// refused) no response and the message.
    using Completion = std::function<void(
        const std::optional<APIResponse>& response, const std::optional<QString>& error)>;

    static inline const QString kEmptyURLMessage = QStringLiteral("Please enter a URL");
    static inline const QString kCancelledMessage = QStringLiteral("Request cancelled");

    /// `network` must outlive the model.
    RequestViewModel(APIRequest request, NetworkService* network, QObject* parent = nullptr);
    /// Stops every send still running; none of them reports.
    ~RequestViewModel() override;

    const APIRequest& request() const { return m_request; }
    void setRequest(const APIRequest& request);
    /// Of the last completed send of the shown tab.
    const std::optional<APIResponse>& response() const { return shown().response; }
    /// A send of the shown tab is in progress.
    bool isLoading() const { return shown().isLoading; }
    /// The message of the shown tab's last failed or refused send.
    const std::optional<QString>& error() const { return shown().error; }

    /// Sends the request as it is now for the shown tab, replacing (and stopping) a send of that
    /// tab still running. An empty URL is refused with kEmptyURLMessage, leaving the response as
    /// it was.
    void send(const std::optional<APIEnvironment>& environment);
    /// `send`, then `onComplete` on the main thread once it has ended, never before this returns.
    /// A request that inherits its auth goes with that of `owner`, its collection (none
    /// without).
    void sendInBackground(const std::optional<APIEnvironment>& environment, Completion onComplete,
        const Collection* owner = nullptr);

    /// What the scripts of a send reported, and the variables as they left them; called just
    /// before the send's completion.
    using ScriptCompletion
        = std::function<void(const ScriptOutcome& outcome, const VariableScopes& scopes)>;
    /// `sendInBackground` with scripts (see ScriptedSend): the pre-request scripts may change
    /// the request that goes, not the one in the editor. The send counts as loading throughout,
    /// and cancelling it stops the scripts too.
    void sendWithScripts(SendScripts scripts, Completion onComplete, ScriptCompletion onScripts,
        const Collection* owner = nullptr);
    /// Stops the shown tab's running send; it then ends with kCancelledMessage.
    void cancel();

    const QUuid& shownTab() const { return m_shownTab; }
    /// Shows `tabID`'s sends from now on: the one running and the outcome of the last.
    void showTab(const QUuid& tabID);
    /// Stops `tabID`'s running send without a report and forgets its outcome.
    void forgetTab(const QUuid& tabID);
    /// The tabs that have a send running or an outcome kept.
    QList<QUuid> knownTabs() const { return m_tabs.keys(); }

Q_SIGNALS:
    void requestChanged();
    void responseChanged();
    void isLoadingChanged();
    void errorChanged();

private:
    // What one tab's sends have come to, and the newest of them, which alone reports.
    struct TabSends {
        std::optional<APIResponse> response;
        bool isLoading = false;
        std::optional<QString> error;
        quint64 currentSend = 0;
        bool cancelled = false;
        TransferHandle transfer;
        ScriptedSend scripted;
    };

    const TabSends& shown() const;
    /// Applies `change` to `tabID`'s sends and announces what that changed in the fields.
    void changeTab(const QUuid& tabID, const std::function<void(TabSends&)>& change);
    void announceChanges(const TabSends& before);
    void finish(const QUuid& tabID, quint64 sendID, const NetworkResult& result,
        const Completion& onComplete);
    /// Marks a new send of the shown tab as started and returns its id; nothing when the URL
    /// is empty, in which case the refusal is reported to `onComplete`.
    std::optional<quint64> beginSend(Completion& onComplete);
    /// Whether `sendID` is still the running send of `tabID`.
    bool isCurrent(const QUuid& tabID, quint64 sendID) const;
    static void stop(TabSends& sends);

    NetworkService* m_network;
    APIRequest m_request;
    QHash<QUuid, TabSends> m_tabs;
    QUuid m_shownTab;
    quint64 m_lastSend = 0;
};

} // namespace mako
