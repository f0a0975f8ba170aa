#pragma once

#include <QObject>
#include <QPointer>
#include <QUuid>

class QWidget;

namespace mako {

class AppState;

/// What the "saveToCollection" and "duplicateRequest" commands do to the open request. Saving
/// writes a request opened from a collection back in place and asks where to store any other
/// one (the save sheet, over `window`); duplicating stores the copy beside a collection's
/// request, or opens it unsaved in a new tab.
class RequestCommands : public QObject {
    Q_OBJECT

public:
    /// `state` must outlive the commands; sheets are shown over `window`, which owns them.
    RequestCommands(AppState& state, QWidget* window);

    void saveCurrentRequest();
    void duplicateCurrentRequest();

private:
    void handleSaved(const QUuid& requestID, const QUuid& collectionID);

    AppState& m_state;
    QPointer<QWidget> m_window;
};

} // namespace mako
