#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/datafolder.h"
#include "cli/requestoptions.h"
#include "interchange/collectionexporter.h"
#include "interchange/fileimporter.h"
#include "interchange/structureddocument.h"
#include "model/recordjson.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

const char kImportUsage[] = R"(Usage: mako-cli import [--data-dir DIR] [--json] FILE

Adds what FILE holds to Mako's data, as the application's import commands do:
  - a Mako collection file or a Postman collection (v2.0, v2.1) is appended to the
    collections; a Postman collection's variables become an inactive environment, and each
    request left out or setting dropped (a method or authorisation Mako cannot send, a file
    or script) is named on standard error;
  - so is an OpenAPI 3.0 or 3.1 or Swagger 2.0 document (JSON or YAML), whose baseUrl and
    server variables become an inactive environment; a HAR 1.2 capture; and an Insomnia
    export (v4 JSON, v5 YAML), whose environments come along;
  - a Mako environment record or a Postman environment is appended to the environments;
  - a Mako backup replaces each data file that it has a list for (a backup made before
    global variables were kept has none for them, and they stay as they are).
Each file is replaced in one step. A data file that cannot be read is copied aside first
(the message names the copy), and left alone when no copy can be made.

Options:
  --data-dir DIR    The application folder (default: Mako's folder in the user's data folder).
  --json            Print what was imported as one JSON object.

Exit status: 0 on success, 1 when a data file could not be written, 2 for bad usage or an
unreadable FILE.
)";

// What an import file adds, decided by its shape.
struct Import {
    QString kind;
    QList<Collection> collections;
    QList<APIEnvironment> environments;
    std::optional<CollectionExporter::BackupContents> backup;
    /// What a Postman collection could not bring along, one line each.
    QStringList warnings;
};

Result<Import> readImport(const QByteArray& bytes)
{
    const auto parsed = parseJsonOrYaml(bytes);
    if (!parsed)
        return parsed.error();
    const QJsonObject root = parsed->toObject();
    if (const auto format = FileImporter::detectFormat(bytes)) {
        auto imported = FileImporter::importCollection(bytes);
        if (!imported)
            return imported.error();
        static const QHash<FileImporter::Format, QString> kinds {
            {FileImporter::Format::postman, u"Postman collection"_s},
            {FileImporter::Format::openAPI, u"OpenAPI document"_s},
            {FileImporter::Format::har, u"HAR capture"_s},
            {FileImporter::Format::insomnia, u"Insomnia export"_s}};
        QStringList warnings = imported->collection.warnings;
        // The data folder must never hold a secret, and a command-line import has no secret
        // service to hand them to: they are named, to be entered again in the window.
        if (!imported->collection.secrets.isEmpty())
            warnings.append(
                u"%1 OAuth 2.0 secret(s) (client secrets, passwords, tokens) left "
                "out: enter them in Mako's Auth tab"_s.arg(imported->collection.secrets.size()));
        return Import {.kind = kinds.value(*format),
            .collections = {imported->collection.collection},
            .environments = imported->environments,
            .warnings = warnings};
    }
    if (root.contains(u"values"_s) || root.contains(u"variables"_s)) {
        auto environment = parseEnvironment(bytes);
        if (!environment)
            return environment.error();
        // As with OAuth 2.0 secrets: the file's secret values have nowhere to go but the data
        // folder, which never holds them.
        QStringList secrets;
        for (const KeyValuePair& row : environment->variables) {
            if (row.isSecret && !row.value.isEmpty() && !secrets.contains(row.key))
                secrets.append(row.key);
        }
        QStringList warnings;
        if (!secrets.isEmpty())
            warnings.append(u"secret values left out: %1: enter them in Mako's environment "
                            "editor, or give them to mako-cli as MAKO_SECRET_<NAME>"_s.arg(
                                secrets.join(u", "_s)));
        return Import {
            .kind = u"environment"_s, .environments = {environment.value()}, .warnings = warnings};
    }
    if (root.contains(u"requests"_s)) {
        auto collection = CollectionExporter::importCollection(bytes);
        if (!collection)
            return collection.error();
        return Import {.kind = u"Mako collection"_s, .collections = {collection.value()}};
    }
    auto backup = CollectionExporter::readBackup(bytes);
    if (!backup)
        return Error {u"not a Mako collection, environment or backup, nor a Postman collection "
                      "or environment, OpenAPI document, HAR capture or Insomnia export ("_s
            + backup.errorMessage() + u')'};
    return Import {.kind = u"Mako backup"_s, .backup = std::move(backup).value()};
}

