#include "cli/runinput.h"

#include "interchange/collectionexporter.h"
#include "interchange/foldercollection.h"
#include "interchange/postmanimporter.h"
#include "model/recordjson.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

Result<RunInput> pick(const QList<Collection>& collections, const QString& name)
{
    if (name.isEmpty() && collections.size() == 1)
        return withFolderContents(collections.first());
    const QUuid id(name);
    QStringList names;
    for (const Collection& collection : collections) {
        if (!name.isEmpty() && (collection.name == name || (!id.isNull() && collection.id == id)))
            return withFolderContents(collection);
        names.append(u'"' + collection.name + u'"');
    }
    const QString choices
        = names.isEmpty() ? u"it holds none"_s : u"it holds "_s + names.join(u", "_s);
    if (name.isEmpty())
        return Error {u"choose a collection with --collection NAME ("_s + choices + u')'};
    return Error {u"no collection named \"%1\" (%2)"_s.arg(name, choices)};
}

struct FolderRead {
    RunInput input;
    QHash<QUuid, QString> paths;
};

Result<FolderRead> readFolder(const QString& directory)
{
    const auto files = FolderCollection::read(directory);
    if (!files)
        return files.error();
    auto decoded = FolderCollection::decode(files.value());
    if (!decoded)
        return decoded.error();
    FolderRead read {.input = {.collection = std::move(decoded->contents.collection),
                         .environments = std::move(decoded->contents.environments)},
        .paths = std::move(decoded->paths)};
    if (read.input.collection.name.isEmpty())
        read.input.collection.name = QDir(QDir(directory).absolutePath()).dirName();
    for (const FolderCollection::Problem& problem : decoded->problems)
        read.input.warnings.append(u"%1: %2 (left out)"_s.arg(problem.path, problem.reason));
    return read;
}

} // namespace

Result<RunInput> readFolderRunInput(const QString& directory)
{
    auto read = readFolder(directory);
    if (!read)
        return read.error();
    return std::move(read.value().input);
}

Result<RunInput> withFolderContents(const Collection& collection)
{
    if (collection.folderPath.isEmpty())
        return RunInput {.collection = collection};
    auto read = readFolderRunInput(collection.folderPath);
    if (!read)
        return Error {collection.folderPath + u": "_s + read.errorMessage()};
    read.value().collection.id = collection.id;
    return read;
}

std::optional<RunInput> folderOfRequestFile(const QString& path, QUuid& request)
{
    const QFileInfo file(path);
    QDir directory = file.absoluteDir();
    QString relative = file.fileName();
    for (int up = 0; up < 2; ++up) {
        if (directory.exists(QStringView(FolderCollection::kCollectionFile).toString())) {
            auto read = readFolder(directory.path());
            if (!read)
                return std::nullopt;
            const QUuid id = read->paths.key(relative);
            const bool isRequest = std::ranges::any_of(read->input.collection.requests,
                [&](const APIRequest& each) { return each.id == id; });
            if (id.isNull() || !isRequest)
                return std::nullopt;
            request = id;
            return std::move(read.value().input);
        }
        relative = directory.dirName() + u'/' + relative;
        if (!directory.cdUp())
            break;
    }
    return std::nullopt;
}

Result<RunInput> readRunInput(const QByteArray& bytes, const QString& name)
{
    const auto parsed = parseJson(bytes);
    if (!parsed)
        return parsed.error();
    if (parsed->isArray()) {
        const auto collections = listFromJson<Collection>(parsed.value());
        if (!collections)
            return Error {u"not a list of Mako collections: "_s + collections.errorMessage()};
        return pick(collections.value(), name);
    }
    const QJsonObject root = parsed->toObject();
    if (root.contains(u"info"_s) && root.contains(u"item"_s)) {
        const auto imported = PostmanImporter::importCollection(bytes);
        if (!imported)
            return imported.error();
        return RunInput {.collection = imported->collection,
            .warnings = imported->warnings,
            .secrets = imported->secrets};
    }
    if (!root.contains(u"requests"_s)) {
        const auto backup = CollectionExporter::readBackup(bytes);
        if (!backup)
            return Error {u"not a Mako collection, backup or Postman collection ("_s
                + backup.errorMessage() + u')'};
        return pick(backup->collections.value_or(QList<Collection> {}), name);
    }
    auto collection = CollectionExporter::importCollection(bytes);
    if (!collection)
        return Error {u"not a Mako collection: "_s + collection.errorMessage()};
    return RunInput {.collection = std::move(collection).value()};
}

} // namespace mako::cli
