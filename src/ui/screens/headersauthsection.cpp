#include "ui/screens/headersauthsection.h"

#include "execution/networkservice.h"
#include "state/appstate.h"
#include "state/requestviewmodel.h"
#include "ui/editor/autheditor.h"
#include "ui/editor/keyvalueeditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// High enough for a few rows and the auth form; the transcript or query keeps the rest.
constexpr int kEditorsHeight = 170;

int applicableHeaders(const APIRequest& request)
{
    return int(std::count_if(request.headers.cbegin(), request.headers.cend(),
        [](const KeyValuePair& row) { return row.isApplicable(); }));
}

bool hasHeadersOrAuth(const APIRequest& request)
{
    const bool anyRow = std::any_of(request.headers.cbegin(), request.headers.cend(),
        [](const KeyValuePair& row) { return !row.key.isEmpty() || !row.value.isEmpty(); });
    // A request that inherits has no auth of its own to show (new ones in a collection do).
    return anyRow || (request.authType != AuthType::none && request.authType != AuthType::inherit);
}

} // namespace

HeadersAuthSection::HeadersAuthSection(AppState& state, RequestProtocol protocol, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_protocol(protocol)
    // Only for editing: the screen sends, never this model.
    , m_viewModel(new RequestViewModel(
          state.openRequest().value_or(APIRequest {}), &NetworkService::shared(), this))
    , m_toggle(new QToolButton)
    , m_summary(new QLabel)
    , m_editors(new QWidget)
{
    setObjectName(u"headersAuthSection"_s);
    m_toggle->setObjectName(u"headersAuthToggle"_s);
    m_toggle->setText(tr("Headers and Auth"));
    m_toggle->setAccessibleName(tr("Headers and Auth"));
    m_toggle->setAccessibleDescription(
        tr("Shows or hides the request's headers and authentication"));
    m_toggle->setCheckable(true);
    m_toggle->setAutoRaise(true);
    m_toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toggle->setFocusPolicy(Qt::StrongFocus);
    m_summary->setObjectName(u"headersAuthSummary"_s);
    m_summary->setForegroundRole(QPalette::PlaceholderText);

    const auto environment = [&state] { return state.mergedEnvironment(); };
    m_headers = new KeyValueEditor(tr("Headers"), *m_viewModel, &APIRequest::headers, environment);
    m_headers->setObjectName(u"headersEditor"_s);
    m_auth = new AuthEditor(*m_viewModel, environment);
    m_auth->setObjectName(u"authEditor"_s);
    m_auth->attach(state, AuthEditor::Owner::request);
    if (protocol == RequestProtocol::websocket || protocol == RequestProtocol::sse)
        m_auth->limitToHeaderKinds();
    m_editors->setObjectName(u"headersAuthEditors"_s);
    m_editors->setFixedHeight(kEditorsHeight);
    auto* editors = new QHBoxLayout(m_editors);
    editors->setContentsMargins(0, 0, 0, 0);
    editors->setSpacing(0);
    editors->addWidget(m_headers, 3);
    // The section has one height for every kind; a kind with more fields than fit (AWS)
    // scrolls instead of squeezing them. The area itself takes no focus: Tab goes straight
    // to the fields.
    auto* authArea = new QScrollArea;
    authArea->setObjectName(u"authArea"_s);
    authArea->setWidget(m_auth);
    authArea->setWidgetResizable(true);
    authArea->setFrameShape(QFrame::NoFrame);
    authArea->setFocusPolicy(Qt::NoFocus);
    authArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    authArea->viewport()->setAutoFillBackground(false);
    editors->addWidget(authArea, 2);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(8, 0, 12, 0);
    row->addWidget(m_toggle);
    row->addWidget(m_summary, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(row);
    layout->addWidget(m_editors);

    connect(m_toggle, &QToolButton::toggled, this, &HeadersAuthSection::setExpanded);
    connect(&state, &AppState::openRequestChanged, this, &HeadersAuthSection::followOpenRequest);
    connect(m_viewModel, &RequestViewModel::requestChanged, this, &HeadersAuthSection::writeBack);
    connect(&state, &AppState::environmentsChanged, this, &HeadersAuthSection::refreshVariables);
    connect(&state, &AppState::globalVariablesChanged, this, &HeadersAuthSection::refreshVariables);
    setExpanded(false);
    followOpenRequest();
}

bool HeadersAuthSection::isExpanded() const
{
    return m_toggle->isChecked();
}

void HeadersAuthSection::setExpanded(bool expanded)
{
    m_toggle->setChecked(expanded);
    m_toggle->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
    m_editors->setVisible(expanded);
    showSummary();
}

void HeadersAuthSection::followOpenRequest()
{
    const std::optional<APIRequest>& open = m_state.openRequest();
    // The other screens' requests are not this section's business, nor worth a copy.
    if (m_syncing || !open || open->requestProtocol != m_protocol)
        return;
    if (open->id != m_shownRequest) {
        m_shownRequest = open->id;
        setExpanded(hasHeadersOrAuth(*open));
    }
    m_syncing = true;
    m_viewModel->setRequest(*open);
    m_syncing = false;
    showSummary();
}

void HeadersAuthSection::writeBack()
{
    if (m_syncing)
        return;
    m_syncing = true;
    m_state.setOpenRequest(m_viewModel->request());
    m_syncing = false;
    showSummary();
}

void HeadersAuthSection::showSummary()
{
    const APIRequest& request = m_viewModel->request();
    QStringList parts;
    if (const int headers = applicableHeaders(request); headers > 0)
        parts.append(tr("%n header(s)", nullptr, headers));
    if (request.authType != AuthType::none)
        parts.append(rawValue(request.authType));
    // Unfolded, the editors say it themselves.
    m_summary->setText(isExpanded() ? QString() : parts.join(u", "_s));
}

void HeadersAuthSection::refreshVariables()
{
    m_headers->refreshVariables();
    m_auth->refreshVariables();
}

} // namespace mako
