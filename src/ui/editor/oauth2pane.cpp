#include "ui/editor/oauth2pane.h"

#include "execution/variables.h"
#include "state/oauth2tokens.h"
#include "state/requestviewmodel.h"
#include "ui/common/colors.h"
#include "ui/editor/linefieldvariables.h"

#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

const QString kClientSecret = u"clientSecret"_s;
const QString kToken = u"token"_s;

constexpr int kExpiryRefreshMs = 30'000;
// A token longer than this shows its ends only: enough to tell two apart, too little to use.
constexpr int kShownTokenEnds = 6;

QString expiryText(const QDateTime& expiresAt)
{
    if (!expiresAt.isValid())
        return OAuth2Pane::tr("No expiry given");
    const qint64 seconds = QDateTime::currentDateTimeUtc().secsTo(expiresAt);
    if (seconds <= 0)
        return OAuth2Pane::tr("Expired");
    const int minutes = int(std::ceil(double(seconds) / 60));
    if (minutes < 120)
        return OAuth2Pane::tr("Expires in %n min", nullptr, minutes);
    return OAuth2Pane::tr("Expires in %n h", nullptr, minutes / 60);
}

QPalette errorPalette(QPalette palette)
{
    palette.setColor(QPalette::WindowText, systemColor(SystemColor::red, palette));
    return palette;
}

QString shortened(const QString& token)
{
    if (token.size() <= 3 * kShownTokenEnds)
        return QString(token.size(), u'•');
    return token.left(kShownTokenEnds) + u'…' + token.right(kShownTokenEnds);
}

// The same client (its secrets) and the same token in the vault.
bool sameSecrets(const OAuth2Settings& a, const OAuth2Settings& b)
{
    return oauth2SecretKey(a, kClientSecret) == oauth2SecretKey(b, kClientSecret)
        && oauth2SecretKey(a, kToken) == oauth2SecretKey(b, kToken);
}

} // namespace

