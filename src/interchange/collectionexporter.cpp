#include "interchange/collectionexporter.h"

#include "model/recordjson.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace mako::CollectionExporter {

namespace {

template <typename T>
Result<QList<T>> readFile(const std::optional<QByteArray>& bytes, const QString& fileName)
{
    if (!bytes)
        return QList<T> {};
    auto records = decodeRecords<T>(*bytes);
    if (!records)
        return Error {fileName + u": "_s + records.errorMessage()};
    return records;
}

template <typename T>
std::optional<Error> readMember(
    const QJsonObject& root, const QString& key, std::optional<QList<T>>& target)
{
    if (!root.contains(key))
        return std::nullopt;
    auto records = listFromJson<T>(root[key]);
    if (!records)
        return Error {key + (records.errorMessage().startsWith(u'[') ? u""_s : u": "_s)
            + records.errorMessage()};
    target = std::move(records).value();
    return std::nullopt;
}

} // namespace

QByteArray exportCollection(const Collection& collection)
{
    // An exported collection is whole wherever it lives: a folder collection's file names its
    // requests, not the folder it came from.
    Collection whole = collection;
    whole.folderPath.clear();
    return writeJson(toJson(whole), JsonStyle::Pretty);
}

Result<Collection> importCollection(const QByteArray& bytes)
{
    const auto parsed = parseJson(bytes);
    if (!parsed)
        return parsed.error();
    return fromJson<Collection>(parsed.value());
}

QString exportFileName(const QString& collectionName)
{
    static const QRegularExpression unsafe(u"[/\\\\:*?\"<>|\\x00-\\x1f]"_s);
    QString name = QString(collectionName).replace(unsafe, u"-"_s).trimmed();
    // A leading dot would hide the file.
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    return (name.isEmpty() ? u"Collection"_s : name) + u".json"_s;
}

QByteArray makeBackup(const BackupData& data, const QDateTime& exportedAt)
{
    const QJsonObject backup {
        {u"collections"_s, toJsonArray(data.collections)},
        {u"environments"_s, toJsonArray(data.environments)},
        {u"exportedAt"_s, exportedAt.toUTC().toString(Qt::ISODate)},
        {u"globalVariables"_s, toJsonArray(data.globalVariables)},
        {u"history"_s, toJsonArray(data.history)},
        {u"version"_s, 1},
    };
    return writeJson(backup, JsonStyle::Pretty);
}

Result<QByteArray> makeBackupFromFiles(const BackupFiles& files, const QDateTime& exportedAt)
{
    auto collections = readFile<Collection>(files.collections, u"collections.json"_s);
    if (!collections)
        return collections.error();
    auto environments = readFile<APIEnvironment>(files.environments, u"environments.json"_s);
    if (!environments)
        return environments.error();
    auto history = readFile<HistoryItem>(files.history, u"history.json"_s);
    if (!history)
        return history.error();
    auto globalVariables = readFile<KeyValuePair>(files.globalVariables, u"globals.json"_s);
    if (!globalVariables)
        return globalVariables.error();
    return makeBackup(
        {collections.value(), environments.value(), history.value(), globalVariables.value()},
        exportedAt);
}

Result<BackupContents> readBackup(const QByteArray& bytes)
{
    const auto parsed = parseJson(bytes);
    if (!parsed)
        return parsed.error();
    if (!parsed->isObject())
        return Error {QCoreApplication::translate(
            "mako::CollectionExporter", "The file is not a Mako backup.")};
    const QJsonObject root = parsed->toObject();
    BackupContents contents;
    for (const auto& error : {readMember(root, u"collections"_s, contents.collections),
             readMember(root, u"environments"_s, contents.environments),
             readMember(root, u"history"_s, contents.history),
             readMember(root, u"globalVariables"_s, contents.globalVariables)}) {
        if (error)
            return *error;
    }
    if (!contents.collections && !contents.environments && !contents.history
        && !contents.globalVariables)
        return Error {QCoreApplication::translate(
            "mako::CollectionExporter", "The file is not a Mako backup.")};
    return contents;
}

} // namespace mako::CollectionExporter
