#include "ui/shell/cookiessheet.h"

#include "execution/cookiejar.h"
#include "state/settings.h"
#include "ui/common/sheettitle.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace mako {

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kDomainRole = Qt::UserRole + 1;

QString bareDomain(const QString& domain)
{
    return domain.startsWith(u'.') ? domain.mid(1) : domain;
}

QString flagsText(const QNetworkCookie& cookie)
{
    // The attributes' own names, as servers write them: not translated.
    QStringList flags;
    if (cookie.isSecure())
        flags.append(u"Secure"_s);
    if (cookie.isHttpOnly())
        flags.append(u"HttpOnly"_s);
    switch (cookie.sameSitePolicy()) {
    case QNetworkCookie::SameSite::None:
        flags.append(u"SameSite=None"_s);
        break;
    case QNetworkCookie::SameSite::Lax:
        flags.append(u"SameSite=Lax"_s);
        break;
    case QNetworkCookie::SameSite::Strict:
        flags.append(u"SameSite=Strict"_s);
        break;
    case QNetworkCookie::SameSite::Default:
        break;
    }
    return flags.join(u", "_s);
}

bool sameCookie(const QNetworkCookie& a, const QNetworkCookie& b)
{
    return a.name() == b.name() && a.domain().compare(b.domain(), Qt::CaseInsensitive) == 0
        && a.path() == b.path();
}

QPushButton* button(const QString& objectName, const QString& text)
{
    auto* made = new QPushButton(text);
    made->setObjectName(objectName);
    made->setAccessibleName(text);
    made->setAutoDefault(false);
    return made;
}

} // namespace

CookiesSheet::CookiesSheet(CookieJar& jar, Settings& settings, QWidget* window)
    : QDialog(window)
    , m_jar(jar)
    , m_settings(settings)
    , m_tree(new QTreeWidget)
    , m_add(button(u"addCookieButton"_s, tr("Add...")))
    , m_edit(button(u"editCookieButton"_s, tr("Edit...")))
    , m_delete(button(u"deleteCookieButton"_s, tr("Delete")))
    , m_clearDomain(button(u"clearDomainButton"_s, tr("Clear Domain")))
    , m_clearAll(button(u"clearAllCookiesButton"_s, tr("Clear All")))
{
    setObjectName(u"cookiesSheet"_s);
    setWindowTitle(tr("Cookies"));
    setAccessibleName(tr("Cookies"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 420);

    m_tree->setObjectName(u"cookieTree"_s);
    m_tree->setAccessibleName(tr("Cookies by domain"));
    m_tree->setHeaderLabels({tr("Name"), tr("Value"), tr("Path"), tr("Expires"), tr("Flags")});
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->header()->setStretchLastSection(true);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CookiesSheet::updateButtons);
    connect(m_tree, &QTreeWidget::itemActivated, this, [this] {
        if (selectedCookie())
            openEditor(selectedCookie());
    });

    connect(m_add, &QPushButton::clicked, this, [this] { openEditor(std::nullopt); });
    connect(m_edit, &QPushButton::clicked, this, [this] { openEditor(selectedCookie()); });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const auto cookie = selectedCookie();
        if (!cookie)
            return;
        confirmThen(tr("Delete the cookie \"%1\" of %2?")
                        .arg(QString::fromUtf8(cookie->name()), bareDomain(cookie->domain())),
            tr("Delete"), [this, cookie = *cookie] { m_jar.remove(cookie); });
    });
    connect(m_clearDomain, &QPushButton::clicked, this, [this] {
        const QString domain = selectedDomain();
        if (domain.isEmpty())
            return;
        confirmThen(tr("Delete every cookie of %1?").arg(domain), tr("Clear Domain"),
            [this, domain] { m_jar.removeDomain(domain); });
    });
    connect(m_clearAll, &QPushButton::clicked, this, [this] {
        confirmThen(tr("Delete every cookie?"), tr("Clear All"), [this] { m_jar.clear(); });
    });

    auto* actions = new QHBoxLayout;
    for (QPushButton* each : {m_add, m_edit, m_delete, m_clearDomain, m_clearAll})
        actions->addWidget(each);
    actions->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* done = buttons->button(QDialogButtonBox::Close);
    done->setObjectName(u"closeCookiesButton"_s);
    done->setText(tr("Done"));
    done->setAccessibleName(tr("Done"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(tr("Cookies")));
    layout->addWidget(m_tree, 1);
    layout->addLayout(actions);
    layout->addWidget(buttons);
    setFocusProxy(m_tree);

    // Changes come from any thread (a reply setting cookies arrives on the network thread);
    // the list is rebuilt on this one.
    m_handler = m_jar.addChangeHandler(
        [this] { QMetaObject::invokeMethod(this, &CookiesSheet::refresh, Qt::QueuedConnection); });
    refresh();
}

