#include "interchange/curldata.h"
#include "interchange/curldraft.h"
#include "interchange/interchangeutil.h"

#include <QCoreApplication>
#include <QHash>

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
        {u't', u"telnet-option"_s}, {u'P', u"ftp-port"_s}, {u'G', u"get"_s}, {u'I', u"head"_s},
        {u'n', u"netrc"_s}};
    return names;
}

// Every option that takes a value, so that value is never taken for the URL.
bool optionTakesValue(const QString& longName)
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
        u"variable"_s, u"url-query"_s, u"expect100-timeout"_s, u"happy-eyeballs-timeout-ms"_s,
        u"keepalive-time"_s, u"hsts"_s, u"alt-svc"_s, u"etag-save"_s, u"etag-compare"_s,
        u"netrc-file"_s, u"proto"_s, u"proto-default"_s, u"proto-redir"_s, u"socks4"_s,
        u"socks4a"_s, u"socks5"_s, u"socks5-hostname"_s, u"login-options"_s, u"mail-from"_s,
        u"mail-rcpt"_s, u"mail-auth"_s, u"sasl-authzid"_s, u"service-name"_s, u"krb"_s,
        u"hostpubmd5"_s, u"hostpubsha256"_s, u"pubkey"_s, u"crlfile"_s, u"engine"_s,
        u"delegation"_s, u"create-file-mode"_s, u"rate"_s, u"parallel-max"_s, u"ftp-account"_s,
        u"ftp-method"_s, u"ipfs-gateway"_s};
    return names.contains(longName)
        || (longName.startsWith(u"proxy-"_s) && !longName.startsWith(u"proxy-insecure"_s)
            && longName != u"proxy-ntlm"_s && longName != u"proxy-basic"_s
            && longName != u"proxy-digest"_s && longName != u"proxy-anyauth"_s
            && longName != u"proxy-negotiate"_s);
}

