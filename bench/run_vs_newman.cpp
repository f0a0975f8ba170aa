// A 500-request collection against the loopback peer, whole process each: `mako-cli run` of the
// Mako collection file against `newman run` of the same collection in Postman form (target: at
// least 10x faster). newman is installed by `make bench` through npm; without it only the mako
// side is reported.

#include "benchdata.h"
#include "interchange/collectionexporter.h"
#include "processtiming.h"
#include "support/httptestserver.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>

using namespace mako;
using namespace mako::bench;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRequests = 500;

// newman reads a URL object from its parts (host, path), so the URL is given as text.
QByteArray postmanForm(const Collection& collection)
{
    QJsonArray items;
    for (const APIRequest& request : collection.requests) {
        QJsonArray headers;
        for (const KeyValuePair& row : request.headers)
            headers.append(QJsonObject {{u"key"_s, row.key}, {u"value"_s, row.value}});
        QJsonObject postmanRequest {{u"method"_s, rawValue(request.method)}, {u"header"_s, headers},
            {u"url"_s, request.url}};
        if (request.bodyType == RequestBodyType::json)
            postmanRequest.insert(
                u"body"_s, QJsonObject {{u"mode"_s, u"raw"_s}, {u"raw"_s, request.body}});
        items.append(QJsonObject {{u"name"_s, request.name}, {u"request"_s, postmanRequest}});
    }
    const QJsonObject info {{u"name"_s, collection.name},
        {u"schema"_s, u"https://schema.getpostman.com/json/collection/v2.1.0/collection.json"_s}};
    return QJsonDocument(QJsonObject {{u"info"_s, info}, {u"item"_s, items}}).toJson();
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    test::HttpTestServer server;
    QTemporaryDir dir;
    const Collection collection = generateRunCollection(kRequests);
    const QString makoFile = dir.filePath(u"bench.json"_s);
    const QString postmanFile = dir.filePath(u"bench.postman_collection.json"_s);
    if (!write(makoFile, CollectionExporter::exportCollection(collection))
        || !write(postmanFile, postmanForm(collection)))
        return 1;
    const std::string base = "base=" + server.baseUrl().toStdString();

    std::vector<std::vector<std::string>> commands {
        {MAKO_CLI_PATH, "run", makoFile.toStdString(), "--var", base}};
    const bool haveNewman = bench::isExecutable(MAKO_NEWMAN_PATH);
    if (haveNewman)
        commands.push_back(
            {MAKO_NEWMAN_PATH, "run", postmanFile.toStdString(), "--global-var", base});
    constexpr int kRuns = 3;
    const std::vector<double> medians = bench::medianTimes(commands, kRuns);
    if (medians[0] < 0) {
        std::fprintf(stderr, "a run failed (every request should pass against the peer)\n");
        return 1;
    }
    std::printf("%d-request collection, whole process, median of %d runs\n", kRequests, kRuns);
    std::printf("mako-cli run: %.3f s (%d requests sent to the peer)\n", medians[0],
        int(server.requests().size()) / (haveNewman ? 2 : 1) / kRuns);
    if (!haveNewman) {
        std::printf("newman run:   not installed (make bench installs it through npm into %s)\n",
            MAKO_NEWMAN_PATH);
        return 0;
    }
    std::printf("newman run:   %.3f s\n", medians[1]);
    std::printf("speed: mako-cli run is %.1fx faster than newman run (target: at least 10x)\n",
        medians[1] / medians[0]);
    return 0;
}
