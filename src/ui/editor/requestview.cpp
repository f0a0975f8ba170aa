#include "ui/editor/requestview.h"

#include "execution/networkservice.h"
#include "state/appstate.h"
#include "state/requestviewmodel.h"
#include "state/sendsequence.h"
#include "state/settings.h"
#include "state/urlhistory.h"
#include "ui/commands/commands.h"
#include "ui/editor/bodyeditor.h"
#include "ui/editor/curlimportsheet.h"
#include "ui/editor/requestdetailtabs.h"
#include "ui/editor/requeststatusbar.h"
#include "ui/editor/resizedivider.h"
#include "ui/editor/scripteditor.h"
#include "ui/editor/urlbar.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr int kEmptyURLFocusDelayMs = 100;

QWidget* responsePlaceholder()
{
    auto* label = new QLabel(RequestView::tr("Response"));
    label->setObjectName(u"responsePlaceholder"_s);
    label->setAlignment(Qt::AlignCenter);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

RequestView::RequestView(AppState& state, Commands& commands, Settings& settings, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_viewModel(new RequestViewModel(
          state.openRequest().value_or(APIRequest {}), &NetworkService::shared(), this))
    // On the store of these settings, so that a run on other settings keeps its own list.
    , m_urlHistory(new URLHistory(settings.fileName(), settings.format(), this))
    , m_sequence(new SendSequence(&state, m_viewModel, m_urlHistory, this))
{
    // Named like every protocol's screen of the detail area.
    setObjectName(u"httpScreen"_s);
    const auto environment = [this] { return this->environment(); };
    m_urlBar = new UrlBar(*m_viewModel, environment);
    m_tabs = new RequestDetailTabs(*m_viewModel, settings, environment);
    m_tabs->setObjectName(u"requestDetailTabs"_s);
    m_tabs->attach(state);
    m_split = new SplitArea(m_tabs, responsePlaceholder());
    m_split->setObjectName(u"editorSplit"_s);
    m_statusBar = new RequestStatusBar(state, *m_viewModel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_urlBar);
    layout->addWidget(m_split, 1);
    layout->addWidget(m_statusBar);

    m_urlBar->urlField()->setCurlHandler(
        [this](const QString& command) { return importPastedCurl(command); });
    connect(m_urlBar, &UrlBar::sendRequested, this, &RequestView::send);
    connect(m_urlBar, &UrlBar::cancelRequested, this, &RequestView::cancel);
    connect(&commands, &Commands::sendRequest, this, &RequestView::handleSendCommand);
    connect(&m_state, &AppState::openRequestChanged, this, &RequestView::handleOpenRequestChanged);
    connect(m_viewModel, &RequestViewModel::requestChanged, this,
        &RequestView::handleViewModelRequestChanged);
    // A closed tab's body and script texts (documents of their own, with their histories) go
    // with the tab.
    connect(&m_state.tabStore(), &TabStore::tabsRemoved, this, [this] {
        QList<QUuid> open;
        for (const RequestTab& tab : m_state.tabs())
            open.append(tab.id);
        m_tabs->bodyEditor()->keepTabs(open);
        m_tabs->scriptsEditor()->keepTabs(open);
    });
    connect(&m_state, &AppState::environmentsChanged, this, &RequestView::refreshVariables);
    connect(&m_state, &AppState::globalVariablesChanged, this, &RequestView::refreshVariables);
    loadRecentURLs();
    // Built when the first request opens, so that request is already a new one.
    focusAnEmptyURL();
}

RequestView::~RequestView() = default;

void RequestView::setResponsePane(QWidget* pane)
{
    m_split->setBottom(pane);
}

QWidget* RequestView::responsePane() const
{
    return m_split->bottom();
}

double RequestView::responseFraction() const
{
    return m_split->responseFraction();
}

std::optional<APIEnvironment> RequestView::environment() const
{
    return m_state.mergedEnvironment();
}

void RequestView::handleOpenRequestChanged()
{
    if (m_isSyncingFromTab)
        return;
    const std::optional<APIRequest>& open = m_state.openRequest();
    if (!open || *open == m_viewModel->request())
        return;
    // The same request changed elsewhere (renamed, saved) is taken as it is; another request
    // (a tab switch, a new tab) is taken up, and an empty URL is where typing starts.
    const bool otherRequest = open->id != m_viewModel->request().id;
    m_isSyncingFromTab = true;
    m_viewModel->setRequest(*open);
    m_isSyncingFromTab = false;
    if (otherRequest)
        focusAnEmptyURL();
}

void RequestView::focusAnEmptyURL()
{
    if (!m_viewModel->request().url.isEmpty())
        return;
    QTimer::singleShot(kEmptyURLFocusDelayMs, this, [this] {
        // A sheet opened in the meantime keeps the focus, and closing it returns the focus to
        // where it was opened from, not to a field it had never reached.
        if (QApplication::activeModalWidget())
            return;
        if (m_viewModel->request().url.isEmpty() && isVisible())
            m_urlBar->urlField()->setFocus(Qt::OtherFocusReason);
    });
}

void RequestView::handleViewModelRequestChanged()
{
    if (m_isSyncingFromTab)
        return;
    m_isSyncingFromTab = true;
    m_state.setOpenRequest(m_viewModel->request());
    m_isSyncingFromTab = false;
}

void RequestView::handleSendCommand()
{
    // The command belongs to whichever screen shows the open request.
    const std::optional<APIRequest>& open = m_state.openRequest();
    if (open && open->requestProtocol == RequestProtocol::http)
        send();
}

void RequestView::send()
{
    m_tabs->bodyEditor()->flushPendingText();
    if (m_urlBar->urlField()->hasFocus())
        m_urlBar->sendButton()->setFocus(Qt::OtherFocusReason);
    m_sequence->send();
    loadRecentURLs();
}

void RequestView::cancel()
{
    m_viewModel->cancel();
}

void RequestView::refreshVariables()
{
    m_urlBar->refreshVariables();
    m_tabs->refreshVariables();
    m_statusBar->refreshVariables();
}

void RequestView::loadRecentURLs()
{
    // Asked after the send's own addition, so the list already holds it.
    m_urlHistory->recentURLs(
        this, [field = QPointer(m_urlBar->urlField())](const QStringList& urls) {
            if (field)
                field->setRecentURLs(urls);
        });
}

bool RequestView::importPastedCurl(const QString& command)
{
    // Pasted text that is not a command the parser reads goes into the URL as typed.
    return !importCurlCommand(m_state, command).has_value();
}

} // namespace mako
