#pragma once

#include "execution/transferauth.h"
#include "model/apirequest.h"

#include <QList>
#include <QString>

#include <optional>

namespace mako {

/// What goes on the wire for a request, before placeholders are substituted: the view the
/// code generators render.
struct SnippetRequest {
    struct Header {
        QString name;
        QString value;
    };

    QString method;
    QString url;
    /// In order; a name (in any letter case) may repeat, and each is sent.
    QList<Header> headers;
    /// Whether the header at `index` repeats a name (in any letter case) an earlier one has:
    /// languages whose "set" replaces need their "add" for it.
    bool repeatsName(qsizetype index) const;
    /// The text body, when one is sent.
    std::optional<QString> body;
    /// The fields of a multipart form body, when one is sent (the tool picks the boundary and
    /// sets the Content-Type).
    std::optional<QList<Header>> formFields;
    /// Digest, NTLM, Negotiate or AWS Signature, which no header can stand for.
    TransferAuth auth;
    /// An OAuth 2.0 request: the token URL its access token comes from. The Authorization
    /// header then carries `kAccessTokenPlaceholder`, since the languages' usual libraries do not
    /// run the grant.
    std::optional<QString> oauth2TokenUrl;

    bool hasHeader(const QString& name) const;
    bool hasRepeatedNames() const;
};

/// What an OAuth 2.0 request's snippet sends in place of the token.
inline constexpr auto kAccessTokenPlaceholder = "ACCESS_TOKEN";

SnippetRequest snippetRequest(const APIRequest& request);

/// For a snippet whose library cannot do its `auth` by itself: one comment line (after
/// `prefix`, "//" or "#") saying what to add, and a line break; empty for every other snippet.
/// An OAuth 2.0 request's line says where its token comes from.
/// The user name and scope are quoted, so no text ends the comment early; no secret is shown.
QString authNote(const SnippetRequest& snippet, const QString& prefix);

// Literals of the snippet languages.

/// A POSIX shell word in single quotes ('\'' for a quote inside).
QString shellQuoted(const QString& text);
/// A double-quoted literal with backslash escapes, valid in Python, JavaScript and Go.
QString doubleQuoted(const QString& text);
/// A Swift string literal.
QString swiftQuoted(const QString& text);
/// A single-quoted Ruby or PHP literal, in which only \\ and \' are escapes.
QString singleQuoted(const QString& text);
/// A Ruby string literal: single-quoted unless the text holds control characters (Ruby reads
/// a carriage return in its source as part of the line break), else double-quoted with "#"
/// escaped against interpolation.
QString rubyQuoted(const QString& text);

} // namespace mako
