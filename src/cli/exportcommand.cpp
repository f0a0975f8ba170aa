#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/runinput.h"
#include "interchange/codegenerator.h"
#include "interchange/collectionexporter.h"
#include "interchange/harexporter.h"
#include "interchange/postmanexporter.h"
#include "model/recordjson.h"
#include "state/datafile.h"
#include "state/persistenceservice.h"
#include "state/secretvariables.h"

#include <QDateTime>
#include <QDir>

using namespace Qt::StringLiterals;

namespace mako::cli {

namespace {

const char kExportUsage[]
    = R"(Usage: mako-cli export --collection NAME [--k6 | --postman] [--output FILE] [--data-dir DIR]
       mako-cli export --backup [--output FILE] [--data-dir DIR]
       mako-cli export --har [--output FILE] [--data-dir DIR]

Writes one collection as a Mako collection file, or all of Mako's data (collections,
environments, history and global variables, as last saved) as one backup file; both
pretty-printed with sorted keys. NAME is the collection's name or id. The file goes to standard
output unless --output is given; an output file is replaced in one step and is readable by its
owner only.
With --postman the collection is written as a Postman v2.1 collection instead (its WebSocket
and SSE requests left out and named on standard error); --har writes the history as a HAR 1.2
log.

Options:
  --collection NAME   The collection to export.
  --k6                Write the collection as a k6 load-test script instead: its requests
                      in order, folders as groups, one user running them once.
  --postman           Write the collection as a Postman v2.1 collection.
  --backup            Export everything.
  --har               Export the history as HAR.
  -o, --output FILE   Write to FILE.
  --data-dir DIR      The application folder (default: Mako's folder in the user's data folder).

Exit status: 0 on success, 1 when the output file could not be written, 2 for bad usage, an
unknown collection or an unreadable data file.
)";

using DataFileRead = Result<std::optional<QByteArray>>;

// The file keeps each secret variable as a row without its value; the warning says which.
void warnOfSecretsLeftOut(Console& console, const QStringList& names)
{
    if (!names.isEmpty())
        console.warn(
            u"mako-cli export: left out (secret values): "_s + names.join(u", "_s) + u'\n');
}

// The collection in the form asked for: Mako's own file, a k6 script or a Postman collection.
enum class CollectionForm { mako, k6, postman };

Result<QByteArray> exportCollection(
    const QString& directory, const QString& name, CollectionForm form, Console& console)
{
    const QString path = QDir(directory).filePath(PersistenceService::kCollectionsFile);
    const DataFileRead file = readDataFile(path);
    if (!file)
        return Error {path + u": "_s + file.errorMessage()};
    auto collections = decodeRecords<Collection>(file.value().value_or("[]"));
    if (!collections)
        return Error {path + u": "_s + collections.errorMessage()};
    const QUuid id(name);
    QStringList names;
    for (const Collection& listed : collections.value()) {
        if (listed.name == name || (!id.isNull() && listed.id == id)) {
            auto read = withFolderContents(listed);
            if (!read)
                return read.error();
            const Collection& collection = read->collection;
            if (form == CollectionForm::k6)
                return CodeGenerator::generateK6Collection(collection).toUtf8();
            warnOfSecretsLeftOut(console, SecretVariables::secretNames(collection.variables, {}));
            if (form == CollectionForm::mako)
                return CollectionExporter::exportCollection(collection);
            const auto exported = PostmanExporter::exportCollection(collection);
            if (!exported.leftOut.isEmpty())
                console.warn(u"mako-cli export: left out (not held by a Postman collection): "_s
                    + exported.leftOut.join(u", "_s) + u'\n');
            return exported.bytes;
        }
        names.append(u'"' + listed.name + u'"');
    }
    return Error {u"no collection named \"%1\" (there are: %2)"_s.arg(
        name, names.isEmpty() ? u"none"_s : names.join(u", "_s))};
}

