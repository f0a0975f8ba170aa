#include "execution/networkservice.h"
#include "preferencesrun.h"
#include "state/settings.h"
#include "support/fakesecretstore.h"
#include "support/httptestserver.h"
#include "support/sendwait.h"
#include "support/testpki.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace mako;
using namespace mako::test;
using namespace Qt::StringLiterals;

namespace {

// Presses a control with the keyboard, as a user who tabbed to it would.
void press(QWidget* control)
{
    ASSERT_TRUE(control);
    control->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control, Qt::Key_Space);
}

QWidget* openSheet(const PreferencesRun& run, const QString& button)
{
    press(run.control(button));
    QWidget* sheet = nullptr;
    EXPECT_EVENTUALLY((sheet = visibleDialog(u"certificateSheet"_s)) != nullptr);
    return sheet;
}

// Replaces a field's text by keys.
QLineEdit* retype(QWidget* sheet, const QString& field, const QString& text)
{
    auto* edit = child<QLineEdit>(sheet, field);
    if (!edit)
        return nullptr;
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
    return edit;
}

// What the secret store holds; an empty secret stands for one removed.
QHash<QString, QString> held(const QHash<QString, QString>& secrets)
{
    QHash<QString, QString> kept = secrets;
    kept.removeIf([](const auto& secret) { return secret.value().isEmpty(); });
    return kept;
}

int statusOf(const NetworkResult& result)
{
    const auto* response = std::get_if<APIResponse>(&result);
    return response ? response->statusCode : -1;
}

} // namespace

// An entry made, changed and removed with the keyboard: the list keeps its files, the secret
// store its passphrase under the host, and the engine gets both at once.
TEST(CertificatesPreferences, entriesAreAddedEditedAndRemovedByKeysAndReachTheEngine)
{
    TestPki pki;
    const PemIdentity serverAuthority = pki.makeAuthority(u"server-ca"_s);
    const PemIdentity clientAuthority = pki.makeAuthority(u"client-ca"_s);
    const PemIdentity identity = pki.makeServer(u"server"_s, serverAuthority);
    const QString p12
        = pki.makePkcs12(u"client"_s, pki.makeClient(u"client"_s, clientAuthority), u"s3cret"_s);
    HttpTestServer tls(TlsServerIdentity {
        identity.certificatePem(), identity.keyPem(), clientAuthority.certificatePem()});
    const QString host = u"127.0.0.1:%1"_s.arg(tls.port());
    QHash<QString, QString> secrets;
    PreferencesRun run({}, std::make_unique<FakeSecretStore>(&secrets));
    run.showTab(u"certificatesTab"_s);
    auto* table = run.control<QAbstractItemView>(u"certificatesTable"_s);
    EXPECT_FALSE(run.control(u"certificateEditButton"_s)->isEnabled());
    EXPECT_EQ(
        statusOf(sendAndWait(NetworkService::shared(), APIRequest {.url = tls.baseUrl()})), -1);

    QWidget* sheet = openSheet(run, u"certificateAddButton"_s);
    ASSERT_TRUE(sheet);
    auto* save = child<QPushButton>(sheet, u"confirmButton"_s);
    EXPECT_FALSE(save->isEnabled());
    retype(sheet, u"certificateHostField"_s, host);
    auto* type = child<QComboBox>(sheet, u"certificateTypePicker"_s);
    type->setFocus(Qt::TabFocusReason);
    QTest::keyClick(type, Qt::Key_Down);
    // A PKCS #12 file holds its key.
    EXPECT_FALSE(child<QWidget>(sheet, u"certificateKeyField"_s)->isVisible());
    run.dialogs->answer = p12;
    press(child<QWidget>(sheet, u"certificateFileButton"_s));
    EXPECT_EQ(child<QLineEdit>(sheet, u"certificateFileField"_s)->text(), p12);
    EXPECT_TRUE(save->isEnabled());
    retype(sheet, u"certificateCaField"_s, serverAuthority.certificate);
    QTest::keyClick(retype(sheet, u"certificatePassphraseField"_s, u"s3cret"_s), Qt::Key_Return);
    EXPECT_EVENTUALLY(visibleDialog(u"certificateSheet"_s) == nullptr);

    const HostCertificate stored {.host = host,
        .type = HostCertificate::Type::pkcs12,
        .certificateFile = p12,
        .caBundleFile = serverAuthority.certificate};
    EXPECT_EQ(run.settings().hostCertificates(), QList {stored});
    EXPECT_EQ(rowTexts(table), QStringList {host});
    EXPECT_EQ(held(secrets),
        (QHash<QString, QString> {{u"certificatePassphrase/"_s + host, u"s3cret"_s}}));
    EXPECT_EQ(
        statusOf(sendAndWait(NetworkService::shared(), APIRequest {.url = tls.baseUrl()})), 200);
    // No file of the run holds the passphrase: not the preferences, not a data file.
    run.state().saveCurrentTabState();
    QCoreApplication::processEvents(); // lets the stores write their files
    QFile file(run.folder.settingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("s3cret"));
    for (const QString& name : run.folder.fileNames())
        EXPECT_FALSE(run.folder.read(name).contains("s3cret")) << name.toStdString();

    // Another host takes the passphrase along, and this server is no longer covered.
    clickRow(table, 0);
    sheet = openSheet(run, u"certificateEditButton"_s);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(child<QLineEdit>(sheet, u"certificatePassphraseField"_s)->text(), u"s3cret"_s);
    QTest::keyClick(retype(sheet, u"certificateHostField"_s, u"*.corp.example"_s), Qt::Key_Return);
    EXPECT_EVENTUALLY(visibleDialog(u"certificateSheet"_s) == nullptr);
    EXPECT_EQ(rowTexts(table), QStringList {u"*.corp.example"_s});
    EXPECT_EQ(held(secrets),
        (QHash<QString, QString> {{u"certificatePassphrase/*.corp.example"_s, u"s3cret"_s}}));
    EXPECT_EQ(
        statusOf(sendAndWait(NetworkService::shared(), APIRequest {.url = tls.baseUrl()})), -1);

    clickRow(table, 0);
    press(run.control(u"certificateRemoveButton"_s));
    EXPECT_EQ(rowTexts(table), QStringList {});
    EXPECT_TRUE(run.settings().hostCertificates().isEmpty());
    EXPECT_TRUE(held(secrets).isEmpty());
    EXPECT_TRUE(NetworkService::shared().settings().certificates.isEmpty());
}