CookiesSheet::~CookiesSheet()
{
    m_jar.removeChangeHandler(m_handler);
}

void CookiesSheet::refresh()
{
    const std::optional<QNetworkCookie> selected = selectedCookie();
    const QString selectedGroup = selectedDomain();
    m_cookies = m_jar.all();
    m_tree->clear();
    QTreeWidgetItem* group = nullptr;
    QTreeWidgetItem* current = nullptr;
    const QLocale locale;
    for (qsizetype i = 0; i < m_cookies.size(); ++i) {
        const QNetworkCookie& cookie = m_cookies[i];
        const QString domain = bareDomain(cookie.domain());
        if (!group || group->data(0, kDomainRole).toString() != domain) {
            group = new QTreeWidgetItem(m_tree, {domain});
            group->setData(0, kIndexRole, -1);
            group->setData(0, kDomainRole, domain);
            group->setFirstColumnSpanned(true);
            group->setExpanded(true);
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
            if (!selected && domain == selectedGroup)
                current = group;
        }
        auto* item = new QTreeWidgetItem(group,
            {QString::fromUtf8(cookie.name()), QString::fromUtf8(cookie.value()), cookie.path(),
                cookie.isSessionCookie()
                    ? tr("Session")
                    : locale.toString(cookie.expirationDate().toLocalTime(), QLocale::ShortFormat),
                flagsText(cookie)});
        item->setData(0, kIndexRole, int(i));
        item->setData(0, kDomainRole, domain);
        item->setToolTip(1, QString::fromUtf8(cookie.value()));
        if (selected && sameCookie(*selected, cookie))
            current = item;
    }
    if (!current && m_tree->topLevelItemCount() > 0)
        current = m_tree->topLevelItem(0);
    m_tree->setCurrentItem(current);
    // Dates and paths whole; a long value (a token) gives way, its tooltip has it all.
    for (int column = 0; column < 4; ++column) {
        m_tree->resizeColumnToContents(column);
        m_tree->setColumnWidth(column, m_tree->columnWidth(column) + 16);
    }
    m_tree->setColumnWidth(1, std::min(m_tree->columnWidth(1), 260));
    updateButtons();
}

void CookiesSheet::updateButtons()
{
    m_edit->setEnabled(selectedCookie().has_value());
    m_delete->setEnabled(selectedCookie().has_value());
    m_clearDomain->setEnabled(!selectedDomain().isEmpty());
    m_clearAll->setEnabled(!m_cookies.isEmpty());
}

std::optional<QNetworkCookie> CookiesSheet::selectedCookie() const
{
    const QTreeWidgetItem* item = m_tree->currentItem();
    const int index = item ? item->data(0, kIndexRole).toInt() : -1;
    return index >= 0 && index < m_cookies.size() ? std::optional(m_cookies[index]) : std::nullopt;
}

QString CookiesSheet::selectedDomain() const
{
    const QTreeWidgetItem* item = m_tree->currentItem();
    return item ? item->data(0, kDomainRole).toString() : QString();
}

void CookiesSheet::openEditor(const std::optional<QNetworkCookie>& cookie)
{
    auto* editor = new CookieEditorSheet(m_jar, cookie, this);
    if (!cookie && !selectedDomain().isEmpty())
        editor->findChild<QLineEdit*>(u"cookieDomainField"_s)->setText(selectedDomain());
    editor->open();
}

void CookiesSheet::confirmThen(
    const QString& question, const QString& buttonText, std::function<void()> action)
{
    if (!m_settings.value(SettingKeys::confirmBeforeDelete)) {
        action();
        return;
    }
    auto* box
        = new QMessageBox(QMessageBox::Warning, tr("Delete?"), question, QMessageBox::Cancel, this);
    box->setObjectName(u"deleteConfirmation"_s);
    box->setInformativeText(tr("This cannot be undone."));
    QPushButton* remove = box->addButton(buttonText, QMessageBox::DestructiveRole);
    remove->setObjectName(u"confirmDeleteButton"_s);
    box->setDefaultButton(QMessageBox::Cancel);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::buttonClicked, this, [remove, action](QAbstractButton* clicked) {
        if (clicked == remove)
            action();
    });
    box->open();
}