// Loads the file first, so that an unreadable one is copied aside before it is replaced.
template <typename T>
void store(DataFolder& folder, Console& console, const QString& fileName, const QList<T>& records,
    bool append)
{
    auto stored = folder.load<T>(fileName);
    if (!stored)
        console.warn(u"mako-cli import: %1\n"_s.arg(stored.errorMessage()));
    QList<T> list = stored && append ? stored.value() : QList<T> {};
    folder.save(list + records, fileName);
}

QJsonObject summary(const Import& import)
{
    QJsonArray collections;
    QJsonArray environments;
    const auto& allCollections = import.backup && import.backup->collections
        ? *import.backup->collections
        : import.collections;
    const auto& allEnvironments = import.backup && import.backup->environments
        ? *import.backup->environments
        : import.environments;
    for (const Collection& collection : allCollections)
        collections.append(QJsonObject {{u"name"_s, collection.name},
            {u"id"_s, collection.id.toString(QUuid::WithoutBraces).toUpper()},
            {u"requests"_s, collection.requests.size()}});
    for (const APIEnvironment& environment : allEnvironments)
        environments.append(QJsonObject {{u"name"_s, environment.name},
            {u"id"_s, environment.id.toString(QUuid::WithoutBraces).toUpper()}});
    QJsonObject json {{u"kind"_s, import.kind}, {u"collections"_s, collections},
        {u"environments"_s, environments}};
    if (import.backup && import.backup->history)
        json.insert(u"history"_s, import.backup->history->size());
    if (import.backup && import.backup->globalVariables)
        json.insert(u"globalVariables"_s, import.backup->globalVariables->size());
    return json;
}

void printSummary(Console& console, const QJsonObject& json, const QString& directory)
{
    console.print(u"Imported %1 into %2\n"_s.arg(json[u"kind"_s].toString(), directory));
    for (const QJsonValue& collection : json[u"collections"_s].toArray())
        console.print(u"  collection \"%1\" (%2 requests)\n"_s.arg(
            collection[u"name"_s].toString(), QString::number(collection[u"requests"_s].toInt())));
    for (const QJsonValue& environment : json[u"environments"_s].toArray())
        console.print(u"  environment \"%1\"\n"_s.arg(environment[u"name"_s].toString()));
    if (json.contains(u"history"_s))
        console.print(u"  %1 history items\n"_s.arg(json[u"history"_s].toInt()));
    if (json.contains(u"globalVariables"_s))
        console.print(u"  %1 global variables\n"_s.arg(json[u"globalVariables"_s].toInt()));
}

} // namespace

int importCommand(const QStringList& arguments, Console& console)
{
    const QString command = u"import"_s;
    QCommandLineParser parser;
    const QCommandLineOption dataDir(u"data-dir"_s, {}, u"DIR"_s);
    const QCommandLineOption json(u"json"_s);
    parser.addOptions({dataDir, json});
    if (auto done = parseArguments(parser, arguments, console, command, kImportUsage))
        return *done;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usageError(console, command, u"expected one FILE"_s);
    const auto bytes = readInput(console, files.first());
    if (!bytes)
        return usageError(console, command, bytes.errorMessage());
    const auto import = readImport(bytes.value());
    if (!import)
        return usageError(console, command, files.first() + u": "_s + import.errorMessage());
    for (const QString& warning : import->warnings)
        console.warn(u"mako-cli import: %1\n"_s.arg(warning));

    const QString directory = parser.isSet(dataDir) ? parser.value(dataDir)
                                                    : PersistenceService::standardAppDirectory();
    DataFolder folder(directory);
    if (const auto& backup = import->backup) {
        if (backup->collections)
            store(
                folder, console, PersistenceService::kCollectionsFile, *backup->collections, false);
        if (backup->environments)
            store(folder, console, PersistenceService::kEnvironmentsFile, *backup->environments,
                false);
        if (backup->history)
            store(folder, console, PersistenceService::kHistoryFile, *backup->history, false);
        if (backup->globalVariables)
            store(folder, console, PersistenceService::kGlobalVariablesFile,
                *backup->globalVariables, false);
    } else {
        if (!import->collections.isEmpty())
            store(folder, console, PersistenceService::kCollectionsFile, import->collections, true);
        if (!import->environments.isEmpty())
            store(
                folder, console, PersistenceService::kEnvironmentsFile, import->environments, true);
    }
    const QStringList unwritten = folder.finish();
    if (!unwritten.isEmpty()) {
        console.warn(
            u"mako-cli import: nothing was written to %1\n"_s.arg(unwritten.join(u", "_s)));
        return kFailure;
    }
    const QJsonObject result = summary(import.value());
    if (parser.isSet(json))
        console.print(QJsonDocument(result).toJson(QJsonDocument::Compact) + '\n');
    else
        printSummary(console, result, directory);
    return kSuccess;
}

} // namespace mako::cli
