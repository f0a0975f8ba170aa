#include "state/settings.h"

using namespace Qt::StringLiterals;

namespace mako {

namespace {

template <typename T> Settings::Entry entry(const SettingKey<T>& key)
{
    return Settings::Entry {
        key.name, QMetaType::fromType<T>(), QVariant::fromValue(key.defaultValue)};
}

const QString kHost = u"host"_s;
const QString kType = u"type"_s;
const QString kCertificateFile = u"certificateFile"_s;
const QString kKeyFile = u"keyFile"_s;
const QString kCaBundleFile = u"caBundleFile"_s;
const QString kPkcs12 = u"pkcs12"_s;

} // namespace

Settings::Settings(const QString& fileName, QSettings::Format format, QObject* parent)
    : QObject(parent)
    , m_store(fileName, format)
{ }

std::unique_ptr<Settings> Settings::createStandard(QObject* parent)
{
    const QSettings standard(
        QSettings::NativeFormat, QSettings::UserScope, u"com.quorin.mako"_s, u"com.quorin.mako"_s);
    return std::make_unique<Settings>(standard.fileName(), standard.format(), parent);
}

QList<Settings::Entry> Settings::catalogue()
{
    using namespace SettingKeys;
    return {entry(appearance), entry(accentColorName), entry(showMethodBadges),
        entry(confirmBeforeDelete), entry(reopenLastRequest), entry(sidebarWidth),
        entry(editorFontSize), entry(editorWordWrap), entry(editorShowLineNumbers),
        entry(editorTabSize), entry(autoFormatJSON), entry(syntaxHighlighting),
        entry(SettingKeys::requestTimeout), entry(followRedirects), entry(maxRedirects),
        entry(sslVerification), entry(defaultUserAgent), entry(httpVersion), entry(proxyEnabled),
        entry(proxyUseSystem), entry(proxyType), entry(proxyHost), entry(proxyPort),
        entry(proxyAuth), entry(proxyUsername), entry(keepCookies),
        entry(SettingKeys::historyRetention), entry(recentURLs)};
}

double Settings::requestTimeout() const
{
    return m_store.value(SettingKeys::requestTimeout.name).toDouble();
}

int Settings::historyRetention() const
{
    return m_store.value(SettingKeys::historyRetention.name).toInt();
}

NetworkSettings Settings::networkSettings() const
{
    using namespace SettingKeys;
    static const QStringList proxyTypes {u"http"_s, u"https"_s, u"socks5"_s};
    const int proxyType = std::max(0, int(proxyTypes.indexOf(value(SettingKeys::proxyType))));
    static const QStringList versions {u"auto"_s, u"http1.1"_s, u"http2"_s};
    const int version = std::max(0, int(versions.indexOf(value(SettingKeys::httpVersion))));
    return NetworkSettings {.requestTimeout = requestTimeoutFromPreference(requestTimeout()),
        .followRedirects = value(followRedirects),
        .maxRedirects = value(maxRedirects),
        .defaultUserAgent = value(defaultUserAgent),
        .proxy = {.enabled = value(proxyEnabled),
            .useSystem = value(proxyUseSystem),
            .type = ProxySettings::Type(proxyType),
            .host = value(proxyHost),
            .port = value(proxyPort),
            .authenticate = value(proxyAuth),
            .username = value(proxyUsername)},
        .verifySSL = value(sslVerification),
        .httpVersion = HttpVersion(version),
        .certificates = hostCertificates()};
}

QList<HostCertificate> Settings::hostCertificates() const
{
    // Read through the full key names, as QSettings' own array reading needs a non-const
    // store; the layout is the one beginWriteArray writes ("certificates/1/host").
    const QString prefix = SettingKeys::certificates + u'/';
    const int size = m_store.value(prefix + u"size"_s).toInt();
    QList<HostCertificate> entries;
    for (int index = 1; index <= size; ++index) {
        const QString item = prefix + QString::number(index) + u'/';
        const auto text = [&](const QString& key) { return m_store.value(item + key).toString(); };
        HostCertificate entry {.host = text(kHost),
            .type
            = text(kType) == kPkcs12 ? HostCertificate::Type::pkcs12 : HostCertificate::Type::pem,
            .certificateFile = text(kCertificateFile),
            .keyFile = text(kKeyFile),
            .caBundleFile = text(kCaBundleFile)};
        if (!entry.host.isEmpty())
            entries.append(entry);
    }
    return entries;
}

void Settings::setHostCertificates(const QList<HostCertificate>& entries)
{
    m_store.remove(SettingKeys::certificates);
    if (!entries.isEmpty()) {
        m_store.beginWriteArray(SettingKeys::certificates, int(entries.size()));
        for (int index = 0; index < entries.size(); ++index) {
            const HostCertificate& entry = entries[index];
            m_store.setArrayIndex(index);
            m_store.setValue(kHost, entry.host);
            m_store.setValue(
                kType, entry.type == HostCertificate::Type::pkcs12 ? kPkcs12 : u"pem"_s);
            m_store.setValue(kCertificateFile, entry.certificateFile);
            m_store.setValue(kKeyFile, entry.keyFile);
            m_store.setValue(kCaBundleFile, entry.caBundleFile);
        }
        m_store.endArray();
    }
    Q_EMIT valueChanged(SettingKeys::certificates);
}

QHash<QString, QString> Settings::shortcutOverrides() const
{
    // Read through the full key names: entering the group would need a non-const store.
    const QString prefix = SettingKeys::shortcuts + u'/';
    QHash<QString, QString> overrides;
    for (const QString& key : m_store.allKeys()) {
        if (key.startsWith(prefix))
            overrides.insert(key.sliced(prefix.size()), m_store.value(key).toString());
    }
    return overrides;
}

void Settings::setShortcutOverrides(const QHash<QString, QString>& overrides)
{
    m_store.remove(SettingKeys::shortcuts);
    for (auto override = overrides.begin(); override != overrides.end(); ++override)
        m_store.setValue(SettingKeys::shortcuts + u'/' + override.key(), override.value());
    Q_EMIT valueChanged(SettingKeys::shortcuts);
}

void Settings::writeValue(const QString& key, const QVariant& value)
{
    m_store.setValue(key, value);
    Q_EMIT valueChanged(key);
}

} // namespace mako