CookieEditorSheet::CookieEditorSheet(
    CookieJar& jar, const std::optional<QNetworkCookie>& cookie, QWidget* parent)
    : QDialog(parent)
    , m_jar(jar)
    , m_original(cookie)
    , m_name(new QLineEdit)
    , m_value(new QLineEdit)
    , m_domain(new QLineEdit)
    , m_subdomains(new QCheckBox(tr("Also send to subdomains")))
    , m_path(new QLineEdit)
    , m_session(new QCheckBox(tr("Session cookie (not kept between launches)")))
    , m_expires(new QDateTimeEdit)
    , m_secure(new QCheckBox(tr("Secure (HTTPS only)")))
    , m_httpOnly(new QCheckBox(tr("HttpOnly")))
    , m_error(new QLabel)
{
    const QString title = cookie ? tr("Edit Cookie") : tr("Add Cookie");
    setObjectName(u"cookieEditorSheet"_s);
    setWindowTitle(title);
    setAccessibleName(title);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);

    const struct {
        QWidget* field;
        QString objectName;
        QString name;
    } fields[] = {
        {m_name, u"cookieNameField"_s, tr("Name")},
        {m_value, u"cookieValueField"_s, tr("Value")},
        {m_domain, u"cookieDomainField"_s, tr("Domain")},
        {m_subdomains, u"cookieSubdomainsToggle"_s, m_subdomains->text()},
        {m_path, u"cookiePathField"_s, tr("Path")},
        {m_session, u"cookieSessionToggle"_s, m_session->text()},
        {m_expires, u"cookieExpiresField"_s, tr("Expires")},
        {m_secure, u"cookieSecureToggle"_s, m_secure->text()},
        {m_httpOnly, u"cookieHttpOnlyToggle"_s, m_httpOnly->text()},
    };
    for (const auto& [field, objectName, name] : fields) {
        field->setObjectName(objectName);
        field->setAccessibleName(name);
    }
    m_expires->setCalendarPopup(true);
    m_expires->setDisplayFormat(QLocale().dateTimeFormat(QLocale::ShortFormat));
    m_error->setObjectName(u"cookieError"_s);
    m_error->setWordWrap(true);
    m_error->hide();

    const QNetworkCookie shown = cookie.value_or(QNetworkCookie());
    m_name->setText(QString::fromUtf8(shown.name()));
    m_value->setText(QString::fromUtf8(shown.value()));
    m_domain->setText(bareDomain(shown.domain()));
    m_subdomains->setChecked(shown.domain().startsWith(u'.'));
    m_path->setText(cookie ? shown.path() : u"/"_s);
    m_session->setChecked(!cookie || shown.isSessionCookie());
    m_expires->setDateTime(shown.isSessionCookie() ? QDateTime::currentDateTime().addDays(7)
                                                   : shown.expirationDate().toLocalTime());
    m_expires->setEnabled(!m_session->isChecked());
    m_secure->setChecked(shown.isSecure());
    m_httpOnly->setChecked(shown.isHttpOnly());
    connect(m_session, &QCheckBox::toggled, m_expires,
        [this](bool session) { m_expires->setEnabled(!session); });

    auto* form = new QFormLayout;
    form->addRow(tr("Name"), m_name);
    form->addRow(tr("Value"), m_value);
    form->addRow(tr("Domain"), m_domain);
    form->addRow(QString(), m_subdomains);
    form->addRow(tr("Path"), m_path);
    form->addRow(QString(), m_session);
    form->addRow(tr("Expires"), m_expires);
    form->addRow(QString(), m_secure);
    form->addRow(QString(), m_httpOnly);

    auto* buttons = new QDialogButtonBox;
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(u"cancelButton"_s);
    cancel->setAutoDefault(false);
    m_save = buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
    m_save->setObjectName(u"saveCookieButton"_s);
    m_save->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, &CookieEditorSheet::save);
    for (QLineEdit* field : {m_name, m_domain})
        connect(field, &QLineEdit::textChanged, this, &CookieEditorSheet::updateSaveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheetTitle(title));
    layout->addLayout(form);
    layout->addWidget(m_error);
    layout->addWidget(buttons);
    setFocusProxy(m_name);
    updateSaveButton();
}

void CookieEditorSheet::updateSaveButton()
{
    m_save->setEnabled(
        !m_name->text().trimmed().isEmpty() && !m_domain->text().trimmed().isEmpty());
}

void CookieEditorSheet::save()
{
    if (!m_save->isEnabled())
        return;
    QNetworkCookie cookie(m_name->text().trimmed().toUtf8(), m_value->text().toUtf8());
    const QString domain = bareDomain(m_domain->text().trimmed());
    cookie.setDomain(m_subdomains->isChecked() ? u'.' + domain : domain);
    const QString path = m_path->text().trimmed();
    cookie.setPath(path.startsWith(u'/') ? path : u'/' + path);
    if (!m_session->isChecked())
        cookie.setExpirationDate(m_expires->dateTime().toUTC());
    cookie.setSecure(m_secure->isChecked());
    cookie.setHttpOnly(m_httpOnly->isChecked());
    if (m_original)
        cookie.setSameSitePolicy(m_original->sameSitePolicy());
    const bool stored = m_original ? m_jar.replace(*m_original, cookie) : m_jar.insert(cookie);
    if (!stored) {
        m_error->setText(tr("The name cannot hold control characters, \"=\" or \";\", and the "
                            "value no control characters."));
        m_error->show();
        return;
    }
    accept();
}

} // namespace mako
