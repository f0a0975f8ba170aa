#include "ui/shell/protocolpicker.h"

#include "state/appstate.h"
#include "ui/common/icons.h"
#include "ui/shell/protocolactions.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QStringView symbolOf(RequestProtocol protocol)
{
    switch (protocol) {
    case RequestProtocol::http:
        return u"globe";
    case RequestProtocol::graphql:
        return u"arrow.triangle.branch";
    case RequestProtocol::websocket:
        return u"arrow.left.arrow.right";
    case RequestProtocol::sse:
        return u"antenna.radiowaves.left.and.right";
    }
    return {};
}

} // namespace

ProtocolPicker::ProtocolPicker(AppState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_buttons(new QButtonGroup(this))
{
    setObjectName(u"protocolPicker"_s);
    setAccessibleName(tr("Protocol"));
    setAccessibleDescription(
        tr("Chooses the protocol of the open request; the arrow keys choose another"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (RequestProtocol protocol : allCases<RequestProtocol>()) {
        const QString name = rawValue(protocol);
        auto* button = new QToolButton;
        button->setObjectName(u"protocol"_s + name);
        button->setText(name);
        button->setIcon(icons::icon(symbolOf(protocol)));
        button->setAccessibleName(name);
        button->setToolTip(tr("Use %1 for the open request").arg(name));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::TabFocus);
        m_buttons->addButton(button, int(protocol));
        layout->addWidget(button);
    }
    connect(m_buttons, &QButtonGroup::idClicked, this, &ProtocolPicker::handleProtocolClicked);
    connect(
        &m_state, &AppState::openRequestChanged, this, &ProtocolPicker::handleOpenRequestChanged);
    handleOpenRequestChanged();
}

void ProtocolPicker::handleOpenRequestChanged()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    if (request) {
        m_buttons->button(int(request->requestProtocol))->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; with no request open none should be.
    m_buttons->setExclusive(false);
    for (QAbstractButton* button : m_buttons->buttons())
        button->setChecked(false);
    m_buttons->setExclusive(true);
}

void ProtocolPicker::handleProtocolClicked(int protocol)
{
    switchOpenRequestProtocol(m_state, RequestProtocol(protocol));
    // The state decides what is checked: a click that changed nothing must not leave its own
    // button checked.
    handleOpenRequestChanged();
}

} // namespace mako
