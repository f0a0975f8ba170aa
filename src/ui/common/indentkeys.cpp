#include "ui/common/indentkeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace mako {

namespace {

QString leadingWhitespace(const QString& line)
{
    qsizetype end = 0;
    while (end < line.size() && (line[end] == u' ' || line[end] == u'\t'))
        ++end;
    return line.left(end);
}

// How much of `line`'s start one step out removes.
qsizetype outdentLength(const QString& line, const QString& unit)
{
    if (line.startsWith(u'\t'))
        return 1;
    const qsizetype spaces = leadingWhitespace(line).indexOf(u'\t');
    const qsizetype leading = spaces < 0 ? leadingWhitespace(line).size() : spaces;
    const qsizetype step = unit == u"\t" ? 4 : unit.size();
    return std::min(leading, step);
}

void newLineKeepingIndentation(QPlainTextEdit* edit)
{
    QTextCursor cursor = edit->textCursor();
    const QTextBlock block = edit->document()->findBlock(cursor.selectionStart());
    // Only what stands before the cursor: Return in the middle of the indentation keeps less.
    const QString before = block.text().left(cursor.selectionStart() - block.position());
    cursor.insertText(u'\n' + leadingWhitespace(before));
    edit->setTextCursor(cursor);
    edit->ensureCursorVisible();
}

} // namespace

void shiftSelectedLines(QPlainTextEdit* edit, const QString& unit, bool outward)
{
    QTextCursor cursor = edit->textCursor();
    QTextDocument* document = edit->document();
    const QTextBlock first = document->findBlock(cursor.selectionStart());
    QTextBlock last = document->findBlock(cursor.selectionEnd());
    // A selection that ends at the start of a line does not take that line along.
    if (cursor.hasSelection() && last != first && cursor.selectionEnd() == last.position())
        last = last.previous();
    QTextCursor lines(document);
    lines.beginEditBlock();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        lines.setPosition(block.position());
        if (!outward) {
            if (!block.text().isEmpty() || first == last)
                lines.insertText(unit);
        } else if (const qsizetype length = outdentLength(block.text(), unit); length > 0) {
            lines.setPosition(block.position() + int(length), QTextCursor::KeepAnchor);
            lines.removeSelectedText();
        }
        if (block == last)
            break;
    }
    lines.endEditBlock();
}

bool handleIndentKey(QPlainTextEdit* edit, QKeyEvent* event, const QString& unit)
{
    if (edit->isReadOnly())
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
        newLineKeepingIndentation(edit);
        return true;
    }
    if ((key == Qt::Key_BracketRight || key == Qt::Key_BracketLeft)
        && modifiers == Qt::ControlModifier) {
        shiftSelectedLines(edit, unit, key == Qt::Key_BracketLeft);
        return true;
    }
    return false;
}

IndentKeys::IndentKeys(QPlainTextEdit* edit, QString unit)
    : QObject(edit)
    , m_edit(edit)
    , m_unit(std::move(unit))
{
    edit->setTabChangesFocus(true);
    edit->installEventFilter(this);
}

bool IndentKeys::eventFilter(QObject* watched, QEvent* event)
{
    // While a completion list is open, Return is its.
    if (watched == m_edit && event->type() == QEvent::KeyPress
        && !QApplication::activePopupWidget())
        return handleIndentKey(m_edit, static_cast<QKeyEvent*>(event), m_unit);
    return QObject::eventFilter(watched, event);
}

} // namespace mako
