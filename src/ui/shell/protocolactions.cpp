#include "ui/shell/protocolactions.h"

#include "state/appstate.h"

namespace mako {

namespace {

void editOpenRequest(AppState& state, const std::function<void(APIRequest&)>& edit)
{
    APIRequest request = *state.openRequest();
    edit(request);
    state.setOpenRequest(request);
    state.saveCurrentTabState();
}

} // namespace

void openNewRequest(AppState& state, RequestProtocol protocol, const QString& name)
{
    state.openNewRequest();
    editOpenRequest(state, [&](APIRequest& request) {
        request.requestProtocol = protocol;
        request.name = name;
    });
}

void switchOpenRequestProtocol(AppState& state, RequestProtocol protocol)
{
    if (!state.openRequest())
        state.openNewRequest();
    editOpenRequest(state, [protocol](APIRequest& request) { request.requestProtocol = protocol; });
}

} // namespace mako
