#pragma once

#include "model/apirequest.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace mako {

/// The JSON body of a GraphQL query sent over HTTP.
struct GraphQLRequest {
    QString query;
    /// Variables as JSON text; may be empty.
    QString variables;
    /// The operation to run; may be empty.
    QString operationName;

    /// Compact JSON with "query", plus "operationName" when given and "variables", as written,
    /// when the text is a JSON object or array. Variables that do not parse are left out without
    /// complaint, so the query still goes out. Nothing only when the body cannot be written.
    std::optional<QByteArray> toHTTPBody() const;
};

/// The standard introspection document sent by makeSchemaRequest.
extern const QString kIntrospectionQuery;

/// The HTTP POST that carries a GraphQL request: JSON body, the source's headers (with
/// "Content-Type: application/json" in front unless the source has a content-type row of its
/// own, enabled or not), the source's URL and authentication, and no query parameters.
APIRequest makeGraphQLHTTPRequest(const APIRequest& source);

/// The introspection request for the endpoint at `url`: no headers but the JSON content type,
/// and no authentication.
APIRequest makeSchemaRequest(const QString& url);

} // namespace mako