void addHeader(Draft& draft, const QString& line)
{
    const qsizetype colon = line.indexOf(u':');
    QString name;
    QString value;
    if (colon < 0) {
        // "Name;" is curl's way to send a header with an empty value; other lines without a
        // colon curl does not send.
        if (!line.trimmed().endsWith(u';'))
            return;
        name = trimBlanks(line.trimmed().chopped(1));
    } else {
        name = trimBlanks(line.left(colon));
        value = trimBlanks(line.mid(colon + 1));
        // "Name:" leaves out a header that curl would add by itself.
        if (value.isEmpty()) {
            if (!name.isEmpty())
                draft.removedHeaders.insert(name.toLower());
            return;
        }
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

// -H @FILE adds every line of the file.
void addHeaders(Draft& draft, const QString& value)
{
    if (!value.startsWith(u'@')) {
        addHeader(draft, value);
        return;
    }
    const QString use = u"--header "_s + value;
    const auto bytes = draft.read(value.mid(1), use);
    const auto text = bytes ? draft.text(*bytes, use) : std::nullopt;
    if (!text)
        return;
    for (const QString& line :
        QString(*text).replace(u'\r', u'\n').split(u'\n', Qt::SkipEmptyParts))
        addHeader(draft, line);
}

// --data-urlencode's forms: "content", "=content", "name=content", "@file", "name@file";
// curl looks for "=" first, so "a@b=c" is the name "a@b".
std::optional<QString> urlEncodedData(Draft& draft, const QString& value, const QString& use)
{
    qsizetype separator = value.indexOf(u'=');
    if (separator < 0)
        separator = value.indexOf(u'@');
    const QString name = separator < 0 ? QString() : value.left(separator);
    QByteArray content = value.mid(separator + 1).toUtf8();
    if (separator >= 0 && value[separator] == u'@') {
        const auto bytes = draft.read(value.mid(separator + 1), use);
        if (!bytes)
            return std::nullopt;
        content = *bytes;
    }
    const QString encoded = formEncoded(content);
    return name.isEmpty() ? encoded : name + u'=' + encoded;
}

std::optional<QString> dataPiece(Draft& draft, const QString& option, const QString& value)
{
    const QString use = u"--"_s + option + u' ' + value;
    if (option == u"data-urlencode"_s)
        return urlEncodedData(draft, value, use);
    if (option == u"data-raw"_s || !value.startsWith(u'@'))
        return value;
    const auto bytes = draft.read(value.mid(1), use);
    if (!bytes)
        return std::nullopt;
    // -d and --data-ascii drop the line breaks of a file; --data-binary and --json keep them.
    const bool keepBytes = option == u"data-binary"_s || option == u"json"_s;
    return draft.text(keepBytes ? *bytes : withoutLineBreaks(*bytes), use);
}

void addData(Draft& draft, const QString& option, const QString& value)
{
    const auto piece = dataPiece(draft, option, value);
    if (!piece)
        return;
    // curl joins the pieces with "&", but appends a --json piece as it is.
    if (draft.hasData && option != u"json"_s)
        draft.data += u'&';
    draft.data += *piece;
    draft.hasData = true;
    draft.jsonOption = draft.jsonOption || option == u"json"_s;
}

void addUrlQuery(Draft& draft, const QString& value)
{
    // "+name=value" goes into the query as it stands.
    if (value.startsWith(u'+'))
        draft.urlQuery.append(value.mid(1));
    else if (const auto item = urlEncodedData(draft, value, u"--url-query "_s + value))
        draft.urlQuery.append(*item);
}

void addFormField(Draft& draft, const QString& option, const QString& value)
{
    const QString use = u"--"_s + option + u' ' + value;
    const qsizetype equals = value.indexOf(u'=');
    if (equals < 0) {
        draft.fail(QCoreApplication::translate(
            "mako::CurlImport", "%1 gives no \"=\": curl refuses it too.")
                       .arg(use));
        return;
    }
    KeyValuePair field {.key = value.left(equals), .value = value.mid(equals + 1)};
    if (field.key.isEmpty())
        draft.differ(QCoreApplication::translate(
            "mako::CurlImport", "%1 has no field name, which a request cannot send.")
                         .arg(use));
    if (option == u"form"_s && field.value.startsWith(u'@')) {
        // The row stays, switched off, so the missing upload is in plain sight.
        field.isEnabled = false;
        draft.differ(QCoreApplication::translate("mako::CurlImport",
            "%1 uploads a file, which a request cannot hold; the field is left out.")
                         .arg(use));
    } else if (option == u"form"_s) {
        const bool fromFile = field.value.startsWith(u'<');
        const FormValue part = splitFormValue(fromFile ? field.value.mid(1) : field.value);
        if (part.hasSettings)
            draft.differ(QCoreApplication::translate("mako::CurlImport",
                "%1 sets the part's type, file name or headers, which a request cannot "
                "hold; they are left out.")
                             .arg(use));
        field.value = part.content;
        if (fromFile) {
            const auto bytes = draft.read(part.content, use);
            const auto text = bytes ? draft.text(*bytes, use) : std::nullopt;
            field.value = text.value_or(QString());
        }
    }
    draft.formFields.append(field);
}

void setUser(Draft& draft, const QString& value)
{
    draft.authType = AuthType::basic;
    draft.authToken = value;
    draft.credentialsFromUser = true;
}

void setUserAuth(Draft& draft, AuthType type)
{
    draft.userAuthType = type;
    draft.otherAuth.clear();
}

// "PROVIDER1[:PROVIDER2[:REGION[:SERVICE]]]". Only AWS's own signature is a kind of its own;
// the others sign with other names and headers.
void setAwsSignature(Draft& draft, const QString& value)
{
    const QStringList parts = value.split(u':');
    if (parts.value(0).compare(u"aws"_s, Qt::CaseInsensitive) != 0
        || (parts.size() > 1 && parts[1].compare(u"amz"_s, Qt::CaseInsensitive) != 0)
        || parts.size() > 4) {
        draft.otherAuth = u"--aws-sigv4 "_s + value;
        return;
    }
    setUserAuth(draft, AuthType::awsSigV4);
    draft.awsRegion = parts.value(2);
    draft.awsService = parts.value(3);
}

void setBearer(Draft& draft, const QString& value)
{
    draft.authType = AuthType::bearer;
    draft.authToken = value;
    draft.credentialsFromUser = false;
}

void addCookie(Draft& draft, const QString& value)
{
    // Without "=" the value names a cookie file, whose cookies curl picks by host and path.
    if (value.contains(u'='))
        draft.cookies.append(value);
    else
        draft.differ(QCoreApplication::translate("mako::CurlImport",
            "--cookie %1 reads cookies from a file, which a request cannot hold; they "
            "are left out.")
                         .arg(value));
}

void addUrl(Draft& draft, const QString& value)
{
    if (draft.url.isEmpty())
        draft.url = value;
    else
        draft.otherUrls.append(value);
}

// Options whose effect the request cannot hold, with what they do.
const QHash<QString, const char*>& unheldOptions()
{
    // Whole sentences, "%1" being the option as written, for the translations.
    static const QHash<QString, const char*> effects {
        {u"upload-file"_s,
            QT_TRANSLATE_NOOP(
                "mako::CurlImport", "%1 uploads a file, which a request cannot hold.")},
        {u"config"_s,
            QT_TRANSLATE_NOOP(
                "mako::CurlImport", "%1 reads more options from a file, which are left out.")},
        {u"request-target"_s,
            QT_TRANSLATE_NOOP(
                "mako::CurlImport", "%1 changes the request line, which a request cannot hold.")},
        {u"time-cond"_s,
            QT_TRANSLATE_NOOP(
                "mako::CurlImport", "%1 makes the request conditional, which is left out.")},
        {u"netrc"_s,
            QT_TRANSLATE_NOOP("mako::CurlImport",
                "%1 takes credentials from a .netrc file, which are left out.")},
        {u"netrc-optional"_s,
            QT_TRANSLATE_NOOP("mako::CurlImport",
                "%1 takes credentials from a .netrc file, which are left out.")},
        {u"netrc-file"_s,
            QT_TRANSLATE_NOOP("mako::CurlImport",
                "%1 takes credentials from a .netrc file, which are left out.")},
    };
    return effects;
}

using Handler = void (*)(Draft&, const QString&);

// What each option the import understands does; the others are skipped.
const QHash<QString, Handler>& handlers()
{
    static const QHash<QString, Handler> table {
        {u"request"_s, [](Draft& d, const QString& v) { d.method = v; }},
        {u"header"_s, &addHeaders},
        {u"data"_s, [](Draft& d, const QString& v) { addData(d, u"data"_s, v); }},
        {u"data-ascii"_s, [](Draft& d, const QString& v) { addData(d, u"data-ascii"_s, v); }},
        {u"data-raw"_s, [](Draft& d, const QString& v) { addData(d, u"data-raw"_s, v); }},
        {u"data-binary"_s, [](Draft& d, const QString& v) { addData(d, u"data-binary"_s, v); }},
        {u"data-urlencode"_s,
            [](Draft& d, const QString& v) { addData(d, u"data-urlencode"_s, v); }},
        {u"json"_s, [](Draft& d, const QString& v) { addData(d, u"json"_s, v); }},
        {u"url-query"_s, &addUrlQuery},
        {u"form"_s, [](Draft& d, const QString& v) { addFormField(d, u"form"_s, v); }},
        {u"form-string"_s,
            [](Draft& d, const QString& v) { addFormField(d, u"form-string"_s, v); }},
        {u"user"_s, &setUser},
        {u"oauth2-bearer"_s, &setBearer},
        {u"user-agent"_s, [](Draft& d, const QString& v) { addHeader(d, u"User-Agent: "_s + v); }},
        {u"referer"_s,
            [](Draft& d, const QString& v) {
                addHeader(d, u"Referer: "_s + v.section(u";auto"_s, 0, 0));
            }},
        {u"range"_s, [](Draft& d, const QString& v) { addHeader(d, u"Range: bytes="_s + v); }},
        {u"cookie"_s, &addCookie},
        {u"url"_s, &addUrl},
        {u"get"_s, [](Draft& d, const QString&) { d.dataInQuery = true; }},
        {u"head"_s, [](Draft& d, const QString&) { d.head = true; }},
        {u"basic"_s, [](Draft& d, const QString&) { setUserAuth(d, AuthType::basic); }},
        {u"digest"_s, [](Draft& d, const QString&) { setUserAuth(d, AuthType::digest); }},
        {u"ntlm"_s, [](Draft& d, const QString&) { setUserAuth(d, AuthType::ntlm); }},
        {u"ntlm-wb"_s, [](Draft& d, const QString&) { d.otherAuth = u"--ntlm-wb"_s; }},
        {u"negotiate"_s, [](Draft& d, const QString&) { setUserAuth(d, AuthType::negotiate); }},
        {u"anyauth"_s, [](Draft& d, const QString&) { d.otherAuth = u"--anyauth"_s; }},
        {u"aws-sigv4"_s, &setAwsSignature},
        {u"cert"_s,
            [](Draft& d, const QString& v) {
                auto [file, passphrase] = splitCertificateArgument(v);
                d.certificateFile = file;
                if (!passphrase.isEmpty())
                    d.passphrase = passphrase;
            }},
        {u"key"_s, [](Draft& d, const QString& v) { d.keyFile = v; }},
        {u"cert-type"_s, [](Draft& d, const QString& v) { d.certificateType = v; }},
        {u"pass"_s, [](Draft& d, const QString& v) { d.passphrase = v; }},
        {u"cacert"_s, [](Draft& d, const QString& v) { d.caBundleFile = v; }},
    };
    return table;
}

void applyOption(Draft& draft, const QString& option, const QString& value)
{
    if (const Handler handler = handlers().value(option))
        handler(draft, value);
    else if (unheldOptions().contains(option))
        draft.differ(QCoreApplication::translate("mako::CurlImport", unheldOptions().value(option))
                         .arg(u"--"_s + option + (value.isEmpty() ? QString() : u' ' + value)));
}

} // namespace

// An option missing its value at the end is dropped.
void walk(Draft& draft, const QStringList& words)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word.startsWith(u"--"_s) && word.size() > 2) {
            const QString option = word.mid(2);
            if (!optionTakesValue(option))
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
                if (option.isEmpty() || !optionTakesValue(option)) {
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
        addUrl(draft, word);
    }
}

