#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

namespace mako {

class PersistenceService;

/// The save policy of one data file, shared by the lists that are stored: a change restarts a
/// quiet-time wait, and only when the list has been left alone that long is it written, so a
/// burst of edits writes the file once. Before the file has been read back nothing is written,
/// since the empty list would replace the stored records. A failed write is reported once per
/// reason and tried again at the next change or flush.
class ListSaver : public QObject {
    Q_OBJECT

public:
    /// `write` hands a snapshot of the list to `persistence`; both outlive the saver.
    ListSaver(PersistenceService* persistence, QString fileName, std::chrono::milliseconds delay,
        std::function<void()> write, QObject* parent = nullptr);

    const QString& fileName() const { return m_fileName; }
    bool isRead() const { return m_read; }
    /// The file has been read back; saves may write it from now on.
    void markRead() { m_read = true; }

    /// The list changed: (re)starts the quiet-time wait.
    void scheduleSave() { m_autoSave.start(); }
    /// Drops the pending auto-save, for a change that is already on disk.
    void cancelPending() { m_autoSave.stop(); }
    /// Writes at once, in place of the pending auto-save.
    void saveNow();
    /// Writes at once if an auto-save is pending or the last write failed.
    void flush();

Q_SIGNALS:
    /// A write failed for a reason not reported since the file was last written.
    void saveFailed(const QString& fileName, const QString& reason);

private:
    void handleSaveFinished(const QString& fileName, bool written, const QString& failure);

    QString m_fileName;
    std::function<void()> m_write;
    QTimer m_autoSave;
    bool m_read = false;
    // The reason last reported while the writes of the file are failing.
    std::optional<QString> m_failure;
};

} // namespace mako
