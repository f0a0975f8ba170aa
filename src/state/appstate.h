#pragma once

#include "execution/hostcertificate.h"
#include "interchange/collectionexporter.h"
#include "interchange/postmanimporter.h"
#include "model/apienvironment.h"
#include "model/apirequest.h"
#include "model/collection.h"
#include "model/historyitem.h"
#include "model/keyvaluepair.h"
#include "model/result.h"
#include "scripting/scriptedsend.h"
#include "scripting/variablescopes.h"
#include "state/collectionstore.h"
#include "state/environmentstore.h"
#include "state/foldercollections.h"
#include "state/historystore.h"
#include "state/requesttab.h"
#include "state/secretstore.h"
#include "state/serialworker.h"
#include "state/sessionstore.h"
#include "state/tabstore.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace mako {

class OAuth2Tokens;
class PersistenceService;
class SecretStore;
class SecretVariables;
class SecretVault;
class Settings;

/// The one observable state of the application, on the main thread. It is a facade over four
/// stores, each owning one list, its saves and its notifications: the collections, the
/// environments with the global variables, the history, and the tabs with the open request.
/// Screens read through the getters here, change the state only through the operations here
/// (which keep the stores in step with each other: deleting a collection closes its tabs), and
/// follow the fine-grained notifications of the store they show (`collectionStore()` and the
/// like, read-only), which tell a model which rows changed. The coarse signals here fire once
/// per operation that changed their list. Setting a field to the value it already holds is not
/// a change: no signal, no save. Operations take ids by value, so an id read from the state
/// itself stays what it was while the operation changes the state.
///
/// Construction starts the load of the data files and returns at once; the lists fill in when
/// the load completes, and the tabs of the last run open again once the session file is read.
///
/// Saving: every change of the collections, the environments, the global variables, the history
/// or the open tabs (`SessionStore`) is written once,
/// when that list has been left alone for the auto-save delay, so a burst of edits (typing in
/// a field, a drag that is three operations) rewrites its file once rather than at every step.
/// The operations themselves do not write. `saveCollections` and the like write at once and
/// take the place of the pending write; whatever is still pending is written when the
/// application quits or the state is destroyed, so quitting never loses an edit. A write that
/// fails is reported in `alertMessage`; the data stays in memory and is written again at the
/// next change, or at the latest when the application quits.
class AppState : public QObject {
    Q_OBJECT

public:
    /// What the sidebar list has selected: one collection, or the history.
    struct SidebarItem {
        enum class Kind { collection, history };
        Kind kind = Kind::history;
        QUuid collectionID;

        static SidebarItem history() { return {}; }
        static SidebarItem collection(const QUuid& id) { return {Kind::collection, id}; }
        bool operator==(const SidebarItem&) const = default;
    };

    using RequestTab = mako::RequestTab;
    using RequestOrigin = mako::RequestOrigin;

    /// A collection import that went through: what came in, and what it could not bring
    /// along, one line each with its kind.
    struct ImportReport {
        QString collectionName;
        int requestCount = 0;
        int folderCount = 0;
        QStringList leftOut;
        QList<PostmanImporter::LeftOutKind> leftOutKinds;

        bool operator==(const ImportReport&) const = default;
    };

private:
    Q_PROPERTY(QList<mako::Collection> collections READ collections NOTIFY collectionsChanged)
    Q_PROPERTY(
        QList<mako::APIEnvironment> environments READ environments NOTIFY environmentsChanged)
    Q_PROPERTY(QList<mako::HistoryItem> history READ history NOTIFY historyChanged)
    Q_PROPERTY(mako::AppState::SidebarItem selectedSidebarItem READ selectedSidebarItem WRITE
            setSelectedSidebarItem NOTIFY selectedSidebarItemChanged)
    Q_PROPERTY(std::optional<QString> alertMessage READ alertMessage WRITE setAlertMessage NOTIFY
            alertMessageChanged)
    Q_PROPERTY(QList<mako::KeyValuePair> globalVariables READ globalVariables WRITE
            setGlobalVariables NOTIFY globalVariablesChanged)
    Q_PROPERTY(bool didLoad READ didLoad NOTIFY didLoadChanged)
    Q_PROPERTY(QList<mako::RequestTab> tabs READ tabs NOTIFY tabsChanged)
    Q_PROPERTY(std::optional<QUuid> activeTabID READ activeTabID NOTIFY activeTabIDChanged)
    Q_PROPERTY(std::optional<mako::APIRequest> openRequest READ openRequest WRITE setOpenRequest
            NOTIFY openRequestChanged)
    Q_PROPERTY(mako::RequestOrigin openRequestOrigin READ openRequestOrigin NOTIFY
            openRequestOriginChanged)

public:
    static constexpr std::chrono::milliseconds kAutoSaveDelay {500};
    static constexpr int kDefaultHistoryRetention = HistoryStore::kDefaultRetention;

