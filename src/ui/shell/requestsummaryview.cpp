#include "ui/shell/requestsummaryview.h"

#include "state/appstate.h"

#include <QFontDatabase>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

RequestSummaryView::RequestSummaryView(AppState& state, RequestProtocol protocol, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_label(new QLabel)
    , m_name(new QLabel)
{
    setObjectName(rawValue(protocol).toLower() + u"Screen"_s);
    setAccessibleName(tr("%1 request").arg(rawValue(protocol)));
    m_label->setObjectName(u"requestLabel"_s);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setBold(true);
    m_label->setFont(mono);
    m_label->setForegroundRole(QPalette::PlaceholderText);
    m_name->setObjectName(u"requestName"_s);
    QFont large = m_name->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    m_name->setFont(large);
    m_name->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(m_label, 0, Qt::AlignHCenter);
    layout->addWidget(m_name, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    connect(&m_state, &AppState::openRequestChanged, this,
        &RequestSummaryView::handleOpenRequestChanged);
    handleOpenRequestChanged();
}

void RequestSummaryView::handleOpenRequestChanged()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    if (!request)
        return;
    m_label->setText(request->requestProtocol == RequestProtocol::http
            ? rawValue(request->method)
            : rawValue(request->requestProtocol));
    m_name->setText(request->name);
}

} // namespace mako
