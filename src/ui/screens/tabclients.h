#pragma once

#include "state/requesttab.h"

#include <QHash>
#include <QObject>
#include <QUuid>

#include <algorithm>
#include <functional>

namespace mako {

/// The streaming clients of a screen, one per request tab, so that every tab keeps its own
/// connection and transcript while the user switches between tabs. A tab's client is made when
/// the screen first shows that tab and discarded (which ends its connection) when the tab
/// closes or the screen goes.
template <typename Client> class TabClients {
public:
    /// `make` builds a client owned by the screen.
    explicit TabClients(std::function<Client*()> make)
        : m_make(std::move(make))
    { }

    Client* clientFor(const QUuid& tabID)
    {
        Client*& client = m_clients[tabID];
        if (!client)
            client = m_make();
        return client;
    }

    /// Discards the tab's client, if it has one.
    void discard(const QUuid& tabID) { delete m_clients.take(tabID); }

    /// Discards the clients of the tabs that are no longer in `tabs`.
    void keepOnly(const QList<RequestTab>& tabs)
    {
        for (auto entry = m_clients.begin(); entry != m_clients.end();) {
            const bool open = std::any_of(tabs.cbegin(), tabs.cend(),
                [&](const RequestTab& tab) { return tab.id == entry.key(); });
            if (open) {
                ++entry;
            } else {
                delete entry.value();
                entry = m_clients.erase(entry);
            }
        }
    }

    qsizetype count() const { return m_clients.size(); }

private:
    std::function<Client*()> m_make;
    QHash<QUuid, Client*> m_clients;
};

} // namespace mako
