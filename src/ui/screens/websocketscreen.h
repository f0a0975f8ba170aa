#pragma once

#include "ui/screens/streamscreen.h"

class QLineEdit;
class QPushButton;
class QToolButton;

namespace mako {

class TranscriptPane;
class WebSocketClient;
class WebSocketTranscriptModel;

/// The screen of a WebSocket request: connect and disconnect, the transcript, and a field to
/// send text messages. Messages sent while connected are remembered in the request, and offered
/// again from a menu beside the field.
class WebSocketScreen : public StreamScreen {
    Q_OBJECT

public:
    static constexpr qsizetype kMaxSavedMessages = 20;

    WebSocketScreen(AppState& state, Commands& commands, QWidget* parent = nullptr);

    /// The client of the tab shown, or null while no WebSocket request is open.
    WebSocketClient* client() const;

protected:
    StreamClient* makeClient() override;
    void showInList(StreamClient* client) override;
    QString countText(int rows) const override;
    void followOpenRequest(const std::optional<APIRequest>& request) override;

private:
    QLayout* buildInputRow();
    void sendMessage();
    void rememberMessage(const QString& text);
    void fillSavedMessagesMenu();

    WebSocketTranscriptModel* m_model;
    TranscriptPane* m_transcript;
    QToolButton* m_saved;
    QLineEdit* m_input;
    QPushButton* m_send;
};

} // namespace mako
