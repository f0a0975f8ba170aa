#pragma once

#include "execution/networksettings.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace mako {

/// One preference: its key in the store, its type and the default a bound read yields.
template <typename T> struct SettingKey {
    QString name;
    T defaultValue;
};

/// The one list of preference keys. Every place that reads a key with a default reads it
/// through these, so the default is declared once.
namespace SettingKeys {
inline const SettingKey<QString> appearance {
    QStringLiteral("appearance"), QStringLiteral("system")};
inline const SettingKey<QString> accentColorName {
    QStringLiteral("accentColorName"), QStringLiteral("blue")};
inline const SettingKey<bool> showMethodBadges {QStringLiteral("showMethodBadges"), true};
inline const SettingKey<bool> confirmBeforeDelete {QStringLiteral("confirmBeforeDelete"), true};
inline const SettingKey<bool> reopenLastRequest {QStringLiteral("reopenLastRequest"), false};
inline const SettingKey<double> sidebarWidth {QStringLiteral("sidebarWidth"), 260};
inline const SettingKey<double> editorFontSize {QStringLiteral("editorFontSize"), 12};
inline const SettingKey<bool> editorWordWrap {QStringLiteral("editorWordWrap"), false};
inline const SettingKey<bool> editorShowLineNumbers {QStringLiteral("editorShowLineNumbers"), true};
/// 2 or 4 spaces, or 0 for a tab character.
inline const SettingKey<int> editorTabSize {QStringLiteral("editorTabSize"), 2};
inline const SettingKey<bool> autoFormatJSON {QStringLiteral("autoFormatJSON"), false};
inline const SettingKey<bool> syntaxHighlighting {QStringLiteral("syntaxHighlighting"), true};
/// Seconds.
inline const SettingKey<double> requestTimeout {QStringLiteral("requestTimeout"), 30};
/// Seconds a collection's script may run before it is stopped.
inline const SettingKey<double> scriptTimeout {QStringLiteral("scriptTimeout"), 5};
inline const SettingKey<bool> followRedirects {QStringLiteral("followRedirects"), true};
inline const SettingKey<int> maxRedirects {QStringLiteral("maxRedirects"), 10};
inline const SettingKey<bool> sslVerification {QStringLiteral("sslVerification"), true};
inline const SettingKey<QString> defaultUserAgent {
    QStringLiteral("defaultUserAgent"), QString::fromLatin1(kDefaultUserAgent)};
/// "auto", "http1.1" or "http2".
inline const SettingKey<QString> httpVersion {
    QStringLiteral("httpVersion"), QStringLiteral("auto")};
inline const SettingKey<bool> proxyEnabled {QStringLiteral("proxyEnabled"), false};
/// Whether, with no proxy enabled, the environment's proxy variables apply.
inline const SettingKey<bool> proxyUseSystem {QStringLiteral("proxyUseSystem"), true};
/// "http", "https" or "socks5".
inline const SettingKey<QString> proxyType {QStringLiteral("proxyType"), QStringLiteral("http")};
inline const SettingKey<QString> proxyHost {QStringLiteral("proxyHost"), QString()};
inline const SettingKey<int> proxyPort {QStringLiteral("proxyPort"), 8080};
inline const SettingKey<bool> proxyAuth {QStringLiteral("proxyAuth"), false};
inline const SettingKey<QString> proxyUsername {QStringLiteral("proxyUsername"), QString()};
/// Whether cookies that outlive the session are written to the data folder and read at start.
inline const SettingKey<bool> keepCookies {QStringLiteral("keepCookies"), true};
/// Readers treat a value below 1 as 100.
inline const SettingKey<int> historyRetention {QStringLiteral("historyRetention"), 100};
/// Most recent first, no duplicates; kept by URLHistory.
inline const SettingKey<QStringList> recentURLs {QStringLiteral("recentURLs"), QStringList()};
/// The id of the active environment when it is one kept in a collection's folder, whose files
/// leave out which environment each user has active.
inline const SettingKey<QString> activeFolderEnvironment {
    QStringLiteral("activeFolderEnvironment"), QString()};
/// The group of the user's own command keys (see Settings::shortcutOverrides).
inline const QString shortcuts = QStringLiteral("shortcuts");
/// The array of per-host certificate entries (see Settings::hostCertificates).
inline const QString certificates = QStringLiteral("certificates");
} // namespace SettingKeys

/// The preference store: typed access over one QSettings file. Reading never writes anything,
/// defaults included, so the file holds only what the user changed.
class Settings : public QObject {
    Q_OBJECT

public:
    /// One entry of the catalogue, for screens and checks that walk every key.
    struct Entry {
        QString key;
        QMetaType type;
        QVariant defaultValue;
    };

    /// The store in `fileName` (tests pass a temporary file).
    explicit Settings(const QString& fileName, QSettings::Format format = QSettings::IniFormat,
        QObject* parent = nullptr);
    /// The user's own store, in the platform's usual place for "com.quorin.mako".
    static std::unique_ptr<Settings> createStandard(QObject* parent = nullptr);

    static QList<Entry> catalogue();

    QString fileName() const { return m_store.fileName(); }
    QSettings::Format format() const { return m_store.format(); }

    /// Bound read: the stored value, or the key's default when none is stored.
    template <typename T> T value(const SettingKey<T>& key) const
    {
        const QVariant stored = m_store.value(key.name);
        return stored.isValid() ? stored.value<T>() : key.defaultValue;
    }
    template <typename T> void setValue(const SettingKey<T>& key, const T& value)
    {
        writeValue(key.name, QVariant::fromValue(value));
    }
    bool contains(const QString& key) const { return m_store.contains(key); }

    /// Direct reads: the raw stored number, 0 when absent or not a number; the readers apply
    /// their own substitute for 0.
    double requestTimeout() const;
    int historyRetention() const;

    /// The keys the user gave to commands instead of the built-in ones: command id → key
    /// sequence in portable text ("Ctrl+Shift+K"), an empty text for a command left without a
    /// key. Only the changes are kept, so a file written before keys could be changed, or after
    /// the defaults were restored, has none.
    QHash<QString, QString> shortcutOverrides() const;
    /// Replaces every stored change at once; announced as one change of "shortcuts".
    void setShortcutOverrides(const QHash<QString, QString>& overrides);

    /// The per-host client certificates and certificate authorities, in the order they are
    /// tried. Passphrases live in the secret store, so they come back empty; a file written
    /// before there were entries has none.
    QList<HostCertificate> hostCertificates() const;
    /// Replaces every entry at once (passphrases are not written); announced as one change of
    /// "certificates".
    void setHostCertificates(const QList<HostCertificate>& entries);

    /// The engine options the Network preferences stand for. The proxy password is not kept
    /// here (it belongs in the keychain), so it comes back empty.
    NetworkSettings networkSettings() const;

Q_SIGNALS:
    /// A key was written through this object.
    void valueChanged(const QString& key);

private:
    void writeValue(const QString& key, const QVariant& value);

    QSettings m_store;
};

} // namespace mako
