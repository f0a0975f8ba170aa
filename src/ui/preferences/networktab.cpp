#include "ui/preferences/networktab.h"

#include "state/settings.h"
#include "ui/common/colors.h"
#include "ui/common/iconlabel.h"
#include "ui/preferences/preferencebindings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

// A number field: typed into, no arrows to fiddle with.
QSpinBox* numberField(const QString& objectName, const QString& name, int maximum)
{
    auto* field = new QSpinBox;
    field->setObjectName(objectName);
    field->setAccessibleName(name);
    field->setRange(0, maximum);
    field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    field->setFixedWidth(60);
    return field;
}

QWidget* withUnit(QWidget* field, const QString& unit)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    layout->addWidget(new QLabel(unit));
    layout->addStretch();
    return row;
}

// The orange warning shown while certificates go unchecked; its colour follows the palette.
class InsecureWarning : public QWidget {
public:
    InsecureWarning()
        : m_text(new QLabel(
            NetworkTab::tr("Only disable for local development with self-signed certificates.")))
    {
        setObjectName(u"sslWarning"_s);
        m_text->setObjectName(u"sslWarningText"_s);
        m_text->setWordWrap(true);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(new IconLabel(u"exclamationmark.triangle.fill"), 0, Qt::AlignTop);
        layout->addWidget(m_text, 1);
        recolour();
    }

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::PaletteChange)
            recolour();
        QWidget::changeEvent(event);
    }

private:
    void recolour()
    {
        QPalette palette = m_text->palette();
        palette.setColor(QPalette::WindowText, systemColor(SystemColor::orange, this->palette()));
        m_text->setPalette(palette);
    }

    QLabel* m_text;
};

} // namespace

NetworkTab::NetworkTab(Settings& settings, QWidget* parent)
    : QWidget(parent)
{
    QVBoxLayout* page = makeTabPage(this, u"networkTab"_s);

    QFormLayout* timeouts = addSection(page, tr("Timeouts"), u"timeoutsSection"_s);
    QSpinBox* timeout = numberField(u"requestTimeoutField"_s, tr("Request Timeout"), 86400);
    bindSpinBox(timeout, settings, SettingKeys::requestTimeout);
    timeouts->addRow(tr("Request Timeout"), withUnit(timeout, tr("seconds")));
    QSpinBox* scriptTimeout = numberField(u"scriptTimeoutField"_s, tr("Script Timeout"), 3600);
    scriptTimeout->setMinimum(1);
    bindSpinBox(scriptTimeout, settings, SettingKeys::scriptTimeout);
    timeouts->addRow(tr("Script Timeout"), withUnit(scriptTimeout, tr("seconds")));

    QFormLayout* redirects = addSection(page, tr("Redirects"), u"redirectsSection"_s);
    redirects->addRow(makeToggle(u"followRedirectsToggle"_s, tr("Follow redirects automatically"),
        settings, SettingKeys::followRedirects));
    QSpinBox* maxRedirects = numberField(u"maxRedirectsField"_s, tr("Max Redirects"), 1000);
    bindSpinBox(maxRedirects, settings, SettingKeys::maxRedirects);
    redirects->addRow(tr("Max Redirects"), maxRedirects);

    QFormLayout* ssl = addSection(page, tr("SSL / TLS"), u"sslSection"_s);
    ssl->addRow(makeToggle(u"verifySSLToggle"_s, tr("Verify SSL certificates"), settings,
        SettingKeys::sslVerification));
    auto* warning = new InsecureWarning;
    ssl->addRow(warning);
    followKey(settings, SettingKeys::sslVerification.name, warning, [warning, &settings] {
        warning->setVisible(!settings.value(SettingKeys::sslVerification));
    });

    QFormLayout* cookies = addSection(page, tr("Cookies"), u"cookiesSection"_s);
    cookies->addRow(makeToggle(u"keepCookiesToggle"_s, tr("Keep cookies between launches"),
        settings, SettingKeys::keepCookies));

    QFormLayout* defaults = addSection(page, tr("Defaults"), u"defaultsSection"_s);
    auto* userAgent = new QLineEdit;
    userAgent->setObjectName(u"userAgentField"_s);
    userAgent->setMinimumWidth(240);
    bindLineEdit(userAgent, settings, SettingKeys::defaultUserAgent);
    defaults->addRow(tr("User-Agent"), userAgent);
    QComboBox* version = makeComboBox(u"httpVersionPicker"_s,
        {{tr("Auto"), u"auto"_s}, {tr("HTTP/1.1 only"), u"http1.1"_s}, {tr("HTTP/2"), u"http2"_s}});
    version->setAccessibleName(tr("HTTP Version"));
    version->setToolTip(tr("Auto uses HTTP/2 over TLS where the server offers it."));
    bindComboBox(version, settings, SettingKeys::httpVersion);
    defaults->addRow(tr("HTTP Version"), version);
    page->addStretch();
}

} // namespace mako
