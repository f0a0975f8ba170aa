#include "interchange/codegenerator.h"
#include "interchange/collectionexporter.h"
#include "interchange/fileimporter.h"
#include "interchange/harexporter.h"
#include "interchange/postmanexporter.h"
#include "interchange/postmanimporter.h"
#include "state/appstate.h"
#include "state/datafile.h"
#include "state/persistenceservice.h"
#include "state/secretstore.h"
#include "state/secretvariables.h"
#include "state/settings.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMetaObject>
#include <QSet>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QString notWritten(const QString& path)
{
    return AppState::tr("\"%1\" could not be written.").arg(QDir::toNativeSeparators(path));
}

Result<QByteArray> readChosenFile(const QString& path)
{
    auto read = readDataFile(path);
    if (!read)
        return read.error();
    if (!read.value())
        return Error {AppState::tr("\"%1\" does not exist.").arg(QDir::toNativeSeparators(path))};
    return *std::move(read).value();
}

template <typename T, typename Decode> Result<T> readAndDecode(const QString& path, Decode decode)
{
    auto bytes = readChosenFile(path);
    if (!bytes)
        return bytes.error();
    return decode(bytes.value());
}

// Two collections with one id (or one request in two collections) would make every operation
// by id act on whichever comes first, so a collection imported next to itself gets new ids.
Collection withFreshIds(Collection collection)
{
    collection.id = QUuid::createUuid();
    QHash<QUuid, QUuid> renamed;
    for (APIRequest& request : collection.requests) {
        const QUuid fresh = QUuid::createUuid();
        renamed.insert(request.id, fresh);
        request.id = fresh;
    }
    for (CollectionFolder& folder : collection.folders) {
        folder.id = QUuid::createUuid();
        for (QUuid& id : folder.requestIDs)
            id = renamed.value(id, id);
    }
    return collection;
}

bool sharesIds(const QList<Collection>& collections, const Collection& imported)
{
    QSet<QUuid> held;
    for (const Collection& collection : collections) {
        held.insert(collection.id);
        for (const APIRequest& request : collection.requests)
            held.insert(request.id);
    }
    return held.contains(imported.id)
        || std::ranges::any_of(imported.requests,
            [&held](const APIRequest& request) { return held.contains(request.id); });
}

Result<QByteArray> readDataFiles(const QStringList& paths, const QDateTime& now)
{
    std::optional<QByteArray> files[4];
    for (int index = 0; index < 4; ++index) {
        auto read = readDataFile(paths[index]);
        if (!read)
            return Error {QFileInfo(paths[index]).fileName() + u": "_s + read.errorMessage()};
        files[index] = std::move(read).value();
    }
    return CollectionExporter::makeBackupFromFiles({files[0], files[1], files[2], files[3]}, now);
}

} // namespace

void AppState::runFileJob(std::function<std::function<void()>()> job)
{
    // The worker is a member, so it finishes (and posts here) before the object is gone; a
    // reply still queued then is dropped with the object.
    m_fileWorker.post([this, job = std::move(job)] {
        QMetaObject::invokeMethod(this, job(), Qt::QueuedConnection);
    });
}

void AppState::reportSecretsLeftOut(const QStringList& names)
{
    if (names.isEmpty())
        return;
    // The file keeps each of them as a row without its value; the user should know which ones
    // a colleague (or a restored machine) has to be given another way.
    const QString report = tr("%n secret value(s) left out: %1", nullptr, int(names.size()))
                               .arg(names.join(u", "_s));
    setAlertMessage(alertMessage() ? *alertMessage() + u'\n' + report : report);
}

void AppState::finishFileOperation(const std::optional<QString>& failure, bool diagnostic)
{
    if (failure) {
        if (diagnostic)
            qWarning().noquote() << *failure;
        setAlertMessage(*failure);
    }
    Q_EMIT fileOperationFinished(!failure);
}

