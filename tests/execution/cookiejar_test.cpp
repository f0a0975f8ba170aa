#include "execution/cookiejar.h"
#include "execution/networkservice.h"
#include "support/httptestserver.h"
#include "support/qtprinters.h"

#include <QDateTime>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// One cookie as a line that names every attribute, so a wrong one shows in the failure.
QString describe(const QNetworkCookie& cookie)
{
    const char* sameSite[] = {"-", "None", "Lax", "Strict"};
    return u"%1=%2 %3 %4 %5%6 %7 %8"_s.arg(QString::fromUtf8(cookie.name()),
        QString::fromUtf8(cookie.value()), cookie.domain(), cookie.path(),
        cookie.isSecure() ? u"S"_s : u"-"_s, cookie.isHttpOnly() ? u"H"_s : u"-"_s,
        QString::fromLatin1(sameSite[int(cookie.sameSitePolicy())]),
        cookie.isSessionCookie() ? u"session"_s : cookie.expirationDate().toString(Qt::ISODate));
}

QStringList describe(const QList<QNetworkCookie>& cookies)
{
    QStringList lines;
    for (const QNetworkCookie& cookie : cookies)
        lines.append(describe(cookie));
    return lines;
}

QNetworkCookie cookie(const QByteArray& name, const QByteArray& value, const QString& domain,
    const QString& path = u"/"_s)
{
    QNetworkCookie made(name, value);
    made.setDomain(domain);
    made.setPath(path);
    return made;
}

class CookieJarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A peer that sets cookies with every attribute there is, and echoes the rest.
        server.setHandler([](const RecordedRequest& request) {
            if (request.target == "/set")
                return ScriptedResponse {
                    .headers = {{"Set-Cookie", "plain=1"}, {"Set-Cookie", "scoped=2; Path=/api"},
                        {"Set-Cookie", "lasting=3; Max-Age=86400; HttpOnly; SameSite=Strict"},
                        {"Set-Cookie",
                            "dated=4; Expires=Wed, 21 Oct 2037 07:28:00 GMT; "
                            "Path=/; SameSite=Lax"},
                        {"Set-Cookie", "guarded=5; Secure; SameSite=None"},
                        {"Set-Cookie", "doomed=6"}}};
            if (request.target == "/unset")
                return ScriptedResponse {.headers = {{"Set-Cookie", "doomed=; Max-Age=0"}}};
            return ScriptedResponse {};
        });
    }

    // Sends GET `path` to the peer and returns the cookies it received, sorted by name.
    QByteArray cookieSentTo(const QString& path)
    {
        QObject context;
        QEventLoop loop;
        service.execute(APIRequest {.url = server.baseUrl() + path}, std::nullopt, &context,
            [&](const NetworkResult&) { loop.quit(); });
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
        const QList<RecordedRequest> requests = server.requests();
        if (requests.isEmpty())
            return "(nothing arrived)";
        QByteArrayList cookies = requests.last().header("Cookie").split(';');
        for (QByteArray& each : cookies)
            each = each.trimmed();
        std::sort(cookies.begin(), cookies.end());
        return cookies.join("; ");
    }

    CookieJar& jar() { return service.engine().cookies(); }

    HttpTestServer server;
    NetworkService service;
};

TEST_F(CookieJarTest, listsWhatTheServerSetAndSendsEachCookieWhereItBelongs)
{
    cookieSentTo(u"/set"_s);
    QList<QNetworkCookie> listed = jar().all();
    // Max-Age counts from the moment of arrival: a day ahead, give or take the test's run.
    const auto found = std::find_if(listed.cbegin(), listed.cend(),
        [](const QNetworkCookie& each) { return each.name() == "lasting"; });
    ASSERT_NE(found, listed.cend());
    const QNetworkCookie lasting = *found;
    listed.removeAt(found - listed.cbegin());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    EXPECT_GT(lasting.expirationDate(), now.addSecs(86400 - 3600));
    EXPECT_LE(lasting.expirationDate(), now.addSecs(86400 + 60));
    EXPECT_EQ(describe(listed),
        QStringList({u"dated=4 127.0.0.1 / -- Lax 2037-10-21T07:28:00Z"_s,
            u"doomed=6 127.0.0.1 / -- - session"_s, u"guarded=5 127.0.0.1 / S- None session"_s,
            u"plain=1 127.0.0.1 / -- - session"_s, u"scoped=2 127.0.0.1 /api -- - session"_s}));
    EXPECT_TRUE(describe(lasting).startsWith(u"lasting=3 127.0.0.1 / -H Strict "_s))
        << describe(lasting).toStdString();

    // The server takes one back; the path decides the rest. Loopback counts as a secure
    // origin, so the Secure cookie goes there over plain HTTP too.
    cookieSentTo(u"/unset"_s);
    const struct {
        QString path;
        QByteArray sent;
    } cases[] = {
        {u"/"_s, "dated=4; guarded=5; lasting=3; plain=1"},
        {u"/api/items"_s, "dated=4; guarded=5; lasting=3; plain=1; scoped=2"},
        {u"/apiary"_s, "dated=4; guarded=5; lasting=3; plain=1"},
    };
    for (const auto& [path, sent] : cases) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(cookieSentTo(path), sent);
        // What the jar says will go is what went.
        QByteArrayList predicted;
        for (const QNetworkCookie& each : jar().forUrl(QUrl(server.baseUrl() + path)))
            predicted.append(each.name() + '=' + each.value());
        std::sort(predicted.begin(), predicted.end());
        EXPECT_EQ(predicted.join("; "), sent);
    }
}

