#include "interchange/codegenerator.h"

#include "execution/outgoingrequest.h"
#include "interchange/interchangeutil.h"
#include "interchange/snippetrequest.h"

#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako::CodeGenerator {

namespace {

using Header = SnippetRequest::Header;

// curl and PHP's curl send "Name:" as "remove this header"; "Name;" sends it empty.
QString curlHeaderLine(const Header& header)
{
    return header.value.isEmpty() ? header.name + u';' : header.name + u": "_s + header.value;
}

// Both curl front ends add a form Content-Type to a body that has none; sending does not.
bool needsContentTypeRemoval(const SnippetRequest& outgoing)
{
    return outgoing.body && !outgoing.hasHeader(u"Content-Type"_s);
}

QString encodedQueryItem(const KeyValuePair& row)
{
    return percentEncoded(row.key) + u'=' + percentEncoded(row.value);
}

// curl's own options for the kinds it answers or signs itself.
void appendCurlAuth(QStringList& parts, const TransferAuth& auth)
{
    switch (auth.scheme) {
    case TransferAuth::Scheme::none:
        return;
    case TransferAuth::Scheme::digest:
        parts.append(u"--digest"_s);
        break;
    case TransferAuth::Scheme::ntlm:
        parts.append(u"--ntlm"_s);
        break;
    case TransferAuth::Scheme::negotiate:
        parts.append(u"--negotiate"_s);
        break;
    case TransferAuth::Scheme::awsSigV4:
        parts.append(u"--aws-sigv4 "_s + shellQuoted(auth.awsSigV4));
        break;
    }
    parts.append(u"-u "_s + shellQuoted(auth.username + u':' + auth.password));
}

} // namespace

QString buildURLWithParams(const APIRequest& request)
{
    QString url = request.url;
    if (!url.isEmpty() && !url.contains(u"://"_s) && !url.contains(u"{{"_s))
        url.prepend(u"https://"_s);
    const QUrl parsed(url, QUrl::StrictMode);
    if (parsed.isValid() && !url.contains(u"{{"_s))
        url = QString::fromLatin1(parsed.adjusted(QUrl::RemoveFragment).toEncoded());
    QStringList items;
    for (const KeyValuePair& row : urlQueryRows(request)) {
        if (row.isApplicable())
            items.append(encodedQueryItem(row));
    }
    if (items.isEmpty())
        return url;
    const qsizetype hash = url.indexOf(u'#');
    if (hash >= 0)
        url.truncate(hash);
    const QChar separator = !url.contains(u'?') ? u'?' : url.endsWith(u'?') ? QChar() : u'&';
    return url + (separator.isNull() ? QString() : QString(separator)) + items.join(u'&');
}

QString generateCurl(const APIRequest& request)
{
    const SnippetRequest outgoing = snippetRequest(request);
    // HEAD needs -I: with -X HEAD curl waits for a body that never comes.
    QStringList parts {
        request.method == HTTPMethod::head ? u"curl -I"_s : u"curl -X "_s + outgoing.method};
    // Brackets and braces would otherwise be read as curl's URL globbing.
    if (outgoing.url.contains(QRegularExpression(u"[\\[\\]{}]"_s)))
        parts.first() += u" -g"_s;
    for (const Header& header : outgoing.headers)
        parts.append(u"-H "_s + shellQuoted(curlHeaderLine(header)));
    if (needsContentTypeRemoval(outgoing))
        parts.append(u"-H "_s + shellQuoted(u"Content-Type:"_s));
    if (outgoing.body)
        parts.append(u"--data-raw "_s + shellQuoted(*outgoing.body));
    for (const Header& field : outgoing.formFields.value_or(QList<Header> {}))
        parts.append(u"--form-string "_s + shellQuoted(field.name + u'=' + field.value));
    appendCurlAuth(parts, outgoing.auth);
    parts.append(shellQuoted(outgoing.url));
    // curl runs no OAuth grant either: the line says where the token comes from.
    return (outgoing.oauth2TokenUrl ? authNote(outgoing, u"#"_s) : QString())
        + parts.join(u" \\\n  "_s);
}

QString generateSwift(const APIRequest& request)
{
    const SnippetRequest outgoing = snippetRequest(request);
    QStringList lines {u"let url = URL(string: "_s + swiftQuoted(outgoing.url) + u")!"_s,
        u"var request = URLRequest(url: url)"_s,
        u"request.httpMethod = "_s + swiftQuoted(outgoing.method)};
    // URLRequest keeps one value per name: a repeated name is added to it, comma-separated.
    for (qsizetype i = 0; i < outgoing.headers.size(); ++i) {
        const Header& header = outgoing.headers.at(i);
        lines.append((outgoing.repeatsName(i) ? u"request.addValue("_s : u"request.setValue("_s)
            + swiftQuoted(header.value) + u", forHTTPHeaderField: "_s + swiftQuoted(header.name)
            + u')');
    }
    if (outgoing.body)
        lines.append(
            u"request.httpBody = "_s + swiftQuoted(*outgoing.body) + u".data(using: .utf8)"_s);
    if (outgoing.formFields) {
        lines.append(u"let boundary = \"Mako-\\(UUID().uuidString)\""_s);
        lines.append(u"request.setValue(\"multipart/form-data; boundary=\\(boundary)\", "
                     "forHTTPHeaderField: \"Content-Type\")"_s);
        lines.append(u"var form = \"\""_s);
        for (const Header& field : *outgoing.formFields) {
            const QString name = QString(field.name).replace(u"\""_s, u"%22"_s);
            lines.append(u"form += \"--\\(boundary)\\r\\n\" + "_s
                + swiftQuoted(u"Content-Disposition: form-data; name=\""_s + name + u"\"\r\n\r\n"_s
                    + field.value + u"\r\n"_s));
        }
        lines.append(u"form += \"--\\(boundary)--\\r\\n\""_s);
        lines.append(u"request.httpBody = form.data(using: .utf8)"_s);
    }
    lines << u""_s << u"let (data, response) = try await URLSession.shared.data(for: request)"_s
          << u"let httpResponse = response as! HTTPURLResponse"_s
          << u"print(\"Status: \\(httpResponse.statusCode)\")"_s
          << u"print(String(data: data, encoding: .utf8) ?? \"\")"_s;
    return authNote(outgoing, u"//"_s) + lines.join(u'\n');
}

