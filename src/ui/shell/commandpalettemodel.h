#pragma once

#include "state/requestsearch.h"

#include <QAbstractListModel>
#include <QList>
#include <QPointer>
#include <QString>

#include <optional>

class QAction;

namespace mako {

class AppState;

/// A menu command's text as the palette shows and matches it: without mnemonic ampersands and
/// without the ellipsis that promises a dialog.
QString commandTitle(const QAction& action);

/// What the command palette lists for its query: the matching requests of every collection
/// (`searchRequests`), then the commands whose title contains the query, ignoring case. While
/// inactive it lists nothing and ignores the collections, so a hidden palette costs nothing.
class CommandPaletteModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        /// Shown at the right: a request's URL, a command's shortcut (QString).
        DetailRole = Qt::UserRole,
        /// Shown before the title: a request's method (QString); empty for commands.
        BadgeRole,
    };

    /// `state` must outlive the model.
    explicit CommandPaletteModel(const AppState& state, QObject* parent = nullptr);

    /// The commands to offer, in order. Separators, submenus and hidden or disabled actions are
    /// left out when matching.
    void setCommands(const QList<QAction*>& commands);
    /// Lists the matches of `query` and keeps them up to date.
    void setQuery(const QString& query);
    /// Lists nothing until the next query.
    void deactivate();

    /// The request of `row`, or nothing for a command row.
    std::optional<RequestMatch> requestAt(int row) const;
    /// The command of `row`, or null for a request row.
    QAction* commandAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void refilter();
    QVariant requestData(const RequestMatch& match, int role) const;
    QVariant commandData(const QAction& command, int role) const;

    const AppState& m_state;
    QList<QPointer<QAction>> m_commands;
    bool m_active = false;
    QString m_query;
    QList<RequestMatch> m_requests;
    QList<QPointer<QAction>> m_matchingCommands;
};

} // namespace mako
