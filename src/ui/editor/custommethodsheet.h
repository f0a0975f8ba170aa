#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mako {

/// Asks for a method outside the menu's seven ("PURGE", "PROPFIND"). "Use" hands over the
/// typed name only when HTTP allows it as a method; otherwise the sheet stays open and says why.
/// Open it with `open()`; it deletes itself when closed.
class CustomMethodSheet : public QDialog {
    Q_OBJECT

public:
    CustomMethodSheet(const QString& current, QWidget* window);

    QLineEdit* field() const { return m_field; }

Q_SIGNALS:
    /// A name that `setMethodName` takes.
    void methodChosen(const QString& name);

private:
    void confirm();

    QLineEdit* m_field;
    QLabel* m_problem;
    QPushButton* m_confirm;
};

} // namespace mako
