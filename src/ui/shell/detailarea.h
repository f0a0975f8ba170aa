#pragma once

#include "model/requestenums.h"

#include <QHash>
#include <QWidget>

#include <functional>

class QStackedWidget;
class QVBoxLayout;

namespace mako {

class AppState;
class Commands;
class ShortcutMap;

/// The right-hand side of the window: the tab bar, then the welcome screen while no request is
/// open, else the screen for the open request's protocol. Overlays (the command palette) are
/// children of this widget, drawn over it.
class DetailArea : public QWidget {
    Q_OBJECT

public:
    DetailArea(AppState& state, Commands& commands, const ShortcutMap& shortcuts,
        QWidget* parent = nullptr);

    /// Puts `tabBar` in the tab bar's place; the area takes it over.
    void setTabBar(QWidget* tabBar);
    using ScreenFactory = std::function<QWidget*()>;

    /// How to build the screen for `protocol`. It is built the first time a request of that
    /// protocol opens, so a start on the welcome screen builds none of them; the area owns it.
    void setProtocolScreen(RequestProtocol protocol, ScreenFactory factory);
    /// The screen shown now.
    QWidget* currentScreen() const;

private:
    void handleOpenRequestChanged();
    QWidget* screenFor(RequestProtocol protocol);

    AppState& m_state;
    QVBoxLayout* m_layout;
    QWidget* m_tabBar;
    QStackedWidget* m_screens;
    QWidget* m_welcome;
    QHash<RequestProtocol, ScreenFactory> m_factories;
    QHash<RequestProtocol, QWidget*> m_protocolScreens;
};

} // namespace mako
