#pragma once

namespace mako {

class AppState;
class RequestViewModel;
class URLHistory;

/// What the request editor's send button does: records the URL among the recent ones, writes
/// the working copy back into the active tab and sends it (through `model`, with the merged
/// environment) while the tab shows it loading. When it ends, a response is added to the
/// history, saved back into the collection the request was opened from, and shown in the tab;
/// a failure shows its message in the tab and touches neither history nor collections.
///
/// The end lands in the tab that sent, with the request and origin it was sent with, even if
/// the user has switched tabs meanwhile; a tab closed meanwhile gets nothing.
void sendOpenRequest(AppState& state, RequestViewModel& model, URLHistory& urlHistory);

} // namespace mako
