#include "fixture.h"
#include "interchange/foldercollection.h"
#include "support/qtprinters.h"
#include "support/rows.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;
using mako::test::row;
namespace FC = mako::FolderCollection;

namespace {

APIRequest request(const QString& name, const QString& url)
{
    return APIRequest {.name = name, .url = url, .headers = {}, .queryParams = {}};
}

// Every kind of request and setting a collection can hold, the way a team would have it.
FC::Contents richContents()
{
    APIRequest list = request(u"List users"_s, u"{{baseUrl}}/users"_s);
    list.headers = {row(u"Accept"_s, u"application/json"_s), row(u"X-Trace"_s, u"1"_s, false)};
    list.queryParams = {row(u"page"_s, u"2"_s)};
    list.authType = AuthType::inherit;
    list.testScript
        = u"mako.test('ok', () => {\n  mako.expect(mako.response.code).to.equal(200);\n});\n"_s;
    list.tags = {u"smoke"_s};

    APIRequest create = request(u"Create user"_s, u"{{baseUrl}}/users"_s);
    create.method = HTTPMethod::post;
    create.bodyType = RequestBodyType::json;
    create.body = u"{\n  \"name\": \"Ada\"\n}"_s;
    create.authType = AuthType::basic;
    create.authToken = u"ada:{{password}}"_s;

    APIRequest upload = request(u"Upload avatar"_s, u"{{baseUrl}}/avatar"_s);
    upload.method = HTTPMethod::put;
    upload.bodyType = RequestBodyType::formData;
    upload.queryParams
        = {row(u"file"_s, u"@avatar.png"_s), row(QString(), QString()), row(u"alt"_s, u"me"_s)};
    upload.authType = AuthType::awsSigV4;
    upload.authToken = u"AKID:secret"_s;
    upload.awsRegion = u"eu-west-1"_s;
    upload.awsService = u"s3"_s;

    APIRequest purge = request(u"Purge cache"_s, u"https://cdn.test/a/b"_s);
    setMethodName(purge, u"PURGE"_s);
    purge.bodyType = RequestBodyType::raw;
    purge.body = u"all"_s;
    purge.authType = AuthType::oauth2;
    purge.oauth2 = OAuth2Settings {.grant = OAuth2Grant::clientCredentials,
        .tokenUrl = u"https://auth.test/token"_s,
        .clientId = u"cli"_s,
        .scope = u"read write"_s};
    purge.preRequestScript = u"mako.variables.set('t', Date.now());"_s;

    APIRequest graph = request(u"Who am I"_s, u"{{baseUrl}}/graphql"_s);
    graph.requestProtocol = RequestProtocol::graphql;
    graph.graphqlQuery = u"query Me {\n  me { id }\n}"_s;
    graph.graphqlVariables = u"{}"_s;
    graph.graphqlOperationName = u"Me"_s;

    APIRequest socket = request(u"Chat"_s, u"ws://127.0.0.1:9/chat"_s);
    socket.requestProtocol = RequestProtocol::websocket;
    socket.wsMessages = {u"hello"_s, u"bye"_s};

    APIRequest events = request(u"Events"_s, u"http://127.0.0.1:9/events"_s);
    events.requestProtocol = RequestProtocol::sse;
    events.authType = AuthType::ntlm;
    events.authToken = u"me:pw"_s;
    events.authDomain = u"CORP"_s;

    FC::Contents contents;
    Collection& collection = contents.collection;
    collection.name = u"Team API"_s;
    collection.authType = AuthType::bearer;
    collection.authToken = u"{{token}}"_s;
    collection.variables = {row(u"baseUrl"_s, u"http://127.0.0.1:8080"_s)};
    collection.preRequestScript = u"console.log('collection');"_s;
    // In display order: the folders' requests first, then the top level.
    collection.requests = {list, create, upload, purge, graph, socket, events};
    collection.folders = {
        CollectionFolder {.name = u"Users"_s,
            .requestIDs = {list.id, create.id, upload.id},
            .preRequestScript = u"console.log('users');"_s},
        CollectionFolder {.name = u"Admin"_s, .requestIDs = {purge.id}},
    };
    APIEnvironment staging {.name = u"Staging"_s,
        .variables = {row(u"baseUrl"_s, u"http://127.0.0.1:8081"_s), row(u"token"_s, u"s3cr3t"_s)}};
    staging.variables[1].isSecret = true;
    contents.environments = {staging, APIEnvironment {.name = u"Local"_s, .variables = {}}};
    return contents;
}

QList<KeyValuePair> withoutIds(QList<KeyValuePair> rows)
{
    for (KeyValuePair& each : rows)
        each.id = QUuid();
    return rows;
}

// The fields the folder keeps: everything but the row ids and the times.
APIRequest stored(APIRequest request)
{
    request.headers = withoutIds(request.headers);
    request.queryParams = withoutIds(request.queryParams);
    request.createdAt = request.updatedAt = 0;
    if (request.authType == AuthType::oauth2)
        request.authToken.clear();
    return request;
}

FC::Decoded decoded(const FC::Files& files)
{
    auto result = FC::decode(files);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.errorMessage().toStdString());
    return result.ok() ? result.value() : FC::Decoded {};
}

