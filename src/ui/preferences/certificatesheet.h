#pragma once

#include "execution/hostcertificate.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mako {

class FileDialogs;

/// Adds or edits one certificate entry: the host it is for, the client certificate (PEM
/// certificate and key, or a PKCS #12 file) with its passphrase, and a CA bundle. Open it with
/// `open()`; it deletes itself when closed.
class CertificateSheet : public QDialog {
    Q_OBJECT

public:
    CertificateSheet(const HostCertificate& entry, FileDialogs& dialogs, QWidget* window);

Q_SIGNALS:
    /// Save was pressed on an entry that names a host and a certificate or a CA bundle.
    void saved(const HostCertificate& entry);

private:
    QWidget* fileRow(QLineEdit* field, const QString& objectName, const QString& title);
    void showType();
    void updateSaveButton();
    HostCertificate entry() const;

    FileDialogs& m_dialogs;
    QLineEdit* m_host;
    QComboBox* m_type;
    QLineEdit* m_certificate;
    QLineEdit* m_key;
    QLineEdit* m_passphrase;
    QLineEdit* m_caBundle;
    QLabel* m_certificateLabel = nullptr;
    QLabel* m_keyLabel = nullptr;
    QWidget* m_keyRow = nullptr;
    QPushButton* m_save = nullptr;
};

} // namespace mako
