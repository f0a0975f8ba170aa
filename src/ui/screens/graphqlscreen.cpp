#include "ui/screens/graphqlscreen.h"

#include "execution/graphqlrequest.h"
#include "execution/networkservice.h"
#include "state/appstate.h"
#include "state/requestviewmodel.h"
#include "ui/commands/commands.h"
#include "ui/common/icons.h"
#include "ui/common/indentkeys.h"
#include "ui/editor/scripteditor.h"
#include "ui/response/responseview.h"
#include "ui/screens/completingtextedit.h"
#include "ui/screens/graphqlschemanames.h"
#include "ui/screens/headersauthsection.h"
#include "ui/screens/requestbinding.h"
#include "ui/screens/screenheader.h"
#include "ui/screens/screenstatusbar.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QThreadPool>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

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
    : GraphQLScreen(state, commands, nullptr, nullptr, parent)
{ }

GraphQLScreen::GraphQLScreen(AppState& state, Commands& commands, Settings* settings,
    FileDialogs* fileDialogs, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_statusBar(new ScreenStatusBar(u"arrow.triangle.branch", tr("GraphQL"), SystemColor::pink))
{
    setObjectName(u"graphqlScreen"_s);
    // Made in reading order, which is the order Tab follows.
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
    m_section = new HeadersAuthSection(state, RequestProtocol::graphql);
    QWidget* editors = buildEditors(state, settings);
    m_response = new ResponseView(state, settings, fileDialogs);
    connect(m_response, &ResponseView::manageCookiesRequested, &commands, &Commands::manageCookies);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(u"graphqlSplit"_s);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(editors);
    splitter->addWidget(m_response);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_section);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_statusBar);

    // The menu's "Send Request" (and its shortcut) sends the query while this screen is shown.
    connect(&commands, &Commands::sendRequest, this, [this] {
        if (isVisible())
            sendQuery();
    });
    connect(&state, &AppState::activeTabIDChanged, this, &GraphQLScreen::showActiveOutcome);
    connect(&state.tabStore(), &TabStore::tabChanged, this, [this](const QUuid& tabID) {
        if (m_state.activeTabID() == tabID)
            showActiveOutcome();
    });
    connect(&state, &AppState::tabsChanged, this, &GraphQLScreen::forgetClosedTabs);
    showActiveOutcome();
}

QWidget* GraphQLScreen::buildEditors(AppState& state, Settings* settings)
{
    const QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_operation = new QLineEdit;
    m_query = new CompletingTextEdit;
    m_variables = new QPlainTextEdit;
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
    if (settings) {
        // The request is the section's copy, so that both edit the same working copy.
        m_scripts = new ScriptsEditor(m_section->viewModel(), *settings);
        m_scripts->setObjectName(u"scriptsEditor"_s);
        // In line with the fields above it.
        m_scripts->layout()->setContentsMargins(0, 0, 0, 0);
        m_scriptsToggle = new QToolButton;
        m_scriptsToggle->setObjectName(u"scriptsToggle"_s);
        m_scriptsToggle->setText(tr("Scripts"));
        m_scriptsToggle->setAccessibleName(tr("Scripts"));
        m_scriptsToggle->setAccessibleDescription(
            tr("Shows or hides the request's pre-request and test scripts"));
        m_scriptsToggle->setCheckable(true);
        m_scriptsToggle->setAutoRaise(true);
        m_scriptsToggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        m_scriptsToggle->setFocusPolicy(Qt::StrongFocus);
        connect(m_scriptsToggle, &QToolButton::toggled, this, &GraphQLScreen::foldScripts);
        layout->addWidget(m_scriptsToggle, 0, Qt::AlignLeft);
        layout->addWidget(m_scripts, 2);
        // As the headers above: a request is shown folded unless it has scripts already.
        const RequestViewModel& model = m_section->viewModel();
        connect(&model, &RequestViewModel::requestChanged, this, [this, &model] {
            if (std::exchange(m_scriptsShownFor, model.request().id) == model.request().id)
                return;
            m_scriptsToggle->setChecked(hasScript(model.request()));
        });
        m_scriptsShownFor = model.request().id;
        m_scriptsToggle->setChecked(hasScript(model.request()));
        foldScripts(m_scriptsToggle->isChecked());
    }
    return editors;
}

