#include "ui/editor/urlfield.h"

#include "ui/common/colors.h"
#include "ui/editor/variablespans.h"

#include <QAction>
#include <QClipboard>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QStringListModel>
#include <QTextCharFormat>
#include <QToolTip>

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
    , m_recent(new QStringListModel(this))
{
    setObjectName(u"urlField"_s);
    setAccessibleName(tr("URL"));
    setPlaceholderText(u"https://api.example.com/users"_s);
    setClearButtonEnabled(false);
    auto* completer = new QCompleter(m_recent, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    setCompleter(completer);
    connect(this, &QLineEdit::textChanged, this, &UrlField::colourPlaceholders);
    connect(this, &QLineEdit::cursorPositionChanged, this, &UrlField::colourPlaceholders);
}

void UrlField::setRecentURLs(const QStringList& urls)
{
    QStringList nonEmpty = urls;
    nonEmpty.removeAll(QString());
    m_recent->setStringList(nonEmpty);
}

void UrlField::refreshVariables()
{
    colourPlaceholders();
}

void UrlField::inputMethodEvent(QInputMethodEvent* event)
{
    m_composing = !event->preeditString().isEmpty();
    QLineEdit::inputMethodEvent(event);
}

void UrlField::colourPlaceholders()
{
    // The colours travel as an input method event, which would end a composition in progress.
    if (m_composing)
        return;
    // A line edit draws formats only through its input method hook; the attributes there are
    // positioned relative to the cursor.
    QList<QInputMethodEvent::Attribute> attributes;
    for (const VariableSpan& span : variableSpans(text(), m_environment())) {
        QTextCharFormat format;
        format.setForeground(span.isDefined ? palette().color(QPalette::Link)
                                            : systemColor(SystemColor::red, palette()));
        attributes.append(QInputMethodEvent::Attribute(
            QInputMethodEvent::TextFormat, span.start - cursorPosition(), span.length, format));
    }
    QInputMethodEvent event(QString(), attributes);
    QCoreApplication::sendEvent(this, &event);
}

bool UrlField::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QList<VariableSpan> spans = variableSpans(text(), m_environment());
        if (const VariableSpan* span = spanAt(spans, cursorPositionAt(help->pos()))) {
            QToolTip::showText(help->globalPos(), span->explanation(), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    if (event->type() == QEvent::PaletteChange)
        colourPlaceholders();
    return QLineEdit::event(event);
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
