#include "ui/shell/requestcommands.h"

#include "state/appstate.h"
#include "ui/editor/savetocollectionsheet.h"

#include <QWidget>

namespace mako {

RequestCommands::RequestCommands(AppState& state, QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_window(window)
{ }

void RequestCommands::saveCurrentRequest()
{
    m_state.saveCurrentTabState();
    if (!m_state.openRequest())
        return;
    const APIRequest request = *m_state.openRequest();
    const RequestOrigin origin = m_state.openRequestOrigin();
    if (origin.isCollection()) {
        m_state.saveRequestToCollection(request, origin.collectionID);
        return;
    }
    auto* sheet = new SaveToCollectionSheet(m_state, request, m_window);
    connect(sheet, &SaveToCollectionSheet::saved, this,
        [this, id = request.id](const QUuid& collectionID) { handleSaved(id, collectionID); });
    sheet->open();
}

void RequestCommands::handleSaved(const QUuid& requestID, const QUuid& collectionID)
{
    // The sheet keeps the window to itself, but should the open request be another one by now,
    // it is not the one that was stored.
    if (!m_state.openRequest() || m_state.openRequest()->id != requestID)
        return;
    m_state.setActiveTabOrigin(RequestOrigin::collection(collectionID));
    // The sheet may have stored it under another name: the tab takes that name, or it would
    // show unsaved edits, and the next save would store the old name again.
    const Collection* collection = m_state.collectionStore().collection(collectionID);
    if (!collection)
        return;
    for (const APIRequest& stored : collection->requests) {
        if (stored.id == requestID && stored.name != m_state.openRequest()->name) {
            APIRequest renamed = *m_state.openRequest();
            renamed.name = stored.name;
            m_state.setOpenRequest(renamed);
            m_state.saveCurrentTabState();
            return;
        }
    }
}

void RequestCommands::duplicateCurrentRequest()
{
    m_state.saveCurrentTabState();
    if (!m_state.openRequest())
        return;
    const APIRequest copy = AppState::duplicateRequest(*m_state.openRequest());
    const RequestOrigin origin = m_state.openRequestOrigin();
    if (origin.isCollection()) {
        m_state.saveRequestToCollection(copy, origin.collectionID);
        m_state.openFromCollection(copy, origin.collectionID);
        return;
    }
    // Unsaved like its original: the copy takes the place of a new tab's blank request.
    m_state.openNewRequest();
    m_state.setOpenRequest(copy);
    m_state.saveCurrentTabState();
}

} // namespace mako
