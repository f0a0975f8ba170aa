#include "ui/screens/graphqlscreen.h"

#include "execution/graphqlrequest.h"
#include "execution/networkservice.h"
#include "state/appstate.h"
#include "ui/commands/commands.h"
#include "ui/common/icons.h"
#include "ui/common/indentkeys.h"
#include "ui/screens/completingtextedit.h"
#include "ui/screens/graphqlresponsepanel.h"
#include "ui/screens/graphqlschemanames.h"
#include "ui/screens/requestbinding.h"
#include "ui/screens/screenheader.h"
#include "ui/screens/screenstatusbar.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QThreadPool>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QLabel* fieldLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return label;
}

} // namespace

GraphQLScreen::GraphQLScreen(AppState& state, Commands& commands, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_operation(new QLineEdit)
    , m_query(new CompletingTextEdit)
    , m_variables(new QPlainTextEdit)
    , m_panel(new GraphQLResponsePanel)
    , m_statusBar(new ScreenStatusBar(u"arrow.triangle.branch", tr("GraphQL"), SystemColor::pink))
{
    setObjectName(u"graphqlScreen"_s);
    auto* header = new ScreenHeader(state, commands, RequestProtocol::graphql);
    auto* send = new QPushButton(icons::icon(u"paperplane.fill"), tr("Send"));
    send->setObjectName(u"sendQueryButton"_s);
    send->setDefault(true);
    connect(send, &QPushButton::clicked, this, &GraphQLScreen::sendQuery);
    auto* schema = new QPushButton(tr("Schema"));
    schema->setObjectName(u"schemaButton"_s);
    connect(schema, &QPushButton::clicked, this, &GraphQLScreen::fetchSchema);
    header->addAction(send);
    header->addAction(schema);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(buildEditors(state));
    splitter->addWidget(m_panel);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_statusBar);
    setTabOrder(header->urlField(), send);
    setTabOrder(send, schema);
    setTabOrder(schema, m_operation);
    setTabOrder(m_operation, m_query);
    setTabOrder(m_query, m_variables);

    // The menu's "Send Request" (and its shortcut) sends the query while this screen is shown.
    connect(&commands, &Commands::sendRequest, this, [this] {
        if (isVisible())
            sendQuery();
    });
    connect(&state, &AppState::activeTabIDChanged, this, &GraphQLScreen::showActiveOutcome);
    connect(&state, &AppState::tabsChanged, this, &GraphQLScreen::forgetClosedTabs);
    showActiveOutcome();
}

QWidget* GraphQLScreen::buildEditors(AppState& state)
{
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_operation->setObjectName(u"operationField"_s);
    m_operation->setPlaceholderText(tr("Operation name (optional)"));
    bindText(m_operation, state, &APIRequest::graphqlOperationName);
    m_query->setObjectName(u"queryEditor"_s);
    m_query->setFont(mono);
    new IndentKeys(m_query);
    bindText(m_query, state, &APIRequest::graphqlQuery);
    m_variables->setObjectName(u"variablesEditor"_s);
    m_variables->setFont(mono);
    new IndentKeys(m_variables);
    m_variables->setPlaceholderText(u"{}"_s);
    bindText(m_variables, state, &APIRequest::graphqlVariables);

    auto* editors = new QWidget;
    auto* layout = new QVBoxLayout(editors);
    layout->setContentsMargins(12, 8, 6, 8);
    layout->addWidget(fieldLabel(tr("Operation"), m_operation));
    layout->addWidget(m_operation);
    layout->addWidget(fieldLabel(tr("Query"), m_query));
    layout->addWidget(m_query, 3);
    layout->addWidget(fieldLabel(tr("Variables (JSON)"), m_variables));
    layout->addWidget(m_variables, 1);
    return editors;
}

void GraphQLScreen::sendQuery()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    if (request)
        run(makeGraphQLHTTPRequest(*request), *request, false);
}