QStringList requestNames(const Collection& collection)
{
    QStringList names;
    for (const APIRequest& each : collection.requests)
        names.append(each.name);
    return names;
}

} // namespace

TEST(FolderCollection, aRichCollectionComesBackAsItWasAndAsTheSameBytes)
{
    const FC::Contents contents = richContents();
    const FC::Files files = FC::encode(contents);
    EXPECT_EQ(files.keys(),
        QStringList({u"admin/folder.json"_s, u"admin/purge-cache.json"_s, u"chat.json"_s,
            u"collection.json"_s, u"environments/local.json"_s, u"environments/staging.json"_s,
            u"events.json"_s, u"users/create-user.json"_s, u"users/folder.json"_s,
            u"users/list-users.json"_s, u"users/upload-avatar.json"_s, u"who-am-i.json"_s}));
    // What a person reads in the diff: no times, no row ids, defaults left out, the script
    // line by line.
    const QString id = contents.collection.requests[0].id.toString(QUuid::WithoutBraces).toUpper();
    EXPECT_EQ(files.value(u"users/list-users.json"_s),
        uR"({
  "id": "%1",
  "name": "List users",
  "method": "GET",
  "url": "{{baseUrl}}/users",
  "headers": [
    {"key": "Accept", "value": "application/json"},
    {"key": "X-Trace", "value": "1", "isEnabled": false}
  ],
  "queryParams": [
    {"key": "page", "value": "2"}
  ],
  "authType": "Inherit",
  "tags": [
    "smoke"
  ],
  "testScript": [
    "mako.test('ok', () => {",
    "  mako.expect(mako.response.code).to.equal(200);",
    "});",
    ""
  ]
}
)"_s.arg(id)
            .toUtf8());
    EXPECT_FALSE(files.value(u"environments/staging.json"_s).contains("s3cr3t"));

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString reason;
    ASSERT_TRUE(FC::write(folder.path(), files, {}, &reason)) << reason.toStdString();
    const auto read = FC::read(folder.path());
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), files);
    const FC::Decoded back = decoded(read.value());
    EXPECT_TRUE(back.problems.isEmpty());
    EXPECT_EQ(FC::encode(back.contents), files);

    const Collection& original = contents.collection;
    const Collection& loaded = back.contents.collection;
    EXPECT_EQ(loaded.id, original.id);
    EXPECT_EQ(loaded.name, original.name);
    EXPECT_EQ(loaded.authType, original.authType);
    EXPECT_EQ(loaded.authToken, original.authToken);
    EXPECT_EQ(withoutIds(loaded.variables), withoutIds(original.variables));
    EXPECT_EQ(loaded.preRequestScript, original.preRequestScript);
    ASSERT_EQ(loaded.requests.size(), original.requests.size());
    for (qsizetype i = 0; i < original.requests.size(); ++i)
        EXPECT_EQ(stored(loaded.requests[i]), stored(original.requests[i])) << i;
    ASSERT_EQ(loaded.folders.size(), 2);
    for (qsizetype i = 0; i < 2; ++i) {
        EXPECT_EQ(loaded.folders[i].id, original.folders[i].id);
        EXPECT_EQ(loaded.folders[i].name, original.folders[i].name);
        EXPECT_EQ(loaded.folders[i].requestIDs, original.folders[i].requestIDs);
        EXPECT_EQ(loaded.folders[i].preRequestScript, original.folders[i].preRequestScript);
    }
    ASSERT_EQ(back.contents.environments.size(), 2);
    const APIEnvironment& staging = back.contents.environments[0];
    EXPECT_EQ(staging.id, contents.environments[0].id);
    EXPECT_EQ(staging.name, u"Staging"_s);
    ASSERT_EQ(staging.variables.size(), 2);
    EXPECT_TRUE(staging.variables[1].isSecret);
    EXPECT_EQ(staging.variables[1].value, QString());
    EXPECT_EQ(back.contents.environments[1].name, u"Local"_s);

    // Reading the same files twice gives the same records, row ids included.
    const FC::Decoded again = decoded(read.value());
    EXPECT_EQ(again.contents.collection.requests, loaded.requests);
}

