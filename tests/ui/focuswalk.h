#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace mako::test {

/// How a control is named in a failure: its class, object name and accessible name.
inline QString describeFocus(const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("(nothing)");
    QString text = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->objectName().isEmpty())
        text += u'#' + widget->objectName();
    if (!widget->accessibleName().isEmpty())
        text += QStringLiteral(" \"") + widget->accessibleName() + u'"';
    return text;
}

/// The widget that takes the focus when `widget` is asked for it.
inline QWidget* focusTarget(QWidget* widget)
{
    while (widget && widget->focusProxy())
        widget = widget->focusProxy();
    return widget;
}

/// One stop of the Tab chain: the control, or for a set of exclusive buttons (a segmented
/// picker) the set, which Tab passes once while the arrow keys choose within it.
inline const QObject* tabStopOf(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (button->group() && button->group()->exclusive())
            return button->group();
    }
    return widget;
}

inline QString describeStop(const QObject* stop)
{
    if (const auto* group = qobject_cast<const QButtonGroup*>(stop)) {
        QStringList names;
        for (const QAbstractButton* button : group->buttons())
            names.append(button->objectName());
        return QStringLiteral("buttons ") + names.join(u'|');
    }
    return describeFocus(qobject_cast<const QWidget*>(stop));
}

/// Every stop under `root` (itself included) that Tab must reach: shown, enabled controls
/// taking focus from the keyboard.
inline QSet<const QObject*> tabStops(QWidget* root)
{
    QList<QWidget*> candidates = root->findChildren<QWidget*>();
    candidates.prepend(root);
    QSet<const QObject*> stops;
    for (QWidget* widget : candidates) {
        QWidget* target = focusTarget(widget);
        if (target && target->isVisible() && target->isEnabled()
            && (target->focusPolicy() & Qt::TabFocus) && target->window() == root->window())
            stops.insert(tabStopOf(target));
    }
    return stops;
}

/// Presses Tab (or Shift+Tab) on whatever has the focus until the focus is back on `start`, at
/// most `limit` times; the controls it passed, `start` first.
inline QList<QWidget*> walkFocus(QWidget* start, bool forward, qsizetype limit)
{
    QList<QWidget*> visited {start};
    for (qsizetype step = 0; step < limit; ++step) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused)
            break;
        QTest::keyClick(focused, forward ? Qt::Key_Tab : Qt::Key_Backtab,
            forward ? Qt::NoModifier : Qt::ShiftModifier);
        QWidget* now = QApplication::focusWidget();
        if (now == start)
            return visited;
        visited.append(now);
    }
    visited.append(nullptr); // never came back
    return visited;
}

inline QStringList describeAll(const QList<QWidget*>& widgets)
{
    QStringList texts;
    for (const QWidget* widget : widgets)
        texts.append(describeStop(tabStopOf(widget)));
    return texts;
}

/// Tab from `start` visits every tab stop of `root` exactly once and comes back to `start`;
/// Shift+Tab does the same in the opposite order. `root`'s window must be active.
inline void expectFocusCycle(QWidget* root, QWidget* start)
{
    ASSERT_TRUE(root && start);
    start = focusTarget(start);
    start->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), start)
        << describeFocus(QApplication::focusWidget()).toStdString();
    const QSet<const QObject*> stops = tabStops(root);
    const qsizetype limit = 2 * stops.size() + 4;

    const QList<QWidget*> forward = walkFocus(start, true, limit);
    SCOPED_TRACE("Tab visits: " + describeAll(forward).join(QStringLiteral(" -> ")).toStdString());
    ASSERT_FALSE(forward.contains(nullptr))
        << "Tab never returns to " << describeFocus(start).toStdString();
    QStringList twice;
    QStringList outside;
    QSet<const QObject*> seen;
    for (const QWidget* widget : forward) {
        const QObject* stop = tabStopOf(widget);
        if (seen.contains(stop))
            twice.append(describeStop(stop));
        seen.insert(stop);
        if (!stops.contains(stop))
            outside.append(describeStop(stop));
    }
    QStringList unreached;
    for (const QObject* stop : stops) {
        if (!seen.contains(stop))
            unreached.append(describeStop(stop));
    }
    unreached.sort();
    EXPECT_TRUE(twice.isEmpty()) << "visited twice: "
                                 << twice.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(outside.isEmpty())
        << "left the screen for: " << outside.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(unreached.isEmpty())
        << "never reached: " << unreached.join(QStringLiteral(", ")).toStdString();

    start->setFocus(Qt::BacktabFocusReason);
    QList<QWidget*> backward = walkFocus(start, false, limit);
    ASSERT_FALSE(backward.contains(nullptr))
        << "Shift+Tab never returns to " << describeFocus(start).toStdString() << ": "
        << describeAll(backward).join(QStringLiteral(" -> ")).toStdString();
    // Backwards: the same controls, the other way round.
    std::reverse(backward.begin() + 1, backward.end());
    EXPECT_EQ(describeAll(backward), describeAll(forward));
}

} // namespace mako::test
