#include "interchange/foldercollection.h"

#include "interchange/foldercollectionformat.h"
#include "interchange/foldernames.h"
#include "interchange/readablejson.h"
#include "model/recordjson.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

namespace mako::FolderCollection {

using namespace Qt::StringLiterals;

namespace {

// Ids that a file does not give are made from its path in this namespace, so every read of the
// same folder gives the same ones.
const QUuid kIdNamespace {u"5d0f2a4e-7c1b-4d8e-9a63-2f4b8c1e7a90"_s};

} // namespace

namespace detail {

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

} // namespace detail

namespace {

using namespace detail;

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

bool isBlankRow(const QJsonObject& row)
{
    return row.size() == 2 && row.value(key::key).toString().isEmpty()
        && row.value(key::value).toString().isEmpty();
}

// Rows without their ids (in memory only, made from the file's path at every read) and without
// "isEnabled": true, and without the blank rows at the end that the editor keeps for typing into.
// A secret keeps its id, by which the secret service finds its value on every machine.
QJsonArray storedRows(const QJsonArray& rows)
{
    QJsonArray out;
    for (const QJsonValue& value : rows) {
        QJsonObject row = value.toObject();
        if (!row.value(key::isSecret).toBool())
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
    // The requests not placed yet by id, in list order: a team's folder holds thousands.
    QHash<QUuid, QList<qsizetype>> unplaced;
    for (qsizetype i = 0; i < collection.requests.size(); ++i)
        unplaced[collection.requests[i].id].append(i);
    QList<bool> placed(collection.requests.size(), false);
    for (const CollectionFolder& folder : collection.folders) {
        QList<qsizetype> members;
        for (const QUuid& id : folder.requestIDs) {
            const auto found = unplaced.find(id);
            if (found == unplaced.end() || found->isEmpty())
                continue;
            const qsizetype i = found->takeFirst();
            placed[i] = true;
            members.append(i);
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

    // The folder's own place is where it is read from, not part of it; a collection's stored
    // form with a folder would be the data folder's reference alone.
    Collection fields = collection;
    fields.folderPath.clear();
    QJsonObject o = toJson(fields);
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

} // namespace mako::FolderCollection
