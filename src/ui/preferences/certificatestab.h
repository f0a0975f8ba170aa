#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QStandardItemModel;

namespace mako {

class CertificatePassphrases;
class FileDialogs;
class Settings;
class TableView;
struct HostCertificate;

/// The per-host client certificates and CA bundles: a list in the order they are tried, with
/// Add, Edit and Remove. The entries go to the preference file as they change, their
/// passphrases to the secret store.
class CertificatesTab : public QWidget {
    Q_OBJECT

public:
    CertificatesTab(Settings& settings, CertificatePassphrases& passphrases, FileDialogs& dialogs,
        QWidget* parent = nullptr);

private:
    void reload();
    void updateButtons();
    void showPassphraseNote();
    /// Opens the entry sheet on the entry at `row`, or on a new one for -1.
    void openSheet(int row);
    void save(int row, const HostCertificate& entry);
    void removeSelected();
    int selectedRow() const;

    Settings& m_settings;
    CertificatePassphrases& m_passphrases;
    FileDialogs& m_dialogs;
    QStandardItemModel* m_model;
    TableView* m_table;
    QPushButton* m_edit = nullptr;
    QPushButton* m_remove = nullptr;
    QLabel* m_passphraseNote = nullptr;
};

} // namespace mako
