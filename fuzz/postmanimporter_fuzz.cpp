// Postman collections and environments come from anywhere. Properties:
// - every folder of the file becomes one folder, in file order, named by its path
//   ("Parent / Child");
// - folders list only requests of the collection, and no request sits in two folders;
// - what the import produces survives a save and a load unchanged, and an export and an
//   import of the native collection file.

#include "importcheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

using namespace mako;
using namespace mako::fuzz;

// Postman writes a number or a boolean where a name is meant; it counts as its text.
QString nameText(const QJsonValue& value)
{
    if (value.isDouble() || value.isBool())
        return value.toVariant().toString();
    return value.toString();
}

// The folder paths of a Postman item tree in file order: an item with an "item" array is a
// folder, wherever it sits.
void folderPaths(const QJsonArray& items, const QString& parent, QStringList& paths)
{
    for (const QJsonValue& value : items) {
        const QJsonObject item = value.toObject();
        if (!item[u"item"_s].isArray())
            continue;
        const QString name = nameText(item[u"name"_s]);
        const QString path = parent.isEmpty() ? name : parent + u" / "_s + name;
        paths.append(path);
        folderPaths(item[u"item"_s].toArray(), path, paths);
    }
}

QStringList folderNames(const Collection& collection)
{
    QStringList names;
    for (const CollectionFolder& folder : collection.folders)
        names.append(folder.name);
    return names;
}

void checkFolders(const QByteArray& bytes, const Collection& collection)
{
    QStringList expected;
    folderPaths(QJsonDocument::fromJson(bytes).object()[u"item"_s].toArray(), {}, expected);
    require(folderNames(collection) == expected, "every folder is named by its path", [&] {
        return "expected: " + expected.join(u" | "_s).toUtf8()
            + "\nimported: " + folderNames(collection).join(u" | "_s).toUtf8();
    });
}

void checkCollection(const QByteArray& bytes)
{
    const auto imported = PostmanImporter::importCollection(bytes);
    if (!imported)
        return;
    checkFolders(bytes, imported->collection);
    checkImport(
        *imported, imported->variables ? QList {*imported->variables} : QList<APIEnvironment> {});
}

void checkEnvironment(const QByteArray& bytes)
{
    const auto imported = PostmanImporter::importEnvironment(bytes);
    if (!imported)
        return;
    require(!imported->isActive, "an imported environment is not active");
    savedAndLoaded(QList {*imported}, "an imported environment survives a save and a load");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = inputBytes(data, size);
    checkCollection(bytes);
    checkEnvironment(bytes);
    return 0;
}