void AppState::importPostmanCollection(const QString& path)
{
    runFileJob([this, path]() -> std::function<void()> {
        // The format is told by the file's contents, so one command takes any of them.
        std::optional<FileImporter::Format> format;
        auto imported
            = readAndDecode<FileImporter::Import>(path, [&format](const QByteArray& bytes) {
                  format = FileImporter::detectFormat(bytes);
                  return FileImporter::importCollection(bytes);
              });
        return [this, format, imported = std::move(imported)] {
            if (!imported) {
                finishFileOperation(format && *format != FileImporter::Format::postman
                        ? tr("Failed to import %1: %2")
                              .arg(FileImporter::formatName(*format), imported.errorMessage())
                        : QStringView(PostmanImporter::kCollectionFailurePrefix).toString()
                            + imported.errorMessage());
                return;
            }
            // The file's OAuth 2.0 secrets go to the vault, never into a data file.
            for (const auto& [key, secret] : imported->collection.secrets)
                m_vault->setValue(key, secret);
            m_collections.appendCollection(imported->collection.collection);
            saveCollections();
            for (const APIEnvironment& environment : imported->environments)
                m_environments.appendEnvironment(environment);
            if (!imported->environments.isEmpty())
                saveEnvironments();
            // The import went through: the user is told what came in and what it could not
            // bring along.
            const PostmanImporter::CollectionImport& result = imported->collection;
            const Collection& collection = result.collection;
            setImportReport(ImportReport {.collectionName = collection.name,
                .requestCount = int(collection.requests.size()),
                .folderCount = int(collection.folders.size()),
                .leftOut = result.warnings,
                .leftOutKinds = result.warningKinds});
            finishFileOperation(std::nullopt);
        };
    });
}

void AppState::importPostmanEnvironment(const QString& path)
{
    runFileJob([this, path]() -> std::function<void()> {
        auto imported = readAndDecode<APIEnvironment>(path, &PostmanImporter::importEnvironment);
        return [this, imported = std::move(imported)] {
            if (!imported) {
                finishFileOperation(
                    QStringView(PostmanImporter::kEnvironmentFailurePrefix).toString()
                    + imported.errorMessage());
                return;
            }
            m_environments.appendEnvironment(imported.value());
            saveEnvironments();
            finishFileOperation(std::nullopt);
        };
    });
}

void AppState::importMakoCollection(const QString& path)
{
    runFileJob([this, path]() -> std::function<void()> {
        auto imported = readAndDecode<Collection>(path, &CollectionExporter::importCollection);
        return [this, imported = std::move(imported)] {
            if (!imported) {
                finishFileOperation(
                    tr("Failed to import collection: %1").arg(imported.errorMessage()));
                return;
            }
            // Checked here, against the list as it is now, not when the file was read.
            m_collections.appendCollection(sharesIds(collections(), imported.value())
                    ? withFreshIds(imported.value())
                    : imported.value());
            saveCollections();
            finishFileOperation(std::nullopt);
        };
    });
}

void AppState::exportCollection(const QUuid& collectionID, const QString& path)
{
    const Collection* found = m_collections.collection(collectionID);
    if (!found)
        return;
    runFileJob([this, collection = *found, path]() -> std::function<void()> {
        std::optional<QString> failure;
        if (!writeDataFile(path, CollectionExporter::exportCollection(collection)))
            failure = tr("Export failed: %1").arg(notWritten(path));
        return [this, failure, secrets = SecretVariables::secretNames(collection.variables, {})] {
            if (!failure)
                reportSecretsLeftOut(secrets);
            finishFileOperation(failure);
        };
    });
}

void AppState::exportK6Script(const QUuid& collectionID, const QString& path)
{
    const Collection* found = m_collections.collection(collectionID);
    if (!found)
        return;
    runFileJob([this, collection = *found, path]() -> std::function<void()> {
        std::optional<QString> failure;
        if (!writeDataFile(path, CodeGenerator::generateK6Collection(collection).toUtf8()))
            failure = tr("Export failed: %1").arg(notWritten(path));
        return [this, failure] { finishFileOperation(failure); };
    });
}

void AppState::exportPostmanCollection(const QUuid& collectionID, const QString& path)
{
    const Collection* found = m_collections.collection(collectionID);
    if (!found)
        return;
    runFileJob([this, collection = *found, path]() -> std::function<void()> {
        const PostmanExporter::CollectionExport exported
            = PostmanExporter::exportCollection(collection);
        std::optional<QString> failure;
        if (!writeDataFile(path, exported.bytes))
            failure = tr("Export failed: %1").arg(notWritten(path));
        return [this, failure, leftOut = exported.leftOut,
                   secrets = SecretVariables::secretNames(collection.variables, {})] {
            // The file is written all the same; the alert names what it lacks.
            if (!failure && !leftOut.isEmpty())
                setAlertMessage(
                    tr("Exported without the requests a Postman collection cannot hold: %1")
                        .arg(leftOut.join(u", "_s)));
            if (!failure)
                reportSecretsLeftOut(secrets);
            finishFileOperation(failure);
        };
    });
}

void AppState::exportHistoryAsHar(const QString& path)
{
    runFileJob([this, history = m_history.history(), path]() -> std::function<void()> {
        std::optional<QString> failure;
        if (!writeDataFile(path, HarExporter::exportHistory(history)))
            failure = tr("Export failed: %1").arg(notWritten(path));
        return [this, failure] { finishFileOperation(failure); };
    });
}

