#include "ui/editor/requeststatusbar.h"

#include "state/appstate.h"
#include "state/requestviewmodel.h"
#include "ui/common/colors.h"
#include "ui/common/iconlabel.h"
#include "ui/editor/variablespans.h"

#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace mako {

RequestStatusBar::RequestStatusBar(AppState& state, RequestViewModel& viewModel, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_viewModel(viewModel)
    , m_collectionIcon(new IconLabel(u"folder.fill"))
    , m_historyIcon(new IconLabel(u"clock"))
    , m_unsavedIcon(new IconLabel(u"circle"))
    , m_origin(new QLabel)
    , m_undefined(new QLabel)
    , m_response(new QLabel)
{
    setObjectName(u"requestStatusBar"_s);
    m_origin->setObjectName(u"originLabel"_s);
    m_response->setObjectName(u"responseSummary"_s);
    m_undefined->setObjectName(u"undefinedVariables"_s);
    m_undefined->setToolTip(tr("No enabled variable of the active environment or the globals "
                               "defines these placeholders."));
    m_response->setForegroundRole(QPalette::PlaceholderText);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_origin->setFont(small);
    m_undefined->setFont(small);
    m_response->setFont(small);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 3, 10, 3);
    layout->setSpacing(5);
    for (IconLabel* icon : {m_collectionIcon, m_historyIcon, m_unsavedIcon})
        layout->addWidget(icon);
    layout->addWidget(m_origin);
    layout->addSpacing(12);
    layout->addWidget(m_undefined);
    layout->addStretch();
    layout->addWidget(m_response);

    connect(&m_state, &AppState::openRequestOriginChanged, this, &RequestStatusBar::showOrigin);
    connect(&m_state, &AppState::collectionsChanged, this, &RequestStatusBar::showOrigin);
    connect(
        &m_viewModel, &RequestViewModel::responseChanged, this, &RequestStatusBar::showResponse);
    // Before sending, not after: the send goes ahead with them as typed.
    connect(&m_viewModel, &RequestViewModel::requestChanged, this,
        &RequestStatusBar::showUndefinedVariables);
    showOrigin();
    showResponse();
    showUndefinedVariables();
}

void RequestStatusBar::refreshVariables()
{
    showUndefinedVariables();
}

bool RequestStatusBar::mayHoldPlaceholders(const QString& body)
{
    // Searching a body of megabytes takes milliseconds, and switching tabs or pausing in typing
    // shows the same few bodies again and again.
    constexpr qsizetype kLongBody = 1 << 16;
    constexpr qsizetype kRemembered = 4;
    if (body.size() < kLongBody)
        return true;
    for (qsizetype at = 0; at < m_searchedBodies.size(); ++at) {
        const QString& searched = m_searchedBodies[at].first;
        if (searched.constData() == body.constData() && searched.size() == body.size()) {
            m_searchedBodies.move(at, 0);
            return m_searchedBodies.first().second;
        }
    }
    m_searchedBodies.prepend({body, body.contains(u"{{"_s)});
    if (m_searchedBodies.size() > kRemembered)
        m_searchedBodies.removeLast();
    return m_searchedBodies.first().second;
}

void RequestStatusBar::showUndefinedVariables()
{
    APIRequest request = m_viewModel.request();
    if (!mayHoldPlaceholders(request.body))
        request.body.clear();
    const QStringList names = undefinedVariableNames(request, m_state.mergedEnvironment());
    m_undefined->setVisible(!names.isEmpty());
    if (names.isEmpty())
        return;
    QStringList placeholders;
    for (const QString& name : names)
        placeholders.append(u"{{"_s + name + u"}}"_s);
    m_undefined->setText(
        tr("%n undefined variable(s), sent as typed: %1", nullptr, int(names.size()))
            .arg(placeholders.join(u", "_s)));
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, systemColor(SystemColor::red, palette));
    m_undefined->setPalette(palette);
}

void RequestStatusBar::showOrigin()
{
    const RequestOrigin& origin = m_state.openRequestOrigin();
    m_collectionIcon->setVisible(origin.kind == RequestOrigin::Kind::collection);
    m_historyIcon->setVisible(origin.kind == RequestOrigin::Kind::history);
    m_unsavedIcon->setVisible(origin.kind == RequestOrigin::Kind::none);
    QPalette palette = this->palette();
    switch (origin.kind) {
    case RequestOrigin::Kind::collection: {
        const Collection* collection = m_state.collectionStore().collection(origin.collectionID);
        m_origin->setText(collection ? collection->name : QString());
        break;
    }
    case RequestOrigin::Kind::history:
        m_origin->setText(tr("From History (unsaved)"));
        palette.setColor(QPalette::WindowText, systemColor(SystemColor::orange, palette));
        break;
    case RequestOrigin::Kind::none:
        m_origin->setText(tr("Unsaved"));
        break;
    }
    m_origin->setPalette(palette);
}

void RequestStatusBar::showResponse()
{
    const std::optional<APIResponse>& response = m_viewModel.response();
    m_response->setVisible(response.has_value());
    if (!response)
        return;
    const QString type = response->contentType();
    m_response->setText(tr("%n header(s)", nullptr, int(response->headers.size())) + u" • "_s
        + (type.isEmpty() ? tr("unknown") : type));
}

} // namespace mako
