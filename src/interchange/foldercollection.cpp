#include "interchange/foldercollection.h"

#include "interchange/foldernames.h"
#include "interchange/readablejson.h"
#include "model/recordjson.h"
#include "model/uuidtext.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <optional>

namespace mako::FolderCollection {

using namespace Qt::StringLiterals;

namespace {

namespace key {
constexpr auto id = "id"_L1;
constexpr auto name = "name"_L1;
constexpr auto key = "key"_L1;
constexpr auto value = "value"_L1;
constexpr auto isEnabled = "isEnabled"_L1;
constexpr auto headers = "headers"_L1;
constexpr auto queryParams = "queryParams"_L1;
constexpr auto variables = "variables"_L1;
constexpr auto requests = "requests"_L1;
constexpr auto requestIDs = "requestIDs"_L1;
constexpr auto folders = "folders"_L1;
constexpr auto environments = "environments"_L1;
constexpr auto createdAt = "createdAt"_L1;
constexpr auto updatedAt = "updatedAt"_L1;
constexpr auto isActive = "isActive"_L1;
constexpr auto method = "method"_L1;
constexpr auto url = "url"_L1;
} // namespace key

// Ids that a file does not give are made from its path in this namespace, so every read of the
// same folder gives the same ones.
const QUuid kIdNamespace {u"5d0f2a4e-7c1b-4d8e-9a63-2f4b8c1e7a90"_s};

const QString kJson = u".json"_s;
const QString kCollection = QStringView(kCollectionFile).toString();
const QString kFolder = QStringView(kFolderFile).toString();
const QString kEnvironments = QStringView(kEnvironmentsFolder).toString();

const QStringList& keyOrder()
{
    static const QStringList order {u"id"_s, u"name"_s, u"method"_s, u"url"_s, u"requestProtocol"_s,
        u"key"_s, u"value"_s, u"isEnabled"_s, u"isSecret"_s, u"headers"_s, u"queryParams"_s,
        u"bodyType"_s, u"body"_s, u"graphqlQuery"_s, u"graphqlVariables"_s,
        u"graphqlOperationName"_s, u"wsMessages"_s, u"authType"_s, u"authToken"_s, u"authDomain"_s,
        u"awsRegion"_s, u"awsService"_s, u"awsSessionToken"_s, u"oauth2"_s, u"grant"_s,
        u"authUrl"_s, u"tokenUrl"_s, u"clientId"_s, u"scope"_s, u"audience"_s, u"extraParams"_s,
        u"clientAuth"_s, u"username"_s, u"redirectPort"_s, u"variables"_s, u"tags"_s,
        u"preRequestScript"_s, u"testScript"_s, u"folders"_s, u"requests"_s, u"environments"_s};
    return order;
}

// Texts that often run over several lines are kept as an array of lines, so that a diff of a
// script or a body shows the line that changed rather than one long string.
const QList<QLatin1StringView>& textBlocks()
{
    static const QList<QLatin1StringView> blocks {"body"_L1, "graphqlQuery"_L1,
        "graphqlVariables"_L1, "preRequestScript"_L1, "testScript"_L1};
    return blocks;
}

QUuid derivedId(const QString& seed)
{
    return QUuid::createUuidV5(kIdNamespace, seed);
}

QString folderSeed(const QString& directory)
{
    return directory + u'/';
}

// ---- Encoding ------------------------------------------------------------------------------

bool isBlankRow(const QJsonObject& row)
{
    return row.size() == 2 && row.value(key::key).toString().isEmpty()
        && row.value(key::value).toString().isEmpty();
}

// Rows without their ids (made afresh at every read) and without "isEnabled": true, and
// without the blank rows at the end that the editor keeps for typing into.
QJsonArray storedRows(const QJsonArray& rows)
{
    QJsonArray out;
    for (const QJsonValue& value : rows) {
        QJsonObject row = value.toObject();
        row.remove(key::id);
        if (row.value(key::isEnabled).toBool())
            row.remove(key::isEnabled);
        out.append(row);
    }
    while (!out.isEmpty() && isBlankRow(out.last().toObject()))
        out.removeLast();
    return out;
}

void storeRowsIn(QJsonObject& o, QLatin1StringView name)
{
    const QJsonArray rows = storedRows(o.value(name).toArray());
    if (rows.isEmpty())
        o.remove(name);
    else
        o.insert(name, rows);
}

void storeTextBlocks(QJsonObject& o)
{
    for (const QLatin1StringView name : textBlocks()) {
        const QString text = o.value(name).toString();
        if (text.contains(u'\n'))
            o.insert(name, QJsonArray::fromStringList(text.split(u'\n')));
    }
}

// What a key holds when a file leaves it out.
const QJsonObject& requestDefaults()
{
    static const QJsonObject defaults = [] {
        QJsonObject o
            = toJson(APIRequest {.id = QUuid(), .headers = {}, .queryParams = {}, .createdAt = 0});
        o.remove(key::id);
        o.remove(key::name);
        return o;
    }();
    return defaults;
}

QJsonObject storedRequest(const APIRequest& request)
{
    QJsonObject o = toJson(request);
    o.remove(key::createdAt);
    o.remove(key::updatedAt);
    storeRowsIn(o, key::headers);
    storeRowsIn(o, key::queryParams);
    const QJsonObject& defaults = requestDefaults();
    for (auto it = defaults.begin(); it != defaults.end(); ++it) {
        // The method and URL stay even when plain: every request file shows what it sends.
        if (it.key() != key::method && it.key() != key::url && o.value(it.key()) == it.value())
            o.remove(it.key());
    }
    storeTextBlocks(o);
    return o;
}

QByteArray bytes(const QJsonObject& o)
{
    return writeReadableJson(o, keyOrder());
}

QJsonArray fileNames(const QStringList& stems, const QString& suffix)
{
    QJsonArray names;
    for (const QString& stem : stems)
        names.append(stem + suffix);
    return names;
}

// Which requests each folder's directory holds (by index into the collection's list), and which
// stay at the top: a request that several folders list lives in the first one's directory.
struct Placement {
    QList<QList<qsizetype>> folders;
    QList<qsizetype> topLevel;
};

Placement place(const Collection& collection)
{
    Placement placement;
    QList<bool> placed(collection.requests.size(), false);
    for (const CollectionFolder& folder : collection.folders) {
        QList<qsizetype> members;
        for (const QUuid& id : folder.requestIDs) {
            for (qsizetype i = 0; i < collection.requests.size(); ++i) {
                if (!placed[i] && collection.requests[i].id == id) {
                    placed[i] = true;
                    members.append(i);
                    break;
                }
            }
        }
        placement.folders.append(members);
    }
    for (qsizetype i = 0; i < collection.requests.size(); ++i) {
        if (!placed[i])
            placement.topLevel.append(i);
    }
    return placement;
}

// Writes the requests `indexes` into `directory` ("" for the top) and gives their file names.
QStringList encodeRequests(const Collection& collection, const QList<qsizetype>& indexes,
    const QString& directory, Files& files)
{
    QStringList names;
    for (const qsizetype i : indexes)
        names.append(collection.requests[i].name);
    const QStringList stems = FolderNames::uniqueStems(
        names, u"request"_s, {u"collection"_s, u"folder"_s, u"environments"_s});
    QStringList fileNames;
    for (qsizetype n = 0; n < indexes.size(); ++n) {
        const QString fileName = stems[n] + kJson;
        files.insert(directory.isEmpty() ? fileName : directory + u'/' + fileName,
            bytes(storedRequest(collection.requests[indexes[n]])));
        fileNames.append(fileName);
    }
    return fileNames;
}

} // namespace

Files encode(const Contents& contents)
{
    Files files;
    const Collection& collection = contents.collection;
    const Placement placement = place(collection);

    QStringList folderNames;
    for (const CollectionFolder& folder : collection.folders)
        folderNames.append(folder.name);
    const QStringList directories
        = FolderNames::uniqueStems(folderNames, u"folder"_s, {kEnvironments});
    for (qsizetype f = 0; f < collection.folders.size(); ++f) {
        const CollectionFolder& folder = collection.folders[f];
        const QString& directory = directories[f];
        const QStringList requestFiles
            = encodeRequests(collection, placement.folders[f], directory, files);
        QStringList sorted = requestFiles;
        sorted.sort();
        // A folder that a person made by hand (no id of its own, named as its directory, in
        // file-name order) needs no file of its own; an empty folder needs one to exist at all.
        const bool plain = folder.id == derivedId(folderSeed(directory)) && folder.name == directory
            && folder.preRequestScript.isEmpty() && folder.testScript.isEmpty()
            && !requestFiles.isEmpty() && sorted == requestFiles;
        if (plain)
            continue;
        QJsonObject o = toJson(folder);
        o.remove(key::requestIDs);
        if (!requestFiles.isEmpty())
            o.insert(key::requests, QJsonArray::fromStringList(requestFiles));
        storeTextBlocks(o);
        files.insert(directory + u'/' + kFolder, bytes(o));
    }
    const QStringList topLevel = encodeRequests(collection, placement.topLevel, {}, files);

    QStringList environmentNames;
    for (const APIEnvironment& environment : contents.environments)
        environmentNames.append(environment.name);
    const QStringList environmentStems
        = FolderNames::uniqueStems(environmentNames, u"environment"_s, {});
    for (qsizetype e = 0; e < contents.environments.size(); ++e) {
        QJsonObject o = toJson(contents.environments[e]);
        // Which environment is active is each user's own choice, not the team's.
        o.remove(key::isActive);
        storeRowsIn(o, key::variables);
        files.insert(kEnvironments + u'/' + environmentStems[e] + kJson, bytes(o));
    }

    QJsonObject o = toJson(collection);
    o.remove(key::createdAt);
    o.remove(key::requests);
    o.remove(key::folders);
    storeRowsIn(o, key::variables);
    storeTextBlocks(o);
    if (!directories.isEmpty())
        o.insert(key::folders, QJsonArray::fromStringList(directories));
    if (!topLevel.isEmpty())
        o.insert(key::requests, QJsonArray::fromStringList(topLevel));
    if (!environmentStems.isEmpty())
        o.insert(key::environments, fileNames(environmentStems, kJson));
    files.insert(kCollection, bytes(o));
    return files;
}

namespace {

// ---- Decoding ------------------------------------------------------------------------------

QString translated(const char* text)
{
    return QCoreApplication::translate("mako::FolderCollection", text);
}

Result<QJsonObject> parseObject(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        // Qt's offset is mostly just past the character it stumbled on.
        const QByteArray before = bytes.left(std::max(0, error.offset - 1));
        const qsizetype line = before.count('\n') + 1;
        const qsizetype column = before.size() - (before.lastIndexOf('\n') + 1) + 1;
        return Error {
            translated("line %1, column %2: %3").arg(line).arg(column).arg(error.errorString())};
    }
    if (!document.isObject())
        return Error {translated("expected an object")};
    return document.object();
}

// The rows of a file as the record decoder wants them: every key present, ids made from the
// file's path and the row's place.
void fillRows(QJsonObject& o, QLatin1StringView name, const QString& seed)
{
    const auto it = o.find(name);
    if (it == o.end() || !it->isArray())
        return;
    QJsonArray rows = it->toArray();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (!rows[i].isObject())
            continue;
        QJsonObject row = rows[i].toObject();
        row.insert(key::id, uuidToText(derivedId(seed + u'#' + name + u'/' + QString::number(i))));
        if (!row.contains(key::key))
            row.insert(key::key, QString());
        if (!row.contains(key::value))
            row.insert(key::value, QString());
        if (!row.contains(key::isEnabled))
            row.insert(key::isEnabled, true);
        rows[i] = row;
    }
    *it = rows;
}

