#include "state/sessionstore.h"

#include "model/uuidtext.h"
#include "state/persistenceservice.h"
#include "state/tabstore.h"

#include <QJsonArray>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

namespace key {
constexpr auto id = "id"_L1;
constexpr auto request = "request"_L1;
constexpr auto origin = "origin"_L1;
constexpr auto collectionID = "collectionID"_L1;
constexpr auto isActive = "isActive"_L1;
} // namespace key

QString originText(RequestOrigin::Kind kind)
{
    switch (kind) {
    case RequestOrigin::Kind::collection:
        return u"collection"_s;
    case RequestOrigin::Kind::history:
        return u"history"_s;
    case RequestOrigin::Kind::none:
        break;
    }
    return u"none"_s;
}

std::optional<RequestOrigin::Kind> originKind(const QJsonValue& json)
{
    for (auto kind : {RequestOrigin::Kind::collection, RequestOrigin::Kind::none,
             RequestOrigin::Kind::history}) {
        if (json.isString() && json.toString() == originText(kind))
            return kind;
    }
    return std::nullopt;
}

std::optional<QUuid> uuidMember(const QJsonObject& object, QLatin1StringView name)
{
    const QJsonValue value = object.value(name);
    return value.isString() ? uuidFromText(value.toString()) : std::nullopt;
}

// Strict like the other data files: every key there and of its type, the error naming where.
Result<SessionTab> decodeTab(const QJsonValue& json, const QString& where)
{
    const auto fail = [&where](QLatin1StringView name, const QString& what) {
        return Error {where + u'.' + name + u": "_s + what};
    };
    if (!json.isObject())
        return Error {where + u": expected an object"_s};
    const QJsonObject object = json.toObject();
    SessionTab tab;
    const auto id = uuidMember(object, key::id);
    if (!id)
        return fail(key::id, u"expected a UUID string"_s);
    tab.id = *id;
    auto request = fromJson<APIRequest>(object.value(key::request));
    if (!request)
        return fail(key::request, request.errorMessage());
    tab.request = std::move(request).value();
    const auto kind = originKind(object.value(key::origin));
    if (!kind)
        return fail(key::origin, u"expected \"collection\", \"none\" or \"history\""_s);
    tab.origin.kind = *kind;
    if (*kind == RequestOrigin::Kind::collection) {
        const auto collectionID = uuidMember(object, key::collectionID);
        if (!collectionID)
            return fail(key::collectionID, u"expected a UUID string"_s);
        tab.origin.collectionID = *collectionID;
    }
    if (!object.value(key::isActive).isBool())
        return fail(key::isActive, u"expected a boolean"_s);
    tab.isActive = object.value(key::isActive).toBool();
    return tab;
}

bool holdsRequest(const QList<Collection>& collections, const RequestOrigin& origin, QUuid id)
{
    return std::ranges::any_of(collections, [&](const Collection& collection) {
        return collection.id == origin.collectionID
            && std::ranges::any_of(
                collection.requests, [&id](const APIRequest& request) { return request.id == id; });
    });
}

} // namespace

QJsonObject toJson(const SessionTab& tab)
{
    QJsonObject object {
        {key::id, uuidToText(tab.id)},
        {key::request, toJson(tab.request)},
        {key::origin, originText(tab.origin.kind)},
        {key::isActive, tab.isActive},
    };
    if (tab.origin.isCollection())
        object.insert(key::collectionID, uuidToText(tab.origin.collectionID));
    return object;
}

template <> Result<QList<SessionTab>> listFromJson<SessionTab>(const QJsonValue& json)
{
    if (!json.isArray())
        return Error {u"expected an array"_s};
    const QJsonArray array = json.toArray();
    QList<SessionTab> tabs;
    tabs.reserve(array.size());
    for (qsizetype index = 0; index < array.size(); ++index) {
        auto tab = decodeTab(array.at(index), u"[%1]"_s.arg(index));
        if (!tab)
            return tab.error();
        tabs.append(std::move(tab).value());
    }
    return tabs;
}

QList<SessionTab> sessionSnapshot(const TabStore& tabs)
{
    QList<SessionTab> snapshot;
    snapshot.reserve(tabs.tabs().size());
    for (const RequestTab& tab : tabs.tabs()) {
        const bool active = tabs.activeTabID() == tab.id;
        const bool working = active && tabs.openRequest();
        snapshot.append(SessionTab {.id = tab.id,
            .request = working ? *tabs.openRequest() : tab.request,
            .origin = working ? tabs.openRequestOrigin() : tab.origin,
            .isActive = active});
    }
    return snapshot;
}

RestoredSession restoredSession(
    const QList<SessionTab>& stored, const QList<Collection>& collections)
{
    RestoredSession session;
    for (const SessionTab& tab : stored) {
        RequestOrigin origin = tab.origin;
        if (origin.isCollection() && !holdsRequest(collections, origin, tab.request.id))
            origin = RequestOrigin::none();
        session.tabs.append(RequestTab {.id = tab.id, .request = tab.request, .origin = origin});
        if (tab.isActive)
            session.activeTabID = tab.id;
    }
    return session;
}

SessionStore::SessionStore(PersistenceService* persistence, const TabStore& tabs,
    std::chrono::milliseconds autoSaveDelay, QObject* parent)
    : QObject(parent)
    , m_tabs(tabs)
    , m_saver(persistence, PersistenceService::kSessionFile, autoSaveDelay, [this, persistence] {
        m_longestWait.stop();
        persistence->save(sessionSnapshot(m_tabs), PersistenceService::kSessionFile);
    })
{
    m_longestWait.setSingleShot(true);
    m_longestWait.setInterval(autoSaveDelay * kLongestWaitFactor);
    connect(&m_longestWait, &QTimer::timeout, &m_saver, &ListSaver::flush);
    for (auto changed : {&TabStore::tabsChanged, &TabStore::activeTabIDChanged,
             &TabStore::openRequestChanged, &TabStore::openRequestOriginChanged})
        connect(&tabs, changed, this, &SessionStore::scheduleSave);
}

void SessionStore::scheduleSave()
{
    m_saver.scheduleSave();
    if (!m_longestWait.isActive())
        m_longestWait.start();
}

void SessionStore::finishLoad(bool writeNow)
{
    m_saver.markRead();
    if (writeNow) {
        m_saver.saveNow();
    } else {
        // The tabs just opened from the file are what the file holds.
        m_saver.cancelPending();
        m_longestWait.stop();
    }
}

} // namespace mako
