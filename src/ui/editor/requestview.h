#pragma once

#include "model/apienvironment.h"

#include <QWidget>

#include <optional>

namespace mako {

class AppState;
class Commands;
class RequestDetailTabs;
class RequestStatusBar;
class RequestViewModel;
class SendSequence;
class Settings;
class SplitArea;
class UrlBar;
class URLHistory;

/// The editor of plain HTTP requests: the URL bar, the request's tabs, the response below a
/// divider, and a status line. It edits the open request of the active tab through its view
/// model: switching tabs makes it take up the other tab's request, and every edit is written
/// straight back into the open request, so nothing typed is lost by a switch or a send.
class RequestView : public QWidget {
    Q_OBJECT

public:
    RequestView(AppState& state, Commands& commands, Settings& settings, QWidget* parent = nullptr);
    ~RequestView() override;

    /// The request being edited and the state of its sends, for the response pane.
    RequestViewModel& viewModel() const { return *m_viewModel; }
    /// Puts `pane` below the divider in place of what is there; the view takes it over.
    void setResponsePane(QWidget* pane);
    QWidget* responsePane() const;
    /// The response's share of the height below the URL bar (0.2 to 0.8).
    double responseFraction() const;

    /// Sends the open request: the send button, Return in the URL field and the send command.
    void send();
    /// Stops the running send.
    void cancel();

private:
    std::optional<APIEnvironment> environment() const;
    void handleOpenRequestChanged();
    void focusAnEmptyURL();
    void handleViewModelRequestChanged();
    void handleSendCommand();
    void refreshVariables();
    void loadRecentURLs();
    bool importPastedCurl(const QString& command);

    AppState& m_state;
    RequestViewModel* m_viewModel;
    URLHistory* m_urlHistory;
    SendSequence* m_sequence;
    UrlBar* m_urlBar;
    RequestDetailTabs* m_tabs;
    SplitArea* m_split;
    RequestStatusBar* m_statusBar;
    bool m_isSyncingFromTab = false;
};

} // namespace mako
