#pragma once

#include <QObject>

namespace mako {

/// The application's notifications: commands that the menus (and a few buttons) announce and
/// the views that own the matter carry out. No payload: the receiver reads what it needs from
/// the state.
class Commands : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    /// Send the open request.
    void sendRequest();
    /// Save the open request into its collection, or ask which one.
    void saveToCollection();
    /// Copy the open request.
    void duplicateRequest();
    /// Show or hide the command palette.
    void commandPalette();
    /// Export a collection to a file.
    void exportCollection();
    /// Ask for a curl command and open it as a request.
    void importCurl();
    /// Import a Postman collection.
    void importPostman();
    /// Open the Preferences window, or bring it forward.
    void preferences();
    /// Open the cookie manager, or bring it forward.
    void manageCookies();
};

} // namespace mako
