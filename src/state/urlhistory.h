#pragma once

#include "state/serialworker.h"

#include <QObject>
#include <QPointer>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <functional>

namespace mako {

/// The most recent distinct URL texts that were sent, kept under "recentURLs" in the
/// preference store. Calls are serialised on a thread of the object's own, so a sender never
/// waits for the store.
class URLHistory : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxURLs = 50;

    /// Works on the store in `fileName` (tests pass a temporary file).
    explicit URLHistory(const QString& fileName, QSettings::Format format = QSettings::IniFormat,
        QObject* parent = nullptr);
    /// Finishes every addition already asked for before returning.
    ~URLHistory() override;

    /// The instance on the user's preference store, created on first use and destroyed (after
    /// its pending additions) with the application object.
    static URLHistory* shared();

    /// Moves `url` (any text, the empty one too) to the front of the list, without duplicates
    /// (exact, case-sensitive comparison), keeping at most kMaxURLs entries.
    void addURL(const QString& url);

    /// Calls `done` with the stored list on this object's thread, once every addURL asked for
    /// before it is stored; not at all when `context` is gone by then.
    void recentURLs(QObject* context, std::function<void(const QStringList&)> done);

    /// The rule addURL applies to the stored list.
    static QStringList withURLAdded(QStringList urls, const QString& url);

private:
    QString m_fileName;
    QSettings::Format m_format;
    SerialWorker m_worker;
};

} // namespace mako
