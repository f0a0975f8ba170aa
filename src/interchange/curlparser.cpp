#include "interchange/curlparser.h"

#include "interchange/interchangeutil.h"

#include <QHash>
#include <QSet>
#include <QUrl>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace mako::CurlParser {

namespace {

// Short options as their long names, so each option is handled once.
const QHash<QChar, QString>& shortNames()
{
    static const QHash<QChar, QString> names {{u'X', u"request"_s}, {u'H', u"header"_s},
        {u'd', u"data"_s}, {u'u', u"user"_s}, {u'A', u"user-agent"_s}, {u'e', u"referer"_s},
        {u'b', u"cookie"_s}, {u'c', u"cookie-jar"_s}, {u'F', u"form"_s}, {u'T', u"upload-file"_s},
        {u'm', u"max-time"_s}, {u'o', u"output"_s}, {u'w', u"write-out"_s}, {u'x', u"proxy"_s},
        {u'E', u"cert"_s}, {u'r', u"range"_s}, {u'C', u"continue-at"_s}, {u'K', u"config"_s},
        {u'D', u"dump-header"_s}, {u'U', u"proxy-user"_s}, {u'y', u"speed-time"_s},
        {u'Y', u"speed-limit"_s}, {u'z', u"time-cond"_s}, {u'Q', u"quote"_s},
        {u't', u"telnet-option"_s}, {u'P', u"ftp-port"_s}, {u'G', u"get"_s}, {u'I', u"head"_s}};
    return names;
}

// Every option that takes a value, so that value is never taken for the URL.
bool takesValue(const QString& longName)
{
    static const QSet<QString> names {u"request"_s, u"header"_s, u"data"_s, u"data-raw"_s,
        u"data-binary"_s, u"data-ascii"_s, u"data-urlencode"_s, u"json"_s, u"user"_s,
        u"user-agent"_s, u"referer"_s, u"cookie"_s, u"cookie-jar"_s, u"form"_s, u"form-string"_s,
        u"upload-file"_s, u"max-time"_s, u"connect-timeout"_s, u"output"_s, u"output-dir"_s,
        u"url"_s, u"write-out"_s, u"proxy"_s, u"cert"_s, u"cacert"_s, u"capath"_s, u"key"_s,
        u"key-type"_s, u"cert-type"_s, u"pass"_s, u"config"_s, u"dump-header"_s, u"proxy-user"_s,
        u"range"_s, u"continue-at"_s, u"speed-time"_s, u"speed-limit"_s, u"time-cond"_s, u"quote"_s,
        u"telnet-option"_s, u"ftp-port"_s, u"oauth2-bearer"_s, u"resolve"_s, u"connect-to"_s,
        u"retry"_s, u"retry-delay"_s, u"retry-max-time"_s, u"limit-rate"_s, u"max-redirs"_s,
        u"max-filesize"_s, u"trace"_s, u"trace-ascii"_s, u"stderr"_s, u"interface"_s,
        u"local-port"_s, u"dns-servers"_s, u"dns-interface"_s, u"ciphers"_s, u"tls13-ciphers"_s,
        u"tls-max"_s, u"proxy-header"_s, u"noproxy"_s, u"preproxy"_s, u"pinnedpubkey"_s,
        u"request-target"_s, u"unix-socket"_s, u"abstract-unix-socket"_s, u"aws-sigv4"_s,
        u"variable"_s, u"expect100-timeout"_s, u"happy-eyeballs-timeout-ms"_s, u"keepalive-time"_s,
        u"hsts"_s, u"alt-svc"_s, u"etag-save"_s, u"etag-compare"_s, u"netrc-file"_s, u"proto"_s,
        u"proto-default"_s, u"proto-redir"_s, u"socks4"_s, u"socks4a"_s, u"socks5"_s,
        u"socks5-hostname"_s, u"login-options"_s, u"mail-from"_s, u"mail-rcpt"_s, u"mail-auth"_s,
        u"sasl-authzid"_s, u"service-name"_s, u"krb"_s, u"hostpubmd5"_s, u"hostpubsha256"_s,
        u"pubkey"_s, u"crlfile"_s, u"engine"_s, u"delegation"_s, u"create-file-mode"_s, u"rate"_s,
        u"parallel-max"_s, u"ftp-account"_s, u"ftp-method"_s, u"ipfs-gateway"_s};
    return names.contains(longName)
        || (longName.startsWith(u"proxy-"_s) && !longName.startsWith(u"proxy-insecure"_s)
            && longName != u"proxy-ntlm"_s && longName != u"proxy-basic"_s
            && longName != u"proxy-digest"_s && longName != u"proxy-anyauth"_s
            && longName != u"proxy-negotiate"_s);
}

struct Draft {
    QString url;
    std::optional<HTTPMethod> explicitMethod;
    bool head = false;
    bool dataInQuery = false;
    bool jsonOption = false;
    QList<KeyValuePair> headers;
    QStringList cookies;
    QStringList data;
    QList<KeyValuePair> formFields;
    AuthType authType = AuthType::none;
    QString authToken;
};

void addHeader(Draft& draft, const QString& line)
{
    const qsizetype colon = line.indexOf(u':');
    QString name;
    QString value;
    if (colon < 0) {
        // "Name;" is curl's way to send a header with an empty value.
        if (!line.trimmed().endsWith(u';'))
            return;
        name = trimBlanks(line.trimmed().chopped(1));
    } else {
        name = trimBlanks(line.left(colon));
        value = trimBlanks(line.mid(colon + 1));
        // "Name:" removes one of curl's own headers; there is nothing to send.
        if (value.isEmpty())
            return;
    }
    if (name.isEmpty())
        return;
    if (name.compare(u"authorization"_s, Qt::CaseInsensitive) == 0) {
        if (value.startsWith(u"bearer "_s, Qt::CaseInsensitive)) {
            draft.authType = AuthType::bearer;
            draft.authToken = value.mid(7).trimmed();
            return;
        }
        // Sending encodes the token again, so the token is the decoded "user:password".
        if (value.startsWith(u"basic "_s, Qt::CaseInsensitive)) {
            if (const auto credentials = decodeBasicCredentials(value.mid(6).trimmed())) {
                draft.authType = AuthType::basic;
                draft.authToken = *credentials;
                return;
            }
        }
    }
    draft.headers.append(KeyValuePair {.key = name, .value = value});
}

// --data-urlencode's forms: "content", "=content", "name=content"; the "@file" forms read
// a file the import cannot see, so their text is kept as it stands.
QString urlEncodedData(const QString& value)
{
    const qsizetype equals = value.indexOf(u'=');
    if (value.contains(u'@') && (equals < 0 || value.indexOf(u'@') < equals))
        return value;
    if (equals < 0)
        return QString::fromLatin1(QUrl::toPercentEncoding(value));
    const QString name = value.left(equals);
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(value.mid(equals + 1)));
    return name.isEmpty() ? encoded : name + u'=' + encoded;
}

