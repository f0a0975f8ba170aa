// The data files, the native collection file and the backup are read back from disk, where
// anything may have happened to them. Properties, for whatever the strict decoder accepts:
// - it is stored again and reads back the same (no accepted value is lost on the next save);
// - the compact data file, pretty-printed, is byte for byte the pretty file the writer makes;
// - a native collection file or a backup written from what was read reads back the same, and a
//   backup made from the three data files equals one made from the records.

#include "fuzzcheck.h"
#include "interchange/collectionexporter.h"
#include "model/prettyjson.h"

using namespace Qt::StringLiterals;

namespace {

using namespace mako;
using namespace mako::fuzz;
using CollectionExporter::BackupData;

const QDateTime& backupTime()
{
    static const QDateTime time = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    return time;
}

template <typename T> void checkDataFile(const QByteArray& bytes, const char* what)
{
    const auto decoded = decodeRecords<T>(bytes);
    if (!decoded)
        return;
    savedAndLoaded(decoded.value(), what);
    const QByteArray compact = encodeRecords(decoded.value());
    const QByteArray pretty = encodeRecords(decoded.value(), JsonStyle::Pretty);
    require(prettyPrintJson(compact) == pretty,
        "a data file pretty-printed is what the pretty writer writes",
        [&] { return "compact: " + compact + "\npretty: " + pretty; });
}

void checkNativeCollection(const QByteArray& bytes)
{
    const auto collection = CollectionExporter::importCollection(bytes);
    if (!collection)
        return;
    const QByteArray file = CollectionExporter::exportCollection(*collection);
    const auto reread = CollectionExporter::importCollection(file);
    require(reread && sameCollection(*reread, *collection),
        "a native collection survives an export and an import", file);
    require(prettyPrintJson(file) == file, "a native collection file is already pretty", file);
}

void checkBackup(const QByteArray& bytes)
{
    const auto contents = CollectionExporter::readBackup(bytes);
    if (!contents)
        return;
    const BackupData data {contents->collections.value_or(QList<Collection> {}),
        contents->environments.value_or(QList<APIEnvironment> {}),
        contents->history.value_or(QList<HistoryItem> {}),
        contents->globalVariables.value_or(QList<KeyValuePair> {})};
    const QByteArray backup = CollectionExporter::makeBackup(data, backupTime());
    const auto reread = CollectionExporter::readBackup(backup);
    require(reread && reread->collections && reread->environments && reread->history
            && reread->globalVariables,
        "a backup written from a backup reads back", backup);
    require(sameList(*reread->collections, data.collections)
            && sameList(*reread->environments, data.environments)
            && sameList(*reread->history, data.history)
            && *reread->globalVariables == data.globalVariables,
        "a backup written from a backup reads back the same", backup);
    const auto fromFiles = CollectionExporter::makeBackupFromFiles(
        {encodeRecords(data.collections), encodeRecords(data.environments),
            encodeRecords(data.history), encodeRecords(data.globalVariables)},
        backupTime());
    require(fromFiles && *fromFiles == backup,
        "a backup made from the data files equals one made from the records",
        [&] { return fromFiles ? *fromFiles : fromFiles.errorMessage().toUtf8(); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = inputBytes(data, size);
    checkDataFile<Collection>(bytes, "a collections file survives a save and a load");
    checkDataFile<APIEnvironment>(bytes, "an environments file survives a save and a load");
    checkDataFile<HistoryItem>(bytes, "a history file survives a save and a load");
    checkNativeCollection(bytes);
    checkBackup(bytes);
    return 0;
}
