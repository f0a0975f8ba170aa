// A folder collection is edited by hand and merged by git, so any bytes may sit in any of its
// files. Each input is tried as collection.json, as a folder's folder.json, as a request file
// (at the top and in a folder) and as an environment file. Properties, for whatever decodes:
// - what encode writes decodes without a problem, and encodes to the same bytes again;
// - it decodes to the same records, every kept field (row ids aside, which are made from the
//   file's path and change when a file gets its proper name).

#include "fuzzcheck.h"
#include "interchange/foldercollection.h"

using namespace Qt::StringLiterals;

namespace {

using namespace mako;
using namespace mako::fuzz;
namespace FC = mako::FolderCollection;

QList<KeyValuePair> withoutIds(QList<KeyValuePair> rows)
{
    for (KeyValuePair& row : rows)
        row.id = QUuid();
    return rows;
}

APIRequest withoutRowIds(APIRequest request)
{
    request.headers = withoutIds(request.headers);
    request.queryParams = withoutIds(request.queryParams);
    return request;
}

bool sameKept(const FC::Contents& a, const FC::Contents& b)
{
    const Collection& x = a.collection;
    const Collection& y = b.collection;
    if (x.id != y.id || x.name != y.name || withoutIds(x.variables) != withoutIds(y.variables)
        || x.preRequestScript != y.preRequestScript || x.testScript != y.testScript
        || x.authType != y.authType || x.authToken != y.authToken || x.authDomain != y.authDomain
        || x.awsRegion != y.awsRegion || x.awsService != y.awsService
        || x.awsSessionToken != y.awsSessionToken || x.oauth2 != y.oauth2
        || x.requests.size() != y.requests.size() || x.folders.size() != y.folders.size()
        || a.environments.size() != b.environments.size())
        return false;
    for (qsizetype i = 0; i < x.requests.size(); ++i) {
        if (withoutRowIds(x.requests[i]) != withoutRowIds(y.requests[i]))
            return false;
    }
    for (qsizetype i = 0; i < x.folders.size(); ++i) {
        if (!sameFolder(x.folders[i], y.folders[i])
            || x.folders[i].preRequestScript != y.folders[i].preRequestScript
            || x.folders[i].testScript != y.folders[i].testScript)
            return false;
    }
    for (qsizetype i = 0; i < a.environments.size(); ++i) {
        const APIEnvironment& e = a.environments[i];
        const APIEnvironment& f = b.environments[i];
        if (e.id != f.id || e.name != f.name || withoutIds(e.variables) != withoutIds(f.variables)
            || e.isActive != f.isActive)
            return false;
    }
    return true;
}

QByteArray listing(const FC::Files& files)
{
    QByteArray text;
    for (auto it = files.begin(); it != files.end(); ++it)
        text += "--- " + it.key().toUtf8() + "\n" + it.value();
    return text;
}

void check(const FC::Files& files)
{
    const auto first = FC::decode(files);
    if (!first)
        return;
    const FC::Files written = FC::encode(first->contents);
    const auto again = FC::decode(written);
    require(
        again && again->problems.isEmpty(), "what encode writes decodes without a problem", [&] {
            return (again ? again->problems.value(0).path + u": "_s
                               + again->problems.value(0).reason
                          : again.errorMessage())
                       .toUtf8()
                + "\n" + listing(written);
        });
    require(FC::encode(again->contents) == written, "what encode writes encodes to the same bytes",
        [&] { return listing(written) + "\n=== again\n" + listing(FC::encode(again->contents)); });
    require(sameKept(first->contents, again->contents),
        "what encode writes decodes to the records it was written from",
        [&] { return listing(written); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = inputBytes(data, size);
    check({{u"collection.json"_s, bytes}});
    check({
        {u"collection.json"_s, R"({"name": "Fuzz", "folders": ["users"], "requests": ["b.json"]})"},
        {u"users/folder.json"_s, bytes},
        {u"users/a.json"_s, bytes},
        {u"b.json"_s, bytes},
        {u"environments/e.json"_s, bytes},
    });
    return 0;
}
