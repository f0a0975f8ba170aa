#pragma once

#include "model/apienvironment.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace mako {

class LineFieldVariables;
class RequestViewModel;

/// The Auth tab: the kind of authorisation and its one credential. Every kind edits the same
/// text, so switching the kind keeps what was typed.
class AuthEditor : public QWidget {
    Q_OBJECT

public:
    /// What `{{name}}` placeholders in the credential resolve to when sent.
    using EnvironmentSource = std::function<std::optional<APIEnvironment>()>;

    AuthEditor(
        RequestViewModel& viewModel, EnvironmentSource environment, QWidget* parent = nullptr);

    /// Colours the placeholders again after the variables changed.
    void refreshVariables();

private:
    void handleRequestChanged();
    void handleTypeChosen(int index);
    void handleTokenEdited(const QString& token);
    void showType();

    RequestViewModel& m_viewModel;
    QComboBox* m_type;
    QLabel* m_fieldLabel;
    QLineEdit* m_token;
    LineFieldVariables* m_variables;
    QLabel* m_note;
    bool m_syncing = false;
};

} // namespace mako
