#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

namespace mako {

class AppState;
class Appearance;
class Commands;
class CookieKeeper;
class FileDialogs;
class LastRequest;
class MainWindow;
class PersistenceService;
class PreferencesWindow;
class ProxyPassword;
class SecretStore;
class Settings;
class ShortcutMap;
class TerminationSignals;

/// The application: the one AppState of the run, the commands, the main window and the
/// appearance. Needs a QApplication; lives until the application quits.
class MakoApp : public QObject {
    Q_OBJECT

public:
    /// What the application runs on. Left empty, each is the user's own: the preference store,
    /// the application folder and the platform's file panels.
    struct Services {
        std::unique_ptr<Settings> settings;
        std::unique_ptr<PersistenceService> persistence;
        std::unique_ptr<FileDialogs> fileDialogs;
        /// Where the proxy password outlives the run (the desktop's secret service).
        std::unique_ptr<SecretStore> secretStore;
    };

    explicit MakoApp(QObject* parent = nullptr);
    explicit MakoApp(Services services, QObject* parent = nullptr);
    ~MakoApp() override;

    AppState& appState() const { return *m_state; }
    Commands& commands() const { return *m_commands; }
    Settings& settings() const { return *m_settings; }
    ShortcutMap& shortcuts() const { return *m_shortcuts; }
    MainWindow& mainWindow() const { return *m_window; }

    /// Hands the preferences to the network service, applies the appearance and shows the
    /// window.
    void show();
    /// Brings the window to the front, out of the dock if it was minimised.
    void raiseWindow();

    /// Shows the Preferences window, made anew when it is not open, else brought forward.
    void openPreferences();

private:
    void handleValueChanged(const QString& key);
    void loadProxyPasswordIfUsed();
    /// The network preferences with the proxy password, for the network service.
    void updateNetworkSettings();

    std::unique_ptr<TerminationSignals> m_terminationSignals;
    /// No secret store was given: the desktop's keeps the secrets, the OAuth 2.0 ones too.
    bool m_systemSecretStore = false;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<PersistenceService> m_persistence;
    std::unique_ptr<CookieKeeper> m_cookieKeeper;
    std::unique_ptr<FileDialogs> m_fileDialogs;
    std::unique_ptr<ProxyPassword> m_proxyPassword;
    std::unique_ptr<Appearance> m_appearance;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<Commands> m_commands;
    std::unique_ptr<ShortcutMap> m_shortcuts;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<LastRequest> m_lastRequest;
    QPointer<PreferencesWindow> m_preferences;
};

} // namespace mako
