#pragma once

#include "ui/screens/streamscreen.h"

namespace mako {

class SSEClient;
class SSEEventModel;
class TranscriptPane;

/// The screen of a server-sent events request: connect and disconnect, and the events that
/// arrived, newest at the bottom.
class SSEScreen : public StreamScreen {
    Q_OBJECT

public:
    SSEScreen(AppState& state, Commands& commands, QWidget* parent = nullptr);

    /// The client of the tab shown, or null while no SSE request is open.
    SSEClient* client() const;

protected:
    StreamClient* makeClient() override;
    void showInList(StreamClient* client) override;
    QString countText(int rows) const override;

private:
    SSEEventModel* m_model;
    TranscriptPane* m_events;
};

} // namespace mako