    /// `persistence` and `settings` must outlive the state. `autoSaveDelay` is the quiet time
    /// after the last change of a list before the auto-save writes it.
    /// `secrets` keeps OAuth 2.0 secrets and tokens across runs; without one they last for the
    /// run only.
    AppState(PersistenceService* persistence, Settings* settings, QObject* parent = nullptr,
        std::chrono::milliseconds autoSaveDelay = kAutoSaveDelay,
        std::unique_ptr<SecretStore> secrets = nullptr);
    /// Hands every pending write to the persistence service.
    ~AppState() override;

    /// The secrets of the run, and the OAuth 2.0 tokens every send of this state gets its token
    /// from (through `scriptSettings().authorize`).
    SecretVault& secretVault() const { return *m_vault; }
    OAuth2Tokens& oauth2Tokens() const { return *m_oauth2; }

    // ---- The stores, for their notifications ----
    const CollectionStore& collectionStore() const { return m_collections; }
    const EnvironmentStore& environmentStore() const { return m_environments; }
    const HistoryStore& historyStore() const { return m_history; }
    const TabStore& tabStore() const { return m_tabs; }
    const FolderCollections& folderCollections() const { return m_folders; }

    // ---- Fields ----
    const QList<Collection>& collections() const { return m_collections.collections(); }
    const QList<APIEnvironment>& environments() const { return m_environments.environments(); }
    /// Newest first.
    const QList<HistoryItem>& history() const { return m_history.history(); }
    const SidebarItem& selectedSidebarItem() const { return m_selectedSidebarItem; }
    void setSelectedSidebarItem(const SidebarItem& item);
    /// The one pending error message for the user; the shell clears it when shown.
    const std::optional<QString>& alertMessage() const { return m_alertMessage; }
    void setAlertMessage(const std::optional<QString>& message);
    /// The pending report of an import, a result rather than an error; the shell clears it
    /// when shown.
    const std::optional<ImportReport>& importReport() const { return m_importReport; }
    void setImportReport(const std::optional<ImportReport>& report);
    /// Variables of every environment.
    const QList<KeyValuePair>& globalVariables() const { return m_environments.globalVariables(); }
    /// True once the start-up load has finished, whatever its outcome.
    bool didLoad() const { return m_didLoad; }

    // ---- Environments and variables (appstateoperations.cpp) ----
    std::optional<APIEnvironment> activeEnvironment() const;
    /// The variable set to send with, made fresh on every call: the active environment's, the
    /// variables of the open request's collection, the globals.
    std::optional<APIEnvironment> mergedEnvironment() const;
    /// The variables by scope for a request of the collection `collectionID` (none for a
    /// request of no collection), as scripts see them.
    VariableScopes variableScopes(std::optional<QUuid> collectionID) const;
    /// Keeps what scripts set: the environment's rows go back into the environment of the same
    /// id (when it still exists), the collection's into the collection, the globals into the
    /// globals. Unchanged scopes are left alone, so nothing is saved for nothing.
    void keepScriptVariables(const VariableScopes& scopes, std::optional<QUuid> collectionID);
    /// How scripts run, from the preferences of this moment.
    ScriptSettings scriptSettings() const;
    /// The collection a request opened from `origin` belongs to; null for none (or one since
    /// deleted). Only for use at once: any change of the collections may move it.
    const Collection* originCollection(const RequestOrigin& origin) const;
    /// `request` with the auth it goes with: a request that inherits takes that of its
    /// collection, as sends, code generation and "Copy as cURL" see it.
    APIRequest withInheritedAuth(const APIRequest& request, const RequestOrigin& origin) const;
    /// The scripts around `request` opened from `origin` (its collection's and folders' too),
    /// with the variables they start from; nothing when none of them holds code.
    std::optional<SendScripts> scriptsAround(
        const APIRequest& request, const RequestOrigin& origin) const;
    /// Keeps what the scripts of a send in `tabID` left: their variables, and their outcome
    /// for the tab's Tests.
    void keepScriptRun(QUuid tabID, const RequestOrigin& origin, const ScriptOutcome& outcome,
        const VariableScopes& scopes);
    /// Makes the environment with `id` the only active one (none for no id or an unknown one).
    void setActiveEnvironment(std::optional<QUuid> id);
    /// Appends an inactive environment with one blank enabled row.
    void addEnvironment(const QString& name);
    /// Removes every environment with `id`; an unknown id changes nothing.
    void deleteEnvironment(QUuid id);
    void renameEnvironment(QUuid id, const QString& name);
    /// Replaces the environment's rows.
    void setEnvironmentVariables(QUuid id, const QList<KeyValuePair>& variables);
    /// Replaces the global variables.
    void setGlobalVariables(const QList<KeyValuePair>& variables);
    // The row operations name the rows of one environment by its id, or the global variables
    // without an id (see `EnvironmentStore`).
    /// Inserts `rows` before position `row`; false when the environment or position is wrong.
    bool insertVariables(
        std::optional<QUuid> environmentID, int row, const QList<KeyValuePair>& rows);
    /// Removes `count` rows from `row`; false when they are not all there.
    bool removeVariables(std::optional<QUuid> environmentID, int row, int count);
    /// Replaces the row with the same id.
    void updateVariable(std::optional<QUuid> environmentID, const KeyValuePair& variable);