TEST(FolderCollection, filesWrittenByHandLoadAndBrokenOnesAreReportedAndSkipped)
{
    FC::Files files {
        {u"collection.json"_s, R"({"name": "Team", "requests": ["b.json"]})"},
        // Written by a person: only what matters, no id.
        {u"users/list.json"_s,
            R"({"name": "List users", "method": "GET", "url": "http://127.0.0.1:1/u"})"},
        {u"users/broken.json"_s, "{\n  \"name\": \"x\",\n  \"url\": \n}\n"},
        {u"users/shape.json"_s, R"({"headers": [{"key": "A", "isEnabled": "yes"}]})"},
        {u"users/array.json"_s, "[]"},
        {u"a.json"_s, R"({"name": "A"})"},
        {u"b.json"_s, R"({"name": "B"})"},
        // A teammate copied b.json, id and all.
        {u"c.json"_s, R"({"id": "0B4B9D50-3F4B-4E55-9A8B-6E3B0B8A3C11", "name": "C"})"},
        {u"d.json"_s, R"({"id": "0B4B9D50-3F4B-4E55-9A8B-6E3B0B8A3C11", "name": "D"})"},
        // Nothing a file should not hold is taken: a secret's value, blank rows at the end.
        {u"environments/dev.json"_s, R"({"variables": [
            {"key": "token", "value": "leaked", "isSecret": true}, {"key": "", "value": ""}]})"},
        {u"README.md"_s, "# Team API"},
        {u".git/config.json"_s, "{}"},
        {u"users/deeper/x.json"_s, R"({"name": "too deep"})"},
    };
    const FC::Decoded result = decoded(files);
    const Collection& collection = result.contents.collection;
    EXPECT_EQ(collection.name, u"Team"_s);
    // The listed order first, then what nobody listed, by file name.
    EXPECT_EQ(
        requestNames(collection), QStringList({u"List users"_s, u"B"_s, u"A"_s, u"C"_s, u"D"_s}));
    const APIRequest& list = collection.requests[0];
    EXPECT_EQ(list.url, u"http://127.0.0.1:1/u"_s);
    EXPECT_TRUE(list.headers.isEmpty());
    ASSERT_EQ(collection.folders.size(), 1);
    EXPECT_EQ(collection.folders[0].name, u"users"_s);
    EXPECT_EQ(collection.folders[0].requestIDs, QList<QUuid>({list.id}));
    EXPECT_NE(collection.requests[3].id, collection.requests[4].id);
    ASSERT_EQ(result.contents.environments.size(), 1);
    EXPECT_EQ(result.contents.environments[0].name, u"dev"_s);
    EXPECT_EQ(rowsText(result.contents.environments[0].variables), u"token="_s);

    QStringList problems;
    for (const FC::Problem& problem : result.problems)
        problems.append(problem.path + u": "_s + problem.reason);
    ASSERT_EQ(problems.size(), 3) << problems.join(u'\n').toStdString();
    EXPECT_EQ(problems[0], u"users/array.json: expected an object"_s);
    EXPECT_TRUE(problems[1].startsWith(u"users/broken.json: line 4, column 1: "_s))
        << problems[1].toStdString();
    EXPECT_EQ(problems[2], u"users/shape.json: headers[0].isEnabled: expected a boolean"_s);

    // Ids made from the paths: the same at every read.
    EXPECT_EQ(decoded(files).contents.collection.requests, collection.requests);

    for (const QByteArray& bad : {QByteArray(), QByteArray("{"), QByteArray("[1]")}) {
        files[u"collection.json"_s] = bad;
        EXPECT_FALSE(FC::decode(files).ok()) << bad.constData();
    }
    files.remove(u"collection.json"_s);
    EXPECT_FALSE(FC::decode(files).ok());
}

