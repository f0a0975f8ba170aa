#include "model/requestenums.h"

#include <algorithm>

namespace mako {

using namespace Qt::StringLiterals;

namespace {

constexpr std::array kMethods {HTTPMethod::get, HTTPMethod::post, HTTPMethod::put,
    HTTPMethod::delete_, HTTPMethod::patch, HTTPMethod::head, HTTPMethod::options};
constexpr std::array kBodyTypes {
    RequestBodyType::none, RequestBodyType::json, RequestBodyType::formData, RequestBodyType::raw};
constexpr std::array kAuthTypes {AuthType::none, AuthType::bearer, AuthType::basic,
    AuthType::apiKey, AuthType::digest, AuthType::ntlm, AuthType::negotiate, AuthType::awsSigV4,
    AuthType::oauth2, AuthType::inherit};
constexpr std::array kProtocols {RequestProtocol::http, RequestProtocol::graphql,
    RequestProtocol::websocket, RequestProtocol::sse};

} // namespace

QString rawValue(HTTPMethod value)
{
    switch (value) {
    case HTTPMethod::get:
        return u"GET"_s;
    case HTTPMethod::post:
        return u"POST"_s;
    case HTTPMethod::put:
        return u"PUT"_s;
    case HTTPMethod::delete_:
        return u"DELETE"_s;
    case HTTPMethod::patch:
        return u"PATCH"_s;
    case HTTPMethod::head:
        return u"HEAD"_s;
    case HTTPMethod::options:
        return u"OPTIONS"_s;
    case HTTPMethod::custom:
        break;
    }
    return QString();
}

bool isMethodToken(QStringView text)
{
    static constexpr QStringView kSymbols = u"!#$%&'*+-.^_`|~";
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
            || kSymbols.contains(c);
    });
}

QString rawValue(RequestBodyType value)
{
    switch (value) {
    case RequestBodyType::none:
        return u"None"_s;
    case RequestBodyType::json:
        return u"JSON"_s;
    case RequestBodyType::formData:
        return u"Form Data"_s;
    case RequestBodyType::raw:
        return u"Raw"_s;
    }
    return QString();
}

QString rawValue(AuthType value)
{
    switch (value) {
    case AuthType::none:
        return u"None"_s;
    case AuthType::bearer:
        return u"Bearer Token"_s;
    case AuthType::basic:
        return u"Basic Auth"_s;
    case AuthType::apiKey:
        return u"API Key"_s;
    case AuthType::digest:
        return u"Digest Auth"_s;
    case AuthType::ntlm:
        return u"NTLM"_s;
    case AuthType::negotiate:
        return u"Negotiate"_s;
    case AuthType::awsSigV4:
        return u"AWS Signature"_s;
    case AuthType::oauth2:
        return u"OAuth 2.0"_s;
    case AuthType::inherit:
        return u"Inherit"_s;
    }
    return QString();
}

QString rawValue(RequestProtocol value)
{
    switch (value) {
    case RequestProtocol::http:
        return u"HTTP"_s;
    case RequestProtocol::graphql:
        return u"GraphQL"_s;
    case RequestProtocol::websocket:
        return u"WebSocket"_s;
    case RequestProtocol::sse:
        return u"SSE"_s;
    }
    return QString();
}

template <> std::span<const HTTPMethod> allCases<HTTPMethod>()
{
    return kMethods;
}

template <> std::span<const RequestBodyType> allCases<RequestBodyType>()
{
    return kBodyTypes;
}

template <> std::span<const AuthType> allCases<AuthType>()
{
    return kAuthTypes;
}

template <> std::span<const RequestProtocol> allCases<RequestProtocol>()
{
    return kProtocols;
}

} // namespace mako
