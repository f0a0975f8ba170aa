#include "staterun.h"
#include "support/fakesecretstore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// git as each teammate runs it: its own identity, nothing from the machine's configuration.
QString git(const QString& directory, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"GIT_CONFIG_NOSYSTEM"_s, u"1"_s);
    environment.insert(u"HOME"_s, directory);
    for (const QString& part : {u"AUTHOR"_s, u"COMMITTER"_s}) {
        environment.insert(u"GIT_%1_NAME"_s.arg(part), u"Teammate"_s);
        environment.insert(u"GIT_%1_EMAIL"_s.arg(part), u"teammate@example.test"_s);
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory);
    process.start(u"git"_s, arguments);
    const bool ran = process.waitForFinished(30000) && process.exitCode() == 0;
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(ran) << arguments.join(u' ').toStdString() << ": "
                     << process.readAllStandardError().toStdString();
    return output;
}

// One teammate: a Mako of their own (data folder, secret service) and a clone of the team's
// repository.
struct Teammate {
    explicit Teammate(const QString& checkout)
        : clone(checkout)
    { }

    bool settle()
    {
        state.flushPendingSaves();
        auto idle = std::make_shared<bool>(false);
        state.folderCollections().whenIdle(&state, [idle] { *idle = true; });
        return QTest::qWaitFor([&] { return *idle; }, 20000);
    }
    const Collection& team() const { return state.collections().constLast(); }
    const APIRequest* request(const QString& name) const
    {
        for (const APIRequest& request : team().requests) {
            if (request.name == name)
                return &request;
        }
        return nullptr;
    }

    QString clone;
    TempAppFolder data;
    QHash<QString, QString> secrets;
    PersistenceService persistence {data.path()};
    Settings settings {data.settingsFile()};
    AppState state {
        &persistence, &settings, nullptr, 1h, std::make_unique<FakeSecretStore>(&secrets)};
};

} // namespace

