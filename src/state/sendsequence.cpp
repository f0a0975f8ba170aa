#include "state/sendsequence.h"

#include "state/appstate.h"
#include "state/requestviewmodel.h"
#include "state/urlhistory.h"

#include <QPointer>

#include <algorithm>

namespace mako {

namespace {

bool collectionHolds(const AppState& state, const QUuid& collectionID, const QUuid& requestID)
{
    const Collection* collection = state.collectionStore().collection(collectionID);
    return collection
        && std::any_of(collection->requests.cbegin(), collection->requests.cend(),
            [&](const APIRequest& request) { return request.id == requestID; });
}

bool isOpen(const AppState& state, const QUuid& tabID)
{
    return state.tabStore().tab(tabID) != nullptr;
}

} // namespace

SendSequence::SendSequence(
    AppState* state, RequestViewModel* model, URLHistory* urlHistory, QObject* parent)
    : QObject(parent)
    , m_state(state)
    , m_model(model)
    , m_urlHistory(urlHistory)
{
    showActiveTab();
    connect(m_state, &AppState::activeTabIDChanged, this, &SendSequence::showActiveTab);
    connect(&m_state->tabStore(), &TabStore::tabsRemoved, this, &SendSequence::forgetClosedTabs);
}

void SendSequence::showActiveTab()
{
    // No tab active: the null id, which names no tab.
    m_model->showTab(m_state->activeTabID().value_or(QUuid()));
}

void SendSequence::forgetClosedTabs()
{
    // A closed tab's send has nothing left to land in.
    for (const QUuid& tabID : m_model->knownTabs()) {
        if (!isOpen(*m_state, tabID))
            m_model->forgetTab(tabID);
    }
}

void SendSequence::send()
{
    AppState& state = *m_state;
    showActiveTab();
    if (state.openRequest())
        m_model->setRequest(*state.openRequest());
    m_urlHistory->addURL(m_model->request().url);
    state.saveCurrentTabState();
    state.updateActiveTabResponse(std::nullopt, std::nullopt, true);

    // Taken now: by the time the reply comes, the active tab, its origin and the editor's
    // request may belong to another request.
    const QUuid tabID = m_model->shownTab();
    const RequestOrigin origin = state.openRequestOrigin();
    const APIRequest sent = m_model->request();
    auto completion
        = [state = QPointer(&state), tabID, origin, sent](
              const std::optional<APIResponse>& response, const std::optional<QString>& error) {
              if (!state)
                  return;
              if (!response) {
                  state->updateTabResponse(tabID, std::nullopt, error, false);
                  return;
              }
              state->addHistoryItem(sent, response->statusCode, response->duration);
              // Only replaces the stored copy: a request deleted while it was on its way stays
              // deleted.
              if (origin.isCollection() && collectionHolds(*state, origin.collectionID, sent.id))
                  state->saveRequestToCollection(sent, origin.collectionID);
              state->updateTabResponse(tabID, response, std::nullopt, false);
          };
    std::optional<SendScripts> scripts = state.scriptsAround(sent, origin);
    const Collection* owner = state.originCollection(origin);
    if (!scripts) {
        m_model->sendInBackground(state.mergedEnvironment(), std::move(completion), owner);
        return;
    }
    m_model->sendWithScripts(
        std::move(*scripts), std::move(completion),
        [state = QPointer(&state), tabID, origin](
            const ScriptOutcome& outcome, const VariableScopes& scopes) {
            if (state)
                state->keepScriptRun(tabID, origin, outcome, scopes);
        },
        owner);
}

} // namespace mako
