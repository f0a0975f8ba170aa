#include "state/urlhistory.h"

#include "state/settings.h"

#include <QCoreApplication>
#include <QMetaObject>

using namespace Qt::StringLiterals;

namespace mako {

URLHistory::URLHistory(const QString& fileName, QSettings::Format format, QObject* parent)
    : QObject(parent)
    , m_fileName(fileName)
    , m_format(format)
    , m_worker(u"URLHistory"_s)
{ }

URLHistory::~URLHistory() = default;

URLHistory* URLHistory::shared()
{
    static QPointer<URLHistory> instance;
    if (!instance) {
        const auto settings = Settings::createStandard();
        instance = new URLHistory(
            settings->fileName(), settings->format(), QCoreApplication::instance());
    }
    return instance;
}

void URLHistory::addURL(const QString& url)
{
    m_worker.post([this, url] {
        // QSettings objects on one file share their data inside the process, so this one sees
        // what the main thread's store wrote and the other way round.
        QSettings store(m_fileName, m_format);
        const QString key = SettingKeys::recentURLs.name;
        store.setValue(key, withURLAdded(store.value(key).toStringList(), url));
        store.sync();
    });
}

void URLHistory::recentURLs(QObject* context, std::function<void(const QStringList&)> done)
{
    m_worker.post([this, context = QPointer(context), done = std::move(done)] {
        const QStringList urls
            = QSettings(m_fileName, m_format).value(SettingKeys::recentURLs.name).toStringList();
        QMetaObject::invokeMethod(
            this,
            [context, done, urls] {
                if (context)
                    done(urls);
            },
            Qt::QueuedConnection);
    });
}

QStringList URLHistory::withURLAdded(QStringList urls, const QString& url)
{
    urls.removeAll(url);
    urls.prepend(url);
    return urls.mid(0, kMaxURLs);
}

} // namespace mako
