#pragma once

#include "model/apirequest.h"
#include "model/collection.h"
#include "state/listsaver.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <chrono>
#include <optional>

namespace mako {

class PersistenceService;

/// The user's collections, their saves and their notifications. `AppState` owns the one
/// instance and is its only writer; everyone else reads it and listens to it through
/// `AppState::collectionStore()`.
///
/// Notifications: every operation changes the list in steps and announces each step right
/// after it, so the list is consistent whenever a notification arrives, and a model that
/// applies them in order to its own rows stays in step without a reset. Positions are those of
/// the list at that moment; a change in place names the record by id. `collectionsChanged`
/// follows once, after the last step of an operation that changed anything. An operation that
/// leaves everything as it was (an unknown id, the same name again) notifies nothing. A handler
/// should not change the state before it returns: the listeners after it would be told of a
/// step the list has already moved past.
///
/// Operations take ids by value: an id read from the state itself (the open request's origin)
/// must not change while the operation changes the state.
class CollectionStore : public QObject {
    Q_OBJECT

public:
    /// `persistence` outlives the store. Changes are written after `autoSaveDelay` of quiet.
    CollectionStore(PersistenceService* persistence, std::chrono::milliseconds autoSaveDelay,
        QObject* parent = nullptr);

    /// In display order.
    const QList<Collection>& collections() const { return m_collections; }
    /// The collection with `id`, or null; valid until the next change.
    const Collection* collection(const QUuid& id) const;
    /// The first collection, in list order, that holds a request with this id.
    std::optional<QUuid> collectionForRequest(const QUuid& requestID) const;
    /// The first collection, in list order, that has a folder with this id.
    std::optional<QUuid> collectionForFolder(const QUuid& folderID) const;

    // The edits, as AppState's operations of the same names describe them (AppState adds the
    // rules that reach other lists, such as closing tabs). The two that return false changed
    // nothing: no such collection, or no such folder or target.
    void addCollection(const QString& name);
    void appendCollection(const Collection& collection);
    bool removeCollection(QUuid id);
    void renameCollection(QUuid id, const QString& name);
    /// Replaces the collection's own variables (what a script set, or the user's edit).
    void setCollectionVariables(QUuid id, const QList<KeyValuePair>& variables);
    /// Replaces the auth the collection's inheriting requests go with by that of `auth`.
    void setCollectionAuth(QUuid id, const APIRequest& auth);
    void addFolder(const QString& name, QUuid collectionID);
    void deleteFolder(QUuid folderID, QUuid collectionID);
    void renameFolder(QUuid folderID, QUuid collectionID, const QString& name);
    void setScripts(QUuid collectionID, std::optional<QUuid> folderID,
        const QString& preRequestScript, const QString& testScript);
    bool moveFolderToCollection(QUuid folderID, QUuid targetCollectionID);
    void saveRequestToCollection(const APIRequest& request, QUuid collectionID);
    void renameRequest(QUuid requestID, QUuid collectionID, const QString& name);
    bool removeRequest(QUuid requestID, QUuid collectionID);
    void moveRequestToFolder(QUuid requestID, std::optional<QUuid> folderID, QUuid collectionID);

    /// Makes the collection live in the folder `path` (or in the data folder again for an empty
    /// path).
    void setFolderPath(QUuid id, const QString& path);
    /// Replaces everything of the collection with the id of `contents` but its id and folder,
    /// as read again from its folder: the folders and requests that kept their ids change in
    /// place, the others are removed and inserted, so the rows that stayed keep their
    /// expansion and selection. Nothing for an unknown id or the same contents.
    void replaceContents(const Collection& contents);

    /// Writes the list at once, in place of the pending auto-save.
    void save() { m_saver.saveNow(); }

Q_SIGNALS:
    void collectionsInserted(int first, int last);
    void collectionsRemoved(int first, int last);
    /// The collection's name or scripts changed.
    void collectionChanged(const QUuid& collectionID);
    void foldersInserted(const QUuid& collectionID, int first, int last);
    void foldersRemoved(const QUuid& collectionID, int first, int last);
    /// The folder's name, its list of requests or its scripts changed.
    void folderChanged(const QUuid& collectionID, const QUuid& folderID);
    void requestsInserted(const QUuid& collectionID, int first, int last);
    void requestsRemoved(const QUuid& collectionID, int first, int last);
    void requestChanged(const QUuid& collectionID, const QUuid& requestID);
    /// Once after every operation that changed the collections.
    void collectionsChanged();

private:
    friend class AppState;
    /// The stored records have been read (none when the file failed): they go in front of what
    /// was added meanwhile, which is then written.
    void finishLoad(QList<Collection> stored);
    /// Replaces the whole list (a restored backup); the caller writes it.
    void replaceAll(const QList<Collection>& collections);
    ListSaver& saver() { return m_saver; }

    Collection* find(const QUuid& id);
    bool append(const QList<Collection>& collections);
    bool removeFolders(Collection& collection, const QUuid& folderID);
    bool removeRequests(Collection& collection, const QList<QUuid>& requestIDs);
    bool setFolderRequests(Collection& collection, int folder, QList<QUuid> requestIDs);
    void finish(bool changed);

    PersistenceService* m_persistence;
    QList<Collection> m_collections;
    ListSaver m_saver;
};

} // namespace mako