void joinTextBlocks(QJsonObject& o)
{
    for (const QLatin1StringView name : textBlocks()) {
        const QJsonValue value = o.value(name);
        if (!value.isArray())
            continue;
        QStringList lines;
        for (const QJsonValue& line : value.toArray()) {
            if (!line.isString())
                return; // left as it is, for the record decoder to name
            lines.append(line.toString());
        }
        o.insert(name, lines.join(u'\n'));
    }
}

// `defaults` with the file's own keys over them.
QJsonObject over(QJsonObject defaults, const QJsonObject& file)
{
    for (auto it = file.begin(); it != file.end(); ++it)
        defaults.insert(it.key(), it.value());
    return defaults;
}

QString stemOf(const QString& path)
{
    const QString fileName = path.section(u'/', -1);
    return fileName.endsWith(kJson) ? fileName.chopped(kJson.size()) : fileName;
}

// A list of file names ("folders", "requests", "environments"), or nothing when it is absent
// or not such a list.
QStringList nameList(const QJsonObject& o, QLatin1StringView name, bool* wrongShape)
{
    QStringList names;
    const QJsonValue value = o.value(name);
    if (value.isUndefined())
        return names;
    if (!value.isArray()) {
        *wrongShape = true;
        return names;
    }
    for (const QJsonValue& entry : value.toArray()) {
        if (entry.isString())
            names.append(entry.toString());
        else
            *wrongShape = true;
    }
    return names;
}

