#include "ui/screens/completingtextedit.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>

namespace mako {

namespace {

constexpr int kMinimumPrefix = 2;

bool isWordCharacter(QChar character)
{
    return character.isLetterOrNumber() || character == u'_';
}

} // namespace

CompletingTextEdit::CompletingTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
    , m_words(new QStringListModel(this))
    , m_completer(new QCompleter(m_words, this))
{
    m_completer->setObjectName(QStringLiteral("completer"));
    m_completer->setWidget(this);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
        &CompletingTextEdit::insertCompletion);
}

void CompletingTextEdit::setCompletions(const QStringList& words)
{
    m_words->setStringList(words);
}

void CompletingTextEdit::focusInEvent(QFocusEvent* event)
{
    m_completer->setWidget(this);
    QPlainTextEdit::focusInEvent(event);
}

void CompletingTextEdit::keyPressEvent(QKeyEvent* event)
{
    QAbstractItemView* popup = m_completer->popup();
    if (popup->isVisible()) {
        // These keys belong to the popup, which takes them through its own event filter.
        switch (event->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            event->ignore();
            return;
        default:
            break;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
    const QString prefix = wordBeforeCursor();
    const bool typedText = !event->text().isEmpty() && !(event->modifiers() & Qt::ControlModifier);
    if (!typedText || prefix.size() < kMinimumPrefix || m_words->rowCount() == 0) {
        popup->hide();
        return;
    }
    m_completer->setCompletionPrefix(prefix);
    if (m_completer->completionCount() == 0) {
        popup->hide();
        return;
    }
    popup->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    QRect area = cursorRect();
    area.setWidth(popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width());
    m_completer->complete(area);
}

QString CompletingTextEdit::wordBeforeCursor() const
{
    const QTextCursor cursor = textCursor();
    const QString block = cursor.block().text();
    int start = cursor.positionInBlock();
    while (start > 0 && isWordCharacter(block.at(start - 1)))
        --start;
    return block.mid(start, cursor.positionInBlock() - start);
}

void CompletingTextEdit::insertCompletion(const QString& word)
{
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, int(wordBeforeCursor().size()));
    cursor.insertText(word);
    setTextCursor(cursor);
}

} // namespace mako