TEST(FolderCollection, namesBecomeSafeUniqueFilesInsideTheFolder)
{
    const QStringList names {u"List users"_s, u"list USERS"_s, u"../../etc/passwd"_s,
        u"a/b\\c:d*e?f\"g<h>i|j"_s, u"CON"_s, u"nul"_s, u"Com1"_s, u"."_s, u".."_s, u"  "_s,
        u"collection"_s, u"Folder"_s, u" trailing. "_s, QString(200, u'x'), QString(200, u'x'),
        u"Ünïcödé 名前"_s, u"list-users"_s};
    FC::Contents contents;
    contents.collection.name = u"Names"_s;
    for (const QString& name : names)
        contents.collection.requests.append(request(name, {}));
    contents.collection.folders = {CollectionFolder {.name = u"../up"_s},
        CollectionFolder {.name = u"Environments"_s}, CollectionFolder {.name = u"up"_s}};
    contents.collection.folders[0].requestIDs = {contents.collection.requests[0].id};
    contents.environments = {APIEnvironment {.name = u"a/../../b"_s}};
    const FC::Files files = FC::encode(contents);

    static const QRegularExpression safe(uR"(^[^/\\:*?"<>|\x00-\x1f.][^/\\:*?"<>|\x00-\x1f]*$)"_s);
    static const QRegularExpression device(
        u"^(con|prn|aux|nul|com\\d|lpt\\d)(\\.|$)"_s, QRegularExpression::CaseInsensitiveOption);
    QSet<QString> seen;
    for (const QString& path : files.keys()) {
        const QStringList parts = path.split(u'/');
        EXPECT_LE(parts.size(), 2) << path.toStdString();
        for (const QString& part : parts) {
            EXPECT_TRUE(safe.match(part).hasMatch()) << path.toStdString();
            EXPECT_FALSE(device.match(part).hasMatch()) << path.toStdString();
            EXPECT_LE(part.size(), 70) << path.toStdString();
        }
        EXPECT_FALSE(seen.contains(path.toCaseFolded())) << path.toStdString();
        seen.insert(path.toCaseFolded());
    }
    EXPECT_TRUE(files.contains(u"up/list-users.json"_s));
    EXPECT_TRUE(files.contains(u"environments-2/folder.json"_s));
    EXPECT_TRUE(files.contains(u"up-2/folder.json"_s));
    EXPECT_TRUE(files.contains(u"environments/a-b.json"_s));
    EXPECT_TRUE(files.contains(u"ünïcödé-名前.json"_s));
    // A top-level request never takes the collection's own file.
    EXPECT_TRUE(files.contains(u"collection-2.json"_s));
    const FC::Decoded back = decoded(files);
    EXPECT_TRUE(back.problems.isEmpty());
    EXPECT_EQ(back.contents.collection.requests.size(), names.size());
    EXPECT_EQ(FC::encode(back.contents), files);

    QTemporaryDir parent;
    const QString inside = parent.filePath(u"team"_s);
    ASSERT_TRUE(FC::write(inside, files, {}));
    EXPECT_EQ(QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList({u"team"_s}));
    EXPECT_EQ(FC::read(inside).value(), files);
}

