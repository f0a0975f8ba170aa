#include "ui/commands/shortcutmap.h"

#include "state/settings.h"

#include <QAction>
#include <QShortcut>

namespace mako {

namespace {

std::size_t indexOf(Shortcut command)
{
    const auto index = static_cast<std::size_t>(command);
    Q_ASSERT(index < shortcuts::kDefaults.size() && shortcuts::kDefaults[index].command == command);
    return index;
}

bool isReadable(const QKeySequence& key)
{
    for (int chord = 0; chord < key.count(); ++chord) {
        if (key[chord].key() == Qt::Key_unknown)
            return false;
    }
    return !key.isEmpty();
}

} // namespace

ShortcutMap::ShortcutMap(Settings& settings, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
{
    load();
    // Also a change written by another map over the same store (a second window, a test).
    connect(&m_settings, &Settings::valueChanged, this, [this](const QString& key) {
        if (key == SettingKeys::shortcuts) {
            load();
            Q_EMIT changed();
        }
    });
}

QKeySequence ShortcutMap::key(Shortcut command) const
{
    return m_keys[indexOf(command)];
}

QKeySequence ShortcutMap::defaultKey(Shortcut command)
{
    return shortcuts::kDefaults[indexOf(command)].key;
}

QString ShortcutMap::id(Shortcut command)
{
    return QString::fromLatin1(shortcuts::kDefaults[indexOf(command)].id);
}

std::optional<Shortcut> ShortcutMap::commandWith(
    const QKeySequence& key, std::optional<Shortcut> except) const
{
    if (key.isEmpty())
        return std::nullopt;
    for (const shortcuts::Default& entry : shortcuts::kDefaults) {
        if (entry.command != except && m_keys[indexOf(entry.command)] == key)
            return entry.command;
    }
    return std::nullopt;
}

void ShortcutMap::setKey(Shortcut command, const QKeySequence& key)
{
    if (const auto holder = commandWith(key, command))
        m_keys[indexOf(*holder)] = QKeySequence();
    m_keys[indexOf(command)] = key;
    store();
}

void ShortcutMap::restoreDefaults()
{
    for (const shortcuts::Default& entry : shortcuts::kDefaults)
        m_keys[indexOf(entry.command)] = entry.key;
    store();
}

void ShortcutMap::bind(QAction* action, Shortcut command) const
{
    action->setShortcut(key(command));
    connect(this, &ShortcutMap::changed, action,
        [this, action, command] { action->setShortcut(key(command)); });
}

void ShortcutMap::bind(QShortcut* shortcut, Shortcut command) const
{
    shortcut->setKey(key(command));
    connect(this, &ShortcutMap::changed, shortcut,
        [this, shortcut, command] { shortcut->setKey(key(command)); });
}

void ShortcutMap::load()
{
    const QHash<QString, QString> overrides = m_settings.shortcutOverrides();
    for (const shortcuts::Default& entry : shortcuts::kDefaults) {
        QKeySequence key = entry.key;
        const auto stored = overrides.constFind(QString::fromLatin1(entry.id));
        if (stored != overrides.cend()) {
            const QKeySequence parsed
                = QKeySequence::fromString(*stored, QKeySequence::PortableText);
            // A text this version cannot read (edited by hand, from a later version) leaves the
            // command its built-in key rather than none.
            if (stored->isEmpty() || isReadable(parsed))
                key = parsed;
        }
        m_keys[indexOf(entry.command)] = key;
    }
}

void ShortcutMap::store()
{
    QHash<QString, QString> overrides;
    for (const shortcuts::Default& entry : shortcuts::kDefaults) {
        const QKeySequence& key = m_keys[indexOf(entry.command)];
        if (key != entry.key)
            overrides.insert(
                QString::fromLatin1(entry.id), key.toString(QKeySequence::PortableText));
    }
    // The store announces the change, and the announcement reloads and tells the users.
    m_settings.setShortcutOverrides(overrides);
}

} // namespace mako
