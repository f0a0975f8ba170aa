#pragma once

#include <QWidget>

class QTabWidget;

namespace mako {

class AppState;
class CertificatePassphrases;
class FileDialogs;
class PersistenceService;
class ProxyPassword;
class Settings;
class ShortcutMap;

/// The Preferences window: seven tabs, each control bound to its preference and stored as it
/// changes, with no apply step. The tabs are built with the window, which the shell makes
/// anew each time it opens.
class PreferencesWindow : public QWidget {
    Q_OBJECT

public:
    /// The size it opens at, wider when its tabs need more room.
    static constexpr QSize kSize {550, 420};

    struct Services {
        Settings& settings;
        AppState& state;
        PersistenceService& persistence;
        FileDialogs& dialogs;
        ProxyPassword& proxyPassword;
        CertificatePassphrases& certificatePassphrases;
        ShortcutMap& shortcuts;
    };

    explicit PreferencesWindow(const Services& services, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }

private:
    QTabWidget* m_tabs;
};

} // namespace mako
