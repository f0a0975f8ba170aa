#include "ui/screens/graphqlresponsepanel.h"

#include "ui/common/iconlabel.h"
#include "ui/common/statusbadge.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

using namespace Qt::StringLiterals;

namespace mako {

GraphQLResponsePanel::GraphQLResponsePanel(QWidget* parent)
    : QStackedWidget(parent)
    , m_errorText(new QLabel)
    , m_status(new StatusBadge)
    , m_duration(new QLabel)
    , m_body(new QPlainTextEdit)
{
    setObjectName(u"responsePanel"_s);
    auto* hint = new QLabel(tr("Run a query"));
    hint->setObjectName(u"responsePlaceholder"_s);
    hint->setForegroundRole(QPalette::PlaceholderText);
    m_placeholder = buildMessagePage(u"arrow.triangle.branch", hint);

    m_loading = new QWidget;
    auto* progress = new QProgressBar;
    progress->setObjectName(u"responseProgress"_s);
    progress->setRange(0, 0);
    progress->setTextVisible(false);
    progress->setMaximumWidth(160);
    auto* loadingLayout = new QVBoxLayout(m_loading);
    loadingLayout->addStretch();
    loadingLayout->addWidget(progress, 0, Qt::AlignCenter);
    loadingLayout->addStretch();

    m_errorText->setObjectName(u"responseError"_s);
    m_errorText->setWordWrap(true);
    m_errorText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_error = buildMessagePage(u"exclamationmark.triangle.fill", m_errorText);
    m_response = buildResponsePage();
    for (QWidget* page : {m_placeholder, m_loading, m_error, m_response})
        addWidget(page);
    showPlaceholder();
}

QWidget* GraphQLResponsePanel::buildMessagePage(QStringView symbol, QLabel* text)
{
    auto* page = new QWidget;
    text->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    layout->addWidget(new IconLabel(symbol, 32), 0, Qt::AlignCenter);
    layout->addWidget(text);
    layout->addStretch();
    return page;
}

QWidget* GraphQLResponsePanel::buildResponsePage()
{
    auto* page = new QWidget;
    m_status->setObjectName(u"responseStatus"_s);
    m_duration->setObjectName(u"responseDuration"_s);
    m_duration->setForegroundRole(QPalette::PlaceholderText);
    m_body->setObjectName(u"responseBody"_s);
    m_body->setReadOnly(true);
    m_body->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_body->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_body->setAccessibleName(tr("Response"));
    auto* top = new QHBoxLayout;
    top->addWidget(m_status);
    top->addWidget(m_duration);
    top->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 8, 12, 8);
    layout->addLayout(top);
    layout->addWidget(m_body, 1);
    return page;
}

void GraphQLResponsePanel::showPlaceholder()
{
    setCurrentWidget(m_placeholder);
}

void GraphQLResponsePanel::showLoading()
{
    setCurrentWidget(m_loading);
}

void GraphQLResponsePanel::showError(const QString& description)
{
    m_errorText->setText(description);
    setCurrentWidget(m_error);
}

void GraphQLResponsePanel::showResponse(int statusCode, double duration, const QString& body)
{
    m_status->setStatusCode(statusCode);
    // Whole milliseconds, the fraction dropped.
    m_duration->setText(tr("%1ms").arg(qint64(duration * 1000)));
    if (m_body->toPlainText() != body)
        m_body->setPlainText(body);
    setCurrentWidget(m_response);
}

} // namespace mako
