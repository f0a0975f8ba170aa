#include "model/recordjson.h"
#include "shellrun.h"

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

TEST(ReopenLastRequest, theSavedRequestLastOpenComesBackOnlyWhenSwitchedOn)
{
    const Collection collection {.name = u"Saved"_s,
        .requests = {APIRequest {.name = u"First"_s}, APIRequest {.name = u"Second"_s}}};
    const QHash<QString, QByteArray> files {
        {PersistenceService::kCollectionsFile, encodeRecords(QList {collection})}};
    TempAppFolder folder;
    {
        ShellRun run(files, {{u"reopenLastRequest"_s, true}}, &folder);
        run.state().openFromCollection(collection.requests[0], collection.id);
        run.state().openFromCollection(collection.requests[1], collection.id);
        // A new request has no home, so the saved one stays the one to reopen.
        run.state().openNewRequest();
    }
    // The session brings every tab back, and the preference adds none beside them.
    {
        ShellRun run({}, {}, &folder);
        EXPECT_EQ(run.state().tabs().size(), 3);
    }
    // Without a session (lost, or kept by a Mako from before sessions) the saved request comes
    // back on its own.
    const QString session = folder.filePath(PersistenceService::kSessionFile);
    ASSERT_TRUE(QFile::remove(session));
    {
        ShellRun run({}, {}, &folder);
        ASSERT_TRUE(run.state().openRequest());
        EXPECT_EQ(run.state().openRequest()->id, collection.requests[1].id);
        EXPECT_EQ(run.state().tabs().size(), 1);
        run.app->settings().setValue(SettingKeys::reopenLastRequest, false);
    }
    ASSERT_TRUE(QFile::remove(session));
    ShellRun run({}, {}, &folder);
    EXPECT_TRUE(run.state().tabs().isEmpty());
}
