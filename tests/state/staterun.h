#pragma once

#include "model/recordjson.h"
#include "state/appstate.h"
#include "state/persistenceservice.h"
#include "state/settings.h"
#include "statetest.h"
#include "support/tempappfolder.h"

#include <gtest/gtest.h>

#include <chrono>

namespace mako::test {

/// A loaded state on a temporary application folder, with the auto-save out of the way so
/// every write comes from an operation.
struct StateRun {
    StateRun()
        : persistence(folder.path())
        , settings(folder.settingsFile())
        , state(&persistence, &settings, nullptr, std::chrono::hours(1))
    {
        EXPECT_TRUE(waitUntilLoaded(state));
    }

    /// Appends a collection holding `requests` and returns its id.
    QUuid addCollection(const QString& name, const QList<APIRequest>& requests = {})
    {
        state.addCollection(name);
        QList<Collection> collections = state.collections();
        collections.last().requests = requests;
        state.setCollections(collections);
        return collections.last().id;
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

    /// The collections as the file holds them once every save has landed.
    QList<Collection> storedCollections()
    {
        EXPECT_TRUE(waitUntilIdle(persistence));
        return decodeRecords<Collection>(folder.read(PersistenceService::kCollectionsFile)).value();
    }

    TempAppFolder folder;
    PersistenceService persistence;
    Settings settings;
    AppState state;
};

} // namespace mako::test