TEST(FolderCollection, renamingARequestRenamesOnlyItsOwnFileAndThoseItClashesWith)
{
    struct Case {
        const char* what;
        QStringList before;
        qsizetype renamed;
        QString newName;
        QStringList after;
    };
    const QList<Case> cases {
        {"a plain rename", {u"A"_s, u"B"_s, u"C"_s}, 1, u"Bee"_s,
            {u"a.json"_s, u"bee.json"_s, u"c.json"_s}},
        {"siblings with suffixes keep them", {u"X"_s, u"Y"_s, u"x"_s, u"X"_s}, 1, u"Z"_s,
            {u"x.json"_s, u"z.json"_s, u"x-2.json"_s, u"x-3.json"_s}},
        {"taking a name a later one had", {u"A"_s, u"B"_s, u"b"_s}, 0, u"B"_s,
            {u"b.json"_s, u"b-2.json"_s, u"b-3.json"_s}},
        {"an exact name is never taken by a suffix", {u"A"_s, u"A"_s, u"A-2"_s}, 0, u"C"_s,
            {u"c.json"_s, u"a.json"_s, u"a-2.json"_s}},
    };
    for (const Case& c : cases) {
        FC::Contents contents;
        for (const QString& name : c.before)
            contents.collection.requests.append(request(name, {}));
        const FC::Files before = FC::encode(contents);
        contents.collection.requests[c.renamed].name = c.newName;
        const FC::Files after = FC::encode(contents);
        QStringList fileNames;
        for (const APIRequest& each : contents.collection.requests) {
            const QString id = each.id.toString(QUuid::WithoutBraces).toUpper();
            for (auto it = after.begin(); it != after.end(); ++it) {
                if (it.value().contains(id.toUtf8()))
                    fileNames.append(it.key());
            }
        }
        EXPECT_EQ(fileNames, c.after) << c.what;
        EXPECT_EQ(before.size(), after.size()) << c.what;
    }
}