    // ---- History ----
    /// Records a sent request at the front of the history and trims it to the retention limit
    /// read now.
    void addHistoryItem(const APIRequest& request, int statusCode, double duration);
    /// Empties the history.
    void clearHistory();

    /// Hand a snapshot of the list, as it is now, to the persistence service at once, in place
    /// of the pending auto-save. Before the list's file has been read back they do nothing:
    /// the load adds what was made meanwhile to the stored records and saves the union.
    void saveCollections();
    void saveEnvironments();
    void saveHistory();
    void saveGlobalVariables();
    /// Writes at once every list whose auto-save is pending or whose last write failed. Runs by
    /// itself when the application is about to quit and when the state is destroyed.
    void flushPendingSaves();

    // ---- Tabs and the open request ----
    /// In tab-bar order.
    const QList<RequestTab>& tabs() const { return m_tabs.tabs(); }
    const std::optional<QUuid>& activeTabID() const { return m_tabs.activeTabID(); }
    /// The active tab, or null; valid until the next change of the tabs.
    const RequestTab* activeTab() const { return m_tabs.activeTab(); }
    /// The working copy of the active tab's request, edited by the request editor; absent when
    /// no tab is active. It reaches the tab only when written back.
    const std::optional<APIRequest>& openRequest() const { return m_tabs.openRequest(); }
    void setOpenRequest(const std::optional<APIRequest>& request);
    const RequestOrigin& openRequestOrigin() const { return m_tabs.openRequestOrigin(); }

    /// Opens a new blank request ("New Request", GET) in a new active tab.
    void openNewRequest();
    /// Switches to the tab that already shows `request.id` (keeping its edits and response), or
    /// opens the request in a new tab whose origin is the collection.
    void openFromCollection(const APIRequest& request, QUuid collectionID);
    /// Switches to a tab whose working copy is that request unchanged (its own tab, or a copy
    /// reopened before), or opens a copy with a fresh id in a new tab whose origin is the
    /// history. The copy keeps the protocol and every field the request was sent with.
    void openFromHistory(const APIRequest& request);
    /// Closing the active tab activates the rightmost remaining one. The working copy is
    /// written back first, so closing another tab keeps the active tab's edits.
    void closeTab(QUuid id);
    /// Closes every tab but `id` and activates it, keeping the working copy's edits.
    void closeOtherTabs(QUuid id);
    /// Closes every tab; the working copy is not written back.
    void closeAllTabs();
    /// Writes the working copy back and loads the tab's; nothing when `id` is already active.
    void switchToTab(QUuid id);
    /// Writes the working copy and its origin back into the active tab.
    void saveCurrentTabState();
    /// Records the state of a send in the active tab; a response also adds a timing entry.
    void updateActiveTabResponse(const std::optional<APIResponse>& response,
        const std::optional<QString>& error, bool isLoading);
    /// The same for the tab `tabID` whether or not it is active; nothing when it is closed.
    void updateTabResponse(QUuid tabID, const std::optional<APIResponse>& response,
        const std::optional<QString>& error, bool isLoading);
    /// Records what the scripts of the tab's send left (tests, console, script error); nothing
    /// when the tab is closed. A send that starts (`updateTabResponse` while loading) empties
    /// it again.
    void updateTabScripts(QUuid tabID, const ScriptOutcome& outcome);
    /// Changes the origin of the working copy and of the active tab.
    void setActiveTabOrigin(const RequestOrigin& origin);