Result<QByteArray> exportBackup(const QString& directory, Console& console)
{
    QList<std::optional<QByteArray>> files;
    for (const QString& fileName :
        {PersistenceService::kCollectionsFile, PersistenceService::kEnvironmentsFile,
            PersistenceService::kHistoryFile, PersistenceService::kGlobalVariablesFile}) {
        const QString path = QDir(directory).filePath(fileName);
        const DataFileRead file = readDataFile(path);
        if (!file)
            return Error {path + u": "_s + file.errorMessage()};
        files.append(file.value());
    }
    auto backup = CollectionExporter::makeBackupFromFiles(
        {files[0], files[1], files[2], files[3]}, QDateTime::currentDateTimeUtc());
    if (backup) {
        if (const auto contents = CollectionExporter::readBackup(backup.value())) {
            warnOfSecretsLeftOut(console,
                SecretVariables::secretNames(
                    contents->globalVariables.value_or(QList<KeyValuePair> {}),
                    contents->environments.value_or(QList<APIEnvironment> {}),
                    contents->collections.value_or(QList<Collection> {})));
        }
    }
    return backup;
}

Result<QByteArray> exportHistory(const QString& directory)
{
    const QString path = QDir(directory).filePath(PersistenceService::kHistoryFile);
    const DataFileRead file = readDataFile(path);
    if (!file)
        return Error {path + u": "_s + file.errorMessage()};
    const auto history = decodeRecords<HistoryItem>(file.value().value_or("[]"));
    if (!history)
        return Error {path + u": "_s + history.errorMessage()};
    return HarExporter::exportHistory(history.value());
}

} // namespace

int exportCommand(const QStringList& arguments, Console& console)
{
    const QString command = u"export"_s;
    QCommandLineParser parser;
    const QCommandLineOption collection(u"collection"_s, {}, u"NAME"_s);
    const QCommandLineOption backup(u"backup"_s);
    const QCommandLineOption k6(u"k6"_s);
    const QCommandLineOption postman(u"postman"_s);
    const QCommandLineOption har(u"har"_s);
    const QCommandLineOption output({u"o"_s, u"output"_s}, {}, u"FILE"_s);
    const QCommandLineOption dataDir(u"data-dir"_s, {}, u"DIR"_s);
    parser.addOptions({collection, backup, k6, postman, har, output, dataDir});
    if (auto done = parseArguments(parser, arguments, console, command, kExportUsage))
        return *done;
    if (!parser.positionalArguments().isEmpty())
        return usageError(console, command,
            u"unexpected argument \"%1\""_s.arg(parser.positionalArguments().first()));
    if (int(parser.isSet(collection)) + int(parser.isSet(backup)) + int(parser.isSet(har)) != 1)
        return usageError(console, command, u"give one of --collection NAME, --backup or --har"_s);
    if (parser.isSet(k6) && !parser.isSet(collection))
        return usageError(console, command, u"--k6 exports a collection, not a backup"_s);
    if (parser.isSet(postman) && !parser.isSet(collection))
        return usageError(console, command, u"--postman goes with --collection"_s);
    if (parser.isSet(k6) && parser.isSet(postman))
        return usageError(console, command, u"give --k6 or --postman, not both"_s);

    const QString directory = parser.isSet(dataDir) ? parser.value(dataDir)
                                                    : PersistenceService::standardAppDirectory();
    const CollectionForm form = parser.isSet(k6) ? CollectionForm::k6
        : parser.isSet(postman)                  ? CollectionForm::postman
                                                 : CollectionForm::mako;
    const auto bytes = parser.isSet(backup) ? exportBackup(directory, console)
        : parser.isSet(har)                 ? exportHistory(directory)
                            : exportCollection(directory, parser.value(collection), form, console);
    if (!bytes)
        return usageError(console, command, bytes.errorMessage());
    if (!parser.isSet(output)) {
        console.print(bytes.value() + '\n');
        return kSuccess;
    }
    if (const auto written = writeOutput(parser.value(output), bytes.value()); !written) {
        console.warn(u"mako-cli export: "_s + written.errorMessage() + u'\n');
        return kFailure;
    }
    return kSuccess;
}

} // namespace mako::cli