// The present names in the listed order, then those not listed (dropped in by someone who did
// not edit the list) in name order. `present` is in name order.
QStringList inOrder(const QStringList& listed, const QStringList& present)
{
    QStringList ordered;
    QSet<QString> remaining(present.cbegin(), present.cend());
    for (const QString& name : listed) {
        if (remaining.remove(name))
            ordered.append(name);
    }
    for (const QString& name : present) {
        if (remaining.contains(name))
            ordered.append(name);
    }
    return ordered;
}

class Decoder {
public:
    explicit Decoder(const Files& files)
        : m_files(files)
    { }

    QList<Problem> problems;
    QHash<QUuid, QString> paths;

    void problem(const QString& path, const QString& reason)
    {
        problems.append(Problem {path, reason});
    }

    // The file as an object, or a problem.
    std::optional<QJsonObject> object(const QString& path)
    {
        auto parsed = parseObject(m_files.value(path));
        if (!parsed) {
            problem(path, parsed.errorMessage());
            return std::nullopt;
        }
        return std::move(parsed).value();
    }

    // The record's id from its file, unless another file has it already (a file copied by
    // hand); else one made from the path.
    QUuid uniqueId(const std::optional<QUuid>& given, const QString& seed)
    {
        QUuid id = given ? *given : derivedId(seed);
        for (int n = 2; id.isNull() || m_ids.contains(id); ++n)
            id = derivedId(seed + u'#' + QString::number(n));
        m_ids.insert(id);
        return id;
    }

