#pragma once

#include "ui/screens/tabclients.h"

#include <QWidget>

class QLayout;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace mako {

class AppState;
class Commands;
class ScreenStatusBar;
class TranscriptPane;
class WebSocketClient;
class WebSocketTranscriptModel;

/// The screen of a WebSocket request: connect and disconnect, the transcript, and a field to
/// send text messages. Messages sent while connected are remembered in the request, and offered
/// again from a menu beside the field.
class WebSocketScreen : public QWidget {
    Q_OBJECT

public:
    static constexpr qsizetype kMaxSavedMessages = 20;

    WebSocketScreen(AppState& state, Commands& commands, QWidget* parent = nullptr);

    /// The client of the tab shown, or null while no WebSocket request is open.
    WebSocketClient* client() const;

private:
    QLayout* buildInputRow();
    void handleOpenRequestChanged();
    void showClient(WebSocketClient* client);
    void toggleConnection();
    void sendMessage();
    void rememberMessage(const QString& text);
    void fillSavedMessagesMenu();
    void showConnectionState();
    void showCount();

    AppState& m_state;
    TabClients<WebSocketClient> m_clients;
    WebSocketTranscriptModel* m_model;
    QPushButton* m_connect;
    TranscriptPane* m_transcript;
    QToolButton* m_saved;
    QLineEdit* m_input;
    QPushButton* m_send;
    ScreenStatusBar* m_statusBar;
};

} // namespace mako
