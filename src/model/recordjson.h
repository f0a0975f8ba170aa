#pragma once

#include "model/apienvironment.h"
#include "model/apirequest.h"
#include "model/collection.h"
#include "model/historyitem.h"
#include "model/jsonwriter.h"
#include "model/keyvaluepair.h"
#include "model/result.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>

namespace mako {

// The stored JSON form of the records. Every key is written every time, except the later
// additions (the scripts of requests, folders and collections, a collection's variables), which
// are written only when not empty and read as empty when absent. Decoding is strict otherwise:
// every key must be present and of its type, enumerations match their raw value exactly, and a
// failure anywhere fails the whole value; unknown keys are ignored. A decoding error names the
// path to the offending value, for example "[0].requests[3].headers[0].isEnabled: expected a
// boolean".

QJsonObject toJson(const KeyValuePair& row);
QJsonObject toJson(const APIRequest& request);
QJsonObject toJson(const CollectionFolder& folder);
QJsonObject toJson(const Collection& collection);
QJsonObject toJson(const APIEnvironment& environment);
QJsonObject toJson(const HistoryItem& item);

template <typename T> Result<T> fromJson(const QJsonValue& json);

template <> Result<KeyValuePair> fromJson<KeyValuePair>(const QJsonValue& json);
template <> Result<APIRequest> fromJson<APIRequest>(const QJsonValue& json);
template <> Result<CollectionFolder> fromJson<CollectionFolder>(const QJsonValue& json);
template <> Result<Collection> fromJson<Collection>(const QJsonValue& json);
template <> Result<APIEnvironment> fromJson<APIEnvironment>(const QJsonValue& json);
template <> Result<HistoryItem> fromJson<HistoryItem>(const QJsonValue& json);

/// A JSON array of records, as the data files hold them.
template <typename T> Result<QList<T>> listFromJson(const QJsonValue& json);

template <> Result<QList<KeyValuePair>> listFromJson<KeyValuePair>(const QJsonValue& json);
template <> Result<QList<APIRequest>> listFromJson<APIRequest>(const QJsonValue& json);
template <> Result<QList<Collection>> listFromJson<Collection>(const QJsonValue& json);
template <> Result<QList<APIEnvironment>> listFromJson<APIEnvironment>(const QJsonValue& json);
template <> Result<QList<HistoryItem>> listFromJson<HistoryItem>(const QJsonValue& json);

template <typename T> QJsonArray toJsonArray(const QList<T>& records)
{
    QJsonArray array;
    for (const T& record : records)
        array.append(toJson(record));
    return array;
}

/// The bytes of a data file: a JSON array of records.
template <typename T>
QByteArray encodeRecords(const QList<T>& records, JsonStyle style = JsonStyle::Compact)
{
    return writeJson(toJsonArray(records), style);
}

/// Parses JSON text; the error says where the text stops being JSON.
Result<QJsonValue> parseJson(const QByteArray& bytes);

/// Reads the bytes of a data file.
template <typename T> Result<QList<T>> decodeRecords(const QByteArray& bytes)
{
    auto parsed = parseJson(bytes);
    if (!parsed)
        return parsed.error();
    return listFromJson<T>(parsed.value());
}

} // namespace mako
