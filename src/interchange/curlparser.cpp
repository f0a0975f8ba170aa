#include "interchange/curlparser.h"

#include "interchange/curldraft.h"
#include "interchange/interchangeutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace mako::CurlParser {

namespace {

bool contentTypeIsJson(const QList<KeyValuePair>& headers)
{
    const KeyValuePair* row = findRow(headers, u"Content-Type"_s);
    return row && row->value.contains(u"json"_s, Qt::CaseInsensitive);
}

bool isCurlWord(const QString& word)
{
    const QString name = word.section(u'/', -1).toLower();
    return name == u"curl"_s || name == u"curl.exe"_s;
}

// The URL with `query` added as curl adds -G's data: before any fragment, after "&" when the
// URL has a query already.
QString withQuery(const QString& url, const QString& query)
{
    if (query.isEmpty())
        return url;
    const qsizetype hash = url.indexOf(u'#');
    QString head = hash < 0 ? url : url.left(hash);
    const qsizetype question = head.indexOf(u'?');
    if (question < 0)
        head += u'?';
    else if (question + 1 < head.size())
        head += u'&';
    return head + query + (hash < 0 ? QString() : url.mid(hash));
}

// curl's choice: -X wins; otherwise -I means HEAD, and a body or a form means POST. The seven
// are known in any letters; any other method is kept as written, as curl sends it.
bool chooseMethod(Draft& draft, bool sendsBody, APIRequest& request)
{
    if (draft.method.isEmpty()) {
        request.method = draft.head                    ? HTTPMethod::head
            : sendsBody || !draft.formFields.isEmpty() ? HTTPMethod::post
                                                       : HTTPMethod::get;
        return true;
    }
    if (setMethodName(request, draft.method.toUpper()) && request.method != HTTPMethod::custom)
        return true;
    if (setMethodName(request, draft.method))
        return true;
    draft.fail(QCoreApplication::translate("mako::CurlImport", "The method %1 cannot be sent.")
                   .arg(draft.method));
    return false;
}

// The header rows: what the command gives, then what curl adds by itself unless the command
// gives it or leaves it out with "Name:".
QList<KeyValuePair> headerRows(Draft& draft, bool sendsBody)
{
    QList<KeyValuePair> headers = draft.headers;
    if (!draft.cookies.isEmpty())
        headers.append(KeyValuePair {.key = u"Cookie"_s, .value = draft.cookies.join(u"; "_s)});
    const auto addDefault = [&](const QString& name, const QString& value) {
        if (!findRow(headers, name) && !draft.removedHeaders.contains(name.toLower()))
            headers.append(KeyValuePair {.key = name, .value = value});
    };
    if (draft.jsonOption) {
        addDefault(u"Content-Type"_s, u"application/json"_s);
        addDefault(u"Accept"_s, u"application/json"_s);
    }
    if (sendsBody)
        addDefault(u"Content-Type"_s, u"application/x-www-form-urlencoded"_s);
    QStringList removed = draft.removedHeaders.values();
    removed.sort();
    for (const QString& name : std::as_const(removed)) {
        if (name == u"accept"_s || name == u"user-agent"_s || name == u"host"_s)
            draft.differ(QCoreApplication::translate(
                "mako::CurlImport", "-H '%1:' leaves out a header that a request always sends.")
                             .arg(name));
    }
    return headers;
}

void applyAuth(Draft& draft, APIRequest& request)
{
    if (draft.credentialsFromUser && !draft.otherAuth.isEmpty()) {
        draft.differ(QCoreApplication::translate("mako::CurlImport",
            "%1 authentication cannot be held by a request; the --user credentials "
            "are left out.")
                         .arg(draft.otherAuth));
        return;
    }
    // Negotiate's single sign-on takes no password; "-u :" only switches it on.
    const bool negotiate = draft.userAuthType == AuthType::negotiate;
    // An Authorization header after -u replaced its credentials, and with them their kind.
    const bool fromUser = draft.credentialsFromUser && draft.authType == AuthType::basic;
    if (fromUser && !negotiate && !draft.authToken.contains(u':'))
        draft.differ(QCoreApplication::translate(
            "mako::CurlImport", "--user %1 gives no password, which curl would ask for.")
                         .arg(draft.authToken));
    request.authType = draft.authType;
    request.authToken = draft.authToken;
    if (!fromUser && !(negotiate && draft.authType == AuthType::none))
        return;
    request.authType = draft.userAuthType;
    if (negotiate && request.authToken == u":"_s)
        request.authToken.clear();
    if (request.authType == AuthType::ntlm) {
        // "DOMAIN\user" is how curl takes an NTLM domain.
        const qsizetype slash = request.authToken.indexOf(u'\\');
        const qsizetype colon = request.authToken.indexOf(u':');
        if (slash > 0 && (colon < 0 || slash < colon)) {
            request.authDomain = request.authToken.left(slash);
            request.authToken = request.authToken.mid(slash + 1);
        }
    }
    if (request.authType == AuthType::awsSigV4) {
        request.awsRegion = draft.awsRegion;
        request.awsService = draft.awsService;
        // A session token given as its header belongs with the signature's other keys.
        for (qsizetype i = 0; i < request.headers.size(); ++i) {
            if (request.headers[i].key.compare(u"x-amz-security-token"_s, Qt::CaseInsensitive)
                == 0) {
                request.awsSessionToken = request.headers.takeAt(i).value;
                break;
            }
        }
        if (request.headers.isEmpty())
            request.headers = {KeyValuePair {}};
    }
}

void applyBody(Draft& draft, APIRequest& request, bool sendsBody)
{
    if (!draft.formFields.isEmpty()) {
        // A form's fields live in the query rows; the URL keeps its own query text.
        request.bodyType = RequestBodyType::formData;
        request.queryParams = draft.formFields;
    } else if (sendsBody) {
        request.body = draft.data;
        // Without a Content-Type a JSON body would get one when sent.
        const bool json = !draft.removedHeaders.contains(u"content-type"_s)
            && (draft.jsonOption || isJsonDocument(draft.data)
                || contentTypeIsJson(request.headers));
        request.bodyType = json ? RequestBodyType::json : RequestBodyType::raw;
    }
}

std::optional<APIRequest> build(Draft& draft)
{
    if (draft.hasData && !draft.formFields.isEmpty())
        draft.fail(QCoreApplication::translate("mako::CurlImport",
            "Data (-d) and form fields (-F) cannot go in one request; curl refuses the "
            "command too."));
    // curl ignores -G beside a form.
    const bool dataInQuery = draft.dataInQuery && draft.formFields.isEmpty();
    bool sendsBody = draft.hasData && !dataInQuery;
    if (draft.head && draft.method.isEmpty() && (sendsBody || !draft.formFields.isEmpty()))
        draft.fail(QCoreApplication::translate("mako::CurlImport",
            "A HEAD request (-I) cannot carry a body; curl refuses the command too."));
    APIRequest request;
    if (!chooseMethod(draft, sendsBody, request))
        return std::nullopt;
    if (request.method == HTTPMethod::head && sendsBody) {
        draft.differ(QCoreApplication::translate(
            "mako::CurlImport", "A HEAD request carries no body; the data is left out."));
        sendsBody = false;
    }
    for (const QString& url : std::as_const(draft.otherUrls))
        draft.differ(QCoreApplication::translate(
            "mako::CurlImport", "Only the first URL is imported; curl would also send %1.")
                         .arg(url));

    request.url = withQuery(draft.url, dataInQuery ? draft.data : QString());
    request.url = withQuery(request.url, draft.urlQuery.join(u'&'));
    // The name comes from the address alone: a query with a placeholder in it is no URL yet.
    static const QRegularExpression queryOrFragment(u"[?#]"_s);
    request.name = nameFromURL(draft.url.left(draft.url.indexOf(queryOrFragment)));
    const QList<KeyValuePair> headers = headerRows(draft, sendsBody);
    request.headers = headers.isEmpty() ? QList {KeyValuePair {}} : headers;
    applyBody(draft, request, sendsBody);
    applyAuth(draft, request);
    return request;
}

// A file the command names, as curl would find it from its working folder.
QString certificatePath(const Draft& draft, const QString& name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name) || !draft.options.folder)
        return name;
    return QDir::cleanPath(QDir(*draft.options.folder).absoluteFilePath(name));
}

