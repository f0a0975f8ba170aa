// Insomnia exports come as v4 JSON or v5 YAML, with parent ids that may point anywhere, loops
// included. Besides the properties of importcheck.h:
// - every request group becomes one folder;
// - a sub-environment holds every variable name of its base.

#include "importcheck.h"
#include "interchange/insomniaimporter.h"
#include "interchange/structureddocument.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

using namespace mako;

qsizetype groupCount(const QJsonArray& resources)
{
    qsizetype count = 0;
    for (const QJsonValue& resource : resources)
        count += resource[u"_type"_s].toString() == u"request_group"_s;
    return count;
}

QStringList names(const APIEnvironment& environment)
{
    QStringList result;
    for (const KeyValuePair& row : environment.variables)
        result.append(row.key);
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace mako::fuzz;
    const QByteArray bytes = inputBytes(data, size);
    const auto imported = InsomniaImporter::importExport(bytes);
    if (!imported)
        return 0;
    const QJsonObject root = parseJsonOrYaml(bytes).value().toObject();
    if (root.contains(u"__export_format"_s))
        require(imported->collection.collection.folders.size()
                == groupCount(root[u"resources"_s].toArray()),
            "every request group is one folder");
    // A base comes first and its sub-environments after it, named "base / sub".
    const APIEnvironment* base = nullptr;
    for (const APIEnvironment& environment : imported->environments) {
        if (!base || !environment.name.startsWith(base->name + u" / "_s)) {
            base = &environment;
            continue;
        }
        for (const QString& name : names(*base))
            require(names(environment).contains(name), "a sub-environment holds its base's names",
                [&] { return name.toUtf8(); });
    }
    checkImport(imported->collection, imported->environments);
    return 0;
}