    template <typename T> std::optional<T> record(const QString& path, QJsonObject o)
    {
        // An id that is there but not a UUID is the file's fault and is reported; a missing
        // one is made.
        const QJsonValue given = o.value(key::id);
        std::optional<QUuid> id;
        if (given.isString())
            id = uuidFromText(given.toString());
        if (given.isUndefined() || id)
            o.insert(key::id, uuidToText(QUuid::createUuid()));
        auto decoded = fromJson<T>(o);
        if (!decoded) {
            problem(path, decoded.errorMessage());
            return std::nullopt;
        }
        T out = std::move(decoded).value();
        out.id = uniqueId(id, path);
        paths.insert(out.id, path);
        return out;
    }

    std::optional<APIRequest> request(const QString& path)
    {
        const auto file = object(path);
        if (!file)
            return std::nullopt;
        static const QJsonObject defaults = [] {
            QJsonObject o = requestDefaults();
            o.insert(key::updatedAt, 0);
            return o;
        }();
        QJsonObject o = over(defaults, *file);
        if (!o.contains(key::name))
            o.insert(key::name, stemOf(path));
        fillRows(o, key::headers, path);
        fillRows(o, key::queryParams, path);
        joinTextBlocks(o);
        return record<APIRequest>(path, o);
    }

    std::optional<APIEnvironment> environment(const QString& path)
    {
        const auto file = object(path);
        if (!file)
            return std::nullopt;
        QJsonObject o
            = over(QJsonObject {{key::name, stemOf(path)}, {key::variables, QJsonArray()}}, *file);
        o.insert(key::isActive, false);
        fillRows(o, key::variables, path);
        return record<APIEnvironment>(path, o);
    }

    // A folder from its folder.json when it has a readable one, else as its directory alone;
    // `listed` gets the folder.json's order of its requests.
    CollectionFolder folder(const QString& directory, QStringList& listed)
    {
        const QString path = directory + u'/' + kFolder;
        if (m_files.contains(path)) {
            if (const auto file = object(path)) {
                bool wrongShape = false;
                listed = nameList(*file, key::requests, &wrongShape);
                if (wrongShape)
                    problem(path, translated("\"requests\" is not a list of file names"));
                QJsonObject o = *file;
                o.remove(key::requests);
                o = over(QJsonObject {{key::name, directory}}, o);
                o.insert(key::requestIDs, QJsonArray());
                joinTextBlocks(o);
                if (!o.contains(key::id))
                    o.insert(key::id, uuidToText(derivedId(folderSeed(directory))));
                if (auto folder = record<CollectionFolder>(path, o))
                    return *folder;
            }
        }
        CollectionFolder folder {.id = uniqueId(std::nullopt, folderSeed(directory)),
            .name = directory,
            .requestIDs = {}};
        paths.insert(folder.id, path);
        return folder;
    }

