#include "ui/preferences/certificatestab.h"

#include "state/settings.h"
#include "ui/common/certificatepassphrases.h"
#include "ui/common/tableview.h"
#include "ui/preferences/certificatesheet.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

QPushButton* makeButton(const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setAccessibleName(text.endsWith(u"..."_s) ? text.chopped(3) : text);
    button->setAutoDefault(false);
    return button;
}

QString certificateText(const HostCertificate& entry)
{
    if (entry.certificateFile.isEmpty())
        return CertificatesTab::tr("None");
    const QString name = entry.certificateFile.section(u'/', -1);
    return entry.type == HostCertificate::Type::pkcs12
        ? CertificatesTab::tr("%1 (PKCS #12)").arg(name)
        : name;
}

} // namespace

CertificatesTab::CertificatesTab(
    Settings& settings, CertificatePassphrases& passphrases, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_passphrases(passphrases)
    , m_dialogs(dialogs)
    , m_model(new QStandardItemModel(this))
    , m_table(new TableView)
{
    setObjectName(u"certificatesTab"_s);
    auto* intro = new QLabel(tr("Client certificates and certificate authorities for the hosts "
                                "you name. A request uses the first entry whose host matches."));
    intro->setObjectName(u"certificatesIntro"_s);
    intro->setWordWrap(true);

    m_model->setHorizontalHeaderLabels({tr("Host"), tr("Certificate"), tr("CA bundle")});
    m_table->setObjectName(u"certificatesTable"_s);
    m_table->setAccessibleName(tr("Certificates"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(m_table, &QAbstractItemView::activated, this,
        [this](const QModelIndex& index) { openSheet(index.row()); });

    QPushButton* add = makeButton(u"certificateAddButton"_s, tr("Add..."));
    m_edit = makeButton(u"certificateEditButton"_s, tr("Edit..."));
    m_remove = makeButton(u"certificateRemoveButton"_s, tr("Remove"));
    connect(add, &QPushButton::clicked, this, [this] { openSheet(-1); });
    connect(m_edit, &QPushButton::clicked, this, [this] { openSheet(selectedRow()); });
    connect(m_remove, &QPushButton::clicked, this, &CertificatesTab::removeSelected);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_remove);
    buttons->addStretch();

    m_passphraseNote = new QLabel(tr("No keyring is available: passphrases are kept until Mako "
                                     "quits."));
    m_passphraseNote->setObjectName(u"certificatePassphraseNote"_s);
    m_passphraseNote->setWordWrap(true);
    m_passphraseNote->setForegroundRole(QPalette::PlaceholderText);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_passphraseNote);

    connect(&settings, &Settings::valueChanged, this, [this](const QString& key) {
        if (key == SettingKeys::certificates)
            reload();
    });
    connect(&passphrases, &CertificatePassphrases::keptAcrossRunsChanged, this,
        &CertificatesTab::showPassphraseNote);
    reload();
    showPassphraseNote();
}

void CertificatesTab::reload()
{
    const int selected = selectedRow();
    m_model->removeRows(0, m_model->rowCount());
    for (const HostCertificate& entry : m_settings.hostCertificates()) {
        auto* ca = new QStandardItem(
            entry.caBundleFile.isEmpty() ? tr("System") : entry.caBundleFile.section(u'/', -1));
        m_model->appendRow(
            {new QStandardItem(entry.host), new QStandardItem(certificateText(entry)), ca});
    }
    if (selected >= 0 && m_model->rowCount() > 0)
        m_table->selectRow(std::min(selected, m_model->rowCount() - 1));
    updateButtons();
    // The selection model is made with the model: follow it once.
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &CertificatesTab::updateButtons, Qt::UniqueConnection);
}

void CertificatesTab::updateButtons()
{
    const bool chosen = selectedRow() >= 0;
    m_edit->setEnabled(chosen);
    m_remove->setEnabled(chosen);
}

void CertificatesTab::showPassphraseNote()
{
    m_passphraseNote->setVisible(!m_passphrases.isKeptAcrossRuns());
}

int CertificatesTab::selectedRow() const
{
    const QModelIndexList rows
        = m_table->selectionModel() ? m_table->selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CertificatesTab::openSheet(int row)
{
    const QList<HostCertificate> entries = m_settings.hostCertificates();
    HostCertificate entry;
    if (row >= 0 && row < entries.size()) {
        entry = entries[row];
        entry.passphrase = m_passphrases.passphrase(entry.host);
    } else {
        row = -1;
    }
    auto* sheet = new CertificateSheet(entry, m_dialogs, window());
    connect(sheet, &CertificateSheet::saved, this,
        [this, row](const HostCertificate& made) { save(row, made); });
    sheet->open();
}

void CertificatesTab::save(int row, const HostCertificate& entry)
{
    QList<HostCertificate> entries = m_settings.hostCertificates();
    if (row >= 0 && row < entries.size()) {
        // A renamed host takes its passphrase along.
        if (entries[row].host != entry.host)
            m_passphrases.store(entries[row].host, QString());
        entries[row] = entry;
    } else {
        row = int(entries.size());
        entries.append(entry);
    }
    entries[row].passphrase.clear();
    m_passphrases.store(entry.host, entry.passphrase);
    m_settings.setHostCertificates(entries);
    m_table->selectRow(row);
}

void CertificatesTab::removeSelected()
{
    QList<HostCertificate> entries = m_settings.hostCertificates();
    const int row = selectedRow();
    if (row < 0 || row >= entries.size())
        return;
    const QString host = entries.takeAt(row).host;
    // Another entry may be for the same host and keep using the passphrase.
    const bool shared = std::any_of(entries.cbegin(), entries.cend(),
        [&](const HostCertificate& other) { return other.host == host; });
    if (!shared)
        m_passphrases.store(host, QString());
    m_settings.setHostCertificates(entries);
}

} // namespace mako
