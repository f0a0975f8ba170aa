#pragma once

#include <QDialog>
#include <QList>
#include <QNetworkCookie>

#include <functional>
#include <optional>

class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace mako {

class CookieJar;
class Settings;

/// "Cookies": every cookie the requests keep, grouped by domain, to add, edit and delete; a
/// domain or the whole jar can be cleared. Removals ask first while "confirmBeforeDelete" is
/// on. Follows the jar, so cookies a reply sets meanwhile show up at once.
class CookiesSheet : public QDialog {
    Q_OBJECT

public:
    CookiesSheet(CookieJar& jar, Settings& settings, QWidget* window);
    ~CookiesSheet() override;

private:
    void refresh();
    void updateButtons();
    /// The cookie of the selected row; none when a domain or nothing is selected.
    std::optional<QNetworkCookie> selectedCookie() const;
    /// The domain of the selected row, of a cookie or of a domain header.
    QString selectedDomain() const;
    void openEditor(const std::optional<QNetworkCookie>& cookie);
    void confirmThen(const QString& question, const QString& button, std::function<void()> action);

    CookieJar& m_jar;
    Settings& m_settings;
    QTreeWidget* m_tree;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QPushButton* m_clearDomain;
    QPushButton* m_clearAll;
    QList<QNetworkCookie> m_cookies;
    int m_handler = 0;
};

/// Adds a cookie, or edits one: name, value, domain, path, expiry, Secure and HttpOnly.
class CookieEditorSheet : public QDialog {
    Q_OBJECT

public:
    CookieEditorSheet(CookieJar& jar, const std::optional<QNetworkCookie>& cookie, QWidget* parent);

private:
    void save();
    void updateSaveButton();

    CookieJar& m_jar;
    std::optional<QNetworkCookie> m_original;
    QLineEdit* m_name;
    QLineEdit* m_value;
    QLineEdit* m_domain;
    QCheckBox* m_subdomains;
    QLineEdit* m_path;
    QCheckBox* m_session;
    QDateTimeEdit* m_expires;
    QCheckBox* m_secure;
    QCheckBox* m_httpOnly;
    QLabel* m_error;
    QPushButton* m_save;
};

} // namespace mako
