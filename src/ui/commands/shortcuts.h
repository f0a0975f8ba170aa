#pragma once

#include <QKeySequence>
#include <QString>

#include <array>

namespace mako {

/// The commands that can have a key. The user may change any of them (ShortcutMap); the keys
/// below are where every command starts and what "Restore Defaults" puts back.
enum class Shortcut {
    newRequest,
    importPostmanCollection,
    importPostmanEnvironment,
    exportCollection,
    importMakoCollection,
    importCurl,
    sendRequest,
    saveToCollection,
    duplicateRequest,
    toggleSidebar,
    quickOpen,
    search,
    closeTab,
    closeWindow,
    minimize,
    quit,
    preferences,
    manageCookies,
};

namespace shortcuts {

struct Default {
    Shortcut command;
    /// The command's name in the settings file: never renamed, or a user's key is lost.
    const char* id;
    QKeySequence key;
};

// The keys of the commands, in one place, in the order of Shortcut.
inline const std::array kDefaults {
    Default {Shortcut::newRequest, "newRequest", QKeySequence(Qt::CTRL | Qt::Key_N)},
    Default {Shortcut::importPostmanCollection, "importPostmanCollection",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I)},
    Default {Shortcut::importPostmanEnvironment, "importPostmanEnvironment", QKeySequence()},
    Default {Shortcut::exportCollection, "exportCollection", QKeySequence()},
    Default {Shortcut::importMakoCollection, "importMakoCollection", QKeySequence()},
    Default {Shortcut::importCurl, "importCurl", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_I)},
    Default {Shortcut::sendRequest, "sendRequest", QKeySequence(Qt::CTRL | Qt::Key_Return)},
    Default {Shortcut::saveToCollection, "saveToCollection", QKeySequence(Qt::CTRL | Qt::Key_S)},
    Default {Shortcut::duplicateRequest, "duplicateRequest", QKeySequence(Qt::CTRL | Qt::Key_D)},
    Default {Shortcut::toggleSidebar, "toggleSidebar", QKeySequence(Qt::CTRL | Qt::Key_0)},
    Default {Shortcut::quickOpen, "quickOpen", QKeySequence(Qt::CTRL | Qt::Key_P)},
    Default {Shortcut::search, "search", QKeySequence(Qt::CTRL | Qt::Key_F)},
    // Ctrl+W closes a tab, as in every tabbed program; the window, which ends Mako, takes Shift
    // too.
    Default {Shortcut::closeTab, "closeTab", QKeySequence(Qt::CTRL | Qt::Key_W)},
    Default {Shortcut::closeWindow, "closeWindow", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W)},
    Default {Shortcut::minimize, "minimize", QKeySequence(Qt::CTRL | Qt::Key_M)},
    Default {Shortcut::quit, "quit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
    Default {Shortcut::preferences, "preferences", QKeySequence(Qt::CTRL | Qt::Key_Comma)},
    Default {Shortcut::manageCookies, "manageCookies", QKeySequence()},
};

/// The key as this platform writes it ("Ctrl+N" here, "⌘N" on a Mac).
inline QString text(const QKeySequence& key)
{
    return key.toString(QKeySequence::NativeText);
}

} // namespace shortcuts

} // namespace mako
