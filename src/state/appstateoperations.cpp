#include "execution/networkservice.h"
#include "execution/variables.h"
#include "scripting/scriptedrunner.h"
#include "state/appstate.h"
#include "state/oauth2tokens.h"
#include "state/settings.h"

using namespace Qt::StringLiterals;

namespace mako {

// The operations of AppState. Most belong to one store; the few that touch two (a deleted
// collection or request closes its tabs) keep them in step here.

std::optional<APIEnvironment> AppState::activeEnvironment() const
{
    return m_environments.activeEnvironment();
}

std::optional<APIEnvironment> AppState::mergedEnvironment() const
{
    const RequestOrigin& origin = openRequestOrigin();
    const Collection* collection
        = origin.isCollection() ? m_collections.collection(origin.collectionID) : nullptr;
    return mako::mergedEnvironment(m_environments.globalVariables(), m_environments.environments(),
        collection ? collection->variables : QList<KeyValuePair> {});
}

VariableScopes AppState::variableScopes(std::optional<QUuid> collectionID) const
{
    const Collection* collection = collectionID ? m_collections.collection(*collectionID) : nullptr;
    return VariableScopes {
        .globals = m_environments.globalVariables(),
        .collection = collection ? collection->variables : QList<KeyValuePair> {},
        .environment = m_environments.activeEnvironment(),
    };
}

ScriptSettings AppState::scriptSettings() const
{
    const double seconds = m_settings ? m_settings->value(SettingKeys::scriptTimeout)
                                      : SettingKeys::scriptTimeout.defaultValue;
    // A time-out of nothing would stop every script; such a stored value means the default.
    return ScriptSettings {.timeoutMilliseconds
        = int((seconds > 0 ? seconds : SettingKeys::scriptTimeout.defaultValue) * 1000),
        .moduleFolders = {},
        .authorize = m_oauth2->sendAuthorizer()};
}

const Collection* AppState::originCollection(const RequestOrigin& origin) const
{
    return origin.isCollection() ? m_collections.collection(origin.collectionID) : nullptr;
}

APIRequest AppState::withInheritedAuth(const APIRequest& request, const RequestOrigin& origin) const
{
    return mako::withInheritedAuth(request, originCollection(origin));
}

std::optional<SendScripts> AppState::scriptsAround(
    const APIRequest& request, const RequestOrigin& origin) const
{
    const Collection* collection = originCollection(origin);
    SendScripts scripts {
        .preRequest = collection ? ScriptedRunner::scriptsAround(*collection, request, false)
                                 : QStringList {request.preRequestScript},
        .tests = collection ? ScriptedRunner::scriptsAround(*collection, request, true)
                            : QStringList {request.testScript},
    };
    // An OAuth 2.0 request takes the scripted way too, which gets its token just before it goes.
    if (!ScriptEngine::hasCode(scripts.preRequest + scripts.tests)
        && mako::withInheritedAuth(request, collection).authType != AuthType::oauth2)
        return std::nullopt;
    scripts.scopes = variableScopes(collection ? std::optional(collection->id) : std::nullopt);
    scripts.settings = scriptSettings();
    return scripts;
}

void AppState::keepScriptRun(QUuid tabID, const RequestOrigin& origin, const ScriptOutcome& outcome,
    const VariableScopes& scopes)
{
    keepScriptVariables(scopes,
        origin.isCollection() && m_collections.collection(origin.collectionID)
            ? std::optional(origin.collectionID)
            : std::nullopt);
    updateTabScripts(tabID, outcome);
}

void AppState::keepScriptVariables(const VariableScopes& scopes, std::optional<QUuid> collectionID)
{
    if (scopes.globals != m_environments.globalVariables())
        setGlobalVariables(scopes.globals);
    if (collectionID)
        m_collections.setCollectionVariables(*collectionID, scopes.collection);
    if (!scopes.environment)
        return;
    for (const APIEnvironment& environment : m_environments.environments()) {
        if (environment.id == scopes.environment->id) {
            if (environment.variables != scopes.environment->variables)
                setEnvironmentVariables(environment.id, scopes.environment->variables);
            return;
        }
    }
}

void AppState::setActiveEnvironment(std::optional<QUuid> id)
{
    m_environments.setActiveEnvironment(id);
}

void AppState::addEnvironment(const QString& name)
{
    m_environments.addEnvironment(name);
}

void AppState::deleteEnvironment(QUuid id)
{
    m_environments.deleteEnvironment(id);
}

void AppState::renameEnvironment(QUuid id, const QString& name)
{
    m_environments.renameEnvironment(id, name);
}

void AppState::setEnvironmentVariables(QUuid id, const QList<KeyValuePair>& variables)
{
    m_environments.setVariables(id, variables);
}

void AppState::setGlobalVariables(const QList<KeyValuePair>& variables)
{
    m_environments.setVariables(std::nullopt, variables);
}

bool AppState::insertVariables(
    std::optional<QUuid> environmentID, int row, const QList<KeyValuePair>& rows)
{
    return m_environments.insertVariables(environmentID, row, rows);
}

bool AppState::removeVariables(std::optional<QUuid> environmentID, int row, int count)
{
    return m_environments.removeVariables(environmentID, row, count);
}

void AppState::updateVariable(std::optional<QUuid> environmentID, const KeyValuePair& variable)
{
    m_environments.updateVariable(environmentID, variable);
}

void AppState::addHistoryItem(const APIRequest& request, int statusCode, double duration)
{
    m_history.addHistoryItem(request, statusCode, duration);
}

void AppState::clearHistory()
{
    m_history.clearHistory();
}

void AppState::setOpenRequest(const std::optional<APIRequest>& request)
{
    m_tabs.setOpenRequest(request);
}

void AppState::openNewRequest()
{
    m_tabs.openNewRequest();
}

void AppState::openFromCollection(const APIRequest& request, QUuid collectionID)
{
    m_tabs.openFromCollection(request, collectionID);
}

void AppState::openFromHistory(const APIRequest& request)
{
    m_tabs.openFromHistory(request);
}

void AppState::closeTab(QUuid id)
{
    m_tabs.closeTab(id);
}

void AppState::closeOtherTabs(QUuid id)
{
    m_tabs.closeOtherTabs(id);
}

void AppState::closeAllTabs()
{
    m_tabs.closeAllTabs();
}

void AppState::switchToTab(QUuid id)
{
    m_tabs.switchToTab(id);
}

void AppState::saveCurrentTabState()
{
    m_tabs.saveCurrentTabState();
}

void AppState::updateActiveTabResponse(
    const std::optional<APIResponse>& response, const std::optional<QString>& error, bool isLoading)
{
    if (const auto& active = m_tabs.activeTabID())
        m_tabs.updateTabResponse(*active, response, error, isLoading);
}

void AppState::updateTabResponse(QUuid tabID, const std::optional<APIResponse>& response,
    const std::optional<QString>& error, bool isLoading)
{
    m_tabs.updateTabResponse(tabID, response, error, isLoading);
}

void AppState::updateTabScripts(QUuid tabID, const ScriptOutcome& outcome)
{
    m_tabs.updateTabScripts(tabID, outcome);
}

void AppState::setActiveTabOrigin(const RequestOrigin& origin)
{
    m_tabs.setActiveTabOrigin(origin);
}

void AppState::addCollection(const QString& name)
{
    m_collections.addCollection(name);
}

void AppState::appendCollection(const Collection& collection)
{
    m_collections.appendCollection(collection);
}

void AppState::deleteCollection(QUuid id)
{
    if (!m_collections.collection(id))
        return;
    // The tabs go first, so no tab ever names a collection that is gone.
    const RequestOrigin origin = RequestOrigin::collection(id);
    m_tabs.closeTabsWhere([&origin](const RequestTab& tab) { return tab.origin == origin; });
    m_collections.removeCollection(id);
}

void AppState::renameCollection(QUuid id, const QString& name)
{
    m_collections.renameCollection(id, name);
}

void AppState::setCollectionAuth(QUuid id, const APIRequest& auth)
{
    m_collections.setCollectionAuth(id, auth);
}

void AppState::addFolder(const QString& name, QUuid collectionID)
{
    m_collections.addFolder(name, collectionID);
}

void AppState::deleteFolder(QUuid folderID, QUuid collectionID)
{
    m_collections.deleteFolder(folderID, collectionID);
}

void AppState::renameFolder(QUuid folderID, QUuid collectionID, const QString& name)
{
    m_collections.renameFolder(folderID, collectionID, name);
}

void AppState::setScripts(QUuid collectionID, std::optional<QUuid> folderID,
    const QString& preRequestScript, const QString& testScript)
{
    m_collections.setScripts(collectionID, folderID, preRequestScript, testScript);
}

bool AppState::moveFolderToCollection(QUuid folderID, QUuid targetCollectionID)
{
    return m_collections.moveFolderToCollection(folderID, targetCollectionID);
}

void AppState::saveRequestToCollection(const APIRequest& request, QUuid collectionID)
{
    m_collections.saveRequestToCollection(request, collectionID);
}

void AppState::renameRequest(QUuid requestID, QUuid collectionID, const QString& name)
{
    m_collections.renameRequest(requestID, collectionID, name);
}

void AppState::removeRequest(QUuid requestID, QUuid collectionID)
{
    if (!m_collections.removeRequest(requestID, collectionID))
        return;
    for (const RequestTab& tab : m_tabs.tabs()) {
        if (tab.request.id == requestID) {
            const QUuid tabID = tab.id; // the tab goes while it closes
            m_tabs.closeTab(tabID);
            return;
        }
    }
}

void AppState::moveRequestToFolder(
    QUuid requestID, std::optional<QUuid> folderID, QUuid collectionID)
{
    m_collections.moveRequestToFolder(requestID, folderID, collectionID);
}

APIRequest AppState::duplicateRequest(const APIRequest& request)
{
    APIRequest copy = request;
    copy.id = QUuid::createUuid();
    copy.name = tr("%1 (Copy)").arg(request.name);
    copy.createdAt = currentTimestamp();
    copy.updatedAt = copy.createdAt;
    return copy;
}

std::optional<QUuid> AppState::collectionForRequest(const QUuid& requestID) const
{
    return m_collections.collectionForRequest(requestID);
}

} // namespace mako
