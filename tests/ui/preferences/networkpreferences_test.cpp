#include "execution/networkservice.h"
#include "preferencesrun.h"
#include "state/settings.h"
#include "support/fakesecretstore.h"
#include "support/httptestserver.h"
#include "ui/common/colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// Sends a GET to `url` the way the request editor does, through the application's service.
NetworkResult send(const QString& url)
{
    std::optional<NetworkResult> result;
    QObject context;
    QEventLoop loop;
    NetworkService::shared().execute(
        APIRequest {.url = url}, std::nullopt, &context, [&](const NetworkResult& outcome) {
            result = outcome;
            loop.quit();
        });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    return result.value_or(NetworkError::network(0, u"no result delivered"_s));
}

int statusOf(const NetworkResult& result)
{
    const auto* response = std::get_if<APIResponse>(&result);
    return response ? response->statusCode : -1;
}

} // namespace

TEST(NetworkPreferences, requestTimeoutIsStoredAsTypedAndReachesTheServiceWithinItsLimits)
{
    PreferencesRun run;
    run.showTab(u"networkTab"_s);
    const struct {
        QString typed;
        double stored;
        double used;
    } cases[] {{u"2"_s, 2, 5}, {u"0"_s, 0, 30}, {u"45"_s, 45, 45}, {u"900"_s, 900, 300}};
    for (const auto& check : cases) {
        run.type(run.control<QSpinBox>(u"requestTimeoutField"_s), check.typed);
        EXPECT_EQ(run.settings().value(SettingKeys::requestTimeout), check.stored);
        EXPECT_EQ(NetworkService::shared().settings().requestTimeout, check.used);
    }
}

TEST(NetworkPreferences, turningCertificateChecksOffWarnsAndReachesASelfSignedPeer)
{
    HttpTestServer peer(HttpTestServer::Tls::SelfSigned);
    PreferencesRun run;
    run.showTab(u"networkTab"_s);
    QWidget* warning = run.control(u"sslWarning"_s);
    ASSERT_TRUE(warning);
    EXPECT_FALSE(warning->isVisible());
    EXPECT_EQ(statusOf(send(peer.baseUrl() + u"/"_s)), -1);

    click(run.control<QCheckBox>(u"verifySSLToggle"_s));
    EXPECT_TRUE(warning->isVisible());
    const QLabel* text = run.control<QLabel>(u"sslWarningText"_s);
    EXPECT_EQ(text->text(), u"Only disable for local development with self-signed certificates."_s);
    EXPECT_EQ(text->palette().color(QPalette::WindowText),
        systemColor(SystemColor::orange, warning->palette()));
    EXPECT_EQ(statusOf(send(peer.baseUrl() + u"/"_s)), 200);
}

TEST(NetworkPreferences, redirectsAndUserAgentFollowTheirControls)
{
    HttpTestServer peer;
    peer.setHandler([](const RecordedRequest& request) {
        if (request.target == "/moved")
            return ScriptedResponse {.status = 302, .headers = {{"Location", "/here"}}};
        return echoResponse(request);
    });
    PreferencesRun run;
    run.showTab(u"networkTab"_s);
    EXPECT_EQ(statusOf(send(peer.baseUrl() + u"/moved"_s)), 200);
    click(run.control<QCheckBox>(u"followRedirectsToggle"_s));
    EXPECT_EQ(statusOf(send(peer.baseUrl() + u"/moved"_s)), 302);
    click(run.control<QCheckBox>(u"followRedirectsToggle"_s));
    run.type(run.control<QSpinBox>(u"maxRedirectsField"_s), u"0"_s);
    EXPECT_EQ(statusOf(send(peer.baseUrl() + u"/moved"_s)), -1);

    auto* userAgent = run.control<QLineEdit>(u"userAgentField"_s);
    userAgent->selectAll();
    QTest::keyClicks(userAgent, u"Probe/2"_s);
    send(peer.baseUrl() + u"/ua"_s);
    EXPECT_EQ(peer.requests().last().header("User-Agent"), "Probe/2");
}