// Two people share a collection through a git repository: each sees the other's edits after a
// pull while Mako runs, an edit is one line of one file, and no secret reaches the repository.
TEST(GitSharing, twoPeopleSeeEachOthersEditsAndNoSecretReachesTheRepository)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString origin = root.filePath(u"origin.git"_s);
    git(root.path(), {u"init"_s, u"-q"_s, u"--bare"_s, u"-b"_s, u"main"_s, origin});

    Teammate ann(root.filePath(u"ann"_s));
    ASSERT_TRUE(waitUntilLoaded(ann.state));
    git(root.path(), {u"clone"_s, u"-q"_s, origin, ann.clone});
    ann.state.appendCollection(Collection {.name = u"Team API"_s,
        .requests = {APIRequest {.name = u"List users"_s,
            .url = u"{{baseUrl}}/users"_s,
            .headers = {KeyValuePair {.key = u"Accept"_s, .value = u"application/json"_s},
                KeyValuePair {.key = u"Authorization"_s, .value = u"Bearer {{token}}"_s}}}}});
    QSignalSpy saved(&ann.state, &AppState::fileOperationFinished);
    ann.state.saveCollectionToFolder(ann.team().id, ann.clone + u"/team-api"_s);
    ASSERT_TRUE(saved.wait(20000));
    ASSERT_TRUE(saved.first().first().toBool());
    // The team's environment, with a secret each teammate keeps in their own secret service.
    ASSERT_TRUE(QDir().mkpath(ann.clone + u"/team-api/environments"_s));
    QFile environment(ann.clone + u"/team-api/environments/staging.json"_s);
    ASSERT_TRUE(environment.open(QIODevice::WriteOnly));
    environment.write(R"({"name": "staging", "variables": [
  {"key": "baseUrl", "value": "http://127.0.0.1:1"},
  {"id": "{6f1c1d3e-8a0b-4f53-9a57-1b7d2c9e4a10}", "key": "token", "value": "", "isSecret": true}
]}
)");
    environment.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.state.environments().size() == 1; }, 10000));
    QList<KeyValuePair> variables = ann.state.environments()[0].variables;
    ASSERT_EQ(variables.size(), 2);
    variables[1].value = u"s3cr3t-of-ann"_s;
    ann.state.setEnvironmentVariables(ann.state.environments()[0].id, variables);
    ASSERT_TRUE(ann.settle());
    git(ann.clone, {u"add"_s, u"-A"_s});
    git(ann.clone, {u"commit"_s, u"-q"_s, u"-m"_s, u"Team API"_s});
    git(ann.clone, {u"push"_s, u"-q"_s, u"origin"_s, u"main"_s});

    Teammate bob(root.filePath(u"bob"_s));
    ASSERT_TRUE(waitUntilLoaded(bob.state));
    git(root.path(), {u"clone"_s, u"-q"_s, origin, bob.clone});
    QSignalSpy opened(&bob.state, &AppState::fileOperationFinished);
    bob.state.openFolderCollection(bob.clone + u"/team-api"_s);
    ASSERT_TRUE(opened.wait(20000));
    ASSERT_NE(bob.request(u"List users"_s), nullptr);
    ASSERT_EQ(bob.state.environments().size(), 1);

    // Ann changes one header; the commit is one line of one file.
    APIRequest list = *ann.request(u"List users"_s);
    list.headers[0].value = u"application/vnd.team+json"_s;
    ann.state.saveRequestToCollection(list, ann.team().id);
    ASSERT_TRUE(ann.settle());
    EXPECT_EQ(git(ann.clone, {u"diff"_s, u"--numstat"_s}), u"1\t1\tteam-api/list-users.json\n"_s);
    git(ann.clone, {u"commit"_s, u"-q"_s, u"-am"_s, u"Accept the team's type"_s});
    git(ann.clone, {u"push"_s, u"-q"_s, u"origin"_s, u"main"_s});

    // Bob pulls while Mako runs and sees it; he adds a request, which Ann sees after her pull.
    git(bob.clone, {u"pull"_s, u"-q"_s, u"--ff-only"_s});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const APIRequest* mine = bob.request(u"List users"_s);
            return mine && mine->headers[0].value == u"application/vnd.team+json"_s;
        },
        10000));
    bob.state.saveRequestToCollection(
        APIRequest {.name = u"Create user"_s, .url = u"{{baseUrl}}/users"_s}, bob.team().id);
    ASSERT_TRUE(bob.settle());
    git(bob.clone, {u"add"_s, u"-A"_s});
    git(bob.clone, {u"commit"_s, u"-q"_s, u"-m"_s, u"Create user"_s});
    git(bob.clone, {u"push"_s, u"-q"_s, u"origin"_s, u"main"_s});
    git(ann.clone, {u"pull"_s, u"-q"_s, u"--ff-only"_s});
    EXPECT_TRUE(QTest::qWaitFor([&] { return ann.request(u"Create user"_s) != nullptr; }, 10000));
    EXPECT_EQ(ann.team().requests.size(), 2);

    // Ann's secret stayed with her: in her secret service and her window, in no file of the
    // repository's history and in no data folder; Bob has the name and no value.
    EXPECT_EQ(ann.state.environments()[0].variables[1].value, u"s3cr3t-of-ann"_s);
    ann.state.secretVault().flush();
    EXPECT_TRUE(ann.secrets.values().contains(u"s3cr3t-of-ann"_s));
    EXPECT_EQ(git(ann.clone, {u"log"_s, u"-p"_s, u"--all"_s}).count(u"s3cr3t"_s), 0);
    for (const Teammate* person : {&ann, &bob}) {
        for (const QString& name : QDir(person->data.path()).entryList(QDir::Files)) {
            QFile file(QDir(person->data.path()).filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_FALSE(file.readAll().contains("s3cr3t")) << name.toStdString();
        }
    }
    ASSERT_EQ(bob.state.environments()[0].variables.size(), 2);
    EXPECT_EQ(bob.state.environments()[0].variables[1].key, u"token"_s);
    EXPECT_TRUE(bob.state.environments()[0].variables[1].value.isEmpty());
}
