#include "cli/runinput.h"

#include "interchange/collectionexporter.h"
#include "interchange/postmanimporter.h"
#include "model/recordjson.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

Result<RunInput> pick(const QList<Collection>& collections, const QString& name)
{
    if (name.isEmpty() && collections.size() == 1)
        return RunInput {.collection = collections.first()};
    const QUuid id(name);
    QStringList names;
    for (const Collection& collection : collections) {
        if (!name.isEmpty() && (collection.name == name || (!id.isNull() && collection.id == id)))
            return RunInput {.collection = collection};
        names.append(u'"' + collection.name + u'"');
    }
    const QString choices
        = names.isEmpty() ? u"it holds none"_s : u"it holds "_s + names.join(u", "_s);
    if (name.isEmpty())
        return Error {u"choose a collection with --collection NAME ("_s + choices + u')'};
    return Error {u"no collection named \"%1\" (%2)"_s.arg(name, choices)};
}

} // namespace

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