void GraphQLScreen::fetchSchema()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    if (request)
        run(makeSchemaRequest(request->url), std::nullopt, true);
}

void GraphQLScreen::run(
    const APIRequest& request, const std::optional<APIRequest>& recorded, bool isSchema)
{
    const std::optional<QUuid> tabID = m_state.activeTabID();
    if (!tabID)
        return;
    Outcome& outcome = m_outcomes[*tabID];
    // A new send replaces the one still running; the replaced one reports nothing.
    outcome.transfer.cancel();
    outcome.isLoading = true;
    outcome.error.reset();
    const quint64 sendID = ++m_lastSend;
    outcome.sendID = sendID;
    outcome.transfer = NetworkService::shared().execute(request, m_state.mergedEnvironment(), this,
        [this, tab = *tabID, sendID, recorded, isSchema](
            const NetworkResult& result) { finish(tab, sendID, result, recorded, isSchema); });
    showActiveOutcome();
}

void GraphQLScreen::finish(const QUuid& tabID, quint64 sendID, const NetworkResult& result,
    const std::optional<APIRequest>& recorded, bool isSchema)
{
    const auto found = m_outcomes.find(tabID);
    if (found == m_outcomes.end() || found->sendID != sendID)
        return;
    Outcome& outcome = *found;
    outcome.transfer = {};
    if (const auto* response = std::get_if<APIResponse>(&result)) {
        outcome.response = *response;
        outcome.shownBody.clear();
        // The query as the user wrote it, so that the history reopens it on this screen.
        if (recorded)
            m_state.addHistoryItem(*recorded, response->statusCode, response->duration);
        format(tabID, sendID, *response, isSchema);
    } else {
        outcome.error = std::get<NetworkError>(result).errorDescription();
    }
    outcome.isLoading = false;
    if (m_state.activeTabID() == tabID)
        showActiveOutcome();
}

void GraphQLScreen::format(
    const QUuid& tabID, quint64 sendID, const APIResponse& response, bool isSchema)
{
    // A large reply takes a while to pretty-print and to read for names: off the main thread.
    QThreadPool::globalInstance()->start(
        [screen = QPointer(this), tabID, sendID, response, isSchema] {
            const QString body = QString::fromUtf8(response.prettyJSON());
            const QStringList names = isSchema ? graphQLSchemaNames(response.body) : QStringList {};
            // The application object outlives every screen; the pointer says whether this one
            // is still there when the result arrives.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [screen, tabID, sendID, body, names, isSchema] {
                    if (!screen)
                        return;
                    const auto found = screen->m_outcomes.find(tabID);
                    if (found == screen->m_outcomes.end() || found->sendID != sendID)
                        return;
                    found->shownBody = body;
                    if (isSchema)
                        found->schemaNames = names;
                    if (screen->m_state.activeTabID() == tabID)
                        screen->showActiveOutcome();
                },
                Qt::QueuedConnection);
        });
}

void GraphQLScreen::showActiveOutcome()
{
    const std::optional<QUuid>& tabID = m_state.activeTabID();
    const Outcome outcome = tabID ? m_outcomes.value(*tabID) : Outcome {};
    if (outcome.isLoading)
        m_panel->showLoading();
    else if (outcome.error)
        m_panel->showError(*outcome.error);
    else if (outcome.response)
        m_panel->showResponse(
            outcome.response->statusCode, outcome.response->duration, outcome.shownBody);
    else
        m_panel->showPlaceholder();
    m_statusBar->setNote(outcome.response ? outcome.response->contentType() : QString());
    m_query->setCompletions(outcome.schemaNames);
}

void GraphQLScreen::forgetClosedTabs()
{
    for (auto outcome = m_outcomes.begin(); outcome != m_outcomes.end();) {
        const bool open = m_state.tabStore().tab(outcome.key()) != nullptr;
        if (open) {
            ++outcome;
        } else {
            outcome->transfer.cancel();
            outcome = m_outcomes.erase(outcome);
        }
    }
}

} // namespace mako
