#pragma once

// What the fuzz targets share: stopping on a broken property, and the record comparisons the
// model leaves out (collections are compared by id there, so they have no operator==).

#include "model/apienvironment.h"
#include "model/collection.h"
#include "model/historyitem.h"
#include "model/recordjson.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace mako::fuzz {

/// The fuzzer's input as bytes, without a copy.
inline QByteArray inputBytes(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

/// Text for a failure report: long values are cut, so the report stays readable.
inline QByteArray excerpt(const QByteArray& bytes)
{
    constexpr qsizetype kLimit = 2000;
    return bytes.size() <= kLimit ? bytes : bytes.left(kLimit) + "...";
}

/// Stops the run. libFuzzer takes the abort as a crash and saves the input that caused it.
[[noreturn]] inline void fail(const char* property, const QByteArray& detail = {})
{
    std::fprintf(stderr, "\n==== property failed: %s\n%s\n", property, excerpt(detail).constData());
    std::fflush(stderr);
    std::abort();
}

/// Fails the run when the property does not hold. The detail is bytes, or a function giving
/// them when they take work to put together: checks run millions of times and nearly always pass.
template <typename Detail = QByteArray>
void require(bool holds, const char* property, const Detail& detail = {})
{
    if (holds)
        return;
    if constexpr (std::is_invocable_v<Detail>)
        fail(property, detail());
    else
        fail(property, detail);
}

inline bool sameFolder(const CollectionFolder& a, const CollectionFolder& b)
{
    return a.id == b.id && a.name == b.name && a.requestIDs == b.requestIDs;
}

inline bool sameCollection(const Collection& a, const Collection& b)
{
    if (a.folders.size() != b.folders.size())
        return false;
    for (qsizetype i = 0; i < a.folders.size(); ++i) {
        if (!sameFolder(a.folders[i], b.folders[i]))
            return false;
    }
    return a.id == b.id && a.name == b.name && a.requests == b.requests
        && a.createdAt == b.createdAt;
}

inline bool sameEnvironment(const APIEnvironment& a, const APIEnvironment& b)
{
    return a.id == b.id && a.name == b.name && a.variables == b.variables
        && a.isActive == b.isActive;
}

inline bool sameHistoryItem(const HistoryItem& a, const HistoryItem& b)
{
    return a.id == b.id && a.request == b.request && a.statusCode == b.statusCode
        && a.duration == b.duration && a.timestamp == b.timestamp;
}

inline bool same(const Collection& a, const Collection& b)
{
    return sameCollection(a, b);
}
inline bool same(const APIEnvironment& a, const APIEnvironment& b)
{
    return sameEnvironment(a, b);
}
inline bool same(const HistoryItem& a, const HistoryItem& b)
{
    return sameHistoryItem(a, b);
}
inline bool same(const APIRequest& a, const APIRequest& b)
{
    return a == b;
}

template <typename T> bool sameList(const QList<T>& a, const QList<T>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!same(a[i], b[i]))
            return false;
    }
    return true;
}

/// The records written as a data file and read back; fails the run when they do not read back,
/// or read back different.
template <typename T> QList<T> savedAndLoaded(const QList<T>& records, const char* what)
{
    const QByteArray file = encodeRecords(records);
    auto loaded = decodeRecords<T>(file);
    if (!loaded)
        fail(what, loaded.errorMessage().toUtf8() + "\nfile: " + file);
    if (!sameList(records, loaded.value()))
        fail(what, "read back different\nfile: " + file);
    return std::move(loaded).value();
}

} // namespace mako::fuzz
