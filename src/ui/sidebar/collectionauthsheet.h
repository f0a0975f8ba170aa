#pragma once

#include <QDialog>
#include <QUuid>

namespace mako {

class AppState;
class AuthEditor;
class RequestViewModel;

/// "Auth": the auth of a collection, the one its requests go with when theirs is "Inherit from
/// collection", in the same editor as a request's Auth tab. "Save" stores it through the state
/// and closes; "Cancel" and Escape close without a change to the collection (secrets typed
/// into the OAuth 2.0 fields are in the secret store at once, as they are for a request). It
/// closes by itself when the collection goes meanwhile. Open it with `open()`; it deletes
/// itself when closed.
class CollectionAuthSheet : public QDialog {
    Q_OBJECT

public:
    /// `state` must outlive the sheet; nothing opens for an unknown collection (the caller
    /// checks with `canEdit`).
    CollectionAuthSheet(AppState& state, QUuid collectionID, QWidget* window);

    static bool canEdit(const AppState& state, QUuid collectionID);

private:
    void save();
    void closeWhenGone();

    AppState& m_state;
    const QUuid m_collectionID;
    /// The auth being edited, as a request's: the editor works on requests.
    RequestViewModel* m_edited;
};

} // namespace mako