TEST(FolderCollection, writeTouchesOnlyItsOwnFiles)
{
    QTemporaryDir folder;
    const QDir root(folder.path());
    FC::Contents contents = richContents();
    const FC::Files first = FC::encode(contents);
    ASSERT_TRUE(FC::write(folder.path(), first, {}));
    const auto writeText = [&](const QString& path, const QByteArray& bytes) {
        QFile file(root.filePath(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    writeText(u"README.md"_s, "team");
    writeText(u"users/mine.json"_s, R"({"name": "not listed"})");
    // A teammate edited this one since it was read.
    writeText(u"environments/local.json"_s, R"({"name": "Local", "variables": []})");

    // The admin folder and the environments go; its request moves to the top.
    contents.collection.folders.removeLast();
    contents.environments.clear();
    const FC::Files second = FC::encode(contents);
    ASSERT_TRUE(FC::write(folder.path(), second, first));
    EXPECT_TRUE(root.exists(u"README.md"_s));
    EXPECT_FALSE(root.exists(u"admin"_s));
    EXPECT_TRUE(root.exists(u"purge-cache.json"_s));
    EXPECT_TRUE(root.exists(u"environments/local.json"_s));
    EXPECT_FALSE(root.exists(u"environments/staging.json"_s));
    // Shared files: readable by whoever the umask lets read, not private to the user.
    EXPECT_TRUE(QFileInfo(root.filePath(u"collection.json"_s)).permissions() & QFile::ReadGroup);

    // A folder of the collection that holds something else stays when its requests go.
    contents.collection.folders.clear();
    ASSERT_TRUE(FC::write(folder.path(), FC::encode(contents), second));
    EXPECT_TRUE(root.exists(u"users/mine.json"_s));
    EXPECT_FALSE(root.exists(u"users/list-users.json"_s));

    // Reading follows no link out of the folder, and nothing deeper than one level.
    QTemporaryDir elsewhere;
    QFile outside(elsewhere.filePath(u"secret.json"_s));
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write(R"({"name": "not ours"})");
    outside.close();
    ASSERT_TRUE(QFile::link(outside.fileName(), root.filePath(u"linked.json"_s)));
    ASSERT_TRUE(QFile::link(elsewhere.path(), root.filePath(u"linkeddir"_s)));
    ASSERT_TRUE(QFile::link(root.filePath(u"purge-cache.json"_s), root.filePath(u"alias.json"_s)));
    ASSERT_TRUE(root.mkpath(u"users/deeper"_s));
    QFile::copy(root.filePath(u"purge-cache.json"_s), root.filePath(u"users/deeper/x.json"_s));
    const QStringList read = FC::read(folder.path()).value().keys();
    EXPECT_FALSE(read.contains(u"linked.json"_s));
    EXPECT_FALSE(read.contains(u"linkeddir/secret.json"_s));
    EXPECT_FALSE(read.contains(u"users/deeper/x.json"_s));
    EXPECT_TRUE(read.contains(u"alias.json"_s));

    // Paths that would leave the folder are refused, wherever they come from.
    const FC::Files rogue {
        {u"../outside.json"_s, "{}"}, {elsewhere.filePath(u"absolute.json"_s), "{}"}};
    QString reason;
    EXPECT_FALSE(FC::write(root.filePath(u"inner"_s), rogue, {}, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(root.exists(u"outside.json"_s));
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath(u"absolute.json"_s)));
}

namespace {

// git in a folder of its own, with a home and configuration that are not the user's.
class Git {
public:
    explicit Git(const QString& folder)
        : m_folder(folder)
    {
        run({u"init"_s, u"-q"_s});
        run({u"config"_s, u"user.name"_s, u"Mako Test"_s});
        run({u"config"_s, u"user.email"_s, u"test@example.invalid"_s});
        run({u"config"_s, u"core.autocrlf"_s, u"false"_s});
    }

    QString run(const QStringList& arguments)
    {
        QProcess git;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, m_home.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, m_home.path());
        environment.insert(u"GIT_CONFIG_NOSYSTEM"_s, u"1"_s);
        git.setProcessEnvironment(environment);
        git.setWorkingDirectory(m_folder);
        git.start(u"git"_s, arguments);
        git.waitForFinished(-1);
        EXPECT_EQ(git.exitCode(), 0) << arguments.join(u' ').toStdString() << ": "
                                     << git.readAllStandardError().toStdString();
        return QString::fromUtf8(git.readAllStandardOutput());
    }

private:
    QString m_folder;
    QTemporaryDir m_home;
};

} // namespace

TEST(FolderCollection, gitSeesAOneHeaderEditAsOneLineAndARenameAsAFileRename)
{
    if (QStandardPaths::findExecutable(u"git"_s).isEmpty())
        FAIL() << "git is not installed";
    QTemporaryDir folder;
    FC::Contents contents = richContents();
    FC::Files files = FC::encode(contents);
    ASSERT_TRUE(FC::write(folder.path(), files, {}));
    Git git(folder.path());
    git.run({u"add"_s, u"-A"_s});
    git.run({u"commit"_s, u"-q"_s, u"-m"_s, u"first"_s});

    // Read back as the app would, edit one header, write.
    FC::Decoded loaded = decoded(FC::read(folder.path()).value());
    loaded.contents.collection.requests[0].headers[0].value = u"text/csv"_s;
    FC::Files edited = FC::encode(loaded.contents);
    ASSERT_TRUE(FC::write(folder.path(), edited, files));
    EXPECT_EQ(git.run({u"diff"_s, u"--numstat"_s}), u"1\t1\tusers/list-users.json\n"_s);
    git.run({u"commit"_s, u"-q"_s, u"-am"_s, u"edit"_s});

    loaded.contents.collection.requests[1].name = u"Add user"_s;
    const FC::Files renamed = FC::encode(loaded.contents);
    ASSERT_TRUE(FC::write(folder.path(), renamed, edited));
    EXPECT_EQ(git.run({u"status"_s, u"--porcelain"_s}),
        u" D users/create-user.json\n M users/folder.json\n?? users/add-user.json\n"_s);
}
