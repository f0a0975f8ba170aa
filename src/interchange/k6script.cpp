// Load-test scripts: the request, or a whole collection, as a k6 script. Mako grows no load
// generator of its own; the user takes these to the tool made for it.
#include "interchange/codegenerator.h"
#include "interchange/interchangeutil.h"
#include "interchange/snippetrequest.h"
#include "model/collection.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako::CodeGenerator {

namespace {

using Header = SnippetRequest::Header;

// Fixed, so the same collection gives the same script; no form value is likely to hold it.
constexpr auto kFormBoundary = "MakoK6FormBoundary7MA4YWxkTrZu0gW";

// A JavaScript expression for a text in which every {{name}} is read from the variables
// `k6 run -e name=value` passes in. Dynamic {{$name}} variables have no such value and stay
// as written.
QString k6Text(const QString& text)
{
    static const QRegularExpression placeholder(u"\\{\\{([^{}$][^{}]*)\\}\\}"_s);
    static const QRegularExpression identifier(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    QStringList pieces;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text)) {
        if (match.capturedStart() > from)
            pieces.append(doubleQuoted(text.mid(from, match.capturedStart() - from)));
        const QString name = match.captured(1);
        pieces.append(identifier.match(name).hasMatch() ? u"__ENV."_s + name
                                                        : u"__ENV["_s + doubleQuoted(name) + u']');
        from = match.capturedEnd();
    }
    if (from < text.size() || pieces.isEmpty())
        pieces.append(doubleQuoted(text.mid(from)));
    // A lone lookup is joined to "" so that a missing variable reads as text, not undefined.
    if (pieces.size() == 1 && pieces.first().startsWith(u"__ENV"_s))
        pieces.prepend(u"\"\""_s);
    return pieces.join(u" + "_s);
}

// k6 answers Digest and NTLM challenges itself from credentials in the URL; it has nothing for
// the other kinds, which get the comment every language without them gets.
bool k6Answers(const SnippetRequest& outgoing)
{
    const bool kind = outgoing.auth.scheme == TransferAuth::Scheme::digest
        || outgoing.auth.scheme == TransferAuth::Scheme::ntlm;
    return kind && outgoing.url.contains(u"://"_s);
}

QString k6Note(const SnippetRequest& outgoing)
{
    return k6Answers(outgoing) ? QString() : authNote(outgoing, u"//"_s);
}

QString urlWithCredentials(const SnippetRequest& outgoing)
{
    if (!k6Answers(outgoing))
        return outgoing.url;
    QString url = outgoing.url;
    url.insert(url.indexOf(u"://"_s) + 3,
        percentEncoded(outgoing.auth.username) + u':' + percentEncoded(outgoing.auth.password)
            + u'@');
    return url;
}

QString multipartBody(const QList<Header>& fields)
{
    const QString boundary = QString::fromLatin1(kFormBoundary);
    QString body;
    for (const Header& field : fields) {
        const QString name = QString(field.name).replace(u"\""_s, u"%22"_s);
        body += u"--"_s + boundary + u"\r\nContent-Disposition: form-data; name=\""_s + name
            + u"\"\r\n\r\n"_s + field.value + u"\r\n"_s;
    }
    return body + u"--"_s + boundary + u"--\r\n"_s;
}

