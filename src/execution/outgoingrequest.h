#pragma once

#include "execution/transferauth.h"
#include "model/apienvironment.h"
#include "model/apirequest.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>
#include <utility>

namespace mako {

/// The request being put together from an APIRequest, before it goes to the engine.
struct OutgoingRequest {
    QUrl url;
    QByteArray method;
    /// In order; a name may repeat, each field going out as a line of its own.
    QList<std::pair<QString, QString>> headers;
    std::optional<QByteArray> body;
    TransferAuth auth;

    /// Appends a field, even when one of the same name is already there.
    void addHeader(const QString& name, const QString& value);
    /// Puts the field in place of the first of the same name in any letter case and drops the
    /// others of that name; appends it when there is none.
    void setHeader(const QString& name, const QString& value);
    bool hasHeader(QStringView name) const;
};

/// The URL to send: the substituted text without the blanks around it, "https://" put in front
/// when it has no "://", the characters that may not stand raw in a URL (space, `"`, `<`, `>`,
/// `{`, `}`, `|`, `\`, `^`, `` ` ``, non-ASCII, a "%" that starts no "%XX") percent-encoded and
/// everything else kept as typed ("%XX" is never encoded again), then the enabled, named query
/// rows appended after any query already in the text. Each appended name and value is
/// percent-encoded so that it arrives exactly as given ("+", "&", "=", "#", "%" and spaces
/// included). Nothing when the text does not parse or still holds a {{placeholder}}.
std::optional<QUrl> buildURL(const QString& text, const QList<KeyValuePair>& queryParams,
    const std::optional<APIEnvironment>& environment);

/// "user:pass:word" as {"user", "pass:word"}: a user name never holds a colon, a password may.
std::pair<QString, QString> splitCredentials(const QString& credentials);

/// Adds the applicable header rows with their variables substituted, in order: rows of the same
/// name all go out, each as a field of its own.
void applyHeaders(OutgoingRequest& outgoing, const APIRequest& request,
    const std::optional<APIEnvironment>& environment);

/// Sets the authorization header of the request's auth kind in place of every header row of
/// that name; nothing when the substituted token is empty. Digest, NTLM, Negotiate and AWS
/// Signature instead fill `auth` for the engine (an AWS session token still goes out as the
/// "x-amz-security-token" header); Negotiate applies even without a user name, as single
/// sign-on takes none.
void applyAuth(OutgoingRequest& outgoing, const APIRequest& request,
    const std::optional<APIEnvironment>& environment);

/// The query rows that belong in the URL. A Form Data body is made of the query rows, and
/// those go out once, as the form: a form field in the URL ends up in server and proxy logs.
QList<KeyValuePair> urlQueryRows(const APIRequest& request);

/// Whether a body of kind `bodyType` whose text (or form rows) is `empty` goes out with
/// `method`. HEAD never has one; a GET carries one only when the user filled it, as curl and
/// other clients do (search APIs take their query as a GET's body); every other method always.
bool carriesBody(HTTPMethod method, RequestBodyType bodyType, bool empty);

/// `text` without its "//" and "/* */" comments outside strings. A JSON body may carry them, as
/// the files people share do, and servers take none. A comment never closed runs to the end.
QString withoutJsonComments(const QString& text);

/// Sets the body and its content type; see `carriesBody` for when there is one. An empty body
/// declares no type, and a JSON body goes without its comments. Form values are substituted
/// like every other value.
void applyBody(OutgoingRequest& outgoing, const APIRequest& request,
    const std::optional<APIEnvironment>& environment);

} // namespace mako
