#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace mako {

class RequestViewModel;

/// The Auth tab: the kind of authorisation and its one credential. Every kind edits the same
/// text, so switching the kind keeps what was typed.
class AuthEditor : public QWidget {
    Q_OBJECT

public:
    explicit AuthEditor(RequestViewModel& viewModel, QWidget* parent = nullptr);

private:
    void handleRequestChanged();
    void handleTypeChosen(int index);
    void handleTokenEdited(const QString& token);
    void showType();

    RequestViewModel& m_viewModel;
    QComboBox* m_type;
    QLabel* m_fieldLabel;
    QLineEdit* m_token;
    QLabel* m_note;
    bool m_syncing = false;
};

} // namespace mako
