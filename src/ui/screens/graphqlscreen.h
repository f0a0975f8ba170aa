#pragma once

#include "execution/httpengine.h"
#include "model/apirequest.h"
#include "scripting/scriptedsend.h"

#include <QHash>
#include <QUuid>
#include <QWidget>

#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace mako {

class AppState;
class Commands;
class CompletingTextEdit;
class FileDialogs;
class HeadersAuthSection;
class ResponseView;
class ScreenStatusBar;
class ScriptsEditor;
class Settings;

/// The screen of a GraphQL request: operation, query and variables, its headers and
/// authentication, its scripts under a "Scripts" button that folds them away (with the
/// preferences only), "Send" and "Schema", and the reply in the response viewer of the HTTP
/// screen. Each tab keeps its own reply, in the tab as an HTTP send keeps it, while the user
/// switches tabs; the session file keeps none of it. The names from the last schema fetched in
/// a tab are offered as completions in the query.
class GraphQLScreen : public QWidget {
    Q_OBJECT

public:
    GraphQLScreen(AppState& state, Commands& commands, QWidget* parent = nullptr);
    /// `settings` and `fileDialogs` (both optional) serve the response viewer as on the HTTP
    /// screen.
    GraphQLScreen(AppState& state, Commands& commands, Settings* settings, FileDialogs* fileDialogs,
        QWidget* parent = nullptr);

    /// Sends the open request's query.
    void sendQuery();
    /// Asks the endpoint for its schema by the introspection query.
    void fetchSchema();

    ResponseView* responseView() const { return m_response; }
    HeadersAuthSection* headersAuthSection() const { return m_section; }

private:
    // The send running in a tab and the schema's names; the reply itself is the tab's.
    struct Outcome {
        QStringList schemaNames;
        quint64 sendID = 0;
        TransferHandle transfer;
        ScriptedSend scripted;
    };

    QWidget* buildEditors(AppState& state, Settings* settings);
    void foldScripts(bool unfolded);
    /// Sends `request` for the active tab; a reply is recorded in the history as `recorded`.
    void run(const APIRequest& request, const std::optional<APIRequest>& recorded, bool isSchema);
    void finish(const QUuid& tabID, quint64 sendID, const NetworkResult& result,
        const std::optional<APIRequest>& recorded, bool isSchema);
    void readSchemaNames(const QUuid& tabID, quint64 sendID, const QByteArray& body);
    void showActiveOutcome();
    void forgetClosedTabs();

    AppState& m_state;
    QHash<QUuid, Outcome> m_outcomes;
    quint64 m_lastSend = 0;
    QLineEdit* m_operation;
    CompletingTextEdit* m_query;
    QPlainTextEdit* m_variables;
    HeadersAuthSection* m_section;
    QToolButton* m_scriptsToggle = nullptr;
    ScriptsEditor* m_scripts = nullptr;
    QUuid m_scriptsShownFor;
    ResponseView* m_response;
    ScreenStatusBar* m_statusBar;
};

} // namespace mako
