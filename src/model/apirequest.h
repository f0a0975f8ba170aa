#pragma once

#include "model/keyvaluepair.h"
#include "model/oauth2settings.h"
#include "model/requestenums.h"
#include "model/timestamp.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

namespace mako {

/// One request as the user composes it. Build one with designated initializers; every field
/// left out takes the value of a new request (fresh ids, fresh blank rows, "now").
struct APIRequest {
    QUuid id = QUuid::createUuid();
    QString name = QStringLiteral("New Request");
    QString url;
    HTTPMethod method = HTTPMethod::get;
    /// The method's name when `method` is `custom` ("PURGE"); empty otherwise.
    QString customMethod;
    QList<KeyValuePair> headers {KeyValuePair {}};
    /// Query parameters, and also the field list of a form-data body.
    QList<KeyValuePair> queryParams {KeyValuePair {}};
    RequestBodyType bodyType = RequestBodyType::none;
    QString body;
    AuthType authType = AuthType::none;
    /// The credential: the token, the API key, "username:password" (Basic, Digest, NTLM,
    /// Negotiate) or "accessKey:secretKey" (AWS Signature). For OAuth 2.0 it is the access token
    /// of one send, put there just before it goes and never stored.
    QString authToken;
    /// The NTLM domain; empty for none.
    QString authDomain;
    /// Where an AWS signature is valid ("us-east-1", "s3") and the temporary credentials'
    /// session token, if any.
    QString awsRegion;
    QString awsService;
    QString awsSessionToken;
    OAuth2Settings oauth2;
    QStringList tags;
    RequestProtocol requestProtocol = RequestProtocol::http;
    QString graphqlQuery;
    QString graphqlVariables;
    QString graphqlOperationName;
    QStringList wsMessages;
    /// JavaScript run before the request is sent, and after its response arrives; empty when
    /// the request has none.
    QString preRequestScript;
    QString testScript;
    Timestamp createdAt = currentTimestamp();
    Timestamp updatedAt = createdAt;

    bool operator==(const APIRequest&) const = default;
};

/// The method's name as sent and stored: "GET", or the custom text.
inline QString methodName(const APIRequest& request)
{
    return request.method == HTTPMethod::custom ? request.customMethod : rawValue(request.method);
}

/// Sets the method from its name: one of the seven spelled exactly, or any other method token.
/// A token that is one of the seven in other letters ("get") is refused rather than kept as a
/// method of its own, which no server would take for GET. False leaves the request as it was.
inline bool setMethodName(APIRequest& request, const QString& name)
{
    if (const auto known = fromRawValue<HTTPMethod>(name)) {
        request.method = *known;
        request.customMethod.clear();
        return true;
    }
    if (!isMethodToken(name) || fromRawValue<HTTPMethod>(name.toUpper()))
        return false;
    request.method = HTTPMethod::custom;
    request.customMethod = name;
    return true;
}

} // namespace mako