void addFormField(Draft& draft, const QString& value, bool literal)
{
    const qsizetype equals = value.indexOf(u'=');
    if (equals <= 0)
        return;
    const QString content = value.mid(equals + 1);
    // A file upload cannot come along; its row stays, switched off, as a reminder.
    const bool file = !literal && (content.startsWith(u'@') || content.startsWith(u'<'));
    draft.formFields.append(
        KeyValuePair {.key = value.left(equals), .value = content, .isEnabled = !file});
}

void applyOption(Draft& draft, const QString& option, const QString& value)
{
    if (option == u"request"_s) {
        if (const auto method = fromRawValue<HTTPMethod>(value.toUpper()))
            draft.explicitMethod = method;
    } else if (option == u"header"_s) {
        addHeader(draft, value);
    } else if (option.startsWith(u"data"_s)) {
        draft.data.append(option == u"data-urlencode"_s ? urlEncodedData(value) : value);
    } else if (option == u"json"_s) {
        draft.data.append(value);
        draft.jsonOption = true;
    } else if (option == u"user"_s) {
        draft.authType = AuthType::basic;
        draft.authToken = value;
    } else if (option == u"oauth2-bearer"_s) {
        draft.authType = AuthType::bearer;
        draft.authToken = value;
    } else if (option == u"user-agent"_s) {
        addHeader(draft, u"User-Agent: "_s + value);
    } else if (option == u"referer"_s) {
        addHeader(draft, u"Referer: "_s + value.section(u";auto"_s, 0, 0));
    } else if (option == u"cookie"_s) {
        // Without "=" the value names a cookie file, which the import cannot read.
        if (value.contains(u'='))
            draft.cookies.append(value);
    } else if (option == u"form"_s || option == u"form-string"_s) {
        addFormField(draft, value, option == u"form-string"_s);
    } else if (option == u"url"_s) {
        if (draft.url.isEmpty())
            draft.url = value;
    } else if (option == u"get"_s) {
        draft.dataInQuery = true;
    } else if (option == u"head"_s) {
        draft.head = true;
    }
}

