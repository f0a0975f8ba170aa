#include "ui/editor/urlfield.h"

#include "ui/editor/linefieldvariables.h"

#include <QAction>
#include <QClipboard>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
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
    , m_variables(new LineFieldVariables(this, std::move(environment)))
    , m_recent(new QStringListModel(this))
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
    QLineEdit::keyPressEvent(event);
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
