#pragma once

#include <QUuid>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QToolButton;
class QTreeWidget;

namespace mako {

struct APIResponse;
class AppState;
class BodyPane;
class FileDialogs;
class MetricPill;
class ResultChannel;
class Settings;
class TestResultsPane;
class TimingPane;

/// The lower half of the request editor: what the active tab's last send gave. While it is
/// sending, "Sending..."; after a failure, its text; after a reply, the status bar and the
/// Body, Headers, Cookies and Timing tabs; before any, a hint. It reads the tab from the state
/// whenever the tab changes and keeps only its own view state (tab, search text, raw switch).
class ResponseView : public QWidget {
    Q_OBJECT

public:
    enum Tab { bodyTab, headersTab, cookiesTab, timingTab, testsTab };

    /// `settings` (optional) supplies "syntaxHighlighting"; `fileDialogs` (optional) asks where
    /// "Save Response..." writes, which is hidden without it. A save that fails is reported
    /// through the state's alert.
    explicit ResponseView(AppState& state, Settings* settings = nullptr,
        FileDialogs* fileDialogs = nullptr, QWidget* parent = nullptr);
    ~ResponseView() override;

    BodyPane* bodyPane() const { return m_body; }

Q_SIGNALS:
    /// "Manage Cookies..." on the Cookies tab: the window opens its cookie manager.
    void manageCookiesRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildStatusBar();
    QWidget* buildTabRow();
    QWidget* buildContent();
    void refresh();
    void showResponse(const APIResponse& response);
    void showHeaders(const APIResponse& response);
    void showCookies(const APIResponse& response);
    void selectTab(int tab);
    void copyBody();
    void saveBody();
    void applyEditorPreferences();

    AppState& m_state;
    Settings* m_settings;
    FileDialogs* m_fileDialogs;
    QStackedWidget* m_states;
    QWidget* m_sending;
    QWidget* m_error;
    QLabel* m_errorText;
    /// The user's own cancel: a state, not a failure.
    QWidget* m_cancelled;
    QWidget* m_content;
    QWidget* m_empty;
    QLabel* m_statusCode;
    QLabel* m_reason;
    MetricPill* m_duration;
    MetricPill* m_size;
    MetricPill* m_version;
    QToolButton* m_copy;
    QToolButton* m_save;
    QButtonGroup* m_tabButtons;
    QWidget* m_bodyTools;
    QLineEdit* m_search;
    QCheckBox* m_raw;
    QStackedWidget* m_tabs;
    BodyPane* m_body;
    QTreeWidget* m_headers;
    QStackedWidget* m_cookies;
    QTreeWidget* m_cookieList;
    TimingPane* m_timing;
    TestResultsPane* m_tests;
    QUuid m_shownResponse;
    bool m_refreshPending = false;
    std::shared_ptr<ResultChannel> m_copyWork;
    std::shared_ptr<ResultChannel> m_saveWork;
};

} // namespace mako
