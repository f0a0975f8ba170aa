#include "ui/editor/autheditor.h"

#include "execution/outgoingrequest.h"
#include "state/requestviewmodel.h"
#include "ui/editor/linefieldvariables.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

struct AuthField {
    QString label;
    bool secure = false;
    QString placeholder;
    QString note;
};

AuthField fieldFor(AuthType type)
{
    switch (type) {
    case AuthType::none:
        return {{}, false, {}, AuthEditor::tr("No authentication")};
    case AuthType::bearer:
        return {AuthEditor::tr("Token"), false, AuthEditor::tr("Enter bearer token"), {}};
    case AuthType::basic:
        return {AuthEditor::tr("Credentials"), true, u"username:password"_s,
            AuthEditor::tr("Base64-encoded as Authorization header")};
    case AuthType::apiKey:
        return {AuthEditor::tr("API Key"), true, AuthEditor::tr("Enter API key"),
            AuthEditor::tr("Sent as X-API-Key header")};
    case AuthType::digest:
        return {{}, false, {},
            AuthEditor::tr("Answers the server's Digest challenge (MD5 or SHA-256); the "
                           "password itself is never sent")};
    case AuthType::ntlm:
        return {{}, false, {}, AuthEditor::tr("Answers the server's NTLM challenge")};
    case AuthType::negotiate:
        return {{}, false, {},
            AuthEditor::tr("Kerberos (SPNEGO) with the system's tickets; username and password "
                           "may stay empty")};
    case AuthType::awsSigV4:
        return {{}, false, {},
            AuthEditor::tr("Signs the request with AWS Signature Version 4; without a region "
                           "and service they are read from the host name")};
    // Not offered by the picker yet: their panes come with the token flows.
    case AuthType::oauth2:
    case AuthType::inherit:
        return {};
    }
    return {};
}

// Whether the kind shows its credential as a name and a secret of their own.
bool splitsCredential(AuthType type)
{
    return type == AuthType::digest || type == AuthType::ntlm || type == AuthType::negotiate
        || type == AuthType::awsSigV4;
}

} // namespace

