#pragma once

#include "interchange/curlparser.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// The parser's working state. Used by the parser only.
namespace mako::CurlParser {

/// What the walk over a command's words gathers before the request is built.
struct Draft {
    explicit Draft(const ParseOptions& options)
        : options(options)
    { }

    const ParseOptions& options;
    std::optional<Error> error;
    QStringList warnings;
    QString url;
    QStringList otherUrls;
    QString method; // -X as written
    bool head = false;
    bool dataInQuery = false;
    bool hasData = false;
    bool jsonOption = false;
    QString data;
    QStringList urlQuery;
    QList<KeyValuePair> headers;
    QSet<QString> removedHeaders; // lower-case names of "Name:" lines
    QStringList cookies;
    QList<KeyValuePair> formFields;
    AuthType authType = AuthType::none;
    QString authToken;
    bool credentialsFromUser = false;
    AuthType userAuthType = AuthType::basic; // what -u's credentials go to: --digest, --ntlm ...
    QString awsRegion; // from --aws-sigv4 "aws:amz:REGION:SERVICE"
    QString awsService;
    QString otherAuth; // --anyauth and its kind, which -u's credentials would go to
    // --cert, --key, --cert-type, --pass, --cacert as given.
    std::optional<QString> certificateFile;
    std::optional<QString> keyFile;
    std::optional<QString> certificateType;
    std::optional<QString> passphrase;
    std::optional<QString> caBundleFile;

    void fail(const QString& message)
    {
        if (!error)
            error = Error {message};
    }

    // Something the request cannot hold: a warning, or an error when the command goes out at
    // once and would go out differently.
    void differ(const QString& message)
    {
        if (options.strict)
            fail(message);
        else
            warnings.append(message);
    }

    /// The bytes of a file the command names; nothing once the command has failed.
    std::optional<QByteArray> read(const QString& name, const QString& use);
    /// The bytes as text; nothing (and a failure) when they are not UTF-8.
    std::optional<QString> text(const QByteArray& bytes, const QString& use);
};

/// Applies every option of the words after "curl" and takes the first positional word as the
/// URL.
void walk(Draft& draft, const QStringList& words);

} // namespace mako::CurlParser
