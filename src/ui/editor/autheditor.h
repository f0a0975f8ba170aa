#pragma once

#include "model/apienvironment.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace mako {

class AppState;
class LineFieldVariables;
class OAuth2Pane;
class RequestViewModel;

/// The Auth tab: the kind of authorisation and its credential. Every kind edits the same
/// credential text (Digest, NTLM, Negotiate and AWS show it as two fields, name and secret,
/// split at its first ":"), so switching the kind keeps what was typed.
class AuthEditor : public QWidget {
    Q_OBJECT

public:
    /// What `{{name}}` placeholders in the credential resolve to when sent.
    using EnvironmentSource = std::function<std::optional<APIEnvironment>()>;

    AuthEditor(
        RequestViewModel& viewModel, EnvironmentSource environment, QWidget* parent = nullptr);

    /// Whose auth the editor shows: the open request, or a collection's (which has no
    /// collection above it to inherit from).
    enum class Owner { request, collection };
    /// Adds the kinds that need the application: OAuth 2.0 (whose secrets and tokens
    /// `state`'s token keeper holds) and, for a request, "Inherit from collection", which says
    /// what the open request's collection gives it. `state` must outlive the editor.
    void attach(AppState& state, Owner owner);

    /// Colours the placeholders again after the variables changed.
    void refreshVariables();

    /// Offers only the kinds that go out as a header: a WebSocket or event-stream connection
    /// carries headers alone, and a Digest or AWS choice there would silently send nothing.
    void limitToHeaderKinds();

private:
    void handleRequestChanged();
    void handleTypeChosen(int index);
    void handleTokenEdited(const QString& token);
    void handlePairEdited();
    void handleExtraEdited();
    void showType();
    /// What a request that inherits goes with, from its collection.
    QString inheritedNote() const;
    QLineEdit* addField(const QString& objectName, const QString& label);

    RequestViewModel& m_viewModel;
    EnvironmentSource m_environment;
    QFormLayout* m_form;
    QComboBox* m_type;
    QLabel* m_fieldLabel;
    QLineEdit* m_token;
    // The name and secret halves of the credential, then the fields of NTLM and AWS.
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_domain = nullptr;
    QLineEdit* m_region = nullptr;
    QLineEdit* m_service = nullptr;
    QLineEdit* m_sessionToken = nullptr;
    QList<LineFieldVariables*> m_variables;
    QLabel* m_note;
    AppState* m_state = nullptr;
    OAuth2Pane* m_oauth2 = nullptr;
    bool m_syncing = false;
};

} // namespace mako
