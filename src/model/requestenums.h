#pragma once

#include <QString>

#include <array>
#include <optional>
#include <span>

namespace mako {

// The raw value of each case is at once its stored JSON text, its wire text (methods) and its
// label in the window.

/// The seven methods the method menu lists, and `custom` for any other: its text then lives in
/// `APIRequest::customMethod`. `custom` has no raw value and is not among `allCases`.
enum class HTTPMethod { get, post, put, delete_, patch, head, options, custom };
enum class RequestBodyType { none, json, formData, raw };
/// `inherit` takes the collection's auth (none outside a collection); a collection itself never
/// has it.
enum class AuthType {
    none,
    bearer,
    basic,
    apiKey,
    digest,
    ntlm,
    negotiate,
    awsSigV4,
    oauth2,
    inherit
};
enum class RequestProtocol { http, graphql, websocket, sse };

QString rawValue(HTTPMethod value);
QString rawValue(RequestBodyType value);
QString rawValue(AuthType value);
QString rawValue(RequestProtocol value);

/// Whether `text` is a method name HTTP allows: one or more token characters (letters, digits
/// and ! # $ % & ' * + - . ^ _ ` | ~).
bool isMethodToken(QStringView text);

/// Every case of an enumeration, in declaration order.
template <typename E> std::span<const E> allCases();

template <> std::span<const HTTPMethod> allCases<HTTPMethod>();
template <> std::span<const RequestBodyType> allCases<RequestBodyType>();
template <> std::span<const AuthType> allCases<AuthType>();
template <> std::span<const RequestProtocol> allCases<RequestProtocol>();

/// The case whose raw value equals text exactly (case-sensitive), or nothing.
template <typename E> std::optional<E> fromRawValue(QStringView text)
{
    for (E value : allCases<E>()) {
        if (rawValue(value) == text)
            return value;
    }
    return std::nullopt;
}

} // namespace mako
