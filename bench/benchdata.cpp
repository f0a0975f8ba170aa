#include "benchdata.h"

#include <random>

namespace mako::bench {

using namespace Qt::StringLiterals;

QByteArray generateJsonBody(qsizetype bytes)
{
    std::mt19937_64 rng(2026);
    QByteArray out;
    out.reserve(bytes + 1024);
    out += '[';
    for (qint64 i = 0; out.size() < bytes; ++i) {
        if (i > 0)
            out += ',';
        out += "{\"id\":";
        out += QByteArray::number(9007199254740993LL + qint64(rng() % 1000000));
        out += ",\"name\":\"User ";
        out += QByteArray::number(i);
        out += " \\u00e9\",\"email\":\"user";
        out += QByteArray::number(i);
        out += "@example.com\",\"score\":";
        out += QByteArray::number(double(rng() % 100000) / 100.0, 'f', 2);
        out += ",\"active\":";
        out += (rng() % 2) ? "true" : "false";
        out += ",\"tags\":[\"a\",\"b/c\",\"d\"],\"address\":{\"zip\":\"";
        out += QByteArray::number(qint64(rng() % 100000));
        out += "\",\"city\":\"Zürich\",\"geo\":{\"lat\":47.3769,\"lng\":8.5417}},\"note\":null}";
    }
    out += ']';
    return out;
}

QList<Collection> generateCollections(int requestCount, int collectionCount)
{
    QList<Collection> collections;
    for (int c = 0; c < collectionCount; ++c)
        collections.append(Collection {.name = u"Collection %1"_s.arg(c)});
    for (int i = 0; i < requestCount; ++i) {
        APIRequest request {
            .name = u"Request %1"_s.arg(i),
            .url = u"https://{{host}}/api/v1/items/%1?expand=true"_s.arg(i),
            .method = HTTPMethod::post,
            .headers = {KeyValuePair {.key = u"Content-Type"_s, .value = u"application/json"_s},
                KeyValuePair {.key = u"Accept"_s, .value = u"application/json"_s},
                KeyValuePair {.key = u"X-Trace"_s, .value = u"%1"_s.arg(i)}, KeyValuePair {}},
            .bodyType = RequestBodyType::json,
            .body = u"{\"name\":\"item %1\",\"price\":12.5,\"tags\":[\"x\",\"y\"]}"_s.arg(i),
            .authType = AuthType::bearer,
            .authToken = u"{{token}}"_s,
        };
        collections[i % collectionCount].requests.append(std::move(request));
    }
    return collections;
}

Collection generateRunCollection(int count)
{
    Collection collection {.name = u"Bench"_s};
    for (int i = 0; i < count; ++i) {
        APIRequest request {.name = u"Request %1"_s.arg(i),
            .url = u"{{base}}/items/%1"_s.arg(i),
            .headers = {{.key = u"X-Run"_s, .value = u"bench"_s}}};
        if (i % 3 == 0) {
            request.method = HTTPMethod::post;
            request.bodyType = RequestBodyType::json;
            request.body = u"{\"id\":%1,\"name\":\"item\"}"_s.arg(i);
            request.headers.append({.key = u"Content-Type"_s, .value = u"application/json"_s});
        }
        collection.requests.append(request);
    }
    return collection;
}

} // namespace mako::bench
