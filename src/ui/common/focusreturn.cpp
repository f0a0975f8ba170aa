#include "ui/common/focusreturn.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace mako {

FocusReturn::FocusReturn(QObject* parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

FocusReturn::~FocusReturn()
{
    qApp->removeEventFilter(this);
}

bool FocusReturn::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || event->spontaneous())
        return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || !dialog->isWindow())
        return false;
    if (type == QEvent::Show) {
        QWidget* focused = QApplication::focusWidget();
        if (focused && !m_openers.contains(dialog) && focused->window() != dialog) {
            m_openers.insert(dialog, focused);
            connect(dialog, &QObject::destroyed, this,
                [this](QObject* gone) { m_openers.remove(gone); });
        }
        return false;
    }
    const QPointer<QWidget> opener = m_openers.take(dialog);
    if (!opener)
        return false;
    // Once the closing is done: the window the dialog sat over is activated again only then,
    // and on some platforms not at all.
    QTimer::singleShot(0, opener, [opener] {
        if (!opener || !opener->isVisible() || !opener->isEnabled())
            return;
        QWidget* window = opener->window();
        if (QApplication::activeModalWidget() && QApplication::activeModalWidget() != window)
            return;
        window->activateWindow();
        opener->setFocus(Qt::OtherFocusReason);
    });
    return false;
}

} // namespace mako
