#include "ui/editor/requestdetailtabs.h"

#include "state/appstate.h"
#include "state/requestviewmodel.h"
#include "ui/common/colors.h"
#include "ui/editor/autheditor.h"
#include "ui/editor/bodyeditor.h"
#include "ui/editor/codegeneratorview.h"
#include "ui/editor/scripteditor.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// A count in a pill of the accent colour.
class CountBadge : public QLabel {
public:
    CountBadge()
    {
        QFont small = font();
        small.setPixelSize(9);
        small.setWeight(QFont::Medium);
        setFont(small);
        setAlignment(Qt::AlignCenter);
        setContentsMargins(5, 0, 5, 0);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = palette().color(QPalette::Link);
        fill.setAlphaF(0.7f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        const qreal radius = height() / 2.0;
        painter.drawRoundedRect(rect(), radius, radius);
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

// A dot of the accent colour: the tab holds something, without a number to it.
class DotMarker : public QWidget {
public:
    DotMarker() { setFixedSize(7, 7); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette().color(QPalette::Link));
        painter.drawEllipse(rect());
    }
};

void showCount(QLabel* badge, int count)
{
    badge->setText(QString::number(count));
    badge->setAccessibleName(QString::number(count));
    badge->setVisible(count > 0);
}

} // namespace

int applicableRowCount(const QList<KeyValuePair>& rows)
{
    return int(std::count_if(
        rows.cbegin(), rows.cend(), [](const KeyValuePair& row) { return row.isApplicable(); }));
}

RequestDetailTabs::RequestDetailTabs(RequestViewModel& viewModel, Settings& settings,
    KeyValueEditor::EnvironmentSource environment, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_tabs(new QButtonGroup(this))
    , m_pages(new QStackedWidget)
    , m_params(new KeyValueEditor(
          tr("Query Parameters"), viewModel, &APIRequest::queryParams, environment))
    , m_headers(new KeyValueEditor(tr("Headers"), viewModel, &APIRequest::headers, environment))
    , m_body(new BodyEditor(viewModel, settings, environment))
{
    m_params->setObjectName(u"paramsEditor"_s);
    m_headers->setObjectName(u"headersEditor"_s);
    m_body->setObjectName(u"bodyEditor"_s);
    m_auth = new AuthEditor(viewModel, environment);
    m_auth->setObjectName(u"authEditor"_s);
    // OAuth 2.0 has more fields than the editor's share of the window may hold: the page
    // scrolls rather than squeezing them. The area itself takes no focus.
    auto* auth = new QScrollArea;
    auth->setObjectName(u"authArea"_s);
    auth->setWidget(m_auth);
    auth->setWidgetResizable(true);
    auth->setFrameShape(QFrame::NoFrame);
    auth->setFocusPolicy(Qt::NoFocus);
    auth->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auth->viewport()->setAutoFillBackground(false);
    m_scripts = new ScriptsEditor(viewModel, settings);
    m_scripts->setObjectName(u"scriptsEditor"_s);
    auto* code = new CodeGeneratorView(viewModel);
    m_code = code;
    code->setObjectName(u"codeGeneratorView"_s);
    for (QWidget* page : {static_cast<QWidget*>(m_params), static_cast<QWidget*>(m_headers),
             static_cast<QWidget*>(m_body), static_cast<QWidget*>(auth),
             static_cast<QWidget*>(m_scripts), static_cast<QWidget*>(code)}) {
        m_pages->addWidget(page);
    }
    m_pages->setObjectName(u"detailPages"_s);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTabRow());
    layout->addWidget(m_pages, 1);

    connect(&m_viewModel, &RequestViewModel::requestChanged, this,
        &RequestDetailTabs::handleRequestChanged);
    handleRequestChanged();
    selectTab(ParamsTab);
}

QWidget* RequestDetailTabs::buildTabRow()
{
    const QStringList titles {
        tr("Params"), tr("Headers"), tr("Body"), tr("Auth"), tr("Scripts"), tr("Code")};
    const QStringList names {
        u"paramsTab"_s, u"headersTab"_s, u"bodyTab"_s, u"authTab"_s, u"scriptsTab"_s, u"codeTab"_s};
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(2);
    for (int index = 0; index < titles.size(); ++index) {
        auto* button = new QToolButton;
        button->setObjectName(names[index]);
        button->setText(titles[index]);
        button->setCheckable(true);
        button->setAutoRaise(true);
        m_tabs->addButton(button, index);
        layout->addWidget(button);
        if (index == ParamsTab || index == HeadersTab) {
            auto* badge = new CountBadge;
            badge->setObjectName(names[index] + u"Badge"_s);
            layout->addWidget(badge);
            (index == ParamsTab ? m_paramsBadge : m_headersBadge) = badge;
        }
        if (index == ScriptsTab) {
            m_scriptsMarker = new DotMarker;
            m_scriptsMarker->setObjectName(u"scriptsTabMarker"_s);
            m_scriptsMarker->setToolTip(tr("The request has a script"));
            m_scriptsMarker->setAccessibleName(m_scriptsMarker->toolTip());
            layout->addWidget(m_scriptsMarker);
            // Keeps the dot with its own tab rather than halfway to the next one.
            layout->addSpacing(6);
        }
    }
    layout->addStretch();
    connect(m_tabs, &QButtonGroup::idClicked, this, &RequestDetailTabs::selectTab);
    return row;
}

void RequestDetailTabs::attach(AppState& state)
{
    m_auth->attach(state, AuthEditor::Owner::request);
    m_code->setSentForm([&state](const APIRequest& request) {
        return state.withInheritedAuth(request, state.openRequestOrigin());
    });
    connect(&state, &AppState::collectionsChanged, m_code, &CodeGeneratorView::sentFormChanged);
}

int RequestDetailTabs::selectedTab() const
{
    return m_pages->currentIndex();
}

void RequestDetailTabs::selectTab(int tab)
{
    if (QAbstractButton* button = m_tabs->button(tab))
        button->setChecked(true);
    m_pages->setCurrentIndex(tab);
    styleTabs();
}

void RequestDetailTabs::styleTabs()
{
    for (QAbstractButton* button : m_tabs->buttons()) {
        QFont font = button->font();
        font.setWeight(button->isChecked() ? QFont::DemiBold : QFont::Normal);
        button->setFont(font);
        button->setForegroundRole(
            button->isChecked() ? QPalette::ButtonText : QPalette::PlaceholderText);
    }
}

void RequestDetailTabs::refreshVariables()
{
    m_params->refreshVariables();
    m_headers->refreshVariables();
    m_body->refreshVariables();
    m_auth->refreshVariables();
}

void RequestDetailTabs::handleRequestChanged()
{
    const APIRequest& request = m_viewModel.request();
    showCount(m_paramsBadge, applicableRowCount(request.queryParams));
    showCount(m_headersBadge, applicableRowCount(request.headers));
    m_scriptsMarker->setVisible(hasScript(request));
    // A form body is made of these rows: say so where they are edited as parameters.
    m_params->setNote(request.bodyType == RequestBodyType::formData
            ? tr("The body is Form Data: these rows are sent as its fields, not in the URL.")
            : QString());
}

} // namespace mako