OAuth2Pane::OAuth2Pane(RequestViewModel& viewModel, OAuth2Tokens& tokens,
    EnvironmentSource environment, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_tokens(tokens)
    , m_environment(std::move(environment))
    , m_form(new QFormLayout)
    , m_grant(new QComboBox)
    , m_clientAuth(new QComboBox)
    , m_tokenState(new QLabel)
    , m_tokenText(new QLabel)
    , m_copy(new QPushButton(tr("Copy")))
    , m_forget(new QPushButton(tr("Forget Token")))
    , m_getToken(new QPushButton(tr("Get New Access Token")))
    , m_cancel(new QPushButton(tr("Cancel")))
    , m_error(new QLabel)
{
    setObjectName(u"oauth2Pane"_s);
    m_form->setContentsMargins(0, 0, 0, 0);
    m_form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);

    // In the order Tab walks them.
    m_grant->setObjectName(u"oauth2Grant"_s);
    m_grant->setAccessibleName(tr("Grant"));
    m_grant->addItem(tr("Authorization Code (PKCE)"), int(OAuth2Grant::authorizationCode));
    m_grant->addItem(tr("Client Credentials"), int(OAuth2Grant::clientCredentials));
    m_grant->addItem(tr("Password"), int(OAuth2Grant::password));
    m_grant->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_form->addRow(tr("Grant"), m_grant);
    m_authUrl = addField(u"oauth2AuthUrl"_s, tr("Auth URL"));
    m_authUrl->setPlaceholderText(u"https://example.com/authorize"_s); // untranslated: a URL
    m_tokenUrl = addField(u"oauth2TokenUrl"_s, tr("Token URL"));
    m_tokenUrl->setPlaceholderText(u"https://example.com/token"_s); // untranslated: a URL
    m_clientId = addField(u"oauth2ClientId"_s, tr("Client ID"));
    m_clientSecret = addField(u"oauth2ClientSecret"_s, tr("Client Secret"));
    m_clientSecret->setEchoMode(QLineEdit::Password);
    m_clientSecret->setPlaceholderText(tr("Kept in the secret store, never in a file"));
    m_scope = addField(u"oauth2Scope"_s, tr("Scope"));
    m_scope->setPlaceholderText(tr("Optional"));
    m_audience = addField(u"oauth2Audience"_s, tr("Audience"));
    m_audience->setPlaceholderText(tr("Optional"));
    m_extraParams = addField(u"oauth2ExtraParams"_s, tr("Extra Parameters"));
    m_extraParams->setPlaceholderText(u"a=1&b=2"_s); // untranslated: form syntax
    m_clientAuth->setObjectName(u"oauth2ClientAuth"_s);
    m_clientAuth->setAccessibleName(tr("Client Authentication"));
    m_clientAuth->addItem(tr("Basic header"), int(OAuth2ClientAuth::basicHeader));
    m_clientAuth->addItem(tr("In the body"), int(OAuth2ClientAuth::body));
    m_clientAuth->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_form->addRow(tr("Client Authentication"), m_clientAuth);
    m_username = addField(u"oauth2Username"_s, tr("Username"));
    m_password = addField(u"oauth2Password"_s, tr("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_redirectPort = addField(u"oauth2RedirectPort"_s, tr("Redirect Port"));
    m_redirectPort->setPlaceholderText(tr("Any free port"));
    m_redirectPort->setValidator(new QIntValidator(1, 65535, m_redirectPort));

    m_tokenState->setObjectName(u"oauth2TokenState"_s);
    m_tokenState->setWordWrap(true);
    m_tokenText->setObjectName(u"oauth2TokenText"_s);
    m_tokenText->setTextInteractionFlags(Qt::NoTextInteraction);
    m_tokenText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const std::pair<QPushButton*, QString> buttons[] {{m_copy, u"oauth2CopyToken"_s},
        {m_forget, u"oauth2ForgetToken"_s}, {m_getToken, u"oauth2GetToken"_s},
        {m_cancel, u"oauth2CancelToken"_s}};
    for (const auto& [button, name] : buttons) {
        button->setObjectName(name);
        button->setAccessibleName(button->text());
        button->setAutoDefault(false);
    }
    m_copy->setAccessibleName(tr("Copy Token"));
    m_cancel->setAccessibleName(tr("Cancel Getting Token"));
    m_error->setObjectName(u"oauth2Error"_s);
    m_error->setWordWrap(true);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_error->hide();

    auto* tokenRow = new QHBoxLayout;
    tokenRow->addWidget(m_tokenText, 1);
    tokenRow->addWidget(m_copy);
    tokenRow->addWidget(m_forget);
    auto* fetchRow = new QHBoxLayout;
    fetchRow->addWidget(m_getToken);
    fetchRow->addWidget(m_cancel);
    fetchRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_form);
    layout->addSpacing(6);
    layout->addWidget(m_tokenState);
    layout->addLayout(tokenRow);
    layout->addLayout(fetchRow);
    layout->addWidget(m_error);

    for (QLineEdit* field : {m_authUrl, m_tokenUrl, m_clientId, m_scope, m_audience, m_extraParams,
             m_username, m_redirectPort})
        connect(field, &QLineEdit::textEdited, this, &OAuth2Pane::handleEdited);
    connect(m_grant, &QComboBox::activated, this, &OAuth2Pane::handleEdited);
    connect(m_clientAuth, &QComboBox::activated, this, &OAuth2Pane::handleEdited);
    connect(m_clientSecret, &QLineEdit::textEdited, this, &OAuth2Pane::handleSecretEdited);
    connect(m_password, &QLineEdit::textEdited, this, &OAuth2Pane::handlePasswordEdited);
    connect(m_getToken, &QPushButton::clicked, this, &OAuth2Pane::getToken);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        // Its end, when it comes, belongs to no fetch of ours any more.
        ++m_fetch;
        m_tokens.cancel();
        setBusy(false);
    });
    connect(m_copy, &QPushButton::clicked, this, [this] {
        if (const auto token = m_tokens.kept(m_viewModel.request().oauth2))
            QGuiApplication::clipboard()->setText(token->accessToken);
    });
    connect(m_forget, &QPushButton::clicked, this,
        [this] { m_tokens.forget(m_viewModel.request().oauth2); });
    connect(&m_tokens, &OAuth2Tokens::tokenChanged, this, [this](const OAuth2Settings& settings) {
        if (oauth2SecretKey(settings, kToken)
            == oauth2SecretKey(m_viewModel.request().oauth2, kToken))
            showToken();
    });
    connect(&m_viewModel, &RequestViewModel::requestChanged, this, &OAuth2Pane::showSettings);
    m_expiry.setInterval(kExpiryRefreshMs);
    connect(&m_expiry, &QTimer::timeout, this, &OAuth2Pane::showToken);
    m_expiry.start();

    setBusy(false);
    showSettings();
}

