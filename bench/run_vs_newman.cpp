// Collection runs against the loopback peer, whole process each, against `newman run` of the same
// collection in Postman form. First 500 plain requests from the Mako collection file (target: at
// least 10x faster); then 300 requests that each carry a typical test script (a status check,
// checks of the JSON body, an environment variable set), the Postman file for both (target: at
// most 0.2x newman's time, with the same test verdicts). newman is installed by `make bench`
// through npm; without it only the mako side is reported.

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
constexpr int kScriptedRequests = 300;

// What a shared collection typically checks after each request.
const char kTestScript[] = R"(pm.test('status is 200', function () {
    pm.response.to.have.status(200);
});
var body = pm.response.json();
pm.test('the body echoes the request', function () {
    pm.expect(body).to.have.property('target');
    pm.expect(body.method).to.be.oneOf(['GET', 'POST']);
    pm.expect(body.headers['X-Run']).to.eql('bench');
});
pm.environment.set('lastTarget', body.target);)";

// newman reads a URL object from its parts (host, path), so the URL is given as text.
QByteArray postmanForm(const Collection& collection)
{
    QJsonArray items;
    for (const APIRequest& request : collection.requests) {
        QJsonArray headers;
        for (const KeyValuePair& row : request.headers)
            headers.append(QJsonObject {{u"key"_s, row.key}, {u"value"_s, row.value}});
        QJsonObject postmanRequest {
            {u"method"_s, methodName(request)}, {u"header"_s, headers}, {u"url"_s, request.url}};
        if (request.bodyType == RequestBodyType::json)
            postmanRequest.insert(
                u"body"_s, QJsonObject {{u"mode"_s, u"raw"_s}, {u"raw"_s, request.body}});
        QJsonObject item {{u"name"_s, request.name}, {u"request"_s, postmanRequest}};
        if (!request.testScript.isEmpty()) {
            const QJsonObject script {{u"type"_s, u"text/javascript"_s},
                {u"exec"_s, QJsonArray::fromStringList(request.testScript.split(u'\n'))}};
            item.insert(u"event"_s,
                QJsonArray {QJsonObject {{u"listen"_s, u"test"_s}, {u"script"_s, script}}});
        }
        items.append(item);
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

QJsonObject readObject(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

// Passed and failed tests of the last mako-cli and newman JSON reports.
std::pair<int, int> makoVerdicts(const QString& path)
{
    int passed = 0, failed = 0;
    for (const QJsonValue& result : readObject(path)[u"results"_s].toArray()) {
        for (const QJsonValue& test : result[u"tests"_s].toArray())
            ++(test[u"passed"_s].toBool() ? passed : failed);
    }
    return {passed, failed};
}

std::pair<int, int> newmanVerdicts(const QString& path)
{
    const QJsonObject assertions
        = readObject(path)[u"run"_s][u"stats"_s][u"assertions"_s].toObject();
    const int failed = assertions[u"failed"_s].toInt();
    return {assertions[u"total"_s].toInt() - failed, failed};
}

int scriptedRun(const test::HttpTestServer& server, const QTemporaryDir& dir, bool haveNewman)
{
    Collection collection = generateRunCollection(kScriptedRequests);
    for (APIRequest& request : collection.requests)
        request.testScript = QString::fromUtf8(kTestScript);
    const QString postmanFile = dir.filePath(u"scripted.postman_collection.json"_s);
    const QString environmentFile = dir.filePath(u"bench.postman_environment.json"_s);
    if (!write(postmanFile, postmanForm(collection))
        || !write(environmentFile, R"({"name": "Bench", "values": []})"))
        return 1;
    const std::string base = "base=" + server.baseUrl().toStdString();
    const QString makoReport = dir.filePath(u"mako-report.json"_s);
    const QString newmanReport = dir.filePath(u"newman-report.json"_s);
    std::vector<std::vector<std::string>> commands {
        {MAKO_CLI_PATH, "run", postmanFile.toStdString(), "-e", environmentFile.toStdString(),
            "--var", base, "--json", "-o", makoReport.toStdString()}};
    if (haveNewman)
        commands.push_back({MAKO_NEWMAN_PATH, "run", postmanFile.toStdString(), "-e",
            environmentFile.toStdString(), "--global-var", base, "-r", "json",
            "--reporter-json-export", newmanReport.toStdString()});
    constexpr int kRuns = 3;
    const std::vector<double> medians = bench::medianTimes(commands, kRuns);
    if (medians[0] < 0) {
        std::fprintf(stderr, "a scripted run failed (every test should pass against the peer)\n");
        return 1;
    }
    const auto [makoPassed, makoFailed] = makoVerdicts(makoReport);
    std::printf("\n%d requests with a test script each, whole process, median of %d runs\n",
        kScriptedRequests, kRuns);
    std::printf(
        "mako-cli run: %.3f s (%d tests passed, %d failed)\n", medians[0], makoPassed, makoFailed);
    if (!haveNewman)
        return 0;
    const auto [newmanPassed, newmanFailed] = newmanVerdicts(newmanReport);
    std::printf("newman run:   %.3f s (%d tests passed, %d failed)\n", medians[1], newmanPassed,
        newmanFailed);
    std::printf("ratio: mako-cli run takes %.3fx the time of newman run (target: at most 0.2x); "
                "same verdicts: %s\n",
        medians[0] / medians[1],
        makoPassed == newmanPassed && makoFailed == newmanFailed ? "yes" : "no");
    return 0;
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
    } else {
        std::printf("newman run:   %.3f s\n", medians[1]);
        std::printf("speed: mako-cli run is %.1fx faster than newman run (target: at least 10x)\n",
            medians[1] / medians[0]);
    }
    return scriptedRun(server, dir, haveNewman);
}
