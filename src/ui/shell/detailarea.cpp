#include "ui/shell/detailarea.h"

#include "state/appstate.h"
#include "ui/shell/requestsummaryview.h"
#include "ui/shell/welcomeview.h"

#include <QStackedWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

DetailArea::DetailArea(AppState& state, Commands& commands, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_layout(new QVBoxLayout(this))
    , m_tabBar(new QWidget)
    , m_screens(new QStackedWidget)
    , m_welcome(new WelcomeView(state, commands))
{
    setObjectName(u"detailArea"_s);
    m_tabBar->setObjectName(u"tabBar"_s);
    m_screens->setObjectName(u"detailStack"_s);
    m_screens->addWidget(m_welcome);
    for (RequestProtocol protocol : allCases<RequestProtocol>()) {
        QWidget* screen = new RequestSummaryView(state, protocol);
        m_protocolScreens.insert(protocol, screen);
        m_screens->addWidget(screen);
    }
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

void DetailArea::setProtocolScreen(RequestProtocol protocol, QWidget* screen)
{
    QWidget* old = m_protocolScreens.value(protocol);
    const int index = m_screens->indexOf(old);
    m_screens->insertWidget(index, screen);
    m_protocolScreens.insert(protocol, screen);
    delete old;
    handleOpenRequestChanged();
}

QWidget* DetailArea::currentScreen() const
{
    return m_screens->currentWidget();
}

void DetailArea::handleOpenRequestChanged()
{
    const std::optional<APIRequest>& request = m_state.openRequest();
    m_screens->setCurrentWidget(
        request ? m_protocolScreens.value(request->requestProtocol) : m_welcome);
}

} // namespace mako
