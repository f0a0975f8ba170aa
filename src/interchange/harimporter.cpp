#include "interchange/harimporter.h"

#include "interchange/interchangeutil.h"
#include "model/recordjson.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QSet>

using namespace Qt::StringLiterals;

namespace mako::HarImporter {

namespace {

using PostmanImporter::CollectionImport;
using PostmanImporter::LeftOutKind;

bool isAutomaticHeader(const QString& name)
{
    static const QSet<QString> automatic {u"host"_s, u"connection"_s, u"keep-alive"_s,
        u"proxy-connection"_s, u"transfer-encoding"_s, u"te"_s, u"trailer"_s, u"upgrade"_s,
        u"content-length"_s, u"accept-encoding"_s};
    return name.startsWith(u':') || automatic.contains(name.toLower());
}

QString mimeEssence(const QString& type)
{
    return type.section(u';', 0, 0).trimmed().toLower();
}

bool isContentType(const KeyValuePair& row)
{
    return row.key.compare(u"Content-Type"_s, Qt::CaseInsensitive) == 0;
}

void warn(CollectionImport& result, const QString& subject, LeftOutKind kind, const QString& text)
{
    result.warnings.append(subject + u": "_s + text);
    result.warningKinds.append(kind);
}

void applyBody(CollectionImport& result, APIRequest& request, const QJsonObject& postData)
{
    const QString type = mimeEssence(postData[u"mimeType"_s].toString());
    const QString text = postData[u"text"_s].toString();
    const QJsonArray params = postData[u"params"_s].toArray();
    const bool multipart = type.startsWith(u"multipart/"_s);
    // Form rows go out as multipart, so a URL-encoded form without its text is written out as
    // that text.
    if (!params.isEmpty() && text.isEmpty() && type == u"application/x-www-form-urlencoded"_s) {
        QStringList pairs;
        for (const QJsonValue& value : params)
            pairs.append(percentEncoded(value[u"name"_s].toString()) + u'='
                + percentEncoded(value[u"value"_s].toString()));
        request.body = pairs.join(u'&');
        request.bodyType = RequestBodyType::raw;
        if (std::ranges::none_of(request.headers, isContentType))
            request.headers.append(KeyValuePair {
                .key = u"Content-Type"_s, .value = postData[u"mimeType"_s].toString()});
        return;
    }
    if (!params.isEmpty() && (multipart || text.isEmpty())) {
        request.bodyType = RequestBodyType::formData;
        // The browser's Content-Type names its own boundary; sending writes one for the rows.
        request.headers.removeIf(isContentType);
        for (const QJsonValue& value : params) {
            const QJsonObject param = value.toObject();
            const bool file = param.contains(u"fileName"_s);
            const QString name = param[u"name"_s].toString();
            request.queryParams.append(KeyValuePair {.key = name,
                .value = file ? param[u"fileName"_s].toString() : param[u"value"_s].toString(),
                .isEnabled = !file});
            if (file)
                warn(result, request.name, LeftOutKind::file,
                    QCoreApplication::translate(
                        "mako::HarImporter", "file field \"%1\" left without its file")
                        .arg(name));
        }
        return;
    }
    if (text.isEmpty())
        return;
    request.body = text;
    request.bodyType = type == u"application/json"_s || type.endsWith(u"+json"_s)
        ? RequestBodyType::json
        : RequestBodyType::raw;
    if (request.bodyType == RequestBodyType::raw && !type.isEmpty()
        && std::ranges::none_of(request.headers, isContentType))
        request.headers.append(
            KeyValuePair {.key = u"Content-Type"_s, .value = postData[u"mimeType"_s].toString()});
}

} // namespace

bool isCapture(const QJsonObject& root)
{
    return root[u"log"_s][u"entries"_s].isArray();
}

Result<CollectionImport> importCapture(const QJsonObject& root)
{
    if (!isCapture(root))
        return Error {QCoreApplication::translate(
            "mako::HarImporter", "The file is not a HAR capture (\"log.entries\" is missing).")};
    const QString page = root[u"log"_s][u"pages"_s].toArray().at(0)[u"title"_s].toString();
    CollectionImport result {
        .collection = Collection {.name = page.trimmed().isEmpty()
                ? QCoreApplication::translate("mako::HarImporter", "HAR Import")
                : page.trimmed()}};
    for (const QJsonValue& entryValue : root[u"log"_s][u"entries"_s].toArray()) {
        const QJsonObject source = entryValue.toObject()[u"request"_s].toObject();
        const QString url = source[u"url"_s].toString();
        APIRequest request {.name = nameFromURL(url), .url = url, .headers = {}, .queryParams = {}};
        const QString method = source[u"method"_s].toString();
        if (!setMethodName(request, method.isEmpty() ? u"GET"_s : method)) {
            warn(result, request.name, LeftOutKind::unsupportedMethod,
                QCoreApplication::translate(
                    "mako::HarImporter", "skipped, the method %1 cannot be sent")
                    .arg(method));
            continue;
        }
        QStringList cookies;
        for (const QJsonValue& cookie : source[u"cookies"_s].toArray())
            cookies.append(cookie[u"name"_s].toString() + u'=' + cookie[u"value"_s].toString());
        for (const QJsonValue& value : source[u"headers"_s].toArray()) {
            const QString name = value[u"name"_s].toString();
            // The cookies list says the same as the Cookie header, one cookie at a time.
            if (name.isEmpty() || isAutomaticHeader(name)
                || (!cookies.isEmpty() && name.compare(u"Cookie"_s, Qt::CaseInsensitive) == 0))
                continue;
            request.headers.append(
                KeyValuePair {.key = name, .value = value[u"value"_s].toString()});
        }
        if (!cookies.isEmpty())
            request.headers.append(
                KeyValuePair {.key = u"Cookie"_s, .value = cookies.join(u"; "_s)});
        applyBody(result, request, source[u"postData"_s].toObject());
        result.collection.requests.append(request);
    }
    return result;
}

Result<CollectionImport> importCapture(const QByteArray& bytes)
{
    const auto parsed = parseJson(bytes);
    if (!parsed)
        return parsed.error();
    return importCapture(parsed->toObject());
}

} // namespace mako::HarImporter
