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
    return std::any_of(state.collections().cbegin(), state.collections().cend(),
        [&](const Collection& collection) {
            return collection.id == collectionID
                && std::any_of(collection.requests.cbegin(), collection.requests.cend(),
                    [&](const APIRequest& request) { return request.id == requestID; });
        });
}

} // namespace

void sendOpenRequest(AppState& state, RequestViewModel& model, URLHistory& urlHistory)
{
    if (state.openRequest())
        model.setRequest(*state.openRequest());
    urlHistory.addURL(model.request().url);
    state.saveCurrentTabState();
    state.updateActiveTabResponse(std::nullopt, std::nullopt, true);

    // Taken now: by the time the reply comes, the active tab, its origin and the editor's
    // request may belong to another request.
    // No tab active: a null id, which names no tab.
    const QUuid tabID = state.activeTabID().value_or(QUuid());
    const RequestOrigin origin = state.openRequestOrigin();
    const APIRequest sent = model.request();
    auto completion = [state = QPointer(&state), model = &model, tabID, origin, sent](
                          const std::optional<APIResponse>& response) {
        if (!state)
            return;
        if (!response) {
            state->updateTabResponse(tabID, std::nullopt, model->error(), false);
            return;
        }
        state->addHistoryItem(sent, response->statusCode, response->duration);
        // Only replaces the stored copy: a request deleted while it was on its way stays
        // deleted.
        if (origin.isCollection() && collectionHolds(*state, origin.collectionID, sent.id))
            state->saveRequestToCollection(sent, origin.collectionID);
        state->updateTabResponse(tabID, response, std::nullopt, false);
    };
    model.sendInBackground(state.mergedEnvironment(), std::move(completion));
}

} // namespace mako