QString generateJavaScript(const APIRequest& request)
{
    const SnippetRequest outgoing = snippetRequest(request);
    QStringList lines;
    if (outgoing.formFields) {
        lines.append(u"const form = new FormData();"_s);
        for (const Header& field : *outgoing.formFields)
            lines.append(u"form.append("_s + doubleQuoted(field.name) + u", "_s
                + doubleQuoted(field.value) + u");"_s);
    }
    if (request.method == HTTPMethod::get && (outgoing.body || outgoing.formFields))
        lines.append(u"// fetch() refuses a body on GET: send this one with node:http or a "
                     "client that allows it."_s);
    lines << u"const response = await fetch("_s + doubleQuoted(outgoing.url) + u", {"_s
          << u"  method: "_s + doubleQuoted(outgoing.method) + u',';
    if (outgoing.hasRepeatedNames()) {
        // An object literal keeps the last of two equal keys; a list of pairs keeps them all.
        QStringList entries;
        for (const Header& header : outgoing.headers)
            entries.append(u"    ["_s + doubleQuoted(header.name) + u", "_s
                + doubleQuoted(header.value) + u']');
        lines.append(u"  headers: [\n"_s + entries.join(u",\n"_s) + u"\n  ],"_s);
    } else if (!outgoing.headers.isEmpty()) {
        QStringList entries;
        for (const Header& header : outgoing.headers)
            entries.append(
                u"    "_s + doubleQuoted(header.name) + u": "_s + doubleQuoted(header.value));
        lines.append(u"  headers: {\n"_s + entries.join(u",\n"_s) + u"\n  },"_s);
    }
    if (outgoing.body)
        lines.append(u"  body: "_s + doubleQuoted(*outgoing.body) + u',');
    if (outgoing.formFields)
        lines.append(u"  body: form,"_s);
    lines << u"});"_s << u"const data = await response.text();"_s << u"console.log(data);"_s;
    return authNote(outgoing, u"//"_s) + lines.join(u'\n');
}

QString generatePython(const APIRequest& request)
{
    const SnippetRequest outgoing = snippetRequest(request);
    QStringList arguments {doubleQuoted(outgoing.url)};
    if (!outgoing.headers.isEmpty()) {
        // A dict holds one value per name: repeated names join theirs with ", ", which HTTP
        // reads as the same list.
        QList<Header> merged;
        for (qsizetype i = 0; i < outgoing.headers.size(); ++i) {
            const Header& header = outgoing.headers.at(i);
            const auto first = std::find_if(merged.begin(), merged.end(), [&](const Header& m) {
                return m.name.compare(header.name, Qt::CaseInsensitive) == 0;
            });
            if (first == merged.end())
                merged.append(header);
            else
                first->value += u", "_s + header.value;
        }
        QStringList entries;
        for (const Header& header : merged)
            entries.append(doubleQuoted(header.name) + u": "_s + doubleQuoted(header.value));
        arguments.append(u"headers={"_s + entries.join(u", "_s) + u'}');
    }
    // Bytes, so that the body goes out as UTF-8 exactly as written.
    if (outgoing.body)
        arguments.append(u"data="_s + doubleQuoted(*outgoing.body) + u".encode(\"utf-8\")"_s);
    if (outgoing.formFields) {
        QStringList fields;
        for (const Header& field : *outgoing.formFields)
            fields.append(u"("_s + doubleQuoted(field.name) + u", (None, "_s
                + doubleQuoted(field.value) + u"))"_s);
        arguments.append(u"files=["_s + fields.join(u", "_s) + u']');
    }
    // requests answers a Digest challenge itself; the other kinds need add-ons.
    const bool digest = outgoing.auth.scheme == TransferAuth::Scheme::digest;
    if (digest)
        arguments.append(u"auth=HTTPDigestAuth("_s + doubleQuoted(outgoing.auth.username) + u", "_s
            + doubleQuoted(outgoing.auth.password) + u')');
    // requests has a function for each of the seven; any other method goes through request().
    const QString call = request.method == HTTPMethod::custom
        ? u"request("_s + doubleQuoted(outgoing.method) + u", "_s
        : outgoing.method.toLower() + u'(';
    return (digest ? QString() : authNote(outgoing, u"#"_s))
        + QStringList {digest ? u"import requests\nfrom requests.auth import HTTPDigestAuth"_s
                              : u"import requests"_s,
            u""_s, u"response = requests."_s + call + arguments.join(u", "_s) + u')',
            u"print(response.status_code)"_s, u"print(response.text)"_s}
              .join(u'\n');
}

} // namespace mako::CodeGenerator