    // ---- Collection editing ----
    // An unknown id, or an edit that leaves everything as it was, makes an operation do nothing.
    void addCollection(const QString& name);
    /// Appends a whole collection as given (a duplicate, an import).
    void appendCollection(const Collection& collection);
    /// Also closes every tab whose origin is that collection.
    void deleteCollection(QUuid id);
    void renameCollection(QUuid id, const QString& name);
    /// Replaces the collection's auth, the one its requests that inherit go with.
    void setCollectionAuth(QUuid id, const APIRequest& auth);
    void addFolder(const QString& name, QUuid collectionID);
    /// The folder's requests stay in the collection, at the top level.
    void deleteFolder(QUuid folderID, QUuid collectionID);
    void renameFolder(QUuid folderID, QUuid collectionID, const QString& name);
    /// Replaces the pre-request and test scripts of the collection, or of its folder
    /// `folderID` when one is given; an unknown collection or folder changes nothing.
    void setScripts(QUuid collectionID, std::optional<QUuid> folderID,
        const QString& preRequestScript, const QString& testScript);
    /// Moves the folder and the requests it lists to the end of another collection (requests
    /// the target already holds are not added twice). False, changing nothing, when no
    /// collection has the folder, the target is its own collection or does not exist.
    bool moveFolderToCollection(QUuid folderID, QUuid targetCollectionID);
    /// Replaces the request with the same id in place, or appends it; stored exactly as given.
    void saveRequestToCollection(const APIRequest& request, QUuid collectionID);
    void renameRequest(QUuid requestID, QUuid collectionID, const QString& name);
    /// Removes the request and its id from every folder, and closes the first tab showing it.
    void removeRequest(QUuid requestID, QUuid collectionID);
    /// Takes the id out of every folder and, if `folderID` names a folder, appends it there.
    void moveRequestToFolder(QUuid requestID, std::optional<QUuid> folderID, QUuid collectionID);
    /// A copy named "<name> (Copy)" with a fresh id and dates; changes nothing by itself.
    static APIRequest duplicateRequest(const APIRequest& request);
    /// The first collection, in list order, that holds a request with this id.
    std::optional<QUuid> collectionForRequest(const QUuid& requestID) const;

    // ---- Files the user picks: imports and exports (appstateimport.cpp) ----
    // Each reads and writes its file off the main thread and applies the result here. A
    // failure becomes `alertMessage`; the backup ones are also printed as a diagnostic line.
    // Every call that starts ends with one `fileOperationFinished`.

    /// Appends the collection, and its variables (when it has any) as an inactive environment.
    /// The file may also be an OpenAPI or Swagger document, a HAR capture or an Insomnia
    /// export, told by its contents; their environments come along, none active.
    void importPostmanCollection(const QString& path);
    /// Appends the environment, not active.
    void importPostmanEnvironment(const QString& path);
    /// Appends a native collection file's collection. It keeps its ids unless the collection
    /// or one of its requests is already here; then the copy gets fresh ones.
    void importMakoCollection(const QString& path);
    /// Puts `entry` first in the certificate entries (so its exact host wins over a wildcard
    /// entry), in place of an entry for the same host; its passphrase goes out through
    /// `certificatePassphraseGiven`, never to the preference file. Without a preference store
    /// nothing happens.
    void addHostCertificate(const HostCertificate& entry);
    /// Writes the collection with `collectionID` as a native collection file; an unknown id
    /// does nothing.
    void exportCollection(const QUuid& collectionID, const QString& path);
    /// Writes the collection with `collectionID` as a k6 load-test script; an unknown id does
    /// nothing.
    void exportK6Script(const QUuid& collectionID, const QString& path);
    /// Writes the collection as a Postman v2.1 collection. Its WebSocket and SSE requests,
    /// which that format cannot hold, are left out and named in the alert.
    void exportPostmanCollection(const QUuid& collectionID, const QString& path);
    /// Writes the history as a HAR 1.2 log.
    void exportHistoryAsHar(const QString& path);
    /// Writes the data files, as last saved, into one backup file. The values of secret
    /// variables are not in it; the alert names the variables left out.
    void exportAllData(const QString& path);
    /// Replaces every list the backup holds, here and in its data file. Nothing is replaced
    /// unless every list in the file is valid.
    void importAllData(const QString& path);

