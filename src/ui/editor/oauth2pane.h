#pragma once

#include "model/apienvironment.h"
#include "model/oauth2settings.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mako {

class LineFieldVariables;
class OAuth2Tokens;
class RequestViewModel;

/// The settings of OAuth 2.0 auth and the token they got. The settings are the request's (or
/// the collection's, in its sheet); the client secret and the password go to the token keeper's
/// vault as they are typed and never into the request, so no saved file holds them.
class OAuth2Pane : public QWidget {
    Q_OBJECT

public:
    using EnvironmentSource = std::function<std::optional<APIEnvironment>()>;

    OAuth2Pane(RequestViewModel& viewModel, OAuth2Tokens& tokens, EnvironmentSource environment,
        QWidget* parent = nullptr);

    void refreshVariables();
    /// The width the labels of its fields take, for a form beside it to line up with.
    int labelWidth() const;

private:
    void showSettings();
    void handleEdited();
    void handleSecretEdited();
    void handlePasswordEdited();
    /// The settings named another client: its secrets and token are read from the vault.
    void loadSecrets();
    void showSecrets();
    void showToken();
    void showGrant();
    void getToken();
    void setBusy(bool busy);
    QLineEdit* addField(const QString& objectName, const QString& label);

    RequestViewModel& m_viewModel;
    OAuth2Tokens& m_tokens;
    EnvironmentSource m_environment;
    QFormLayout* m_form;
    QComboBox* m_grant;
    QLineEdit* m_authUrl = nullptr;
    QLineEdit* m_tokenUrl = nullptr;
    QLineEdit* m_clientId = nullptr;
    QLineEdit* m_clientSecret = nullptr;
    QLineEdit* m_scope = nullptr;
    QLineEdit* m_audience = nullptr;
    QLineEdit* m_extraParams = nullptr;
    QComboBox* m_clientAuth;
    QLineEdit* m_username = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_redirectPort = nullptr;
    QLabel* m_tokenState;
    QLabel* m_tokenText;
    QPushButton* m_copy;
    QPushButton* m_forget;
    QPushButton* m_getToken;
    QPushButton* m_cancel;
    QLabel* m_error;
    QList<LineFieldVariables*> m_variables;
    /// The settings whose secrets the fields show.
    std::optional<OAuth2Settings> m_shown;
    /// Clients whose secrets only came along while their id or token URL was being typed:
    /// "p", "pa", "pay" hold nothing of their own, and the next key takes their secrets on.
    QSet<QString> m_carried;
    /// Keeps "Expires in ..." current while the pane is up.
    QTimer m_expiry;
    bool m_syncing = false;
    bool m_busy = false;
    /// Counts fetches, so that the end of one replaced or cancelled is ignored.
    quint64 m_fetch = 0;
};

} // namespace mako
