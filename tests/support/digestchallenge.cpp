#include "support/digestchallenge.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace mako::test {

namespace {

// The fields of a Digest answer, quoted or not.
QHash<QByteArray, QByteArray> digestFields(const QByteArray& header)
{
    static const QRegularExpression field(uR"re((\w+)=(?:"([^"]*)"|([^,\s]*)))re"_s);
    QHash<QByteArray, QByteArray> fields;
    auto it = field.globalMatch(QString::fromLatin1(header.mid(header.indexOf(' ') + 1)));
    while (it.hasNext()) {
        const auto match = it.next();
        fields.insert(match.captured(1).toLatin1(),
            (match.hasCaptured(2) ? match.captured(2) : match.captured(3)).toLatin1());
    }
    return fields;
}

} // namespace

ScriptedResponse digestChallenge(const RecordedRequest& request, QCryptographicHash::Algorithm hash,
    const QByteArray& algorithm, const QByteArray& password)
{
    const auto H
        = [hash](const QByteArray& text) { return QCryptographicHash::hash(text, hash).toHex(); };
    const QByteArray realm = "mako@127.0.0.1";
    const QByteArray nonce = "7ypf/xlj9XXwfDPEoM4URrv/xwf94BcCAzFZH4GiTo0v";
    const QByteArray authorization = request.header("Authorization");
    if (authorization.startsWith("Digest ")) {
        const auto got = digestFields(authorization);
        const QByteArray ha1 = H(got["username"] + ':' + realm + ':' + password);
        const QByteArray ha2 = H(request.method + ':' + got["uri"]);
        const QByteArray expected = H(ha1 + ':' + nonce + ':' + got["nc"] + ':' + got["cnonce"]
            + ':' + got["qop"] + ':' + ha2);
        if (got["realm"] == realm && got["nonce"] == nonce && got["uri"] == request.target
            && got["qop"] == "auth" && got["algorithm"] == algorithm && got["response"] == expected)
            return {.status = 200, .body = "welcome " + got["username"]};
    }
    return {.status = 401,
        .headers = {{"WWW-Authenticate",
            "Digest realm=\"" + realm + "\", qop=\"auth\", algorithm=" + algorithm + ", nonce=\""
                + nonce + "\", opaque=\"FQhe/qaU925kfnzjCev0ciny7QMkPqMAFRtzCUYo5tdS\""}}};
}

} // namespace mako::test
