#pragma once

#include "model/requestenums.h"

#include <QUuid>
#include <QWidget>

class QLabel;
class QToolButton;

namespace mako {

class AppState;
class AuthEditor;
class KeyValueEditor;
class RequestViewModel;

/// The open request's Headers and Auth on the GraphQL, WebSocket and SSE screens: the same
/// editors as on the HTTP screen, under a button that folds them away. A request is shown
/// folded unless it has headers or authentication already; the user's unfolding or folding
/// holds until another request is shown. Folded, a line beside the button says what is set.
class HeadersAuthSection : public QWidget {
    Q_OBJECT

public:
    /// Edits the open request while it is one of `protocol`.
    HeadersAuthSection(AppState& state, RequestProtocol protocol, QWidget* parent = nullptr);

    QToolButton* toggleButton() const { return m_toggle; }
    /// The copy of the open request these editors change; more editors of the same request
    /// (the GraphQL screen's scripts) may edit it too.
    RequestViewModel& viewModel() const { return *m_viewModel; }
    bool isExpanded() const;
    void setExpanded(bool expanded);

private:
    void followOpenRequest();
    void writeBack();
    void showSummary();
    void refreshVariables();

    AppState& m_state;
    const RequestProtocol m_protocol;
    RequestViewModel* m_viewModel;
    QToolButton* m_toggle;
    QLabel* m_summary;
    QWidget* m_editors;
    KeyValueEditor* m_headers;
    AuthEditor* m_auth;
    QUuid m_shownRequest;
    bool m_syncing = false;
};

} // namespace mako
