// The generators whose snippets are whole programs: Go, Ruby and PHP.
#include "interchange/codegenerator.h"
#include "interchange/snippetrequest.h"

using namespace Qt::StringLiterals;

namespace mako::CodeGenerator {

namespace {

using Header = SnippetRequest::Header;

// Net::HTTP has a class for each of the seven; any other method is a generic request that may
// carry a body and expects one back.
QString rubyRequest(const APIRequest& request)
{
    if (request.method == HTTPMethod::custom)
        return u"Net::HTTPGenericRequest.new("_s + rubyQuoted(request.customMethod)
            + u", true, true, uri)"_s;
    const QString raw = rawValue(request.method);
    return u"Net::HTTP::"_s + raw.left(1) + raw.mid(1).toLower() + u".new(uri)"_s;
}

void appendGoError(QStringList& lines)
{
    lines << u"    if err != nil {"_s << u"        panic(err)"_s << u"    }"_s;
}

} // namespace

QString generateGo(const APIRequest& request)
{
    const SnippetRequest outgoing = snippetRequest(request);
    QStringList lines {u"package main"_s, u""_s, u"import ("_s};
    if (outgoing.formFields)
        lines << u"    \"bytes\""_s;
    lines << u"    \"fmt\""_s << u"    \"io\""_s;
    if (outgoing.formFields)
        lines << u"    \"mime/multipart\""_s;
    lines << u"    \"net/http\""_s;
    if (outgoing.body)
        lines << u"    \"strings\""_s;
    lines << u")"_s << u""_s << u"func main() {"_s;
    QString body = u"nil"_s;
    if (outgoing.body) {
        lines << u"    body := strings.NewReader("_s + doubleQuoted(*outgoing.body) + u')';
        body = u"body"_s;
    } else if (outgoing.formFields) {
        lines << u"    var form bytes.Buffer"_s << u"    writer := multipart.NewWriter(&form)"_s;
        for (const Header& field : *outgoing.formFields)
            lines << u"    writer.WriteField("_s + doubleQuoted(field.name) + u", "_s
                    + doubleQuoted(field.value) + u')';
        lines << u"    writer.Close()"_s;
        body = u"&form"_s;
    }
    lines << u"    req, err := http.NewRequest("_s + doubleQuoted(outgoing.method) + u", "_s
            + doubleQuoted(outgoing.url) + u", "_s + body + u')';
    appendGoError(lines);
    // Set would replace the value of a repeated name; Add sends it as a field of its own.
    for (qsizetype i = 0; i < outgoing.headers.size(); ++i) {
        const Header& header = outgoing.headers.at(i);
        lines << (outgoing.repeatsName(i) ? u"    req.Header.Add("_s : u"    req.Header.Set("_s)
                + doubleQuoted(header.name) + u", "_s + doubleQuoted(header.value) + u')';
    }
    if (outgoing.formFields)
        lines << u"    req.Header.Set(\"Content-Type\", writer.FormDataContentType())"_s;
    lines << u"    resp, err := http.DefaultClient.Do(req)"_s;
    appendGoError(lines);
    lines << u"    defer resp.Body.Close()"_s << u"    data, _ := io.ReadAll(resp.Body)"_s
          << u"    fmt.Println(resp.StatusCode)"_s << u"    fmt.Println(string(data))"_s << u"}"_s;
    return authNote(outgoing, u"//"_s) + lines.join(u'\n');
}

QString generateRuby(const APIRequest& request)
{
    const SnippetRequest outgoing = snippetRequest(request);
    QStringList lines {u"require 'net/http'"_s, u"require 'json'"_s, u"require 'uri'"_s, u""_s,
        u"uri = URI("_s + rubyQuoted(outgoing.url) + u')', u"request = "_s + rubyRequest(request)};
    for (qsizetype i = 0; i < outgoing.headers.size(); ++i) {
        const Header& header = outgoing.headers.at(i);
        lines << (outgoing.repeatsName(i)
                ? u"request.add_field("_s + rubyQuoted(header.name) + u", "_s
                    + rubyQuoted(header.value) + u')'
                : u"request["_s + rubyQuoted(header.name) + u"] = "_s + rubyQuoted(header.value));
    }
    if (outgoing.body)
        lines << u"request.body = "_s + rubyQuoted(*outgoing.body);
    if (outgoing.formFields) {
        QStringList fields;
        for (const Header& field : *outgoing.formFields)
            fields << u'[' + rubyQuoted(field.name) + u", "_s + rubyQuoted(field.value) + u']';
        lines << u"request.set_form(["_s + fields.join(u", "_s) + u"], 'multipart/form-data')"_s;
    }
    lines
        << u""_s
        << u"response = Net::HTTP.start(uri.hostname, uri.port, use_ssl: uri.scheme == 'https') { |http|"_s
        << u"  http.request(request)"_s << u"}"_s << u""_s << u"puts response.code"_s
        << u"puts response.body"_s;
    return authNote(outgoing, u"#"_s) + lines.join(u'\n');
}

QString generatePHP(const APIRequest& request)
{
    const SnippetRequest outgoing = snippetRequest(request);
    QStringList lines {u"<?php"_s, u""_s,
        u"$ch = curl_init("_s + singleQuoted(outgoing.url) + u");"_s,
        u"curl_setopt($ch, CURLOPT_RETURNTRANSFER, true);"_s,
        u"curl_setopt($ch, CURLOPT_CUSTOMREQUEST, "_s + singleQuoted(outgoing.method) + u");"_s};
    // Without it curl waits for the body that a HEAD reply announces but never sends.
    if (request.method == HTTPMethod::head)
        lines << u"curl_setopt($ch, CURLOPT_NOBODY, true);"_s;
    QStringList headerLines;
    for (const Header& header : outgoing.headers) {
        headerLines << u"    "_s
                + singleQuoted(header.value.isEmpty() ? header.name + u';'
                                                      : header.name + u": "_s + header.value);
    }
    if (outgoing.body && !outgoing.hasHeader(u"Content-Type"_s))
        headerLines << u"    'Content-Type:'"_s;
    if (!headerLines.isEmpty())
        lines << u"curl_setopt($ch, CURLOPT_HTTPHEADER, [\n"_s + headerLines.join(u",\n"_s)
                + u"\n]);"_s;
    if (outgoing.body)
        lines << u"curl_setopt($ch, CURLOPT_POSTFIELDS, "_s + singleQuoted(*outgoing.body)
                + u");"_s;
    if (outgoing.formFields) {
        QStringList fields;
        for (const Header& field : *outgoing.formFields)
            fields << singleQuoted(field.name) + u" => "_s + singleQuoted(field.value);
        lines << u"curl_setopt($ch, CURLOPT_POSTFIELDS, ["_s + fields.join(u", "_s) + u"]);"_s;
    }
    lines << u""_s << u"$response = curl_exec($ch);"_s
          << u"$httpCode = curl_getinfo($ch, CURLINFO_HTTP_CODE);"_s << u"curl_close($ch);"_s
          << u""_s << u"echo $httpCode . \"\\n\";"_s << u"echo $response;"_s;
    // After the opening tag: before it the comment would be printed as text.
    if (const QString note = authNote(outgoing, u"//"_s); !note.isEmpty())
        lines.insert(1, note.chopped(1));
    return lines.join(u'\n');
}

QStringList languages()
{
    return {
        u"cURL"_s, u"Swift"_s, u"JavaScript"_s, u"Python"_s, u"Go"_s, u"Ruby"_s, u"PHP"_s, u"k6"_s};
}

QString generate(int index, const APIRequest& request)
{
    using Generator = QString (*)(const APIRequest&);
    static constexpr Generator generators[] {generateCurl, generateSwift, generateJavaScript,
        generatePython, generateGo, generateRuby, generatePHP, generateK6};
    if (index < 0 || index >= int(std::size(generators)))
        return {};
    return generators[index](request);
}

} // namespace mako::CodeGenerator
