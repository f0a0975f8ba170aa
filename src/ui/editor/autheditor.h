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

class LineFieldVariables;
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
    bool m_syncing = false;
};

} // namespace mako