// The request's lines at `indent`: `assign` and the call sending it, and a check of its
// status. `tag` names the request in k6's results; a tagged request of a collection script
// also gets its comment on what k6 cannot do, which a lone request's script has at its top.
QStringList requestLines(const APIRequest& request, const QString& indent, const QString& assign,
    const std::optional<QString>& tag)
{
    const SnippetRequest outgoing = snippetRequest(request);
    QStringList lines;
    if (const QString note = k6Note(outgoing); tag && !note.isEmpty())
        lines.append(indent + note.chopped(1));
    // k6's headers are an object: a repeated name carries its values joined by ", ", which
    // HTTP reads as the same list.
    QList<Header> headers;
    for (const Header& header : outgoing.headers) {
        const auto first = std::find_if(headers.begin(), headers.end(),
            [&](const Header& h) { return h.name.compare(header.name, Qt::CaseInsensitive) == 0; });
        if (first == headers.end())
            headers.append(header);
        else
            first->value += u", "_s + header.value;
    }
    QString body = u"null"_s;
    if (outgoing.body) {
        body = k6Text(*outgoing.body);
    } else if (outgoing.formFields) {
        // An object body would go out URL-encoded; the request sends a multipart form.
        body = k6Text(multipartBody(*outgoing.formFields));
        headers.append({u"Content-Type"_s,
            u"multipart/form-data; boundary="_s + QString::fromLatin1(kFormBoundary)});
    }
    QStringList params;
    if (!headers.isEmpty()) {
        QStringList entries;
        for (const Header& header : headers) {
            const QString key = header.name.contains(u"{{"_s) ? u'[' + k6Text(header.name) + u']'
                                                              : doubleQuoted(header.name);
            entries.append(indent + u"    "_s + key + u": "_s + k6Text(header.value) + u',');
        }
        params.append(
            indent + u"  headers: {\n"_s + entries.join(u'\n') + u'\n' + indent + u"  },"_s);
    }
    if (k6Answers(outgoing))
        params.append(indent
            + (outgoing.auth.scheme == TransferAuth::Scheme::digest ? u"  auth: \"digest\","_s
                                                                    : u"  auth: \"ntlm\","_s));
    if (tag)
        params.append(indent + u"  tags: { name: "_s + doubleQuoted(*tag) + u" },"_s);
    QString call = indent + assign + u"http.request("_s + doubleQuoted(outgoing.method) + u", "_s
        + k6Text(urlWithCredentials(outgoing));
    if (outgoing.body || outgoing.formFields || !params.isEmpty())
        call += u", "_s + body;
    if (params.isEmpty())
        lines.append(call + u");"_s);
    else
        lines << call + u", {"_s << params << indent + u"});"_s;
    const QString label = (tag ? *tag + u": "_s : QString()) + u"status is 2xx"_s;
    lines.append(indent + u"check(res, { "_s + doubleQuoted(label)
        + u": (r) => r.status >= 200 && r.status < 300 });"_s);
    return lines;
}

QStringList scriptHead(bool groups)
{
    return {u"import http from \"k6/http\";"_s,
        groups ? u"import { check, group } from \"k6\";"_s : u"import { check } from \"k6\";"_s,
        u""_s};
}

} // namespace

QString generateK6(const APIRequest& request)
{
    QStringList lines = scriptHead(false);
    if (const QString note = k6Note(snippetRequest(request)); !note.isEmpty())
        lines.prepend(note.chopped(1));
    lines << u"export default function () {"_s
          << requestLines(request, u"  "_s, u"const res = "_s, std::nullopt) << u"}"_s;
    return lines.join(u'\n') + u'\n';
}

QString generateK6Collection(const Collection& collection)
{
    QHash<QUuid, const CollectionFolder*> folderOf;
    for (const CollectionFolder& folder : collection.folders) {
        for (const QUuid& id : folder.requestIDs)
            folderOf.insert(id, &folder);
    }
    const bool groups = std::any_of(collection.requests.cbegin(), collection.requests.cend(),
        [&](const APIRequest& request) { return folderOf.contains(request.id); });
    QStringList lines = scriptHead(groups);
    lines << u"// One scenario: every request of "_s + doubleQuoted(collection.name)
            + u" in the order a collection run sends them."_s
          << u"// Set the load here, or on the command line: k6 run --vus 10 --duration 30s"_s
          << u"export const options = {"_s << u"  vus: 1,"_s << u"  iterations: 1,"_s << u"};"_s
          << u""_s << u"export default function () {"_s << u"  let res;"_s;
    // The requests keep the run's order: a folder's requests that follow one another share
    // one group.
    const CollectionFolder* open = nullptr;
    for (const APIRequest& request : collection.requests) {
        const CollectionFolder* folder = folderOf.value(request.id);
        if (folder != open) {
            if (open)
                lines.append(u"  });"_s);
            if (folder)
                lines.append(u"  group("_s + doubleQuoted(folder->name) + u", function () {"_s);
            open = folder;
        }
        const QString indent = folder ? u"    "_s : u"  "_s;
        lines << indent + u"// "_s + doubleQuoted(request.name)
              << requestLines(
                     withInheritedAuth(request, &collection), indent, u"res = "_s, request.name);
    }
    if (open)
        lines.append(u"  });"_s);
    lines.append(u"}"_s);
    return lines.join(u'\n') + u'\n';
}

} // namespace mako::CodeGenerator
