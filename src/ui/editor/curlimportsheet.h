#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

#include <optional>

namespace mako {

class AppState;

/// Opens the curl `command` as a request in a new tab, as "Import" does; the reason when it
/// cannot be read, and nothing opens.
std::optional<QString> importCurlCommand(AppState& state, const QString& command);

/// "Import from cURL": the user pastes a curl command and gets it as a request in a new tab.
/// A command that cannot be read keeps the sheet open with the reason; what the request cannot
/// hold (a file upload, an option Mako has no field for) is told in the window's alert.
class CurlImportSheet : public QDialog {
    Q_OBJECT

public:
    CurlImportSheet(AppState& state, QWidget* window);

private:
    void handleTextChanged();
    void import();
    void showError(const QString& message);

    AppState& m_state;
    QPlainTextEdit* m_text;
    QWidget* m_errorRow;
    QLabel* m_error;
    QPushButton* m_importButton;
};

} // namespace mako