QLineEdit* OAuth2Pane::addField(const QString& objectName, const QString& label)
{
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setAccessibleName(label);
    m_form->addRow(label, field);
    m_variables.append(new LineFieldVariables(field, m_environment));
    return field;
}

void OAuth2Pane::refreshVariables()
{
    for (LineFieldVariables* variables : std::as_const(m_variables))
        variables->refresh();
}

int OAuth2Pane::labelWidth() const
{
    int width = 0;
    for (int row = 0; row < m_form->rowCount(); ++row) {
        if (QLayoutItem* label = m_form->itemAt(row, QFormLayout::LabelRole))
            width = std::max(width, label->sizeHint().width());
    }
    return width;
}

void OAuth2Pane::showSettings()
{
    if (m_syncing)
        return;
    const OAuth2Settings& settings = m_viewModel.request().oauth2;
    m_grant->setCurrentIndex(m_grant->findData(int(settings.grant)));
    m_clientAuth->setCurrentIndex(m_clientAuth->findData(int(settings.clientAuth)));
    const QString port
        = settings.redirectPort > 0 ? QString::number(settings.redirectPort) : QString();
    const std::pair<QLineEdit*, QString> fields[] {{m_authUrl, settings.authUrl},
        {m_tokenUrl, settings.tokenUrl}, {m_clientId, settings.clientId}, {m_scope, settings.scope},
        {m_audience, settings.audience}, {m_extraParams, settings.extraParams},
        {m_username, settings.username}, {m_redirectPort, port}};
    for (const auto& [field, text] : fields) {
        if (field->text() != text)
            field->setText(text);
    }
    showGrant();
    if (!m_shown || !sameSecrets(*m_shown, settings)) {
        // Another request (or client): its own secrets, nothing of the last one's.
        m_clientSecret->clear();
        m_password->clear();
        loadSecrets();
    }
    showToken();
}

void OAuth2Pane::handleEdited()
{
    APIRequest request = m_viewModel.request();
    OAuth2Settings& settings = request.oauth2;
    settings.grant = OAuth2Grant(m_grant->currentData().toInt());
    settings.clientAuth = OAuth2ClientAuth(m_clientAuth->currentData().toInt());
    settings.authUrl = m_authUrl->text();
    settings.tokenUrl = m_tokenUrl->text();
    settings.clientId = m_clientId->text();
    settings.scope = m_scope->text();
    settings.audience = m_audience->text();
    settings.extraParams = m_extraParams->text();
    settings.username = m_username->text();
    settings.redirectPort = m_redirectPort->text().toInt();
    const bool otherClient = !m_shown || !sameSecrets(*m_shown, settings);
    m_syncing = true;
    m_viewModel.setRequest(request);
    m_syncing = false;
    showGrant();
    if (otherClient) {
        // What was typed into the secret fields goes with the client they now name (the id
        // is often typed after the secret).
        const bool carries = !m_clientSecret->text().isEmpty() || !m_password->text().isEmpty();
        if (!m_clientSecret->text().isEmpty())
            m_tokens.setClientSecret(settings, m_clientSecret->text());
        if (!m_password->text().isEmpty())
            m_tokens.setPassword(settings, m_password->text());
        if (carries)
            m_carried.insert(oauth2SecretKey(settings, kClientSecret));
        // A client not named yet is no client at all, nor one named only halfway: what was
        // kept for it moves, rather than linger in the keyring.
        const bool passingThrough
            = m_shown && m_carried.remove(oauth2SecretKey(*m_shown, kClientSecret));
        if (m_shown
            && (passingThrough || m_shown->clientId.isEmpty() || m_shown->tokenUrl.isEmpty())
            && oauth2SecretKey(*m_shown, kClientSecret)
                != oauth2SecretKey(settings, kClientSecret)) {
            m_tokens.setClientSecret(*m_shown, {});
            m_tokens.setPassword(*m_shown, {});
        }
        loadSecrets();
    }
    showToken();
}

