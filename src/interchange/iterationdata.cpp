#include "interchange/iterationdata.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("mako::IterationData", text);
}

QString jsonText(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        return {};
    case QJsonValue::Object:
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    case QJsonValue::Array:
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    default:
        // A number or a boolean as JSON writes it: 3, not 3.0.
        return QString::fromUtf8(QJsonDocument(QJsonArray {value}).toJson(QJsonDocument::Compact))
            .mid(1)
            .chopped(1);
    }
}

Result<QList<IterationRow>> readJson(const QByteArray& bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return Error {
            translated(QT_TRANSLATE_NOOP("mako::IterationData", "not valid JSON at offset %1: %2"))
                .arg(error.offset)
                .arg(error.errorString())};
    if (!document.isArray())
        return Error {translated(QT_TRANSLATE_NOOP(
            "mako::IterationData", "JSON iteration data must be an array of objects"))};
    QList<IterationRow> rows;
    const QJsonArray array = document.array();
    for (qsizetype i = 0; i < array.size(); ++i) {
        if (!array[i].isObject())
            return Error {translated(
                QT_TRANSLATE_NOOP("mako::IterationData", "item %1 of the array is not an object"))
                              .arg(i + 1)};
        IterationRow row;
        const QJsonObject object = array[i].toObject();
        for (auto member = object.begin(); member != object.end(); ++member)
            row.append(KeyValuePair {.key = member.key(), .value = jsonText(member.value())});
        rows.append(row);
    }
    return rows;
}

// RFC 4180 records, each a list of fields; a blank line yields no record.
Result<QList<QStringList>> csvRecords(QStringView text)
{
    QList<QStringList> records;
    QStringList fields;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    int line = 1;
    int quoteLine = 1;
    const auto endRecord = [&] {
        fields.append(field);
        if (fields.size() > 1 || !fields.first().isEmpty() || wasQuoted)
            records.append(fields);
        fields.clear();
        field.clear();
        wasQuoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
                const bool atEnd = i + 1 == text.size() || text[i + 1] == u','
                    || text[i + 1] == u'\n' || text[i + 1] == u'\r';
                if (!atEnd)
                    return Error {translated(QT_TRANSLATE_NOOP("mako::IterationData",
                                                 "line %1: text after a closing quote"))
                                      .arg(line)};
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
            quoteLine = line;
        } else if (c == u',') {
            fields.append(field);
            field.clear();
            wasQuoted = false;
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            // The LF that follows ends the record.
        } else if (c == u'\n') {
            endRecord();
            ++line;
        } else {
            field += c;
        }
    }
    if (quoted)
        return Error {translated(
            QT_TRANSLATE_NOOP("mako::IterationData", "line %1: a quoted field is never closed"))
                          .arg(quoteLine)};
    if (!field.isEmpty() || !fields.isEmpty() || wasQuoted)
        endRecord();
    return records;
}

Result<QList<IterationRow>> readCsv(const QByteArray& bytes)
{
    QStringView text;
    const QString decoded = QString::fromUtf8(bytes);
    text = decoded;
    if (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1);
    const auto records = csvRecords(text);
    if (!records)
        return records.error();
    if (records->isEmpty())
        return Error {
            translated(QT_TRANSLATE_NOOP("mako::IterationData", "the CSV file has no header row"))};
    const QStringList& header = records->first();
    QList<IterationRow> rows;
    for (qsizetype r = 1; r < records->size(); ++r) {
        const QStringList& fields = records.value()[r];
        if (fields.size() != header.size())
            return Error {translated(QT_TRANSLATE_NOOP("mako::IterationData",
                                         "record %1 has %2 fields, the header has %3"))
                              .arg(r + 1)
                              .arg(fields.size())
                              .arg(header.size())};
        IterationRow row;
        for (qsizetype i = 0; i < header.size(); ++i)
            row.append(KeyValuePair {.key = header[i], .value = fields[i]});
        rows.append(row);
    }
    return rows;
}

} // namespace

Result<QList<IterationRow>> readIterationData(const QByteArray& bytes)
{
    const QByteArray start = bytes.trimmed().left(1);
    auto rows = start == "[" || start == "{" ? readJson(bytes) : readCsv(bytes);
    if (rows && rows->isEmpty())
        return Error {translated(
            QT_TRANSLATE_NOOP("mako::IterationData", "the iteration data holds no rows"))};
    return rows;
}

} // namespace mako
