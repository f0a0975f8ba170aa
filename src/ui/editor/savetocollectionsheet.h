#pragma once

#include "model/apirequest.h"

#include <QDialog>
#include <QUuid>

class QLineEdit;
class QListView;
class QStackedWidget;

namespace mako {

class AppState;
class CollectionListModel;

/// The sheet that stores a request in a collection the user picks, under the name in its
/// "Request Name" field (filled with the request's name; emptied, the request keeps its own).
/// Choosing a collection saves the request there, reports the collection and closes the sheet;
/// "New Collection" asks for a name in place and adds the collection to pick. Window-modal: open it
/// with `open()`. It deletes itself when closed.
class SaveToCollectionSheet : public QDialog {
    Q_OBJECT

public:
    /// `state` must outlive the sheet, which is shown over `window`.
    SaveToCollectionSheet(AppState& state, const APIRequest& request, QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    /// The request was stored in the collection `collectionID`.
    void saved(const QUuid& collectionID);

private:
    QWidget* buildEmptyState();
    QWidget* buildButtons();
    void saveInto(const QModelIndex& collection);
    void addCollection();
    void finishNewCollection();
    void showListOrEmptyState();

    AppState& m_state;
    const APIRequest m_request;
    CollectionListModel* m_collections;
    QLineEdit* m_name;
    QListView* m_list;
    QStackedWidget* m_content;
    QLineEdit* m_newName;
    bool m_saved = false;
};

} // namespace mako
