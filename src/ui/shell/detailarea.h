#pragma once

#include "model/requestenums.h"

#include <QHash>
#include <QWidget>

class QStackedWidget;
class QVBoxLayout;

namespace mako {

class AppState;
class Commands;

/// The right-hand side of the window: the tab bar, then the welcome screen while no request is
/// open, else the screen for the open request's protocol. Overlays (the command palette) are
/// children of this widget, drawn over it.
class DetailArea : public QWidget {
    Q_OBJECT

public:
    DetailArea(AppState& state, Commands& commands, QWidget* parent = nullptr);

    /// Puts `tabBar` in the tab bar's place; the area takes it over.
    void setTabBar(QWidget* tabBar);
    /// Puts `screen` in the place of the screen for `protocol`; the area takes it over.
    void setProtocolScreen(RequestProtocol protocol, QWidget* screen);
    /// The screen shown now.
    QWidget* currentScreen() const;

private:
    void handleOpenRequestChanged();

    AppState& m_state;
    QVBoxLayout* m_layout;
    QWidget* m_tabBar;
    QStackedWidget* m_screens;
    QWidget* m_welcome;
    QHash<RequestProtocol, QWidget*> m_protocolScreens;
};

} // namespace mako
