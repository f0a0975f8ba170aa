#pragma once

#include "ui/commands/shortcuts.h"

#include <QKeySequence>
#include <QObject>

#include <array>
#include <optional>

class QAction;
class QShortcut;

namespace mako {

class Settings;

/// The keys of the commands as they are now: the built-in ones with the user's changes on top.
/// Every menu, hint and shortcut asks here (and follows `changed`), so a key changed in the
/// Preferences works everywhere at once. The changes live in the settings file, in portable
/// text, and only as far as they differ from the built-in keys.
class ShortcutMap : public QObject {
    Q_OBJECT

public:
    explicit ShortcutMap(Settings& settings, QObject* parent = nullptr);

    QKeySequence key(Shortcut command) const;
    /// As this platform writes it ("Ctrl+N"); empty for a command without a key.
    QString text(Shortcut command) const { return shortcuts::text(key(command)); }
    static QKeySequence defaultKey(Shortcut command);
    static QString id(Shortcut command);

    /// The command other than `except` that `key` runs, if any.
    std::optional<Shortcut> commandWith(
        const QKeySequence& key, std::optional<Shortcut> except = std::nullopt) const;

    /// Gives `command` the `key` (empty: none) and takes it from whichever command had it, so
    /// that one key never runs two commands.
    void setKey(Shortcut command, const QKeySequence& key);
    /// Every command back to its built-in key.
    void restoreDefaults();

    /// Keeps `action`'s key that of `command`, now and after every change.
    void bind(QAction* action, Shortcut command) const;
    void bind(QShortcut* shortcut, Shortcut command) const;

Q_SIGNALS:
    void changed();

private:
    static constexpr std::size_t kCount = shortcuts::kDefaults.size();

    void load();
    void store();

    Settings& m_settings;
    std::array<QKeySequence, kCount> m_keys;
};

} // namespace mako
