#include "ui/preferences/certificatesheet.h"

#include "ui/common/filedialogs.h"
#include "ui/common/sheettitle.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QLineEdit* field(const QString& objectName, const QString& text, const QString& accessibleName)
{
    auto* edit = new QLineEdit(text);
    edit->setObjectName(objectName);
    edit->setAccessibleName(accessibleName);
    return edit;
}

} // namespace

CertificateSheet::CertificateSheet(
    const HostCertificate& entry, FileDialogs& dialogs, QWidget* window)
    : QDialog(window)
    , m_dialogs(dialogs)
    , m_host(field(u"certificateHostField"_s, entry.host, tr("Host")))
    , m_type(new QComboBox)
    , m_certificate(field(u"certificateFileField"_s, entry.certificateFile, tr("Certificate file")))
    , m_key(field(u"certificateKeyField"_s, entry.keyFile, tr("Key file")))
    , m_passphrase(field(u"certificatePassphraseField"_s, entry.passphrase, tr("Passphrase")))
    , m_caBundle(field(u"certificateCaField"_s, entry.caBundleFile, tr("CA bundle")))
{
    setObjectName(u"certificateSheet"_s);
    setWindowTitle(entry.host.isEmpty() ? tr("Add Certificate") : tr("Edit Certificate"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumWidth(460);

    m_host->setPlaceholderText(tr("api.example.com or *.corp.example:8443"));
    m_type->setObjectName(u"certificateTypePicker"_s);
    m_type->setAccessibleName(tr("Certificate type"));
    m_type->addItem(tr("PEM certificate and key"));
    m_type->addItem(tr("PKCS #12"));
    m_type->setCurrentIndex(entry.type == HostCertificate::Type::pkcs12 ? 1 : 0);
    m_key->setPlaceholderText(tr("In the certificate file"));
    m_passphrase->setEchoMode(QLineEdit::Password);
    m_passphrase->setPlaceholderText(tr("None"));
    m_caBundle->setPlaceholderText(tr("System certificates only"));

    auto* form = new QFormLayout;
    form->addRow(tr("Host"), m_host);
    form->addRow(tr("Type"), m_type);
    m_certificateLabel = new QLabel;
    form->addRow(m_certificateLabel,
        fileRow(m_certificate, u"certificateFileButton"_s, tr("Choose Client Certificate")));
    m_keyLabel = new QLabel(tr("Key"));
    m_keyRow = fileRow(m_key, u"certificateKeyButton"_s, tr("Choose Private Key"));
    form->addRow(m_keyLabel, m_keyRow);
    form->addRow(tr("Passphrase"), m_passphrase);
    form->addRow(
        tr("CA bundle"), fileRow(m_caBundle, u"certificateCaButton"_s, tr("Choose CA Bundle")));
    auto* note = new QLabel(tr("The CA bundle is trusted in addition to the system's "
                               "certificates."));
    note->setObjectName(u"certificateSheetNote"_s);
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);

    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"cancelButton"_s);
    cancel->setAutoDefault(false);
    m_save = buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
    m_save->setObjectName(u"confirmButton"_s);
    m_save->setDefault(true);
    // Without it Tab from the last field reaches only the first button of the box.
    buttons->setFocusProxy(nullptr);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, [this] {
        accept();
        Q_EMIT saved(this->entry());
    });
    connect(m_type, &QComboBox::currentIndexChanged, this, &CertificateSheet::showType);
    for (QLineEdit* edit : {m_host, m_certificate, m_caBundle})
        connect(edit, &QLineEdit::textChanged, this, &CertificateSheet::updateSaveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(windowTitle()));
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
    showType();
    updateSaveButton();
}

QWidget* CertificateSheet::fileRow(QLineEdit* edit, const QString& objectName, const QString& title)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    auto* choose = new QPushButton(tr("Choose..."));
    choose->setObjectName(objectName);
    choose->setAccessibleName(title);
    choose->setAutoDefault(false);
    layout->addWidget(choose);
    connect(choose, &QPushButton::clicked, this, [this, edit, title] {
        m_dialogs.openFile(this, title, [edit = QPointer(edit)](const QString& path) {
            if (edit)
                edit->setText(path);
        });
    });
    return row;
}

void CertificateSheet::showType()
{
    const bool pem = m_type->currentIndex() == 0;
    m_certificateLabel->setText(pem ? tr("Certificate") : tr("PKCS #12 file"));
    m_certificate->setAccessibleName(pem ? tr("Certificate file") : tr("PKCS #12 file"));
    // A PKCS #12 file holds its key.
    m_keyLabel->setVisible(pem);
    m_keyRow->setVisible(pem);
}

void CertificateSheet::updateSaveButton()
{
    const HostCertificate made = entry();
    m_save->setEnabled(
        !made.host.isEmpty() && (!made.certificateFile.isEmpty() || !made.caBundleFile.isEmpty()));
}

HostCertificate CertificateSheet::entry() const
{
    const bool pem = m_type->currentIndex() == 0;
    return HostCertificate {.host = m_host->text().trimmed(),
        .type = pem ? HostCertificate::Type::pem : HostCertificate::Type::pkcs12,
        .certificateFile = m_certificate->text().trimmed(),
        .keyFile = pem ? m_key->text().trimmed() : QString(),
        .passphrase = m_passphrase->text(),
        .caBundleFile = m_caBundle->text().trimmed()};
}

} // namespace mako
