#include "state/persistenceservice.h"

#include "state/datafile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace mako {

PersistenceService::PersistenceService(const QString& appDirectory, QObject* parent)
    : PersistenceService(appDirectory, SerialWorker::Start::Now, parent)
{ }

PersistenceService::PersistenceService(
    const QString& appDirectory, SerialWorker::Start start, QObject* parent)
    : QObject(parent)
    , m_appDirectory(appDirectory)
    , m_worker(u"PersistenceService"_s, start)
{
    QDir().mkpath(m_appDirectory);
}

PersistenceService::~PersistenceService() = default;

PersistenceService* PersistenceService::shared()
{
    static QPointer<PersistenceService> instance;
    if (!instance)
        instance = new PersistenceService(standardAppDirectory(), QCoreApplication::instance());
    return instance;
}

QString PersistenceService::standardAppDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + u"/com.quorin.mako"_s;
}

QString PersistenceService::filePath(const QString& fileName) const
{
    return QDir(m_appDirectory).filePath(fileName);
}

void PersistenceService::whenIdle(QObject* context, std::function<void()> done)
{
    // Saves are written by a follow-up job, so "idle" has to wait for those as well.
    m_worker.postAfterFollowUps(
        [this, context = QPointer(context), done = std::move(done)] { reply(context, done); });
}

void PersistenceService::loadDecoded(const QString& fileName, QObject* context, Decoder decode,
    std::function<void(const std::optional<Error>&)> done)
{
    m_worker.post([this, fileName, context = QPointer(context), decode = std::move(decode),
                      done = std::move(done)] {
        std::optional<Error> error;
        if (auto read = readDataFile(filePath(fileName)); !read)
            error = unreadable(fileName, read.errorMessage());
        else if (read.value())
            if (auto decodeError = decode(*read.value()))
                error = unreadable(fileName, decodeError->message);
        reply(context, [done, error] { done(error); });
    });
}

void PersistenceService::loadBytes(
    const QString& fileName, QObject* context, std::function<void(Result<QByteArray>)> done)
{
    auto bytes = std::make_shared<QByteArray>();
    loadDecoded(
        fileName, context,
        [bytes](const QByteArray& read) -> std::optional<Error> {
            *bytes = read;
            return std::nullopt;
        },
        [bytes, done = std::move(done)](const std::optional<Error>& error) {
            done(error ? Result<QByteArray>(*error) : Result<QByteArray>(*bytes));
        });
}

void PersistenceService::removeFile(const QString& fileName)
{
    m_worker.post([this, fileName] {
        m_pendingSaves.remove(fileName);
        QFile::remove(filePath(fileName));
    });
}

void PersistenceService::saveEncoded(const QString& fileName, std::function<QByteArray()> encode)
{
    m_worker.post([this, fileName, encode = std::move(encode)]() mutable {
        // Jobs run one at a time in the order asked, so snapshots land in order. Of several
        // snapshots of one file waiting to be written only the newest is: the others would be
        // replaced at once anyway.
        const bool flushScheduled = m_pendingSaves.contains(fileName);
        m_pendingSaves.insert(fileName, std::move(encode));
        if (!flushScheduled)
            m_worker.post([this, fileName] { flush(fileName); });
    });
}

void PersistenceService::flush(const QString& fileName)
{
    const auto encode = m_pendingSaves.take(fileName);
    // Removed since the save was asked for.
    if (!encode)
        return;
    bool written = false;
    QString failure;
    if (m_neverOverwrite.contains(fileName))
        failure = u"it could not be read and no copy of it could be made, so Mako does not write "
                  u"over it"_s;
    else if (encode)
        written = writeDataFile(filePath(fileName), encode(), &failure);
    QMetaObject::invokeMethod(
        this,
        [this, fileName, written, failure] { Q_EMIT saveFinished(fileName, written, failure); },
        Qt::QueuedConnection);
}

Error PersistenceService::unreadable(const QString& fileName, const QString& reason)
{
    const auto kept = keepUnreadableFile(filePath(fileName), QDateTime::currentDateTimeUtc());
    if (!kept) {
        m_neverOverwrite.insert(fileName);
        return Error {tr("%1 (%2; it could not be copied aside: %3, so Mako will not save over it)")
                          .arg(reason, fileName, kept.errorMessage())};
    }
    return Error {tr("%1 (%2; the unreadable file was kept as %3)")
                      .arg(reason, fileName, QFileInfo(kept.value()).fileName())};
}

void PersistenceService::reply(QPointer<QObject> context, std::function<void()> call)
{
    QMetaObject::invokeMethod(
        this,
        [context = std::move(context), call = std::move(call)] {
            if (context)
                call();
        },
        Qt::QueuedConnection);
}

} // namespace mako