TEST_F(CookieJarTest, editsAndRemovalsReachTheNextRequest)
{
    cookieSentTo(u"/set"_s);
    int changes = 0;
    const int handler = jar().addChangeHandler([&changes] { ++changes; });
    const QString host = u"127.0.0.1"_s;

    QNetworkCookie plain = cookie("plain", "1", host);
    QNetworkCookie edited = cookie("plain", "changed", host);
    edited.setHttpOnly(true);
    EXPECT_TRUE(jar().replace(plain, edited));
    jar().remove(cookie("dated", "", host));
    jar().remove(cookie("guarded", "", host));
    jar().remove(cookie("lasting", "", host));
    jar().remove(cookie("doomed", "", host));
    EXPECT_TRUE(jar().insert(cookie("added", "x y", host, u"/api"_s)));
    EXPECT_EQ(cookieSentTo(u"/api/1"_s), "added=x y; plain=changed; scoped=2");
    EXPECT_EQ(describe(jar().all()).filter(u"plain"_s),
        QStringList({u"plain=changed 127.0.0.1 / -H - session"_s}));

    // A rename takes the old cookie away; refused cookies change nothing.
    EXPECT_TRUE(jar().replace(
        cookie("added", "x y", host, u"/api"_s), cookie("renamed", "z", host, u"/api"_s)));
    EXPECT_FALSE(jar().insert(cookie("", "nameless", host)));
    EXPECT_FALSE(jar().insert(cookie("tab", "a\tb", host)));
    EXPECT_FALSE(jar().insert(cookie("bad;name", "v", host)));
    EXPECT_EQ(cookieSentTo(u"/api/1"_s), "plain=changed; renamed=z; scoped=2");

    EXPECT_TRUE(jar().insert(cookie("other", "1", u".example.test"_s)));
    jar().removeDomain(host);
    EXPECT_EQ(cookieSentTo(u"/api/1"_s), "");
    EXPECT_EQ(describe(jar().all()), QStringList({u"other=1 .example.test / -- - session"_s}));
    jar().clear();
    EXPECT_TRUE(jar().all().isEmpty());
    EXPECT_GE(changes, 10);
    jar().removeChangeHandler(handler);
    const int before = changes;
    jar().clear();
    EXPECT_EQ(changes, before);
}

// Which cookies a URL gets, for hosts the tests cannot reach: the jar only predicts here.
TEST_F(CookieJarTest, predictsCookiesByDomainPathAndSecurity)
{
    QNetworkCookie secure = cookie("secure", "1", u".shop.test"_s);
    secure.setSecure(true);
    QNetworkCookie expired = cookie("expired", "1", u".shop.test"_s);
    expired.setExpirationDate(QDateTime::currentDateTimeUtc().addDays(-1));
    for (const QNetworkCookie& each : {cookie("wide", "1", u".shop.test"_s),
             cookie("hostonly", "1", u"shop.test"_s), cookie("deep", "1", u"api.shop.test"_s),
             cookie("scoped", "1", u".shop.test"_s, u"/cart"_s), secure, expired})
        ASSERT_TRUE(jar().insert(each));

    const struct {
        QString url;
        QStringList names;
    } cases[] = {
        {u"http://shop.test/"_s, {u"hostonly"_s, u"wide"_s}},
        {u"https://shop.test/cart/1"_s, {u"hostonly"_s, u"scoped"_s, u"secure"_s, u"wide"_s}},
        {u"http://api.shop.test/cart"_s, {u"deep"_s, u"scoped"_s, u"wide"_s}},
        {u"http://evilshop.test/"_s, {}},
    };
    for (const auto& [url, names] : cases) {
        QStringList got;
        for (const QNetworkCookie& each : jar().forUrl(QUrl(url)))
            got.append(QString::fromUtf8(each.name()));
        got.sort();
        EXPECT_EQ(got, names) << url.toStdString();
    }
    EXPECT_EQ(jar().all().size(), 5);
}

// The Netscape file curl's -b and -c use: HttpOnly and expiry survive, session cookies are
// written only when asked for, and a second engine reading the file sends them on.
TEST_F(CookieJarTest, netscapeFileRoundTrip)
{
    cookieSentTo(u"/set"_s);
    const QByteArray lasting = jar().toNetscape(false);
    const QByteArray everything = jar().toNetscape(true);
    EXPECT_TRUE(lasting.startsWith("# Netscape HTTP Cookie File\n"));
    EXPECT_TRUE(lasting.contains("#HttpOnly_127.0.0.1\tFALSE\t/\tFALSE\t"));
    EXPECT_TRUE(lasting.contains("127.0.0.1\tFALSE\t/\tFALSE\t2139722880\tdated\t4\n"));
    EXPECT_FALSE(lasting.contains("plain"));
    EXPECT_TRUE(everything.contains("127.0.0.1\tFALSE\t/api\tFALSE\t0\tscoped\t2\n"));

    NetworkService other;
    other.engine().cookies().addNetscape(everything + "garbage line\n\n# comment\r\n");
    QStringList before = describe(jar().all());
    QStringList after = describe(other.engine().cookies().all());
    // SameSite is not part of the file format.
    for (QStringList* lines : {&before, &after})
        for (QString& line : *lines)
            line.replace(QRegularExpression(u" (None|Lax|Strict|-) "_s), u" ? "_s);
    EXPECT_EQ(after, before);
}

} // namespace
