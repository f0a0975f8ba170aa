#pragma once

#include "model/apirequest.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

namespace mako {

/// A built-in starting point for a new request.
struct RequestTemplate {
    QUuid id;
    QString name;
    /// Icon name shown beside the name.
    QString icon;
    HTTPMethod method = HTTPMethod::get;
    QList<KeyValuePair> headers;
    RequestBodyType bodyType = RequestBodyType::none;
    QString body;
    AuthType authType = AuthType::none;
    RequestProtocol protocol = RequestProtocol::http;
    QString graphqlQuery;
    QString graphqlVariables;
    QString defaultURL;
    QStringList wsMessages;

    /// The thirteen templates, made once: their ids and header-row ids stay the same for the
    /// life of the process.
    static const QList<RequestTemplate>& builtIn();

    /// A new request (fresh id, "now") filled from the template, with one blank header row
    /// when the template has none, one blank query row, and an empty token.
    APIRequest toRequest() const;
};

} // namespace mako
