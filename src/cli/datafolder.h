#pragma once

#include "model/result.h"
#include "state/persistenceservice.h"

#include <QEventLoop>
#include <QList>
#include <QString>
#include <QStringList>

namespace mako::cli {

/// The application folder seen from the command line: PersistenceService's loads and saves,
/// with the same rules as the application (atomic writes; a file that cannot be read is copied
/// aside before anything is saved over it, and never saved over when no copy can be made), made
/// to wait so that a command can finish in order.
class DataFolder {
public:
    explicit DataFolder(const QString& directory);

    /// Reads one data file; a missing file is an empty list. An unreadable file is an error
    /// that says where it was kept.
    template <typename T> Result<QList<T>> load(const QString& fileName)
    {
        Result<QList<T>> loaded = QList<T> {};
        QEventLoop loop;
        m_service.load<T>(fileName, &loop, [&](Result<QList<T>> result) {
            loaded = std::move(result);
            loop.quit();
        });
        loop.exec();
        return loaded;
    }

    /// Replaces one data file with `records`.
    template <typename T> void save(const QList<T>& records, const QString& fileName)
    {
        m_service.save(records, fileName);
    }

    /// Waits for every save asked for; returns the files that were left as they were.
    QStringList finish();

    QString filePath(const QString& fileName) const { return m_service.filePath(fileName); }

private:
    PersistenceService m_service;
    QStringList m_unwritten;
};

} // namespace mako::cli
