#pragma once

#include "interchange/curlparser.h"

#include <QByteArray>
#include <QString>

// What the data options of a curl command carry: the files they name, curl's encodings and
// the values of form parts. Used by the parser only.
namespace mako::CurlParser {

/// The bytes of a file a command names ("-" is standard input); `use` is the option as the
/// message names it ("--data @body.json").
Result<QByteArray> readFile(const ParseOptions& options, const QString& name, const QString& use);

/// The bytes as text, or an error naming `use` when they are not UTF-8: a request holds text.
Result<QString> utf8Text(const QByteArray& bytes, const QString& use);

/// What -d @FILE sends of a file: curl reads it line by line and keeps each line up to its
/// first CR or LF (a CR in mid-line cuts the rest of that line), and stops a line at a NUL.
QByteArray withoutLineBreaks(const QByteArray& bytes);

/// --data-urlencode's encoding: everything but the unreserved characters as %XX, and each
/// blank as "+".
QString formEncoded(const QByteArray& bytes);

/// One -F value (the text after "name="): its content, unquoted as curl unquotes it, and
/// whether part settings (";type=", ";filename=", ";headers=", ";encoder=") followed it.
struct FormValue {
    QString content;
    bool hasSettings = false;
};
FormValue splitFormValue(const QString& text);

} // namespace mako::CurlParser