    // ---- Collections kept in folders of their own (appstatefolders.cpp) ----
    // Such a collection is written into its folder, one file per request, and what changes in
    // the folder from outside (a `git pull`) comes in while Mako runs. The data folder keeps
    // only a reference to it. Deleting the collection forgets the folder and leaves it as it is.

    /// Appends the collection kept in the folder `path`; a folder without a collection is
    /// reported in `alertMessage`. Ends with `fileOperationFinished`.
    void openFolderCollection(const QString& path);
    /// Writes the collection into the folder `path` (empty, or holding this very collection)
    /// and keeps it there from now on. Ends with `fileOperationFinished`.
    void saveCollectionToFolder(const QUuid& collectionID, const QString& path);
    /// Shares the environment `environmentID` with the folder collection `collectionID` (it is
    /// written into the folder's environments/ and leaves the data folder's file), or keeps it
    /// on this computer again without one. Both places are written at once; its secret values
    /// stay in the vault. False, changing nothing, for an unknown environment or a collection
    /// that is not kept in a folder that has been read.
    bool setEnvironmentCollection(QUuid environmentID, std::optional<QUuid> collectionID);
    /// The tab's request changed on disk while the tab held edits (`requestChangedOnDisk`):
    /// it takes the file's version, or keeps its edits.
    void resolveChangeOnDisk(const QUuid& tabID, bool useFileVersion);

Q_SIGNALS:
    void collectionsChanged();
    void environmentsChanged();
    void historyChanged();
    void selectedSidebarItemChanged();
    void alertMessageChanged();
    void importReportChanged();
    void globalVariablesChanged();
    /// The start-up load has finished.
    void didLoadChanged();
    void tabsChanged();
    void activeTabIDChanged();
    void openRequestChanged();
    void openRequestOriginChanged();
    /// One import or export ended.
    void fileOperationFinished(bool succeeded);
    /// An added certificate entry came with a passphrase, for the secret store.
    void certificatePassphraseGiven(const QString& host, const QString& passphrase);
    /// The request of the tab `tabID` changed in its folder while the tab held unsaved edits;
    /// `resolveChangeOnDisk` answers.
    void requestChangedOnDisk(const QUuid& tabID, const QString& requestName);

private:
    void forwardSignals();
    void loadData();
    template <typename T> QList<T> takeLoaded(Result<QList<T>> loaded);
    void finishStartup();
    void rememberActiveFolderEnvironment();
    void restoreActiveFolderEnvironment();
    void handleRequestReplaced(
        const QUuid& collectionID, const APIRequest& before, const APIRequest& after);
    void reportLoadFailure(const QString& description);
    void reportSaveFailure(const QString& fileName, const QString& reason);
    void restoreSession(const QList<SessionTab>& stored, bool damaged);

    void runFileJob(std::function<std::function<void()>()> job);
    void applyBackup(const CollectionExporter::BackupContents& contents);
    void finishFileOperation(const std::optional<QString>& failure, bool diagnostic = false);
    /// Adds to the alert which secret variables a written file holds without their values.
    void reportSecretsLeftOut(const QStringList& names);

    PersistenceService* m_persistence;
    Settings* m_settings;
    std::unique_ptr<SecretVault> m_vault;
    std::unique_ptr<OAuth2Tokens> m_oauth2;

    CollectionStore m_collections;
    EnvironmentStore m_environments;
    HistoryStore m_history;
    TabStore m_tabs;
    SessionStore m_session;
    /// Keeps the values of secret variables in the vault; made once the stores exist.
    std::unique_ptr<SecretVariables> m_secretVariables;
    FolderCollections m_folders;
    // The versions on disk of requests whose tabs hold edits, until the user chooses.
    QHash<QUuid, APIRequest> m_diskVersions;
    // The start-up load waits for the folders of the collections too.
    std::optional<std::pair<QList<SessionTab>, bool>> m_sessionToRestore;
    bool m_historyLoaded = false;
    SidebarItem m_selectedSidebarItem;
    std::optional<QString> m_alertMessage;
    std::optional<ImportReport> m_importReport;
    bool m_didLoad = false;
    QStringList m_loadFailures;

    SerialWorker m_fileWorker {QStringLiteral("AppStateFiles")};
};

} // namespace mako