// Entries from an earlier run get their passphrases back from the secret store; a pasted curl
// command's certificate joins the list, first, and the user is told where it went.
TEST(CertificatesPreferences, storedPassphrasesAndImportedCertificatesReachTheEngine)
{
    QHash<QString, QString> secrets {{u"certificatePassphrase/api.test"_s, u"kept"_s}};
    PreferencesRun run({{u"certificates/size"_s, 1}, {u"certificates/1/host"_s, u"api.test"_s},
                           {u"certificates/1/type"_s, u"pkcs12"_s},
                           {u"certificates/1/certificateFile"_s, u"/home/u/id.p12"_s}},
        std::make_unique<FakeSecretStore>(&secrets));
    const HostCertificate earlier {.host = u"api.test"_s,
        .type = HostCertificate::Type::pkcs12,
        .certificateFile = u"/home/u/id.p12"_s,
        .passphrase = u"kept"_s};
    EXPECT_EVENTUALLY_EQ(NetworkService::shared().settings().certificates, QList {earlier});

    run.window().activateWindow();
    run.action(u"importCurlAction"_s)->trigger();
    QWidget* curlSheet = nullptr;
    EXPECT_EVENTUALLY((curlSheet = visibleDialog(u"curlImportSheet"_s)) != nullptr);
    ASSERT_TRUE(curlSheet);
    auto* text = child<QPlainTextEdit>(curlSheet, u"curlText"_s);
    text->setFocus();
    QTest::keyClicks(
        text, u"curl -E /home/u/me.pem:pw --key /home/u/me.key https://other.test:8443/x"_s);
    click(child<QPushButton>(curlSheet, u"importButton"_s));
    EXPECT_EVENTUALLY(visibleDialog(u"curlImportSheet"_s) == nullptr);
    EXPECT_EQ(run.state().alertMessage().value_or(QString()),
        u"The certificate options were added to Preferences → Certificates, for "
        "other.test:8443."_s);
    const HostCertificate imported {.host = u"other.test:8443"_s,
        .certificateFile = u"/home/u/me.pem"_s,
        .keyFile = u"/home/u/me.key"_s,
        .passphrase = u"pw"_s};
    EXPECT_EVENTUALLY_EQ(
        NetworkService::shared().settings().certificates, (QList {imported, earlier}));
    EXPECT_EQ(rowTexts(run.control<QAbstractItemView>(u"certificatesTable"_s)),
        (QStringList {u"other.test:8443"_s, u"api.test"_s}));
    EXPECT_EQ(secrets.value(u"certificatePassphrase/other.test:8443"_s), u"pw"_s);
}
