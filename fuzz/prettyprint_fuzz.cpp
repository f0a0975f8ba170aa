// The response views pretty-print whatever a server sends. Properties:
// - JSON: pretty output printed again is unchanged, and it is the same document as the input
//   (as Qt's own parser reads both);
// - XML/HTML: the output is the input with only line breaks and indentation inserted, each run
//   of them right before a '<';
// - prettyBody: valid UTF-8 whatever the body; for JSON and plain text unchanged when applied
//   to its own output, and the text of the body when the type is neither JSON nor markup.

#include "fuzzcheck.h"
#include "model/apiresponse.h"
#include "model/prettyjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUtf8StringView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using namespace mako;
using namespace mako::fuzz;

// Qt keeps an object's keys sorted, but a key with a character outside the Basic Multilingual
// Plane (or a lone surrogate) breaks that order: UTF-16 and code-point order disagree there, and
// two objects with the same members then compare unequal depending on their insertion order.
bool hasSurrogateKey(const QJsonValue& value)
{
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        return std::any_of(array.begin(), array.end(),
            [](const QJsonValue& element) { return hasSurrogateKey(element); });
    }
    if (!value.isObject())
        return false;
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        if (std::any_of(key.cbegin(), key.cend(), [](QChar c) { return c.isSurrogate(); })
            || hasSurrogateKey(it.value()))
            return true;
    }
    return false;
}

void checkJson(const QByteArray& bytes)
{
    const auto pretty = prettyPrintJson(bytes);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (!pretty)
        return;
    require(prettyPrintJson(*pretty) == *pretty, "pretty JSON printed again is unchanged", *pretty);
    // Qt's reader serves as the reference where it reads the input: it takes some texts the
    // printer refuses ("\<") and refuses some the printer keeps (1e400).
    const QJsonValue root
        = document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    if (error.error == QJsonParseError::NoError && !hasSurrogateKey(root)) {
        const QJsonDocument reread = QJsonDocument::fromJson(*pretty, &error);
        require(error.error == QJsonParseError::NoError && reread == document,
            "pretty JSON is the same document", *pretty);
    }
}

// formatXML only inserts. Matching output to input greedily finds the inserted characters: an
// inserted run can only be followed by a '<', which the input has next at that point.
void checkMarkup(QStringView input, QStringView output)
{
    qsizetype next = 0;
    bool inInsertion = false;
    for (const QChar c : output) {
        if (next < input.size() && input[next] == c) {
            require(!inInsertion || c == u'<', "markup breaks lines only before a tag");
            inInsertion = false;
            ++next;
            continue;
        }
        require(c == u' ' || c == u'\n', "markup formatting inserts only line breaks and blanks",
            [&] { return output.toUtf8(); });
        inInsertion = true;
    }
    require(next == input.size() && !inInsertion, "markup formatting keeps every character",
        [&] { return output.toUtf8(); });
}

QByteArray prettyBody(const QByteArray& body, const QString& contentType)
{
    APIResponse response;
    response.headers.insert(u"Content-Type"_s, contentType);
    response.body = body;
    return response.prettyBody();
}

void checkBody(const QByteArray& bytes)
{
    const bool utf8 = QUtf8StringView(bytes).isValidUtf8();
    for (const QString& type : {u"application/json"_s, u"application/problem+json"_s, u"text/xml"_s,
             u"text/html; charset=utf-8"_s, u"text/plain"_s}) {
        const QByteArray shown = prettyBody(bytes, type);
        require(QUtf8StringView(shown).isValidUtf8(), "the pretty view is valid UTF-8");
        if (type.contains(u"xml") || type.contains(u"html")) {
            // Markup is indented for reading once; indenting it again adds more, by design.
            if (utf8)
                checkMarkup(QString::fromUtf8(bytes), QString::fromUtf8(shown));
            continue;
        }
        require(prettyBody(shown, type) == shown, "the pretty view of the pretty view is the same",
            [&] { return type.toUtf8() + "\n" + shown; });
        if (!type.contains(u"json")) {
            require(shown == (utf8 ? bytes : QByteArray(kUndecodableBodyText)),
                "a plain body is shown as it came");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = inputBytes(data, size);
    checkJson(bytes);
    checkMarkup(QString::fromUtf8(bytes), formatXML(QString::fromUtf8(bytes)));
    checkBody(bytes);
    return 0;
}
