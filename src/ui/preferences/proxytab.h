#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace mako {

class ProxyPassword;
class Settings;

/// The proxy every request goes through. Switching the proxy (or its authentication) off hides
/// its rows but keeps what they hold, so switching it on again brings the same proxy back.
class ProxyTab : public QWidget {
    Q_OBJECT

public:
    ProxyTab(Settings& settings, ProxyPassword& password, QWidget* parent = nullptr);

private:
    QWidget* buildServerRows(Settings& settings);
    QWidget* buildAuthenticationRows(Settings& settings);
    void showPassword();
    void showPasswordKeeping();

    ProxyPassword& m_password;
    QLineEdit* m_passwordField = nullptr;
    QLabel* m_passwordNote = nullptr;
};

} // namespace mako
