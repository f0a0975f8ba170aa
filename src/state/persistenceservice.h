#pragma once

#include "model/recordjson.h"
#include "model/result.h"
#include "state/serialworker.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace mako {

/// Owns the application folder and reads and writes its data files. All file work runs
/// on the service's own thread, one job at a time; results come back as queued calls on the
/// thread that owns the service (the main thread), so no caller ever waits for the disk.
///
/// Saves of one file land in the order they were asked for: when several are waiting, only the
/// newest snapshot is written. A file that exists but cannot be read or decoded is copied aside
/// before anything is saved over it, and if no copy can be made it is never saved over.
class PersistenceService : public QObject {
    Q_OBJECT

public:
    static inline const QString kCollectionsFile = QStringLiteral("collections.json");
    static inline const QString kEnvironmentsFile = QStringLiteral("environments.json");
    static inline const QString kHistoryFile = QStringLiteral("history.json");
    static inline const QString kGlobalVariablesFile = QStringLiteral("globals.json");
    /// The open tabs of the last run (see `SessionStore`).
    static inline const QString kSessionFile = QStringLiteral("session.json");
    /// The cookies kept between launches, in the Netscape cookie-file format.
    static inline const QString kCookiesFile = QStringLiteral("cookies.txt");

    /// Creates `appDirectory` (and its parents) if it is missing; a failure is ignored, later
    /// loads then find no files and saves fail silently.
    explicit PersistenceService(const QString& appDirectory, QObject* parent = nullptr);
    /// With `SerialWorker::Start::OnRequest` the file work asked for waits, in order, until
    /// `startWork()`: the window holds the start-up load back until it has painted, so reading
    /// and decoding a large workspace does not compete with its first frame.
    PersistenceService(
        const QString& appDirectory, SerialWorker::Start start, QObject* parent = nullptr);
    /// Finishes every save already asked for before returning.
    ~PersistenceService() override;

    /// The instance on the user's application folder, created on first use and destroyed (after
    /// its pending saves) with the application object.
    static PersistenceService* shared();
    /// "com.quorin.mako" in the user's data folder.
    static QString standardAppDirectory();

    void startWork() { m_worker.start(); }

    const QString& appDirectory() const { return m_appDirectory; }
    QString filePath(const QString& fileName) const;

    /// Reads and decodes `fileName`; a missing file is an empty list. `done` runs on this
    /// object's thread, unless `context` is gone by then.
    template <typename T>
    void load(const QString& fileName, QObject* context, std::function<void(Result<QList<T>>)> done)
    {
        // Filled on the worker thread; the reply that reads it is posted after the write.
        auto decoded = std::make_shared<Result<QList<T>>>(QList<T> {});
        auto decode = [decoded](const QByteArray& bytes) -> std::optional<Error> {
            *decoded = decodeRecords<T>(bytes);
            return decoded->ok() ? std::nullopt : std::optional<Error>(decoded->error());
        };
        loadDecoded(fileName, context, std::move(decode),
            [decoded, done = std::move(done)](const std::optional<Error>& error) {
                done(error ? Result<QList<T>>(*error) : std::move(*decoded));
            });
    }

    /// Writes `records` to `fileName`, replacing it whole. Failures are reported only through
    /// `saveFinished`; the file is then left as it was.
    template <typename T> void save(const QList<T>& records, const QString& fileName)
    {
        saveEncoded(fileName, [records] { return encodeRecords(records); });
    }

    /// Reads `fileName` as it is; a missing file is empty. `done` as for `load`.
    void loadBytes(
        const QString& fileName, QObject* context, std::function<void(Result<QByteArray>)> done);
    /// Writes the bytes `encode` gives, called on the service's thread when the write is due,
    /// so a snapshot of something thread-safe costs the caller nothing. Callable from any thread.
    void saveBytes(const QString& fileName, std::function<QByteArray()> encode)
    {
        saveEncoded(fileName, std::move(encode));
    }
    /// Removes `fileName` after the loads and saves asked for before; a save still waiting is
    /// dropped.
    void removeFile(const QString& fileName);

    /// Calls `done` on this object's thread once every load and save asked for so far is done.
    void whenIdle(QObject* context, std::function<void()> done);

Q_SIGNALS:
    /// One write of `fileName` ended; `written` is false when the file was left as it was, and
    /// `failure` then says why (it is empty after a write).
    void saveFinished(const QString& fileName, bool written, const QString& failure);

private:
    using Decoder = std::function<std::optional<Error>(const QByteArray&)>;
    void loadDecoded(const QString& fileName, QObject* context, Decoder decode,
        std::function<void(const std::optional<Error>&)> done);
    void saveEncoded(const QString& fileName, std::function<QByteArray()> encode);
    void flush(const QString& fileName);
    Error unreadable(const QString& fileName, const QString& reason);
    void reply(QPointer<QObject> context, std::function<void()> call);

    QString m_appDirectory;
    // Touched only by jobs on the worker thread.
    QHash<QString, std::function<QByteArray()>> m_pendingSaves;
    QSet<QString> m_neverOverwrite;
    SerialWorker m_worker;
};

} // namespace mako
