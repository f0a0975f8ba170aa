#pragma once

#include <QKeySequence>
#include <QString>

namespace mako::shortcuts {

// The keys of the menu commands, in one place for the menus and the texts that mention them.
inline const QKeySequence newRequest {Qt::CTRL | Qt::Key_N};
inline const QKeySequence importPostmanCollection {Qt::CTRL | Qt::SHIFT | Qt::Key_I};
inline const QKeySequence importCurl {Qt::CTRL | Qt::ALT | Qt::Key_I};
inline const QKeySequence sendRequest {Qt::CTRL | Qt::Key_Return};
inline const QKeySequence saveToCollection {Qt::CTRL | Qt::Key_S};
inline const QKeySequence duplicateRequest {Qt::CTRL | Qt::Key_D};
inline const QKeySequence toggleSidebar {Qt::CTRL | Qt::Key_0};
inline const QKeySequence quickOpen {Qt::CTRL | Qt::Key_P};
inline const QKeySequence search {Qt::CTRL | Qt::Key_F};
// Ctrl+W closes a tab, as in every tabbed program; the window, which ends Mako, takes Shift too.
inline const QKeySequence closeTab {Qt::CTRL | Qt::Key_W};
inline const QKeySequence closeWindow {Qt::CTRL | Qt::SHIFT | Qt::Key_W};
inline const QKeySequence minimize {Qt::CTRL | Qt::Key_M};
inline const QKeySequence quit {Qt::CTRL | Qt::Key_Q};
inline const QKeySequence preferences {Qt::CTRL | Qt::Key_Comma};

/// The key as this platform writes it ("Ctrl+N" here, "⌘N" on a Mac).
inline QString text(const QKeySequence& key)
{
    return key.toString(QKeySequence::NativeText);
}

} // namespace mako::shortcuts
