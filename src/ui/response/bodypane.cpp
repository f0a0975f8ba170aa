#include "ui/response/bodypane.h"

#include "ui/common/resultchannel.h"
#include "ui/response/bodydocument.h"
#include "ui/response/bodyhighlighter.h"
#include "ui/response/bodyview.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QUtf8StringView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QByteArray rawText(const QByteArray& body)
{
    return QUtf8StringView(body).isValidUtf8() ? body : QByteArray(kUndecodableBodyText);
}

bool isImage(const APIResponse& response)
{
    return response.contentType().trimmed().startsWith(u"image/"_s, Qt::CaseInsensitive);
}

} // namespace

BodyPane::BodyPane(QWidget* parent)
    : QWidget(parent)
    , m_pretty(new BodyDocument(this))
    , m_raw(new BodyDocument(this))
    , m_stack(new QStackedWidget)
    , m_view(new BodyView)
    , m_imageArea(new QScrollArea)
    , m_image(new QLabel)
    , m_working(new QLabel(tr("Working...")))
{
    setObjectName(u"responseBodyPane"_s);
    m_image->setObjectName(u"responseImage"_s);
    m_image->setAlignment(Qt::AlignCenter);
    m_imageArea->setWidget(m_image);
    m_imageArea->setWidgetResizable(true);
    m_working->setObjectName(u"responseBodyWorking"_s);
    m_working->setForegroundRole(QPalette::PlaceholderText);
    m_working->hide();
    m_stack->addWidget(m_view);
    m_stack->addWidget(m_imageArea);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_stack, 1);
    layout->addWidget(buildFindBar());
    layout->addWidget(m_working);
    for (BodyDocument* document : {m_pretty, m_raw})
        connect(document, &BodyDocument::busyChanged, this, &BodyPane::updateWorking);
    m_view->setDocument(m_pretty);
    connect(m_view, &BodyView::findRequested, this, &BodyPane::openFind);
}

QWidget* BodyPane::buildFindBar()
{
    m_findBar = new QWidget;
    m_findBar->setObjectName(u"responseFindBar"_s);
    m_findField = new QLineEdit;
    m_findField->setObjectName(u"responseFindField"_s);
    m_findField->setPlaceholderText(tr("Find in body"));
    m_findField->setAccessibleName(tr("Find in body"));
    m_findStatus = new QLabel;
    m_findStatus->setObjectName(u"responseFindStatus"_s);
    m_findStatus->setForegroundRole(QPalette::PlaceholderText);
    auto* next = new QToolButton;
    next->setObjectName(u"responseFindNext"_s);
    next->setText(tr("Next"));
    auto* close = new QToolButton;
    close->setObjectName(u"responseFindClose"_s);
    close->setText(tr("Done"));
    auto* layout = new QHBoxLayout(m_findBar);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_findField, 1);
    layout->addWidget(m_findStatus);
    layout->addWidget(next);
    layout->addWidget(close);
    m_findBar->hide();
    connect(m_findField, &QLineEdit::returnPressed, this, &BodyPane::findNext);
    connect(next, &QToolButton::clicked, this, &BodyPane::findNext);
    connect(m_findField, &QLineEdit::textChanged, m_findStatus, &QLabel::clear);
    const auto closeBar = [this] {
        m_findBar->hide();
        m_view->setFocus();
    };
    connect(close, &QToolButton::clicked, this, closeBar);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_findBar);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, closeBar);
    return m_findBar;
}

void BodyPane::openFind()
{
    m_findBar->show();
    m_findField->setFocus();
    m_findField->selectAll();
}

void BodyPane::findNext()
{
    stopFinding();
    if (m_findField->text().isEmpty())
        return;
    m_findStatus->setText(tr("Finding..."));
    document()->find(m_findField->text(), m_view->selectionEnd(),
        [this](std::optional<BodyDocument::Match> match) {
            m_findStatus->setText(match ? QString() : tr("No matches"));
            if (match)
                m_view->revealRow(match->at.row, match->at.byte, match->length);
        });
}

void BodyPane::stopFinding()
{
    m_pretty->cancelFind();
    m_raw->cancelFind();
    if (m_findStatus->text() == tr("Finding..."))
        m_findStatus->clear();
}

BodyPane::~BodyPane()
{
    if (m_imageWork)
        m_imageWork->close();
}

BodyDocument* BodyPane::document() const
{
    return m_showRaw ? m_raw : m_pretty;
}

void BodyPane::showResponse(const APIResponse* response)
{
    if (response && m_response && response->id == m_response->id)
        return;
    if (m_imageWork)
        m_imageWork->close();
    stopFinding();
    m_decodingImage = false;
    m_rawLoaded = false;
    m_raw->clear();
    if (!response) {
        m_response.reset();
        m_pretty->clear();
        showForm();
        return;
    }
    // The record shares its body with the tab's; nothing here copies the bytes.
    m_response = *response;
    const APIResponse pending = *response;
    m_pretty->load(
        [pending](const auto& stopRequested) { return pending.prettyBody(stopRequested); });
    if (isImage(pending))
        decodeImage();
    if (m_showRaw)
        loadRaw();
    updateHighlighter();
    showForm();
}

void BodyPane::loadRaw()
{
    if (m_rawLoaded || !m_response)
        return;
    m_rawLoaded = true;
    m_raw->load([body = m_response->body](const auto&) { return rawText(body); });
    m_raw->setQuery(m_query);
}

void BodyPane::decodeImage()
{
    m_decodingImage = true;
    m_image->clear();
    // Decoding a large picture takes long enough to be felt, so it happens on the pool.
    m_imageWork = startWork(this, [this, body = m_response->body](auto channel) {
        QBuffer buffer;
        buffer.setData(body);
        QImageReader reader(&buffer);
        const QImage image = reader.read();
        channel->post(channel, [this, image] {
            m_decodingImage = false;
            if (!image.isNull())
                m_image->setPixmap(QPixmap::fromImage(image));
            showForm();
        });
    });
}

void BodyPane::setRaw(bool raw)
{
    if (raw == m_showRaw)
        return;
    m_showRaw = raw;
    stopFinding();
    if (raw)
        loadRaw();
    m_view->setDocument(document());
    updateHighlighter();
    showForm();
}

void BodyPane::setQuery(const QString& query)
{
    m_query = query;
    stopFinding();
    m_pretty->setQuery(query);
    if (m_rawLoaded)
        m_raw->setQuery(query);
}

void BodyPane::setHighlighting(bool enabled)
{
    m_highlighting = enabled;
    updateHighlighter();
}

void BodyPane::setLineNumbersVisible(bool visible)
{
    m_view->setLineNumbersVisible(visible);
}

void BodyPane::updateHighlighter()
{
    const BodyKind kind = m_response ? bodyKind(m_response->contentType()) : BodyKind::other;
    if (!m_highlighting || m_showRaw)
        m_view->setHighlighter({});
    else if (kind == BodyKind::json)
        m_view->setHighlighter(highlightJsonRow);
    else if (kind == BodyKind::markup)
        m_view->setHighlighter(highlightMarkupRow);
    else
        m_view->setHighlighter({});
}

void BodyPane::showForm()
{
    const bool image
        = !m_showRaw && m_image->pixmap().isNull() == false && m_response && isImage(*m_response);
    m_stack->setCurrentWidget(image ? static_cast<QWidget*>(m_imageArea) : m_view);
    updateWorking();
}

void BodyPane::updateWorking()
{
    m_working->setVisible(document()->isBusy() || (m_decodingImage && !m_showRaw));
}

} // namespace mako
