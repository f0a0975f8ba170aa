#pragma once

#include "model/keyvaluepair.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace mako {

struct APIRequest;

// Small text helpers that the importers share.

/// The text without leading and trailing spaces and tabs (line breaks stay).
QString trimBlanks(QStringView text);

/// "user:password" from the Base64 text of a Basic authorization header, or nothing when the
/// text is not Base64 of UTF-8 with a colon in it.
std::optional<QString> decodeBasicCredentials(const QString& base64);

/// Whether the text is a JSON object or array.
bool isJsonDocument(const QString& text);

/// A request name from a URL: "last path piece (host)", the host alone, or "Imported Request".
QString nameFromURL(const QString& url);

/// Percent-encoding for a query or form item that leaves {{placeholders}} as they are, so
/// that substitution still finds them.
QString percentEncoded(const QString& text);

/// The rows that apply as "key=value&key=value", each side percent-encoded, and the keys of
/// the switched-off rows, which such a text cannot carry.
struct EncodedPairs {
    QString text;
    QStringList leftOut;
};
EncodedPairs encodedPairs(const QList<KeyValuePair>& rows);

/// Makes the body a URL-encoded form, with its Content-Type unless the request names one.
void setURLEncodedBody(APIRequest& request, const QString& pairs);

/// The first row whose key matches name regardless of letter case, or nothing.
const KeyValuePair* findRow(const QList<KeyValuePair>& rows, const QString& name);

} // namespace mako
