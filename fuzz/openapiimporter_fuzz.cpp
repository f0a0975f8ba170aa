// OpenAPI and Swagger documents come from anywhere, as JSON or YAML, with references that may
// loop or lead nowhere. Besides the properties of importcheck.h:
// - every request's URL starts at {{baseUrl}}, which the new environment defines first.

#include "importcheck.h"
#include "interchange/openapiimporter.h"

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace mako;
    using namespace mako::fuzz;
    const auto imported = OpenAPIImporter::importDocument(inputBytes(data, size));
    if (!imported)
        return 0;
    require(imported->variables.has_value()
            && imported->variables->variables.value(0).key == u"baseUrl"_s,
        "the environment defines baseUrl first");
    for (const APIRequest& request : imported->collection.requests)
        require(request.url.startsWith(u"{{baseUrl}}"_s), "a request's URL starts at {{baseUrl}}",
            [&] { return request.url.toUtf8(); });
    checkImport(imported.value(), {*imported->variables});
    return 0;
}
