#pragma once

#include "model/requestenums.h"
#include "ui/editor/urlfield.h"

#include <QNetworkCookie>
#include <QWidget>

class QAction;
class QActionGroup;
class QLabel;
class QPushButton;
class QToolButton;

namespace mako {

class CookieJar;
class RequestViewModel;

/// The method menu (the seven, and "Custom..." for any other), the URL field and the send button (a
/// cancel button while a send runs), with the URL exactly as it will go out on a quiet line below.
class UrlBar : public QWidget {
    Q_OBJECT

public:
    UrlBar(RequestViewModel& viewModel, UrlField::EnvironmentSource environment,
        QWidget* parent = nullptr);
    ~UrlBar() override;

    UrlField* urlField() const { return m_url; }
    QPushButton* sendButton() const { return m_send; }
    /// Recomputes what depends on the variables.
    void refreshVariables();

Q_SIGNALS:
    void sendRequested();
    void cancelRequested();

private:
    QToolButton* buildMethodButton();
    void handleRequestChanged();
    void handleLoadingChanged();
    void chooseMethod(HTTPMethod method);
    void askForCustomMethod();
    void showPreview();
    /// "Cookies: a, b" beside the URL as sent: what the jar adds to the next send.
    void showCookies(const QList<QNetworkCookie>& cookies);

    RequestViewModel& m_viewModel;
    UrlField::EnvironmentSource m_environment;
    QToolButton* m_method;
    QActionGroup* m_methods;
    QAction* m_customMethod = nullptr;
    UrlField* m_url;
    QPushButton* m_send;
    QLabel* m_preview;
    QLabel* m_cookieLine;
    CookieJar& m_jar;
    int m_jarHandler = 0;
    bool m_syncing = false;
};

} // namespace mako
