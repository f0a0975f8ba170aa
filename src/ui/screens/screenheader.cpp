#include "ui/screens/screenheader.h"

#include "ui/commands/commands.h"
#include "ui/common/clearbutton.h"
#include "ui/common/colors.h"
#include "ui/common/symbolbutton.h"
#include "ui/screens/requestbinding.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

struct ProtocolLook {
    QString badge;
    SystemColor color;
    QString urlPlaceholder;
};

ProtocolLook lookOf(RequestProtocol protocol)
{
    switch (protocol) {
    case RequestProtocol::graphql:
        return {u"GQL"_s, SystemColor::pink, QObject::tr("GraphQL endpoint URL")};
    case RequestProtocol::websocket:
        return {u"WS"_s, SystemColor::purple,
            QObject::tr("ws://localhost:8080/socket or wss://example.com/socket")};
    case RequestProtocol::sse:
        return {u"SSE"_s, SystemColor::orange, QObject::tr("SSE endpoint URL")};
    case RequestProtocol::http:
        break;
    }
    return {u"HTTP"_s, SystemColor::blue, QObject::tr("Enter URL")};
}

// Painted rather than styled, so that its colours follow the palette of the appearance.
class ProtocolBadge : public QLabel {
public:
    ProtocolBadge(const QString& text, SystemColor color)
        : QLabel(text)
        , m_color(color)
    {
        setObjectName(u"protocolBadge"_s);
        setAlignment(Qt::AlignCenter);
        setContentsMargins(6, 2, 6, 2);
        QFont bold = font();
        bold.setBold(true);
        bold.setPointSizeF(bold.pointSizeF() * 0.85);
        setFont(bold);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor color = systemColor(m_color, palette());
        painter.setPen(Qt::NoPen);
        painter.setBrush(blend(palette().color(QPalette::Window), color, 0.18));
        painter.drawRoundedRect(rect(), 4, 4);
        painter.setPen(color);
        painter.drawText(contentsRect(), Qt::AlignCenter, text());
    }

private:
    SystemColor m_color;
};

} // namespace

ScreenHeader::ScreenHeader(
    AppState& state, Commands& commands, RequestProtocol protocol, QWidget* parent)
    : QWidget(parent)
    , m_name(new QLineEdit)
    , m_url(new QLineEdit)
    , m_actions(new QHBoxLayout)
{
    setObjectName(u"screenHeader"_s);
    const ProtocolLook look = lookOf(protocol);
    m_badge = new ProtocolBadge(look.badge, look.color);

    m_name->setObjectName(u"requestNameField"_s);
    m_name->setPlaceholderText(tr("Request Name"));
    m_name->setAccessibleName(tr("Request Name"));
    m_name->setFrame(false);
    QFont title = m_name->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.25);
    m_name->setFont(title);
    bindText(m_name, state, &APIRequest::name);
    blendNameField();

    m_url->setObjectName(u"urlField"_s);
    m_url->setPlaceholderText(look.urlPlaceholder);
    m_url->setAccessibleName(tr("URL"));
    enableClearButton(m_url);
    bindText(m_url, state, &APIRequest::url);

    const QString saveHelp = protocol == RequestProtocol::graphql
        ? tr("Save (%1)").arg(QKeySequence(QKeySequence::Save).toString(QKeySequence::NativeText))
        : tr("Save to Collection");
    // Parented by the layout, after the URL: Tab meets it where it is drawn, last in the row.
    m_save = makeSymbolButton(
        u"saveButton"_s, u"square.and.arrow.down", tr("Save"), saveHelp, nullptr);
    connect(m_save, &QToolButton::clicked, &commands, &Commands::saveToCollection);

    auto* top = new QHBoxLayout;
    top->addWidget(m_name, 1);
    top->addWidget(m_badge);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_url, 1);
    m_actions->setSpacing(6);
    bottom->addLayout(m_actions);
    bottom->addWidget(m_save);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 6);
    layout->addLayout(top);
    layout->addLayout(bottom);
}

void ScreenHeader::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        blendNameField();
}

// The name reads as the screen's title: no frame, and the window's own background.
void ScreenHeader::blendNameField()
{
    QPalette palette = m_name->palette();
    palette.setColor(QPalette::Base, this->palette().color(QPalette::Window));
    palette.setColor(QPalette::Text, this->palette().color(QPalette::WindowText));
    m_name->setPalette(palette);
}

void ScreenHeader::addAction(QWidget* action)
{
    m_actions->addWidget(action);
    // Between the URL (or the action before) and the save button, as laid out.
    setTabOrder(m_lastAction ? m_lastAction : m_url, action);
    setTabOrder(action, m_save);
    m_lastAction = action;
}

} // namespace mako
