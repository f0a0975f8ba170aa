#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QPlainTextEdit;

namespace mako {

/// Indentation by keys in a multi-line code field whose Tab moves the focus on, as every other
/// control's does: Return starts the new line with the current line's indentation, Ctrl+] and
/// Ctrl+[ indent and outdent the lines the selection touches (the cursor's line without one)
/// by `unit`. True when `event` was one of these keys and has been handled.
bool handleIndentKey(QPlainTextEdit* edit, QKeyEvent* event, const QString& unit);

/// Moves the lines the selection of `edit` touches one `unit` in, or out; out takes off one
/// `unit`, or a tab, or the spaces there are when fewer.
void shiftSelectedLines(QPlainTextEdit* edit, const QString& unit, bool outward);

/// Gives `edit` the keys above and makes its Tab and Shift+Tab move the focus; `edit` owns it.
class IndentKeys : public QObject {
    Q_OBJECT

public:
    explicit IndentKeys(QPlainTextEdit* edit, QString unit = QStringLiteral("  "));

    void setUnit(const QString& unit) { m_unit = unit; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_edit;
    QString m_unit;
};

} // namespace mako
