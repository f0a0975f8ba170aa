#include "ui/shell/detailarea.h"

#include "state/appstate.h"
#include "ui/shell/welcomeview.h"

#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

DetailArea::DetailArea(
    AppState& state, Commands& commands, const ShortcutMap& shortcuts, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_layout(new QVBoxLayout(this))
    , m_tabBar(new QWidget)
    , m_screens(new QStackedWidget)
    , m_welcome(new WelcomeView(state, commands, shortcuts))
{
    setObjectName(u"detailArea"_s);
    m_tabBar->setObjectName(u"tabBar"_s);
    m_screens->setObjectName(u"detailStack"_s);
    m_screens->addWidget(m_welcome);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_tabBar);
    m_layout->addWidget(m_screens, 1);
    connect(&m_state, &AppState::openRequestChanged, this, &DetailArea::handleOpenRequestChanged);
    handleOpenRequestChanged();
}

void DetailArea::setTabBar(QWidget* tabBar)
{
    delete m_layout->replaceWidget(m_tabBar, tabBar);
    delete m_tabBar;
    m_tabBar = tabBar;
}

void DetailArea::setProtocolScreen(RequestProtocol protocol, ScreenFactory factory)
{
    delete m_protocolScreens.take(protocol);
    m_factories.insert(protocol, std::move(factory));
    handleOpenRequestChanged();
}

QWidget* DetailArea::screenFor(RequestProtocol protocol)
{
    if (QWidget* screen = m_protocolScreens.value(protocol))
        return screen;
    const ScreenFactory factory = m_factories.value(protocol);
    if (!factory)
        return m_welcome;
    QWidget* screen = factory();
    m_protocolScreens.insert(protocol, screen);
    m_screens->addWidget(screen);
    return screen;
}

QWidget* DetailArea::currentScreen() const
{
    return m_screens->currentWidget();
}

void DetailArea::handleOpenRequestChanged()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    m_screens->setCurrentWidget(request ? screenFor(request->requestProtocol) : m_welcome);
}

} // namespace mako