// Walks the words after "curl"; an option missing its value at the end is dropped.
void walk(Draft& draft, const QStringList& words)
{
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word.startsWith(u"--"_s) && word.size() > 2) {
            const QString option = word.mid(2);
            if (!takesValue(option))
                applyOption(draft, option, {});
            else if (i + 1 < words.size())
                applyOption(draft, option, words[++i]);
            continue;
        }
        if (word.startsWith(u'-') && word.size() > 1) {
            // A cluster of short flags ("-sSL"), possibly ending in one that takes a value,
            // written attached ("-XPOST") or as the next word.
            for (qsizetype j = 1; j < word.size(); ++j) {
                const QString option = shortNames().value(word[j]);
                if (option.isEmpty() || !takesValue(option)) {
                    applyOption(draft, option, {});
                    continue;
                }
                if (j + 1 < word.size())
                    applyOption(draft, option, word.mid(j + 1));
                else if (i + 1 < words.size())
                    applyOption(draft, option, words[++i]);
                break;
            }
            continue;
        }
        if (draft.url.isEmpty())
            draft.url = word;
    }
}

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

APIRequest build(Draft draft)
{
    APIRequest request {.url = draft.url};
    if (!draft.cookies.isEmpty())
        draft.headers.append(
            KeyValuePair {.key = u"Cookie"_s, .value = draft.cookies.join(u"; "_s)});
    if (draft.jsonOption) {
        for (const QString& name : {u"Content-Type"_s, u"Accept"_s}) {
            if (!findRow(draft.headers, name))
                draft.headers.append(KeyValuePair {.key = name, .value = u"application/json"_s});
        }
    }
    const QString data = draft.data.join(u'&');
    const bool sendsBody = !draft.data.isEmpty() && !draft.dataInQuery;
    if (draft.dataInQuery && !data.isEmpty())
        request.url += (request.url.contains(u'?') ? u'&' : u'?') + data;
    request.method = draft.explicitMethod.value_or(draft.head ? HTTPMethod::head
            : (sendsBody || !draft.formFields.isEmpty())      ? HTTPMethod::post
                                                              : HTTPMethod::get);
    QList<KeyValuePair> query;
    if (!draft.formFields.isEmpty()) {
        // Form fields live in the query rows, so the URL keeps its own query text.
        request.bodyType = RequestBodyType::formData;
        query = draft.formFields;
    } else {
        query = splitQuery(request.url);
        if (sendsBody) {
            request.body = data;
            const bool json
                = draft.jsonOption || isJsonDocument(data) || contentTypeIsJson(draft.headers);
            request.bodyType = json ? RequestBodyType::json : RequestBodyType::raw;
        }
    }
    request.headers = draft.headers.isEmpty() ? QList {KeyValuePair {}} : draft.headers;
    request.queryParams = query.isEmpty() ? QList {KeyValuePair {}} : query;
    request.authType = draft.authType;
    request.authToken = draft.authToken;
    request.name = nameFromURL(request.url);
    return request;
}

} // namespace

std::optional<APIRequest> parse(const QString& command)
{
    const auto words = shellWords(command.trimmed());
    if (!words || words->size() < 2 || !isCurlWord(words->first()))
        return std::nullopt;
    Draft draft;
    walk(draft, *words);
    if (draft.url.isEmpty())
        return std::nullopt;
    return build(std::move(draft));
}

} // namespace mako::CurlParser
