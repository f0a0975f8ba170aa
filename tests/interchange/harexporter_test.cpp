#include "fixture.h"
#include "interchange/harexporter.h"
#include "interchange/harimporter.h"
#include "support/qtprinters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace mako;
using namespace Qt::StringLiterals;

TEST(HarExporter, historyReadsBackAsTheRequestsThatWereSent)
{
    APIRequest get {.name = u"a"_s,
        .url = u"https://api.test/items?sort=asc"_s,
        .headers = {KeyValuePair {.key = u"Accept"_s, .value = u"text/csv"_s},
            KeyValuePair {.key = u"X-Off"_s, .value = u"1"_s, .isEnabled = false}},
        .queryParams = {KeyValuePair {.key = u"q"_s, .value = u"a b"_s},
            KeyValuePair {.key = u"page"_s, .value = u"2"_s, .isEnabled = false}}};
    APIRequest json {.name = u"b"_s,
        .url = u"https://api.test/items"_s,
        .method = HTTPMethod::post,
        .headers = {},
        .queryParams = {},
        .bodyType = RequestBodyType::json,
        .body = u"{\"id\": 1}"_s};
    APIRequest form {.name = u"c"_s,
        .url = u"https://api.test/upload"_s,
        .method = HTTPMethod::custom,
        .customMethod = u"PROPPATCH"_s,
        .headers = {},
        .queryParams = {KeyValuePair {.key = u"name"_s, .value = u"Ana"_s}},
        .bodyType = RequestBodyType::formData};
    APIRequest raw {.name = u"d"_s,
        .url = u"{{base}}/notes"_s,
        .method = HTTPMethod::put,
        .headers = {KeyValuePair {.key = u"Content-Type"_s, .value = u"text/plain"_s}},
        .queryParams = {},
        .bodyType = RequestBodyType::raw,
        .body = u"hello"_s};
    const QList<HistoryItem> history {
        HistoryItem {.request = get, .statusCode = 200, .duration = 0.25, .timestamp = 10},
        HistoryItem {.request = json, .statusCode = 201, .duration = 1},
        HistoryItem {.request = form, .statusCode = 0},
        HistoryItem {.request = raw, .statusCode = 404}};
    const QByteArray bytes = HarExporter::exportHistory(history);

    const auto back = HarImporter::importCapture(bytes);
    ASSERT_TRUE(back.ok()) << back.errorMessage().toStdString();
    QStringList requests;
    for (const APIRequest& request : back->collection.requests)
        requests.append(summary(request).section(u": "_s, 1));
    EXPECT_EQ(requests,
        (QStringList {u"GET https://api.test/items?sort=asc&q=a%20b H[Accept=text/csv]"_s,
            u"POST https://api.test/items JSON[{\"id\": 1}]"_s,
            u"PROPPATCH https://api.test/upload Q[name=Ana] Form Data[]"_s,
            u"PUT {{base}}/notes H[Content-Type=text/plain] Raw[hello]"_s}));

    const QJsonObject first
        = QJsonDocument::fromJson(bytes).object()[u"log"_s][u"entries"_s][0].toObject();
    EXPECT_EQ(first[u"startedDateTime"_s].toString(), u"2001-01-01T00:00:10.000Z"_s);
    EXPECT_EQ(first[u"time"_s].toDouble(), 250);
    EXPECT_EQ(first[u"response"_s][u"status"_s].toInt(), 200);
    EXPECT_EQ(first[u"response"_s][u"statusText"_s].toString(), u"OK"_s);
    EXPECT_EQ(first[u"request"_s][u"queryString"_s].toArray(),
        (QJsonArray {QJsonObject {{u"name"_s, u"sort"_s}, {u"value"_s, u"asc"_s}},
            QJsonObject {{u"name"_s, u"q"_s}, {u"value"_s, u"a b"_s}}}));
}
