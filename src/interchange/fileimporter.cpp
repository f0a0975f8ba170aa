#include "interchange/fileimporter.h"

#include "interchange/harimporter.h"
#include "interchange/insomniaimporter.h"
#include "interchange/openapiimporter.h"
#include "interchange/structureddocument.h"

#include <QCoreApplication>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace mako::FileImporter {

namespace {

std::optional<Format> formatOf(const QJsonObject& root)
{
    if (OpenAPIImporter::isDocument(root))
        return Format::openAPI;
    if (HarImporter::isCapture(root))
        return Format::har;
    if (InsomniaImporter::isExport(root))
        return Format::insomnia;
    if (root.contains(u"info"_s) && root.contains(u"item"_s))
        return Format::postman;
    return std::nullopt;
}

Import withVariables(Format format, PostmanImporter::CollectionImport collection)
{
    Import result {.format = format, .collection = std::move(collection), .environments = {}};
    if (result.collection.variables)
        result.environments.append(*result.collection.variables);
    return result;
}

} // namespace

std::optional<Format> detectFormat(const QByteArray& bytes)
{
    const auto parsed = parseJsonOrYaml(bytes);
    return parsed ? formatOf(parsed->toObject()) : std::nullopt;
}

QString formatName(Format format)
{
    switch (format) {
    case Format::postman:
        return QCoreApplication::translate("mako::FileImporter", "Postman collection");
    case Format::openAPI:
        return QCoreApplication::translate("mako::FileImporter", "OpenAPI document");
    case Format::har:
        return QCoreApplication::translate("mako::FileImporter", "HAR capture");
    case Format::insomnia:
        return QCoreApplication::translate("mako::FileImporter", "Insomnia export");
    }
    return {};
}

Result<Import> importCollection(const QByteArray& bytes)
{
    const auto parsed = parseJsonOrYaml(bytes);
    const std::optional<Format> format = parsed ? formatOf(parsed->toObject()) : std::nullopt;
    const QJsonObject root = parsed ? parsed->toObject() : QJsonObject();
    switch (format.value_or(Format::postman)) {
    case Format::openAPI: {
        auto imported = OpenAPIImporter::importDocument(root);
        if (!imported)
            return imported.error();
        return withVariables(Format::openAPI, std::move(imported).value());
    }
    case Format::har: {
        auto imported = HarImporter::importCapture(root);
        if (!imported)
            return imported.error();
        return withVariables(Format::har, std::move(imported).value());
    }
    case Format::insomnia: {
        auto imported = InsomniaImporter::importExport(root);
        if (!imported)
            return imported.error();
        return Import {.format = Format::insomnia,
            .collection = std::move(imported->collection),
            .environments = imported->environments};
    }
    case Format::postman:
        break;
    }
    auto imported = PostmanImporter::importCollection(bytes);
    if (!imported)
        return imported.error();
    return withVariables(Format::postman, std::move(imported).value());
}

} // namespace mako::FileImporter