    // The requests of one directory ("" for the top), in order, into the collection.
    QList<QUuid> requests(const QString& directory, const QStringList& listed,
        const QStringList& fileNames, Collection& collection)
    {
        QList<QUuid> ids;
        for (const QString& fileName : inOrder(listed, fileNames)) {
            const QString path = directory.isEmpty() ? fileName : directory + u'/' + fileName;
            if (auto request = this->request(path)) {
                ids.append(request->id);
                collection.requests.append(std::move(*request));
            }
        }
        return ids;
    }

private:
    const Files& m_files;
    QSet<QUuid> m_ids;
};

// The files that encode could have written, sorted by where they belong.
struct Layout {
    QStringList topLevel;
    QMap<QString, QStringList> directories; // folder directory -> request file names
    QStringList environments;
};

Layout layoutOf(const Files& files)
{
    Layout layout;
    for (auto it = files.begin(); it != files.end(); ++it) {
        const QStringList parts = it.key().split(u'/');
        if (!it.key().endsWith(kJson) || std::ranges::any_of(parts, [](const QString& part) {
                return part.isEmpty() || part.startsWith(u'.');
            }))
            continue;
        if (parts.size() == 1 && parts[0] != kCollection) {
            layout.topLevel.append(parts[0]);
        } else if (parts.size() == 2 && parts[0] == kEnvironments) {
            layout.environments.append(parts[1]);
        } else if (parts.size() == 2) {
            QStringList& names = layout.directories[parts[0]];
            if (parts[1] != kFolder)
                names.append(parts[1]);
        }
    }
    return layout;
}

} // namespace

Result<Decoded> decode(const Files& files)
{
    const QString& collectionPath = kCollection;
    if (!files.contains(collectionPath))
        return Error {translated("There is no collection.json in the folder.")};
    auto file = parseObject(files.value(collectionPath));
    if (!file)
        return Error {collectionPath + u": "_s + file.errorMessage()};

    Decoder decoder(files);
    bool wrongShape = false;
    const QStringList listedFolders = nameList(*file, key::folders, &wrongShape);
    const QStringList listedRequests = nameList(*file, key::requests, &wrongShape);
    const QStringList listedEnvironments = nameList(*file, key::environments, &wrongShape);
    if (wrongShape)
        decoder.problem(collectionPath,
            translated("its order of folders, requests or environments "
                       "is not a list of names"));

    QJsonObject o = file.value();
    for (const auto name : {key::folders, key::requests, key::environments})
        o.remove(name);
    o = over(QJsonObject {{key::name, QString()}, {key::createdAt, 0}}, o);
    o.insert(key::requests, QJsonArray());
    o.insert(key::folders, QJsonArray());
    fillRows(o, key::variables, collectionPath);
    joinTextBlocks(o);
    // A collection.json written by hand without an id gets one made from its name, since every
    // folder collection has this same path.
    const QJsonValue givenId = o.value(key::id);
    if (givenId.isUndefined())
        o.insert(
            key::id, uuidToText(derivedId(collectionPath + u'#' + o.value(key::name).toString())));
    auto collection = fromJson<Collection>(o);
    if (!collection)
        return Error {collectionPath + u": "_s + collection.errorMessage()};

    Decoded decoded;
    Collection& out = decoded.contents.collection;
    out = std::move(collection).value();
    out.createdAt = 0;

    const Layout layout = layoutOf(files);
    for (const QString& directory : inOrder(listedFolders, layout.directories.keys())) {
        QStringList listed;
        CollectionFolder folder = decoder.folder(directory, listed);
        folder.requestIDs
            = decoder.requests(directory, listed, layout.directories.value(directory), out);
        out.folders.append(std::move(folder));
    }
    decoder.requests({}, listedRequests, layout.topLevel, out);
    for (const QString& fileName : inOrder(listedEnvironments, layout.environments)) {
        if (auto environment = decoder.environment(kEnvironments + u'/' + fileName))
            decoded.contents.environments.append(std::move(*environment));
    }
    decoded.problems = std::move(decoder.problems);
    decoded.paths = std::move(decoder.paths);
    return decoded;
}

Result<APIRequest> decodeRequest(const QByteArray& bytes, const QString& path)
{
    const Files files {{path, bytes}};
    Decoder decoder(files);
    auto request = decoder.request(path);
    if (!request)
        return Error {decoder.problems.value(0).reason};
    return std::move(*request);
}

} // namespace mako::FolderCollection
