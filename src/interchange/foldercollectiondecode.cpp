#include "interchange/foldercollection.h"
#include "interchange/foldercollectionformat.h"
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
using namespace detail;

namespace {

Result<QJsonObject> parseObject(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        // Qt's offset is mostly just past the character it stumbled on.
        const QByteArray before = bytes.left(std::max(0, error.offset - 1));
        const qsizetype line = before.count('\n') + 1;
        const qsizetype column
            = QString::fromUtf8(before.mid(before.lastIndexOf('\n') + 1)).size() + 1;
        return Error {
            QCoreApplication::translate("mako::FolderCollection", "line %1, column %2: %3")
                .arg(line)
                .arg(column)
                .arg(error.errorString())};
    }
    if (!document.isObject())
        return Error {QCoreApplication::translate("mako::FolderCollection", "expected an object")};
    return document.object();
}

// The rows of a file as the record decoder wants them: every key present, ids made from the
// file's path and the row's place (a secret's own id aside).
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
        // A secret keeps the id it was written with: its value is found in the secret service
        // by that id, and one made from the row's place would hand it to another row when a
        // teammate inserts a row above it.
        const QUuid given = QUuid::fromString(row.value(key::id).toString());
        row.insert(key::id,
            uuidToText(row.value(key::isSecret).toBool() && !given.isNull()
                    ? given
                    : derivedId(seed + u'#' + name + u'/' + QString::number(i))));
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

// What the files never hold is not taken from them either, so that a file read and written
// again reads back as it was read: the blank rows at the end, a secret's value, an OAuth 2.0
// token.
void keepStored(QList<KeyValuePair>& rows)
{
    for (KeyValuePair& row : rows) {
        if (row.isSecret)
            row.value.clear();
    }
    while (!rows.isEmpty() && rows.last().key.isEmpty() && rows.last().value.isEmpty()
        && rows.last().isEnabled && !rows.last().isSecret)
        rows.removeLast();
}

template <typename T> void keepStoredAuth(T& record)
{
    if (record.authType == AuthType::oauth2)
        record.authToken.clear();
}

void keepStored(APIRequest& request)
{
    // A request file copied from elsewhere may carry save times; a folder keeps none.
    request.createdAt = request.updatedAt = 0;
    keepStored(request.headers);
    keepStored(request.queryParams);
    keepStoredAuth(request);
}

void keepStored(APIEnvironment& environment)
{
    keepStored(environment.variables);
}

void keepStored(CollectionFolder&) { }

void keepStored(Collection& collection)
{
    keepStored(collection.variables);
    keepStoredAuth(collection);
    // The stored form keeps a collection's credential only with a kind of auth to use it.
    if (collection.authType == AuthType::none)
        collection.authToken.clear();
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
        keepStored(out);
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
                    problem(path,
                        QCoreApplication::translate(
                            "mako::FolderCollection", "\"requests\" is not a list of file names"));
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
        return Error {QCoreApplication::translate(
            "mako::FolderCollection", "There is no collection.json in the folder.")};
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
            QCoreApplication::translate("mako::FolderCollection",
                "its order of folders, requests or environments is not a list of names"));

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
    keepStored(out);

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