AuthEditor::AuthEditor(RequestViewModel& viewModel, EnvironmentSource environment, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_environment(std::move(environment))
    , m_form(new QFormLayout)
    , m_type(new QComboBox)
    , m_fieldLabel(new QLabel)
    , m_token(new QLineEdit)
    , m_note(new QLabel)
{
    m_variables.append(new LineFieldVariables(m_token, m_environment));
    m_type->setObjectName(u"authType"_s);
    m_type->setAccessibleName(tr("Type"));
    for (AuthType type : allCases<AuthType>()) {
        if (type != AuthType::oauth2 && type != AuthType::inherit)
            m_type->addItem(rawValue(type), QVariant::fromValue(int(type)));
    }
    m_token->setObjectName(u"authToken"_s);
    m_fieldLabel->setBuddy(m_token);
    m_note->setObjectName(u"authNote"_s);
    m_note->setForegroundRole(QPalette::PlaceholderText);
    m_note->setWordWrap(true);

    m_type->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The field grows, the picker keeps to its texts.
    m_form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    m_form->addRow(tr("Type"), m_type);
    m_form->addRow(m_fieldLabel, m_token);
    // In the order Tab walks them.
    m_user = addField(u"authUsername"_s, tr("Username"));
    m_password = addField(u"authPassword"_s, tr("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_domain = addField(u"authDomain"_s, tr("Domain"));
    m_domain->setPlaceholderText(tr("Optional"));
    m_region = addField(u"awsRegion"_s, tr("Region"));
    m_region->setPlaceholderText(u"us-east-1"_s); // untranslated: an AWS region name
    m_service = addField(u"awsService"_s, tr("Service"));
    m_service->setPlaceholderText(u"s3"_s); // untranslated: an AWS service name
    m_sessionToken = addField(u"awsSessionToken"_s, tr("Session Token"));
    m_sessionToken->setPlaceholderText(tr("Optional"));
    m_sessionToken->setEchoMode(QLineEdit::Password);
    for (QLineEdit* field : {m_user, m_password})
        connect(field, &QLineEdit::textEdited, this, &AuthEditor::handlePairEdited);
    for (QLineEdit* field : {m_domain, m_region, m_service, m_sessionToken})
        connect(field, &QLineEdit::textEdited, this, &AuthEditor::handleExtraEdited);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(m_form);
    layout->addWidget(m_note);
    layout->addStretch();

    connect(m_type, &QComboBox::activated, this, &AuthEditor::handleTypeChosen);
    connect(m_token, &QLineEdit::textEdited, this, &AuthEditor::handleTokenEdited);
    connect(
        &m_viewModel, &RequestViewModel::requestChanged, this, &AuthEditor::handleRequestChanged);
    handleRequestChanged();
}

QLineEdit* AuthEditor::addField(const QString& objectName, const QString& label)
{
    // Parented by the form, in its order, which is the order Tab walks.
    auto* field = new QLineEdit;
    field->setObjectName(objectName);
    field->setAccessibleName(label);
    m_form->addRow(label, field);
    m_variables.append(new LineFieldVariables(field, m_environment));
    return field;
}

void AuthEditor::limitToHeaderKinds()
{
    for (int i = m_type->count() - 1; i >= 0; --i) {
        if (splitsCredential(AuthType(m_type->itemData(i).toInt())))
            m_type->removeItem(i);
    }
    handleRequestChanged();
}

void AuthEditor::refreshVariables()
{
    for (LineFieldVariables* variables : std::as_const(m_variables))
        variables->refresh();
}

void AuthEditor::handleRequestChanged()
{
    if (m_syncing)
        return;
    const APIRequest& request = m_viewModel.request();
    m_type->setCurrentIndex(m_type->findData(int(request.authType)));
    if (m_token->text() != request.authToken)
        m_token->setText(request.authToken);
    const auto [user, password] = splitCredentials(request.authToken);
    const std::pair<QLineEdit*, const QString*> fields[] {{m_user, &user}, {m_password, &password},
        {m_domain, &request.authDomain}, {m_region, &request.awsRegion},
        {m_service, &request.awsService}, {m_sessionToken, &request.awsSessionToken}};
    for (const auto& [field, text] : fields) {
        if (field->text() != *text)
            field->setText(*text);
    }
    showType();
}

void AuthEditor::handlePairEdited()
{
    APIRequest request = m_viewModel.request();
    // Both empty is no credential at all, not a lone ":".
    request.authToken = m_user->text().isEmpty() && m_password->text().isEmpty()
        ? QString()
        : m_user->text() + u':' + m_password->text();
    m_syncing = true;
    m_viewModel.setRequest(request);
    m_token->setText(request.authToken);
    m_syncing = false;
}

void AuthEditor::handleExtraEdited()
{
    APIRequest request = m_viewModel.request();
    request.authDomain = m_domain->text();
    request.awsRegion = m_region->text();
    request.awsService = m_service->text();
    request.awsSessionToken = m_sessionToken->text();
    m_syncing = true;
    m_viewModel.setRequest(request);
    m_syncing = false;
}

void AuthEditor::handleTypeChosen(int index)
{
    APIRequest request = m_viewModel.request();
    request.authType = AuthType(m_type->itemData(index).toInt());
    m_syncing = true;
    m_viewModel.setRequest(request);
    m_syncing = false;
    showType();
}

void AuthEditor::handleTokenEdited(const QString& token)
{
    APIRequest request = m_viewModel.request();
    request.authToken = token;
    m_syncing = true;
    m_viewModel.setRequest(request);
    m_syncing = false;
    const auto [user, password] = splitCredentials(token);
    m_user->setText(user);
    m_password->setText(password);
}

void AuthEditor::showType()
{
    const AuthType type = m_viewModel.request().authType;
    const AuthField field = fieldFor(type);
    const bool split = splitsCredential(type);
    const bool hasField = type != AuthType::none && !split;
    m_form->setRowVisible(m_token, hasField);
    const bool aws = type == AuthType::awsSigV4;
    m_form->setRowVisible(m_user, split);
    m_form->setRowVisible(m_password, split);
    m_form->setRowVisible(m_domain, type == AuthType::ntlm);
    for (QLineEdit* field : {m_region, m_service, m_sessionToken})
        m_form->setRowVisible(field, aws);
    const QString userLabel = aws ? tr("Access Key") : tr("Username");
    const QString passwordLabel = aws ? tr("Secret Key") : tr("Password");
    for (const auto& [field, label] :
        {std::pair {m_user, userLabel}, std::pair {m_password, passwordLabel}}) {
        if (auto* shown = qobject_cast<QLabel*>(m_form->labelForField(field)))
            shown->setText(label);
        field->setAccessibleName(label);
    }
    m_fieldLabel->setText(field.label);
    m_token->setAccessibleName(field.label);
    m_token->setPlaceholderText(field.placeholder);
    m_token->setEchoMode(field.secure ? QLineEdit::Password : QLineEdit::Normal);
    m_token->setFont(
        type == AuthType::bearer ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : font());
    m_note->setText(field.note);
    m_note->setVisible(!field.note.isEmpty());
}

} // namespace mako
