#pragma once

#include "execution/httpengine.h"
#include "model/apirequest.h"
#include "model/apiresponse.h"

#include <QHash>
#include <QUuid>
#include <QWidget>

#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mako {

class AppState;
class Commands;
class CompletingTextEdit;
class GraphQLResponsePanel;
class ScreenStatusBar;

/// The screen of a GraphQL request: operation, query and variables, "Send" and "Schema", and the
/// reply. Each tab keeps its own reply while the user switches tabs; nothing of it is stored.
/// The names from the last schema fetched in a tab are offered as completions in the query.
class GraphQLScreen : public QWidget {
    Q_OBJECT

public:
    GraphQLScreen(AppState& state, Commands& commands, QWidget* parent = nullptr);

    /// Sends the open request's query.
    void sendQuery();
    /// Asks the endpoint for its schema by the introspection query.
    void fetchSchema();

private:
    // What one tab's sends have come to. View state only: never written to the tab.
    struct Outcome {
        std::optional<APIResponse> response;
        // The response's body as shown, once formatted off the main thread.
        QString shownBody;
        bool isLoading = false;
        std::optional<QString> error;
        QStringList schemaNames;
        quint64 sendID = 0;
        TransferHandle transfer;
    };

    QWidget* buildEditors(AppState& state);
    /// Sends `request` for the active tab; a reply is recorded in the history as `recorded`.
    void run(const APIRequest& request, const std::optional<APIRequest>& recorded, bool isSchema);
    void finish(const QUuid& tabID, quint64 sendID, const NetworkResult& result,
        const std::optional<APIRequest>& recorded, bool isSchema);
    void format(const QUuid& tabID, quint64 sendID, const APIResponse& response, bool isSchema);
    void showActiveOutcome();
    void forgetClosedTabs();

    AppState& m_state;
    QHash<QUuid, Outcome> m_outcomes;
    quint64 m_lastSend = 0;
    QLineEdit* m_operation;
    CompletingTextEdit* m_query;
    QPlainTextEdit* m_variables;
    GraphQLResponsePanel* m_panel;
    ScreenStatusBar* m_statusBar;
};

} // namespace mako
