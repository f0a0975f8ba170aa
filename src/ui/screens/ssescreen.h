#pragma once

#include "ui/screens/tabclients.h"

#include <QWidget>

class QPushButton;

namespace mako {

class AppState;
class Commands;
class ScreenStatusBar;
class SSEClient;
class SSEEventModel;
class TranscriptPane;

/// The screen of a server-sent events request: connect and disconnect, and the events that
/// arrived, newest at the bottom.
class SSEScreen : public QWidget {
    Q_OBJECT

public:
    SSEScreen(AppState& state, Commands& commands, QWidget* parent = nullptr);

    /// The client of the tab shown, or null while no SSE request is open.
    SSEClient* client() const;

private:
    void handleOpenRequestChanged();
    void showClient(SSEClient* client);
    void toggleConnection();
    void showConnectionState();
    void showCount();

    AppState& m_state;
    TabClients<SSEClient> m_clients;
    SSEEventModel* m_model;
    QPushButton* m_connect;
    TranscriptPane* m_events;
    ScreenStatusBar* m_statusBar;
};

} // namespace mako
