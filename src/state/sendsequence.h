#pragma once

#include <QObject>
#include <QUuid>

namespace mako {

class AppState;
class RequestViewModel;
class URLHistory;

/// What the request editor's send button does, for one editor and its model serving every tab.
///
/// `send` records the URL among the recent ones, writes the working copy back into the active
/// tab and sends it (through the model, with the merged environment) while the tab shows it
/// loading. When it ends, a response is added to the history, saved back into the collection
/// the request was opened from, and shown in the tab; a failure shows its message in the tab and
/// touches neither history nor collections.
///
/// Each tab's send runs beside the others: switching tabs and sending there leaves the first one
/// running, and its end lands in the tab that sent, with the request and origin it was sent
/// with, whether or not that tab is still the active one. A new send in the same tab replaces
/// the older one there. Closing a tab stops its send, which then reports nothing. The model
/// shows the active tab's sends.
class SendSequence : public QObject {
    Q_OBJECT

public:
    /// All three must outlive the sequence.
    SendSequence(AppState* state, RequestViewModel* model, URLHistory* urlHistory,
        QObject* parent = nullptr);

    /// Sends the open request of the active tab.
    void send();

private:
    void showActiveTab();
    void forgetClosedTabs();

    AppState* m_state;
    RequestViewModel* m_model;
    URLHistory* m_urlHistory;
};

} // namespace mako
