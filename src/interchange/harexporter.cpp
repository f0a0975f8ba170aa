#include "interchange/harexporter.h"

#include "execution/outgoingrequest.h"
#include "interchange/interchangeutil.h"
#include "model/reasonphrase.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace mako::HarExporter {

namespace {

QJsonObject pair(const QString& name, const QString& value)
{
    return {{u"name"_s, name}, {u"value"_s, value}};
}

// The URL as it went out. A URL that still holds a {{placeholder}} cannot be built; it keeps
// its text, with the rows added as sending adds them.
QString sentURL(const APIRequest& request)
{
    const QList<KeyValuePair> rows = urlQueryRows(request);
    if (const auto built = buildURL(request.url, rows, std::nullopt))
        return built->toString(QUrl::FullyEncoded);
    QStringList added;
    for (const KeyValuePair& row : rows) {
        if (row.isApplicable())
            added.append(percentEncoded(row.key) + u'=' + percentEncoded(row.value));
    }
    if (added.isEmpty())
        return request.url.trimmed();
    QString text = request.url.trimmed();
    const qsizetype hash = text.indexOf(u'#');
    const QString fragment = hash < 0 ? QString() : text.mid(hash);
    if (hash >= 0)
        text.truncate(hash);
    return text + (text.contains(u'?') ? u'&' : u'?') + added.join(u'&') + fragment;
}

QJsonObject postData(const APIRequest& request)
{
    const KeyValuePair* type = findRow(request.headers, u"Content-Type"_s);
    const QString declared = type && type->isApplicable() ? type->value : QString();
    switch (request.bodyType) {
    case RequestBodyType::none:
        return {};
    case RequestBodyType::formData: {
        QJsonArray params;
        for (const KeyValuePair& row : request.queryParams) {
            if (row.isApplicable())
                params.append(pair(row.key, row.value));
        }
        return {{u"mimeType"_s, u"multipart/form-data"_s}, {u"params"_s, params},
            {u"text"_s, QString()}};
    }
    case RequestBodyType::json:
        return {{u"mimeType"_s, declared.isEmpty() ? u"application/json"_s : declared},
            {u"text"_s, request.body}};
    case RequestBodyType::raw:
        break;
    }
    if (request.body.isEmpty())
        return {};
    return {{u"mimeType"_s, declared}, {u"text"_s, request.body}};
}

QJsonObject requestObject(const APIRequest& request)
{
    const QString url = sentURL(request);
    QJsonArray headers;
    for (const KeyValuePair& row : request.headers) {
        if (row.isApplicable())
            headers.append(pair(row.key, row.value));
    }
    QJsonArray query;
    for (const auto& [name, value] : QUrlQuery(QUrl(url)).queryItems(QUrl::FullyDecoded))
        query.append(pair(name, value));
    QString method = methodName(request);
    if (request.requestProtocol == RequestProtocol::graphql)
        method = u"POST"_s;
    QJsonObject result {{u"method"_s, method}, {u"url"_s, url}, {u"httpVersion"_s, u"HTTP/1.1"_s},
        {u"cookies"_s, QJsonArray()}, {u"headers"_s, headers}, {u"queryString"_s, query},
        {u"headersSize"_s, -1}, {u"bodySize"_s, -1}};
    if (request.requestProtocol == RequestProtocol::graphql) {
        QJsonObject body {{u"query"_s, request.graphqlQuery}};
        if (const auto variables = QJsonDocument::fromJson(request.graphqlVariables.toUtf8());
            variables.isObject())
            body.insert(u"variables"_s, variables.object());
        result.insert(u"postData"_s,
            QJsonObject {{u"mimeType"_s, u"application/json"_s},
                {u"text"_s,
                    QString::fromUtf8(QJsonDocument(body).toJson(QJsonDocument::Compact))}});
    } else if (const QJsonObject data = postData(request); !data.isEmpty()) {
        result.insert(u"postData"_s, data);
    }
    return result;
}

QJsonObject entry(const HistoryItem& item)
{
    const double milliseconds = item.duration * 1000;
    const QJsonObject response {{u"status"_s, item.statusCode},
        {u"statusText"_s, item.statusCode > 0 ? reasonPhrase(item.statusCode) : QString()},
        {u"httpVersion"_s, QString()}, {u"cookies"_s, QJsonArray()}, {u"headers"_s, QJsonArray()},
        {u"content"_s, QJsonObject {{u"size"_s, 0}, {u"mimeType"_s, QString()}}},
        {u"redirectURL"_s, QString()}, {u"headersSize"_s, -1}, {u"bodySize"_s, -1}};
    // Only the whole time is kept; HAR counts it as the wait for the reply, the phases it
    // cannot know being -1 or 0 as the format asks.
    const QJsonObject timings {{u"blocked"_s, -1}, {u"dns"_s, -1}, {u"connect"_s, -1},
        {u"send"_s, 0}, {u"wait"_s, milliseconds}, {u"receive"_s, 0}, {u"ssl"_s, -1}};
    return {{u"startedDateTime"_s,
                timestampToDateTime(item.timestamp).toUTC().toString(Qt::ISODateWithMs)},
        {u"time"_s, milliseconds}, {u"request"_s, requestObject(item.request)},
        {u"response"_s, response}, {u"cache"_s, QJsonObject()}, {u"timings"_s, timings}};
}

} // namespace

QByteArray exportHistory(const QList<HistoryItem>& history)
{
    QJsonArray entries;
    for (const HistoryItem& item : history) {
        // A WebSocket or SSE exchange is no request and reply that HAR holds.
        if (item.request.requestProtocol == RequestProtocol::websocket
            || item.request.requestProtocol == RequestProtocol::sse)
            continue;
        entries.append(entry(item));
    }
    const QJsonObject log {{u"version"_s, u"1.2"_s},
        {u"creator"_s,
            QJsonObject {
                {u"name"_s, u"Mako"_s}, {u"version"_s, QCoreApplication::applicationVersion()}}},
        {u"entries"_s, entries}};
    return QJsonDocument(QJsonObject {{u"log"_s, log}}).toJson(QJsonDocument::Indented);
}

} // namespace mako::HarExporter