std::optional<HostCertificate> certificateEntry(Draft& draft)
{
    if (!draft.certificateFile && !draft.keyFile && !draft.caBundleFile)
        return std::nullopt;
    // Text without a scheme goes out as https, which is the scheme a certificate is for.
    const QUrl url(draft.url.contains(u"://"_s) ? draft.url : u"https://"_s + draft.url);
    HostCertificate entry {.host = url.host()};
    if (entry.host.isEmpty()) {
        draft.differ(QCoreApplication::translate("mako::CurlImport",
            "The certificate options are left out: the URL names no host to keep them for."));
        return std::nullopt;
    }
    if (entry.host.contains(u':'))
        entry.host = u'[' + entry.host + u']';
    if (url.port() >= 0)
        entry.host += u':' + QString::number(url.port());
    const QString type = draft.certificateType.value_or(u"PEM"_s).toUpper();
    if (type == u"P12"_s) {
        entry.type = HostCertificate::Type::pkcs12;
    } else if (type != u"PEM"_s) {
        draft.differ(QCoreApplication::translate("mako::CurlImport",
            "--cert-type %1 is not one Mako reads; the certificate is taken as PEM.")
                         .arg(*draft.certificateType));
    }
    entry.certificateFile = certificatePath(draft, draft.certificateFile.value_or(QString()));
    if (entry.type == HostCertificate::Type::pem)
        entry.keyFile = certificatePath(draft, draft.keyFile.value_or(QString()));
    entry.passphrase = draft.passphrase.value_or(QString());
    entry.caBundleFile = certificatePath(draft, draft.caBundleFile.value_or(QString()));
    return entry;
}

} // namespace

Result<CurlImport> parseArguments(const QStringList& arguments, const ParseOptions& options)
{
    Draft draft(options);
    walk(draft, arguments);
    if (draft.url.isEmpty())
        return Error {QString::fromLatin1(kNotACurlCommand)};
    auto request = draft.error ? std::nullopt : build(draft);
    if (draft.error)
        return *draft.error;
    std::optional<HostCertificate> certificate = certificateEntry(draft);
    if (draft.error)
        return *draft.error;
    return CurlImport {.request = std::move(*request),
        .warnings = draft.warnings,
        .certificate = std::move(certificate)};
}

Result<CurlImport> parse(const QString& command, const ParseOptions& options)
{
    const auto words = shellWords(command.trimmed());
    if (!words || words->size() < 2 || !isCurlWord(words->first()))
        return Error {QString::fromLatin1(kNotACurlCommand)};
    return parseArguments(words->mid(1), options);
}

} // namespace mako::CurlParser