void AppState::exportAllData(const QString& path)
{
    // Edits still waiting for their auto-save are written first, and the backup is read behind
    // every save asked for so far, so it holds what the user sees.
    flushPendingSaves();
    const QStringList secrets
        = SecretVariables::secretNames(globalVariables(), environments(), collections());
    m_persistence->whenIdle(this, [this, path, secrets] {
        const QStringList files {m_persistence->filePath(PersistenceService::kCollectionsFile),
            m_persistence->filePath(PersistenceService::kEnvironmentsFile),
            m_persistence->filePath(PersistenceService::kHistoryFile),
            m_persistence->filePath(PersistenceService::kGlobalVariablesFile)};
        runFileJob([this, path, files, secrets]() -> std::function<void()> {
            std::optional<QString> failure;
            const auto backup = readDataFiles(files, QDateTime::currentDateTimeUtc());
            if (!backup)
                failure = tr("Export failed: %1").arg(backup.errorMessage());
            else if (!writeDataFile(path, backup.value()))
                failure = tr("Export failed: %1").arg(notWritten(path));
            return [this, failure, secrets] {
                if (!failure)
                    reportSecretsLeftOut(secrets);
                finishFileOperation(failure, true);
            };
        });
    });
}

void AppState::importAllData(const QString& path)
{
    runFileJob([this, path]() -> std::function<void()> {
        auto contents = readAndDecode<CollectionExporter::BackupContents>(
            path, &CollectionExporter::readBackup);
        return [this, contents = std::move(contents)] {
            if (!contents) {
                finishFileOperation(tr("Import failed: %1").arg(contents.errorMessage()), true);
                return;
            }
            // Replacing the lists before the start-up load has read them back would have the
            // load add the old records to the imported ones.
            if (m_didLoad)
                applyBackup(contents.value());
            else
                connect(
                    this, &AppState::didLoadChanged, this,
                    [this, backup = contents.value()] { applyBackup(backup); },
                    Qt::SingleShotConnection);
        };
    });
}

void AppState::applyBackup(const CollectionExporter::BackupContents& contents)
{
    // The lists are replaced here first and their files written through the persistence
    // service, behind any save already asked for. Every save that runs afterwards, a pending
    // auto-save included, takes the imported lists, so the old ones never come back on disk.
    QStringList files;
    if (contents.collections) {
        m_collections.replaceAll(*contents.collections);
        // The backup names folder collections only: what they hold is read from their folders.
        m_folders.loadAll();
        files.append(PersistenceService::kCollectionsFile);
    }
    if (contents.environments) {
        QList<APIEnvironment> environments = *contents.environments;
        for (APIEnvironment& environment : environments)
            environment.variables
                = m_secretVariables->withKnownValues(environment.id, environment.variables);
        m_environments.replaceAll(environments);
        files.append(PersistenceService::kEnvironmentsFile);
    }
    if (contents.history) {
        m_history.replaceAll(*contents.history);
        files.append(PersistenceService::kHistoryFile);
    }
    if (contents.globalVariables) {
        // The backup holds its secrets empty: the rows it brings back keep the values of the
        // rows they replace, where the vault knows them.
        m_environments.replaceGlobalVariables(
            m_secretVariables->withKnownValues(std::nullopt, *contents.globalVariables));
        files.append(PersistenceService::kGlobalVariablesFile);
    }
    auto failed = std::make_shared<QStringList>();
    const auto watch = connect(m_persistence, &PersistenceService::saveFinished, this,
        [files, failed](const QString& fileName, bool written) {
            if (!written && files.contains(fileName) && !failed->contains(fileName))
                failed->append(fileName);
        });
    if (contents.collections)
        saveCollections();
    if (contents.environments)
        saveEnvironments();
    if (contents.history)
        saveHistory();
    if (contents.globalVariables)
        saveGlobalVariables();
    m_persistence->whenIdle(this, [this, watch, failed] {
        disconnect(watch);
        finishFileOperation(failed->isEmpty()
                ? std::nullopt
                : std::optional(tr("Import failed: %1 could not be written; the imported data is "
                                   "shown but not stored.")
                                    .arg(failed->join(u", "_s))),
            true);
    });
}

void AppState::addHostCertificate(const HostCertificate& entry)
{
    if (!m_settings)
        return;
    QList<HostCertificate> entries = m_settings->hostCertificates();
    entries.removeIf([&](const HostCertificate& held) { return held.host == entry.host; });
    HostCertificate stored = entry;
    stored.passphrase.clear();
    entries.prepend(stored);
    if (!entry.passphrase.isEmpty())
        Q_EMIT certificatePassphraseGiven(entry.host, entry.passphrase);
    m_settings->setHostCertificates(entries);
}

} // namespace mako
