#include "ui/preferences/proxytab.h"

#include "state/settings.h"
#include "ui/common/iconlabel.h"
#include "ui/common/proxypassword.h"
#include "ui/preferences/preferencebindings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// One segment of the type picker. The style draws a checked tool button only a shade darker, so
// the chosen segment also gets a bar in the accent colour, read at paint time so that it follows
// the appearance.
class Segment : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QToolButton::paintEvent(event);
        if (!isChecked())
            return;
        QPainter painter(this);
        painter.fillRect(
            QRect(3, height() - 4, width() - 6, 2), palette().color(QPalette::Highlight));
    }
};

QWidget* typePicker(Settings& settings)
{
    auto* picker = new QWidget;
    picker->setObjectName(u"proxyTypePicker"_s);
    auto* layout = new QHBoxLayout(picker);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* group = new QButtonGroup(picker);
    group->setExclusive(true);
    for (const auto& [label, value] :
        {std::pair {ProxyTab::tr("HTTP"), u"http"_s}, std::pair {ProxyTab::tr("HTTPS"), u"https"_s},
            std::pair {ProxyTab::tr("SOCKS5"), u"socks5"_s}}) {
        auto* button = new Segment;
        button->setObjectName(u"proxyType_"_s + value);
        button->setText(label);
        button->setCheckable(true);
        button->setProperty("value", value);
        button->setMinimumWidth(64);
        group->addButton(button);
        layout->addWidget(button);
    }
    bindButtonGroup(group, settings, SettingKeys::proxyType);
    return picker;
}

QWidget* footnote()
{
    auto* note = new QWidget;
    note->setObjectName(u"proxyFootnote"_s);
    auto* layout = new QHBoxLayout(note);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addWidget(new IconLabel(u"info.circle"), 0, Qt::AlignTop);
    auto* text = new QLabel(ProxyTab::tr("Configure a proxy to route requests through a proxy "
                                         "server. Useful for debugging with tools like Charles "
                                         "or mitmproxy."));
    text->setWordWrap(true);
    text->setForegroundRole(QPalette::PlaceholderText);
    layout->addWidget(text, 1);
    return note;
}

QWidget* formRows(QFormLayout*& form, const QString& objectName)
{
    auto* rows = new QWidget;
    rows->setObjectName(objectName);
    form = new QFormLayout(rows);
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return rows;
}

} // namespace

ProxyTab::ProxyTab(Settings& settings, ProxyPassword& password, QWidget* parent)
    : QWidget(parent)
    , m_password(password)
{
    QVBoxLayout* page = makeTabPage(this, u"proxyTab"_s);
    QFormLayout* section = addSection(page, tr("Proxy Configuration"), u"proxySection"_s);
    section->addRow(makeToggle(
        u"proxyEnabledToggle"_s, tr("Enable proxy"), settings, SettingKeys::proxyEnabled));
    QWidget* server = buildServerRows(settings);
    section->addRow(server);
    // Without a proxy of its own, requests either follow the environment, as curl and most
    // command-line tools do, or go straight to every server.
    QCheckBox* system = makeToggle(u"proxyUseSystemToggle"_s,
        tr("Use system proxy (http_proxy, https_proxy, no_proxy)"), settings,
        SettingKeys::proxyUseSystem);
    section->addRow(system);
    followKey(settings, SettingKeys::proxyEnabled.name, server, [server, system, &settings] {
        const bool manual = settings.value(SettingKeys::proxyEnabled);
        server->setVisible(manual);
        system->setVisible(!manual);
    });
    page->addWidget(footnote());
    page->addStretch();

    connect(&m_password, &ProxyPassword::passwordChanged, this, &ProxyTab::showPassword);
    connect(
        &m_password, &ProxyPassword::keptAcrossRunsChanged, this, &ProxyTab::showPasswordKeeping);
    showPassword();
    showPasswordKeeping();
}

QWidget* ProxyTab::buildServerRows(Settings& settings)
{
    QFormLayout* form = nullptr;
    QWidget* rows = formRows(form, u"proxyServerRows"_s);
    form->addRow(tr("Type"), typePicker(settings));

    auto* host = new QLineEdit;
    host->setObjectName(u"proxyHostField"_s);
    host->setAccessibleName(tr("Host"));
    host->setPlaceholderText(u"proxy.example.com"_s); // untranslated: a host name
    host->setMinimumWidth(200);
    bindLineEdit(host, settings, SettingKeys::proxyHost);
    auto* port = new QSpinBox;
    port->setObjectName(u"proxyPortField"_s);
    port->setAccessibleName(tr("Port"));
    port->setRange(0, 65535);
    port->setButtonSymbols(QAbstractSpinBox::NoButtons);
    port->setFixedWidth(70);
    bindSpinBox(port, settings, SettingKeys::proxyPort);
    auto* address = new QWidget;
    auto* line = new QHBoxLayout(address);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(host);
    line->addWidget(new QLabel(u":"_s));
    line->addWidget(port);
    form->addRow(tr("Host"), address);

    form->addRow(makeToggle(u"proxyAuthToggle"_s, tr("Proxy requires authentication"), settings,
        SettingKeys::proxyAuth));
    QWidget* authentication = buildAuthenticationRows(settings);
    form->addRow(authentication);
    followKey(settings, SettingKeys::proxyAuth.name, authentication, [authentication, &settings] {
        authentication->setVisible(settings.value(SettingKeys::proxyAuth));
    });
    return rows;
}

QWidget* ProxyTab::buildAuthenticationRows(Settings& settings)
{
    QFormLayout* form = nullptr;
    QWidget* rows = formRows(form, u"proxyAuthenticationRows"_s);
    auto* username = new QLineEdit;
    username->setObjectName(u"proxyUsernameField"_s);
    username->setMinimumWidth(200);
    bindLineEdit(username, settings, SettingKeys::proxyUsername);
    form->addRow(tr("Username"), username);

    m_passwordField = new QLineEdit;
    m_passwordField->setObjectName(u"proxyPasswordField"_s);
    m_passwordField->setEchoMode(QLineEdit::Password);
    m_passwordField->setMinimumWidth(200);
    connect(m_passwordField, &QLineEdit::textEdited, &m_password, &ProxyPassword::setPassword);
    // Return, or the focus leaving the field (also when the window closes).
    connect(m_passwordField, &QLineEdit::editingFinished, &m_password, &ProxyPassword::store);
    form->addRow(tr("Password"), m_passwordField);
    m_passwordNote = new QLabel(tr("No secret store is running: the password is kept for this "
                                   "run only."));
    m_passwordNote->setObjectName(u"proxyPasswordNote"_s);
    m_passwordNote->setWordWrap(true);
    m_passwordNote->setForegroundRole(QPalette::PlaceholderText);
    form->addRow(m_passwordNote);
    return rows;
}

void ProxyTab::showPassword()
{
    if (m_passwordField->text() != m_password.password())
        m_passwordField->setText(m_password.password());
}

void ProxyTab::showPasswordKeeping()
{
    m_passwordNote->setVisible(!m_password.isKeptAcrossRuns());
}

} // namespace mako
