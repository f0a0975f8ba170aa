#include "ui/editor/urlfield.h"

#include "execution/dynamicvariables.h"
#include "ui/editor/linefieldvariables.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringListModel>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

bool looksLikeCurl(const QString& text)
{
    static const QRegularExpression curl(u"^\\s*curl\\s"_s);
    return curl.match(text).hasMatch();
}

} // namespace

UrlField::UrlField(EnvironmentSource environment, QWidget* parent)
    : QLineEdit(parent)
    , m_environment(std::move(environment))
    , m_variables(new LineFieldVariables(this, m_environment))
    , m_recent(new QStringListModel(this))
    , m_variableNames(new QStringListModel(this))
    , m_variableCompleter(new QCompleter(m_variableNames, this))
{
    setObjectName(u"urlField"_s);
    setAccessibleName(tr("URL"));
    setPlaceholderText(u"https://api.example.com/users"_s); // untranslated: a URL
    setClearButtonEnabled(false);
    auto* completer = new QCompleter(m_recent, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    setCompleter(completer);
    // A second completer, driven by hand: the line edit's own one always matches the whole text.
    m_variableCompleter->setObjectName(u"variableCompleter"_s);
    m_variableCompleter->setWidget(this);
    m_variableCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    m_variableCompleter->setCompletionMode(QCompleter::PopupCompletion);
    m_variableCompleter->popup()->setObjectName(u"variableCompletions"_s);
    m_variableCompleter->popup()->setAccessibleName(tr("Variables"));
    connect(m_variableCompleter, qOverload<const QString&>(&QCompleter::activated), this,
        &UrlField::insertVariable);
}

void UrlField::setRecentURLs(const QStringList& urls)
{
    QStringList nonEmpty = urls;
    nonEmpty.removeAll(QString());
    m_recent->setStringList(nonEmpty);
}

void UrlField::refreshVariables()
{
    m_variables->refresh();
}

void UrlField::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        pasteFromClipboard();
        return;
    }
    QAbstractItemView* popup = m_variableCompleter->popup();
    if (popup->isVisible()) {
        // The popup takes these through its own event filter; Return must not also send.
        switch (event->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return:
        case Qt::Key_Escape:
            event->ignore();
            return;
        default:
            break;
        }
    }
    QLineEdit::keyPressEvent(event);
    if (!event->text().isEmpty() && !(event->modifiers() & Qt::ControlModifier))
        completeVariable();
    else if (!openPlaceholder())
        popup->hide();
}

std::optional<QString> UrlField::openPlaceholder() const
{
    const QString before = text().left(cursorPosition());
    const qsizetype open = before.lastIndexOf(u"{{"_s);
    if (open < 0)
        return std::nullopt;
    const QString typed = before.mid(open + 2);
    if (typed.contains(u'{') || typed.contains(u'}'))
        return std::nullopt;
    return typed;
}

void UrlField::completeVariable()
{
    QAbstractItemView* popup = m_variableCompleter->popup();
    const std::optional<QString> typed = openPlaceholder();
    if (!typed) {
        popup->hide();
        return;
    }
    // The environment's own names first: they are the ones this request was written against.
    QStringList names;
    if (const std::optional<APIEnvironment> environment = m_environment()) {
        for (const KeyValuePair& row : environment->variables) {
            if (row.isApplicable() && !names.contains(row.key))
                names.append(row.key);
        }
    }
    for (const QString& name : dynamicVariableNames()) {
        if (!names.contains(name))
            names.append(name);
    }
    m_variableNames->setStringList(names);
    m_variableCompleter->setCompletionPrefix(*typed);
    if (m_variableCompleter->completionCount() == 0) {
        popup->hide();
        return;
    }
    // Both popups at once would fight over the keys; inside a placeholder the names matter.
    if (completer())
        completer()->popup()->hide();
    popup->setCurrentIndex(m_variableCompleter->completionModel()->index(0, 0));
    QRect area = cursorRect();
    area.setWidth(popup->sizeHintForColumn(0) + popup->verticalScrollBar()->sizeHint().width());
    m_variableCompleter->complete(area);
}

void UrlField::insertVariable(const QString& name)
{
    const std::optional<QString> typed = openPlaceholder();
    if (!typed)
        return;
    const int position = cursorPosition();
    const bool closed = text().mid(position).startsWith(u"}}"_s);
    // Through insert(), so undo and textEdited see it as typing.
    setSelection(position - int(typed->size()), int(typed->size()));
    insert(closed ? name : name + u"}}"_s);
    if (closed)
        setCursorPosition(cursorPosition() + 2);
}

void UrlField::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's own paste would bypass the curl check.
    if (auto* paste = menu->findChild<QAction*>(u"edit-paste"_s)) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, &UrlField::pasteFromClipboard);
    }
    menu->popup(event->globalPos());
}

void UrlField::pasteFromClipboard()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (looksLikeCurl(text) && m_curlHandler && m_curlHandler(text))
        return;
    paste();
}

} // namespace mako
