#pragma once

#include "model/apirequest.h"
#include "model/requestenums.h"
#include "ui/screens/tabclients.h"

#include <QWidget>

#include <optional>

class QLayout;
class QPushButton;

namespace mako {

class AppState;
class Commands;
class HeadersAuthSection;
class ScreenHeader;
class ScreenStatusBar;
class StreamClient;
class StreamListModel;

/// What the WebSocket and the SSE screens share: the header with "Connect"/"Disconnect" (and
/// Return in the address to connect), the request's headers and authentication, the list of
/// what arrived with its count, and one client per tab, so that every tab keeps its own
/// connection and list while the user switches between tabs. A subclass makes its clients,
/// puts them in its list, and adds what is its own.
class StreamScreen : public QWidget {
    Q_OBJECT

public:
    ~StreamScreen() override;

    /// The client of the tab shown, or null while no request of the screen's protocol is open.
    StreamClient* streamClient() const { return m_shown; }
    HeadersAuthSection* headersAuthSection() const { return m_section; }

protected:
    /// The status bar at the foot shows `symbol` and `title`.
    StreamScreen(AppState& state, Commands& commands, RequestProtocol protocol, QStringView symbol,
        const QString& title, QWidget* parent);

    /// Lays the screen out with `content` taking the height and `footer` (if any) below it,
    /// counts the rows of `list`, which shows the clients' entries, and takes up the open
    /// request. The subclass's constructor calls this last.
    void finishSetUp(StreamListModel* list, QWidget* content, QLayout* footer = nullptr);

    virtual StreamClient* makeClient() = 0;
    /// Makes the list show `client`'s entries (none: an empty list).
    virtual void showInList(StreamClient* client) = 0;
    /// The count of `rows` entries for the status bar.
    virtual QString countText(int rows) const = 0;
    /// Another request, or the same one changed; the subclass's own controls follow it here.
    virtual void followOpenRequest(const std::optional<APIRequest>& request);

    AppState& state() const { return m_state; }
    ScreenStatusBar* statusBar() const { return m_statusBar; }

private:
    void handleOpenRequestChanged();
    void showClient(StreamClient* client);
    void toggleConnection();
    void showConnectionState();
    void showCount();

    AppState& m_state;
    const RequestProtocol m_protocol;
    TabClients<StreamClient> m_clients;
    StreamClient* m_shown = nullptr;
    StreamListModel* m_list = nullptr;
    ScreenHeader* m_header;
    QPushButton* m_connect;
    HeadersAuthSection* m_section;
    ScreenStatusBar* m_statusBar;
};

} // namespace mako
