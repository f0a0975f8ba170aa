#include "ui/shell/commandpalettemodel.h"

#include "state/appstate.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QPixmap>

using namespace Qt::StringLiterals;

namespace mako {

QString commandTitle(const QAction& action)
{
    // Unless a toolbar text was set, the icon text is the text without its mnemonic marks and
    // "..."; the typographic ellipsis is left to us.
    return action.iconText().remove(u'\u2026').trimmed();
}

CommandPaletteModel::CommandPaletteModel(const AppState& state, QObject* parent)
    : QAbstractListModel(parent)
    , m_state(state)
{
    connect(&m_state.collectionStore(), &CollectionStore::collectionsChanged, this, [this] {
        if (m_active)
            refilter();
    });
}

void CommandPaletteModel::setCommands(const QList<QAction*>& commands)
{
    m_commands.clear();
    for (QAction* command : commands)
        m_commands.append(command);
    if (m_active)
        refilter();
}

void CommandPaletteModel::setQuery(const QString& query)
{
    m_active = true;
    m_query = query;
    refilter();
}

void CommandPaletteModel::deactivate()
{
    m_active = false;
    beginResetModel();
    m_requests.clear();
    m_matchingCommands.clear();
    endResetModel();
}

void CommandPaletteModel::refilter()
{
    // A new query is a new list: a reset, not a diff.
    beginResetModel();
    m_requests = searchRequests(m_state.collections(), m_query);
    m_matchingCommands.clear();
    for (const QPointer<QAction>& command : m_commands) {
        if (!command || command->isSeparator() || command->menu() || !command->isVisible()
            || !command->isEnabled())
            continue;
        const QString title = commandTitle(*command);
        if (!title.isEmpty() && title.contains(m_query, Qt::CaseInsensitive))
            m_matchingCommands.append(command);
    }
    endResetModel();
}

std::optional<RequestMatch> CommandPaletteModel::requestAt(int row) const
{
    if (row < 0 || row >= m_requests.size())
        return std::nullopt;
    return m_requests[row];
}

QAction* CommandPaletteModel::commandAt(int row) const
{
    const qsizetype command = row - m_requests.size();
    if (row < 0 || command < 0 || command >= m_matchingCommands.size())
        return nullptr;
    return m_matchingCommands[command];
}

int CommandPaletteModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_requests.size() + m_matchingCommands.size());
}

QVariant CommandPaletteModel::data(const QModelIndex& index, int role) const
{
    if (!(index.isValid() && checkIndex(index)))
        return {};
    if (const auto request = requestAt(index.row()))
        return requestData(*request, role);
    if (const QAction* command = commandAt(index.row()))
        return commandData(*command, role);
    return {};
}

QVariant CommandPaletteModel::requestData(const RequestMatch& match, int role) const
{
    const APIRequest& request = m_state.collections()[match.collection].requests[match.request];
    switch (role) {
    case Qt::DisplayRole:
        return request.name;
    case DetailRole:
    case Qt::ToolTipRole:
        return request.url;
    case BadgeRole:
        return methodName(request);
    case Qt::AccessibleTextRole:
        return u"%1 %2"_s.arg(methodName(request), request.name);
    default:
        return {};
    }
}

QVariant CommandPaletteModel::commandData(const QAction& command, int role) const
{
    const QString shortcut = command.shortcut().toString(QKeySequence::NativeText);
    switch (role) {
    case Qt::DisplayRole:
        return commandTitle(command);
    case DetailRole:
        return shortcut;
    case Qt::DecorationRole: {
        // A command without an icon keeps the same indent as those with one.
        if (!command.icon().isNull())
            return command.icon();
        static const QIcon blank = [] {
            QPixmap pixmap(16, 16);
            pixmap.fill(Qt::transparent);
            return QIcon(pixmap);
        }();
        return blank;
    }
    case Qt::AccessibleTextRole:
        return shortcut.isEmpty() ? commandTitle(command)
                                  : u"%1, %2"_s.arg(commandTitle(command), shortcut);
    default:
        return {};
    }
}

} // namespace mako