void GraphQLScreen::foldScripts(bool unfolded)
{
    m_scriptsToggle->setArrowType(unfolded ? Qt::DownArrow : Qt::RightArrow);
    m_scripts->setVisible(unfolded);
}

void GraphQLScreen::sendQuery()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    if (request)
        run(makeGraphQLHTTPRequest(
                m_state.withInheritedAuth(*request, m_state.openRequestOrigin())),
            *request, false);
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
    outcome.scripted.cancel();
    const quint64 sendID = ++m_lastSend;
    outcome.sendID = sendID;
    m_state.updateTabResponse(*tabID, std::nullopt, std::nullopt, true);
    // A query runs with the scripts around its request; the schema fetch is Mako's own.
    const RequestOrigin origin = m_state.openRequestOrigin();
    std::optional<SendScripts> scripts
        = recorded ? m_state.scriptsAround(*recorded, origin) : std::nullopt;
    if (scripts) {
        outcome.scripted
            = ScriptedSend::start(NetworkService::shared(), request, std::move(*scripts), this,
                [this, tab = *tabID, sendID, recorded, origin](const NetworkResult& result,
                    const ScriptOutcome& scriptOutcome, const VariableScopes& scopes) {
                    const auto found = m_outcomes.constFind(tab);
                    if (found == m_outcomes.cend() || found->sendID != sendID)
                        return;
                    m_state.keepScriptRun(tab, origin, scriptOutcome, scopes);
                    finish(tab, sendID, result, recorded, false);
                });
        return;
    }
    outcome.transfer = NetworkService::shared().execute(request, m_state.mergedEnvironment(), this,
        [this, tab = *tabID, sendID, recorded, isSchema](
            const NetworkResult& result) { finish(tab, sendID, result, recorded, isSchema); });
}

void GraphQLScreen::finish(const QUuid& tabID, quint64 sendID, const NetworkResult& result,
    const std::optional<APIRequest>& recorded, bool isSchema)
{
    const auto found = m_outcomes.find(tabID);
    if (found == m_outcomes.end() || found->sendID != sendID)
        return;
    found->transfer = {};
    found->scripted = {};
    if (const auto* response = std::get_if<APIResponse>(&result)) {
        // The query as the user wrote it, so that the history reopens it on this screen.
        if (recorded)
            m_state.addHistoryItem(*recorded, response->statusCode, response->duration);
        if (isSchema)
            readSchemaNames(tabID, sendID, response->body);
        m_state.updateTabResponse(tabID, *response, std::nullopt, false);
    } else {
        m_state.updateTabResponse(
            tabID, std::nullopt, std::get<NetworkError>(result).errorDescription(), false);
    }
}

void GraphQLScreen::readSchemaNames(const QUuid& tabID, quint64 sendID, const QByteArray& body)
{
    // A large schema takes a while to read for names: off the main thread.
    QThreadPool::globalInstance()->start([screen = QPointer(this), tabID, sendID, body] {
        const QStringList names = graphQLSchemaNames(body);
        // The application object outlives every screen; the pointer says whether this one is
        // still there when the result arrives.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [screen, tabID, sendID, names] {
                if (!screen)
                    return;
                const auto found = screen->m_outcomes.find(tabID);
                if (found == screen->m_outcomes.end() || found->sendID != sendID)
                    return;
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
    const RequestTab* tab = m_state.tabStore().activeTab();
    m_statusBar->setNote(tab && tab->response ? tab->response->contentType() : QString());
    m_query->setCompletions(tabID ? m_outcomes.value(*tabID).schemaNames : QStringList {});
}

void GraphQLScreen::forgetClosedTabs()
{
    for (auto outcome = m_outcomes.begin(); outcome != m_outcomes.end();) {
        const bool open = m_state.tabStore().tab(outcome.key()) != nullptr;
        if (open) {
            ++outcome;
        } else {
            outcome->transfer.cancel();
            outcome->scripted.cancel();
            outcome = m_outcomes.erase(outcome);
        }
    }
}

} // namespace mako
