// HAR captures come from any browser or proxy. Besides the properties of importcheck.h:
// - every entry becomes one request, or one line of the report saying why it was skipped;
// - no request carries an HTTP/2 pseudo-header.

#include "importcheck.h"
#include "interchange/harimporter.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace mako;
    using namespace mako::fuzz;
    const QByteArray bytes = inputBytes(data, size);
    const auto imported = HarImporter::importCapture(bytes);
    if (!imported)
        return 0;
    const qsizetype entries
        = parseJson(bytes).value().toObject()[u"log"_s][u"entries"_s].toArray().size();
    const qsizetype skipped
        = imported->warningKinds.count(PostmanImporter::LeftOutKind::unsupportedMethod);
    require(imported->collection.requests.size() + skipped == entries,
        "every entry is a request or a skipped one");
    for (const APIRequest& request : imported->collection.requests) {
        for (const KeyValuePair& header : request.headers)
            require(!header.key.startsWith(u':'), "no pseudo-header comes along",
                [&] { return header.key.toUtf8(); });
    }
    checkImport(imported.value(), {});
    return 0;
}