std::optional<QByteArray> Draft::read(const QString& name, const QString& use)
{
    // After a failure the command is refused anyway: no further file is opened.
    if (error)
        return std::nullopt;
    auto bytes = readFile(options, name, use);
    if (!bytes) {
        fail(bytes.errorMessage());
        return std::nullopt;
    }
    return std::move(bytes).value();
}

std::optional<QString> Draft::text(const QByteArray& bytes, const QString& use)
{
    auto decoded = utf8Text(bytes, use);
    if (!decoded) {
        fail(decoded.errorMessage());
        return std::nullopt;
    }
    return std::move(decoded).value();
}

std::pair<QString, QString> splitCertificateArgument(const QString& value)
{
    QString file;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size() && value[i + 1] == u':') {
            file += u':';
            ++i;
        } else if (value[i] == u':') {
            return {file, value.mid(i + 1)};
        } else {
            file += value[i];
        }
    }
    return {file, QString()};
}

bool needsValue(const QString& word)
{
    if (word.startsWith(u"--"_s))
        return word.size() > 2 && optionTakesValue(word.mid(2));
    if (!word.startsWith(u'-'))
        return false;
    for (qsizetype j = 1; j < word.size(); ++j) {
        const QString option = shortNames().value(word[j]);
        if (!option.isEmpty() && optionTakesValue(option))
            return j + 1 == word.size();
    }
    return false;
}

} // namespace mako::CurlParser
