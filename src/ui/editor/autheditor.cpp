#include "ui/editor/autheditor.h"

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
    }
    return {};
}

} // namespace

AuthEditor::AuthEditor(RequestViewModel& viewModel, EnvironmentSource environment, QWidget* parent)
    : QWidget(parent)
    , m_viewModel(viewModel)
    , m_type(new QComboBox)
    , m_fieldLabel(new QLabel)
    , m_token(new QLineEdit)
    , m_variables(new LineFieldVariables(m_token, std::move(environment)))
    , m_note(new QLabel)
{
    m_type->setObjectName(u"authType"_s);
    m_type->setAccessibleName(tr("Type"));
    for (AuthType type : allCases<AuthType>())
        m_type->addItem(rawValue(type), QVariant::fromValue(int(type)));
    m_token->setObjectName(u"authToken"_s);
    m_fieldLabel->setBuddy(m_token);
    m_note->setObjectName(u"authNote"_s);
    m_note->setForegroundRole(QPalette::PlaceholderText);
    m_note->setWordWrap(true);

    m_type->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* form = new QFormLayout;
    // The field grows, the picker keeps to its texts.
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->addRow(tr("Type"), m_type);
    form->addRow(m_fieldLabel, m_token);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(form);
    layout->addWidget(m_note);
    layout->addStretch();

    connect(m_type, &QComboBox::activated, this, &AuthEditor::handleTypeChosen);
    connect(m_token, &QLineEdit::textEdited, this, &AuthEditor::handleTokenEdited);
    connect(
        &m_viewModel, &RequestViewModel::requestChanged, this, &AuthEditor::handleRequestChanged);
    handleRequestChanged();
}

void AuthEditor::refreshVariables()
{
    m_variables->refresh();
}

void AuthEditor::handleRequestChanged()
{
    if (m_syncing)
        return;
    const APIRequest& request = m_viewModel.request();
    m_type->setCurrentIndex(m_type->findData(int(request.authType)));
    if (m_token->text() != request.authToken)
        m_token->setText(request.authToken);
    showType();
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
}

void AuthEditor::showType()
{
    const AuthType type = m_viewModel.request().authType;
    const AuthField field = fieldFor(type);
    const bool hasField = type != AuthType::none;
    m_fieldLabel->setVisible(hasField);
    m_token->setVisible(hasField);
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
