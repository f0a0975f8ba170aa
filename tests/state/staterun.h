#pragma once

#include "model/recordjson.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "state/urlhistory.h"
#include "support/qtprinters.h"
#include "support/tempappfolder.h"

#include <QHash>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>

namespace mako::test {

inline const QString& kCollectionsFile = PersistenceService::kCollectionsFile;
inline const QString& kEnvironmentsFile = PersistenceService::kEnvironmentsFile;
inline const QString& kHistoryFile = PersistenceService::kHistoryFile;
inline const QString& kGlobalVariablesFile = PersistenceService::kGlobalVariablesFile;
inline const QString& kSessionFile = PersistenceService::kSessionFile;

/// A collection of a plain request and a GraphQL query, for the tests that reopen tabs.
inline const APIRequest kUsersRequest {
    .name = QStringLiteral("Users"), .url = QStringLiteral("https://api.test/users")};
inline const APIRequest kViewerQuery {.name = QStringLiteral("Viewer"),
    .url = QStringLiteral("https://api.test/graphql"),
    .method = HTTPMethod::post,
    .requestProtocol = RequestProtocol::graphql,
    .graphqlQuery = QStringLiteral("query Viewer { viewer { id } }"),
    .graphqlVariables = QStringLiteral("{\"a\": 1}"),
    .graphqlOperationName = QStringLiteral("Viewer")};
inline const Collection kAPICollection {
    .name = QStringLiteral("API"), .requests = {kUsersRequest, kViewerQuery}};

/// Runs the event loop until every load and save asked of `service` so far has finished and
/// its replies have been delivered. False on a time-out.
inline bool waitUntilIdle(PersistenceService& service)
{
    auto idle = std::make_shared<bool>(false);
    service.whenIdle(&service, [idle] { *idle = true; });
    return QTest::qWaitFor([&] { return *idle; }, 20000);
}

/// Waits for the start-up load of `state` to finish. False on a time-out.
inline bool waitUntilLoaded(AppState& state)
{
    QSignalSpy loaded(&state, &AppState::didLoadChanged);
    return state.didLoad() || loaded.wait(20000);
}

/// The stored recent URLs, once every call made before has run.
inline QStringList recentURLs(URLHistory& urls)
{
    auto result = std::make_shared<std::optional<QStringList>>();
    urls.recentURLs(&urls, [result](const QStringList& stored) { *result = stored; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return result->has_value(); }, 20000));
    return result->value_or(QStringList {});
}

/// The data files a run starts with, and how it starts.
struct RunOptions {
    QHash<QString, QByteArray> files;
    std::chrono::milliseconds autoSaveDelay = std::chrono::hours(1);
    bool waitForLoad = true;
};

/// A state on a temporary application folder. By default it is loaded and the auto-save waits
/// so long that nothing is written until the test flushes.
struct StateRun {
    explicit StateRun(const RunOptions& options = {})
        : persistence(prepare(folder, options.files))
        , settings(folder.settingsFile())
        , state(&persistence, &settings, nullptr, options.autoSaveDelay)
    {
        if (options.waitForLoad) {
            EXPECT_TRUE(waitUntilLoaded(state));
        }
    }

    static QString prepare(const TempAppFolder& folder, const QHash<QString, QByteArray>& files)
    {
        for (auto file = files.cbegin(); file != files.cend(); ++file)
            folder.write(file.key(), file.value());
        return folder.path();
    }

    /// Appends a collection holding `requests` and returns its id.
    QUuid addCollection(const QString& name, const QList<APIRequest>& requests = {})
    {
        const Collection collection {.name = name, .requests = requests};
        state.appendCollection(collection);
        return collection.id;
    }

    const Collection& collection(const QUuid& id) const
    {
        for (const Collection& collection : state.collections()) {
            if (collection.id == id)
                return collection;
        }
        ADD_FAILURE() << "no such collection";
        return state.collections().first();
    }

    /// The records `fileName` holds once every pending save has been made and has landed; none
    /// when it was never written.
    template <typename T> QList<T> stored(const QString& fileName)
    {
        state.flushPendingSaves();
        EXPECT_TRUE(waitUntilIdle(persistence));
        if (!folder.fileNames().contains(fileName))
            return {};
        auto records = decodeRecords<T>(folder.read(fileName));
        EXPECT_TRUE(records.ok()) << fileName.toStdString();
        return records ? records.value() : QList<T> {};
    }
    QList<Collection> storedCollections() { return stored<Collection>(kCollectionsFile); }
    QString alert() const { return state.alertMessage().value_or(QString()); }

    TempAppFolder folder;
    PersistenceService persistence;
    Settings settings;
    AppState state;
    QSignalSpy writes {&persistence, &PersistenceService::saveFinished};
};

} // namespace mako::test