// The peer speaks HTTP/1.1 only; what a request asks for shows in its upgrade offer, made over
// plain HTTP only when HTTP/2 is chosen.
TEST(NetworkPreferences, theHttpVersionPickedByKeysReachesTheEngine)
{
    HttpTestServer peer;
    PreferencesRun run;
    run.showTab(u"networkTab"_s);
    auto* picker = run.control<QComboBox>(u"httpVersionPicker"_s);
    ASSERT_TRUE(picker);
    picker->setFocus();
    const struct {
        QString stored;
        HttpVersion version;
        QByteArray upgrade;
    } cases[] {
        {u"auto"_s, HttpVersion::automatic, ""},
        {u"http1.1"_s, HttpVersion::http1_1, ""},
        {u"http2"_s, HttpVersion::http2, "h2c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        if (c.version != HttpVersion::automatic)
            QTest::keyClick(picker, Qt::Key_Down);
        EXPECT_EQ(run.settings().value(SettingKeys::httpVersion), c.stored);
        EXPECT_EQ(NetworkService::shared().settings().httpVersion, c.version);
        const NetworkResult result = send(peer.baseUrl() + u"/v"_s);
        const auto* response = std::get_if<APIResponse>(&result);
        ASSERT_TRUE(response);
        EXPECT_EQ(response->httpVersion, u"HTTP/1.1"_s);
        EXPECT_EQ(peer.requests().last().header("Upgrade"), c.upgrade);
    }
}

TEST(NetworkPreferences, requestsGoThroughALoopbackProxyWithAndWithoutCredentials)
{
    HttpTestServer proxy;
    QHash<QString, QString> secrets;
    int writes = 0;
    PreferencesRun run({}, std::make_unique<FakeSecretStore>(&secrets, nullptr, &writes));
    run.showTab(u"proxyTab"_s);
    // Without a proxy of its own the system's applies, unless switched off; with one the
    // choice is moot and hidden.
    auto* system = run.control<QCheckBox>(u"proxyUseSystemToggle"_s);
    EXPECT_TRUE(system->isVisible() && system->isChecked());
    EXPECT_TRUE(NetworkService::shared().settings().proxy.useSystem);
    system->setFocus();
    QTest::keyClick(system, Qt::Key_Space);
    EXPECT_FALSE(run.settings().value(SettingKeys::proxyUseSystem));
    EXPECT_FALSE(NetworkService::shared().settings().proxy.useSystem);
    click(run.control<QCheckBox>(u"proxyEnabledToggle"_s));
    EXPECT_FALSE(system->isVisible());
    QTest::keyClicks(run.control(u"proxyHostField"_s), u"127.0.0.1"_s);
    run.type(run.control<QSpinBox>(u"proxyPortField"_s), QString::number(proxy.port()));
    // The target is never reached: the proxy answers for it.
    const QString target = u"http://127.0.0.1:9/through"_s;
    EXPECT_EQ(statusOf(send(target)), 200);
    ASSERT_EQ(proxy.requests().size(), 1);
    EXPECT_EQ(proxy.requests()[0].target, target.toUtf8());
    EXPECT_TRUE(proxy.requests()[0].header("Proxy-Authorization").isEmpty());

    click(run.control<QCheckBox>(u"proxyAuthToggle"_s));
    QTest::keyClicks(run.control(u"proxyUsernameField"_s), u"u"_s);
    QWidget* passwordField = run.control(u"proxyPasswordField"_s);
    QTest::keyClicks(passwordField, u"pw-3141"_s);
    EXPECT_FALSE(run.control(u"proxyPasswordNote"_s)->isVisible());
    // In use while still being typed, but not one secret-service job per key.
    EXPECT_EQ(statusOf(send(target)), 200);
    ASSERT_EQ(proxy.requests().size(), 2);
    EXPECT_EQ(proxy.requests()[1].header("Proxy-Authorization"),
        "Basic " + QByteArray("u:pw-3141").toBase64());
    EXPECT_EQ(writes, 0);

    // Kept in the secret store once editing ends, and only there, never in the preference file.
    QTest::keyClick(passwordField, Qt::Key_Return);
    QTest::keyClick(passwordField, Qt::Key_Return);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(secrets.values(), QStringList {u"pw-3141"_s});
    QCoreApplication::processEvents(); // lets the store write its file
    QFile stored(run.folder.settingsFile());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_FALSE(stored.readAll().contains("pw-3141"));
}

TEST(NetworkPreferences, theProxyPasswordComesBackFromTheSecretStoreOrLastsOneRun)
{
    QHash<QString, QString> secrets {{u"proxyPassword"_s, u"kept"_s}};
    {
        // Asking the secret service may make the desktop prompt to unlock it: only users of an
        // authenticating proxy get asked, once.
        int reads = 0;
        PreferencesRun run({}, std::make_unique<FakeSecretStore>(&secrets, &reads));
        run.showTab(u"proxyTab"_s);
        QTest::qWait(50);
        EXPECT_EQ(reads, 0);
        run.app->settings().setValue(SettingKeys::proxyEnabled, true);
        run.app->settings().setValue(SettingKeys::proxyAuth, true);
        run.app->settings().setValue(SettingKeys::proxyUsername, u"u"_s);
        EXPECT_EQ(reads, 1);
    }
    {
        PreferencesRun run({{u"proxyEnabled"_s, true}, {u"proxyAuth"_s, true}},
            std::make_unique<FakeSecretStore>(&secrets));
        run.showTab(u"proxyTab"_s);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return run.control<QLineEdit>(u"proxyPasswordField"_s)->text() == u"kept"_s; }));
        EXPECT_EQ(NetworkService::shared().settings().proxy.password, u"kept"_s);
        EXPECT_FALSE(run.control(u"proxyPasswordNote"_s)->isVisible());
    }
    PreferencesRun run({{u"proxyEnabled"_s, true}, {u"proxyAuth"_s, true}});
    run.showTab(u"proxyTab"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.control(u"proxyPasswordNote"_s)->isVisible(); }));
    QTest::keyClicks(run.control(u"proxyPasswordField"_s), u"brief"_s);
    EXPECT_EQ(NetworkService::shared().settings().proxy.password, u"brief"_s);
}