void OAuth2Pane::handleSecretEdited()
{
    m_tokens.setClientSecret(m_viewModel.request().oauth2, m_clientSecret->text());
}

void OAuth2Pane::handlePasswordEdited()
{
    m_tokens.setPassword(m_viewModel.request().oauth2, m_password->text());
}

void OAuth2Pane::loadSecrets()
{
    const OAuth2Settings settings = m_viewModel.request().oauth2;
    m_shown = settings;
    m_tokens.load(settings, [pane = QPointer(this), settings] {
        if (pane && pane->m_shown && sameSecrets(*pane->m_shown, settings)) {
            pane->showSecrets();
            pane->showToken();
        }
    });
}

void OAuth2Pane::showSecrets()
{
    const OAuth2Settings& settings = m_viewModel.request().oauth2;
    // A field being typed in keeps its text: the vault has it already.
    const std::pair<QLineEdit*, QString> fields[] {
        {m_clientSecret, m_tokens.clientSecret(settings)},
        {m_password, m_tokens.password(settings)}};
    for (const auto& [field, text] : fields) {
        if (field->text() != text && !field->hasFocus())
            field->setText(text);
    }
}

void OAuth2Pane::showGrant()
{
    const auto grant = OAuth2Grant(m_grant->currentData().toInt());
    const bool code = grant == OAuth2Grant::authorizationCode;
    const bool password = grant == OAuth2Grant::password;
    m_form->setRowVisible(m_authUrl, code);
    m_form->setRowVisible(m_redirectPort, code);
    m_form->setRowVisible(m_username, password);
    m_form->setRowVisible(m_password, password);
}

void OAuth2Pane::showToken()
{
    const std::optional<OAuth2Token> token = m_tokens.kept(m_viewModel.request().oauth2);
    if (!token) {
        m_tokenState->setText(tr("No token yet"));
        m_tokenText->clear();
    } else {
        QStringList parts {token->tokenType.isEmpty() ? u"Bearer"_s : token->tokenType};
        if (!token->scope.isEmpty())
            parts.append(tr("Scope: %1").arg(token->scope));
        parts.append(expiryText(token->expiresAt));
        m_tokenState->setText(parts.join(u" · "_s));
        m_tokenText->setText(shortened(token->accessToken));
    }
    m_tokenState->setAccessibleName(m_tokenState->text());
    m_tokenText->setVisible(token.has_value());
    m_copy->setVisible(token.has_value());
    m_forget->setVisible(token.has_value());
}

void OAuth2Pane::getToken()
{
    const quint64 fetch = ++m_fetch;
    m_error->hide();
    setBusy(true);
    const std::optional<APIEnvironment> environment = m_environment();
    m_tokens.fetchNew(
        m_viewModel.request().oauth2,
        [environment](const QString& text) { return substituteVariables(text, environment); },
        [pane = QPointer(this), fetch](const Result<OAuth2Token>& result) {
            if (!pane || fetch != pane->m_fetch)
                return;
            pane->setBusy(false);
            if (!result.ok()) {
                pane->m_error->setText(result.errorMessage());
                pane->m_error->setPalette(errorPalette(pane->palette()));
                pane->m_error->show();
            }
            pane->showToken();
        });
}

void OAuth2Pane::setBusy(bool busy)
{
    // The button that has the focus goes away (or greys out): the other one takes it over.
    const bool handOver = busy ? m_getToken->hasFocus() : m_cancel->hasFocus();
    m_busy = busy;
    m_getToken->setText(busy ? tr("Getting Token...") : tr("Get New Access Token"));
    m_cancel->setVisible(busy);
    m_getToken->setEnabled(!busy);
    if (handOver)
        (busy ? m_cancel : m_getToken)->setFocus();
}

} // namespace mako
