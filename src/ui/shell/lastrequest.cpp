#include "ui/shell/lastrequest.h"

#include "state/appstate.h"
#include "state/settings.h"

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// Beside the preferences, like the window's place: not a preference of its own.
const SettingKey<QString> kLastRequest {u"session/lastRequest"_s, {}};
const SettingKey<QString> kLastCollection {u"session/lastRequestCollection"_s, {}};

} // namespace

LastRequest::LastRequest(AppState& state, Settings& settings, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_settings(settings)
{
    if (m_state.didLoad()) {
        reopen();
    } else {
        connect(&m_state, &AppState::didLoadChanged, this, &LastRequest::reopen,
            Qt::SingleShotConnection);
    }
    connect(&m_state, &AppState::activeTabIDChanged, this, &LastRequest::remember);
    connect(&m_state, &AppState::openRequestOriginChanged, this, &LastRequest::remember);
}

void LastRequest::remember()
{
    // Before the load, the tabs are not yet the user's.
    if (!m_state.didLoad())
        return;
    const std::optional<APIRequest>& open = m_state.openRequest();
    const RequestOrigin& origin = m_state.openRequestOrigin();
    // A new request or a history copy leaves the last saved one to come back; closing every
    // tab says the user is done with it.
    if (open && !origin.isCollection())
        return;
    const QString request = open ? open->id.toString(QUuid::WithoutBraces) : QString();
    const QString collection
        = open ? origin.collectionID.toString(QUuid::WithoutBraces) : QString();
    // Written only when it changes: the open request changes with every key typed.
    if (m_settings.value(kLastRequest) != request)
        m_settings.setValue(kLastRequest, request);
    if (m_settings.value(kLastCollection) != collection)
        m_settings.setValue(kLastCollection, collection);
}

void LastRequest::reopen()
{
    const QUuid requestID(m_settings.value(kLastRequest));
    const QUuid collectionID(m_settings.value(kLastCollection));
    if (!m_settings.value(SettingKeys::reopenLastRequest) || requestID.isNull()
        || m_state.activeTabID())
        return;
    for (const Collection& collection : m_state.collections()) {
        if (collection.id != collectionID)
            continue;
        for (const APIRequest& request : collection.requests) {
            if (request.id == requestID) {
                m_state.openFromCollection(request, collectionID);
                return;
            }
        }
    }
}

} // namespace mako
