#include "ui/editor/linefieldvariables.h"

#include "ui/common/colors.h"
#include "ui/editor/variablespans.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTextCharFormat>
#include <QToolTip>

namespace mako {

LineFieldVariables::LineFieldVariables(QLineEdit* field, EnvironmentSource environment)
    : QObject(field)
    , m_field(field)
    , m_environment(std::move(environment))
{
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, &LineFieldVariables::refresh);
    connect(field, &QLineEdit::cursorPositionChanged, this, &LineFieldVariables::refresh);
    refresh();
}

void LineFieldVariables::refresh()
{
    // The colours travel as an input method event, which would end a composition in progress.
    if (m_composing)
        return;
    // A line edit draws formats only through its input method hook; the attributes there are
    // positioned relative to the cursor.
    QList<QInputMethodEvent::Attribute> attributes;
    for (const VariableSpan& span : variableSpans(m_field->text(), m_environment())) {
        QTextCharFormat format;
        format.setForeground(span.isDefined ? m_field->palette().color(QPalette::Link)
                                            : systemColor(SystemColor::red, m_field->palette()));
        attributes.append(QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat,
            span.start - m_field->cursorPosition(), span.length, format));
    }
    QInputMethodEvent event(QString(), attributes);
    QCoreApplication::sendEvent(m_field, &event);
}

bool LineFieldVariables::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_field)
        return false;
    switch (event->type()) {
    case QEvent::InputMethod:
        // The colouring's own event has no composition either, and ends none.
        m_composing = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
        break;
    case QEvent::ToolTip:
        showToolTip(event);
        return true;
    case QEvent::PaletteChange:
        refresh();
        break;
    default:
        break;
    }
    return false;
}

void LineFieldVariables::showToolTip(QEvent* event)
{
    auto* help = static_cast<QHelpEvent*>(event);
    const QList<VariableSpan> spans = variableSpans(m_field->text(), m_environment());
    const VariableSpan* span = spanAt(spans, m_field->cursorPositionAt(help->pos()));
    const bool masked = m_field->echoMode() != QLineEdit::Normal;
    if (span && !(masked && span->isDefined))
        QToolTip::showText(help->globalPos(), span->explanation(), m_field);
    else
        QToolTip::hideText();
}

} // namespace mako
