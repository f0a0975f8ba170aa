#pragma once

#include "model/collection.h"
#include "model/recordjson.h"
#include "state/listsaver.h"
#include "state/requesttab.h"

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QTimer>
#include <QUuid>

#include <chrono>
#include <optional>

namespace mako {

class PersistenceService;
class TabStore;

/// One open tab as the session file keeps it: the tab's id, its request as the user left it
/// (for the active tab the working copy, edits included), where the request came from, and
/// whether the tab was the active one. Responses are not kept.
struct SessionTab {
    QUuid id;
    APIRequest request;
    RequestOrigin origin;
    bool isActive = false;

    bool operator==(const SessionTab&) const = default;
};

/// The session file's form of a tab: "id", "request" (a request record), "origin" ("collection",
/// "none" or "history"), "collectionID" (with the "collection" origin only) and "isActive".
QJsonObject toJson(const SessionTab& tab);
template <> Result<QList<SessionTab>> listFromJson<SessionTab>(const QJsonValue& json);

/// The tabs of `tabs` in tab-bar order, the active one holding the working copy.
QList<SessionTab> sessionSnapshot(const TabStore& tabs);

/// The stored tabs made ready to open again, and which of them to activate. A tab whose request
/// is no longer in its collection (deleted while Mako was closed) opens as a new, unsaved
/// request, so a later save cannot write into a collection that does not hold it any more.
struct RestoredSession {
    QList<RequestTab> tabs;
    std::optional<QUuid> activeTabID;
};
RestoredSession restoredSession(
    const QList<SessionTab>& stored, const QList<Collection>& collections);

/// Keeps the open tabs in the session file, so that quitting, a crash or a restart loses none
/// of them. Every change of the tabs or of the working copy schedules a write: once the tabs
/// have been left alone for the auto-save delay, and at the latest `kLongestWaitFactor` times
/// that delay after the first unwritten change, so that steady typing is still written every
/// few seconds. Nothing is written before the stored session has been read back.
class SessionStore : public QObject {
    Q_OBJECT

public:
    static constexpr int kLongestWaitFactor = 10;

    /// `persistence` and `tabs` outlive the store.
    SessionStore(PersistenceService* persistence, const TabStore& tabs,
        std::chrono::milliseconds autoSaveDelay, QObject* parent = nullptr);

    ListSaver& saver() { return m_saver; }
    /// The stored session has been read and opened. With `writeNow` (tabs were opened before
    /// that, or the file could not be read) the tabs are written at once.
    void finishLoad(bool writeNow);

private:
    void scheduleSave();

    const TabStore& m_tabs;
    ListSaver m_saver;
    QTimer m_longestWait;
};

} // namespace mako
