#include "execution/cookiemanager.h"
#include "execution/multipartbuilder.h"
#include "support/qtprinters.h"
#include "support/rows.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

QStringList names(const QList<KeyValuePair>& rows)
{
    QStringList out;
    for (const KeyValuePair& cookie : rows)
        out.append(cookie.key + u'=' + cookie.value);
    return out;
}

} // namespace

TEST(MultipartBuilder, writesUsableRowsThenFileThenClosingLine)
{
    const QList<KeyValuePair> fields {row(u"a"_s, u"1"_s), row(u"b"_s, u"2"_s, false),
        row(u""_s, u"blank"_s), row(u"q\"é"_s, u"x--B\r\ny"_s)};
    const QByteArray rows = "--B\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n"
                            "--B\r\nContent-Disposition: form-data; name=\"q\"\xC3\xA9\"\r\n\r\n"
                            "x--B\r\ny\r\n";
    const QByteArray fileBytes("\x00\x01", 2);
    // A file part needs both its bytes and its name.
    EXPECT_EQ(
        MultipartBuilder::buildBody(fields, fileBytes, std::nullopt, u"B"_s), rows + "--B--\r\n");
    EXPECT_EQ(
        MultipartBuilder::buildBody(fields, std::nullopt, u"f.bin"_s, u"B"_s), rows + "--B--\r\n");
    EXPECT_EQ(MultipartBuilder::buildBody(fields, fileBytes, u"f.bin"_s, u"B"_s),
        rows
            + "--B\r\nContent-Disposition: form-data; name=\"file\"; filename=\"f.bin\"\r\n"
              "Content-Type: application/octet-stream\r\n\r\n"
            + fileBytes + "\r\n--B--\r\n");
    EXPECT_EQ(MultipartBuilder::buildBody({}, {}, {}, u"B"_s), "--B--\r\n");
}

TEST(CookieManager, extractsCookiesByTheRulesOfTheUrl)
{
    const struct {
        QMap<QString, QString> headers;
        QString url;
        QStringList expected;
    } cases[] = {
        {{{u"Set-Cookie"_s, u"a=1; Path=/"_s}}, u"https://api.example.com/x"_s, {u"a=1"_s}},
        {{{u"set-cookie"_s, u"a=1"_s}}, u"https://api.example.com/"_s, {u"a=1"_s}},
        {{{u"SET-COOKIE"_s, u"a=1"_s}}, u"https://api.example.com/"_s, {u"a=1"_s}},
        {{{u"Set-Cookie"_s, u"a=1"_s}}, u""_s, {}},
        // Joined repeated fields split into cookies; the comma of an Expires date does not.
        {{{u"Set-Cookie"_s,
             u"a=1; Expires=Wed, 21 Oct 2037 07:28:00 GMT; Path=/, b=2; HttpOnly, c=3"_s}},
            u"https://api.example.com/"_s, {u"a=1"_s, u"b=2"_s, u"c=3"_s}},
        // Domain must be the host or a parent of it, never another site or a public suffix.
        {{{u"Set-Cookie"_s,
             u"ok=1; Domain=example.com, dot=2; Domain=.api.example.com, "
             "other=3; Domain=other.org, child=4; Domain=deep.api.example.com, tld=5; Domain=com"_s}},
            u"https://api.example.com/"_s, {u"ok=1"_s, u"dot=2"_s}},
        {{{u"Set-Cookie"_s, u"ip=1; Domain=0.0.1, same=2; Domain=127.0.0.1"_s}},
            u"http://127.0.0.1:8080/"_s, {u"same=2"_s}},
    };
    for (const auto& c : cases) {
        const QList<KeyValuePair> rows = CookieManager::extractCookies(c.headers, c.url);
        EXPECT_EQ(names(rows), c.expected) << c.url.toStdString();
        for (const KeyValuePair& cookie : rows)
            EXPECT_TRUE(cookie.isEnabled);
    }
}

TEST(CookieManager, cookiesOfEveryHopAreJudgedAgainstThatHopsUrl)
{
    const QList<SetCookieField> fields {
        {u"http://127.0.0.1:8080/cookies/set?x=1"_s, "x=1; Path=/; HttpOnly"},
        // A URL text that a strict parse refuses (a space) still names the host.
        {u"http://api.example.com/response-headers?Set-Cookie=theme=dark; Path=/"_s,
            "theme=dark; Path=/; Domain=example.com; Secure; SameSite=Lax; "
            "Expires=Wed, 21 Oct 2037 07:28:00 GMT"},
        {u"http://api.example.com/a/b"_s, "wrong=1; Domain=127.0.0.1"},
        {u""_s, "nourl=1"},
    };
    // The attributes are Qt's to read; the date shows the value was not split at its comma.
    const QList<QNetworkCookie> cookies = CookieManager::cookiesSet(fields);
    ASSERT_EQ(cookies.size(), 2);
    EXPECT_EQ(cookies[0].name(), "x");
    EXPECT_EQ(cookies[0].domain(), u"127.0.0.1"_s);
    EXPECT_EQ(cookies[1].name(), "theme");
    EXPECT_EQ(cookies[1].value(), "dark");
    EXPECT_EQ(cookies[1].domain(), u".example.com"_s);
    EXPECT_EQ(
        cookies[1].expirationDate().toUTC(), QDateTime(QDate(2037, 10, 21), QTime(7, 28), Qt::UTC));
}
