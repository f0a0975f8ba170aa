#include "state/listsaver.h"

#include "state/persistenceservice.h"

namespace mako {

ListSaver::ListSaver(PersistenceService* persistence, QString fileName,
    std::chrono::milliseconds delay, std::function<void()> write, QObject* parent)
    : QObject(parent)
    , m_fileName(std::move(fileName))
    , m_write(std::move(write))
{
    m_autoSave.setSingleShot(true);
    m_autoSave.setInterval(delay);
    connect(&m_autoSave, &QTimer::timeout, this, &ListSaver::saveNow);
    connect(persistence, &PersistenceService::saveFinished, this, &ListSaver::handleSaveFinished);
}

void ListSaver::saveNow()
{
    m_autoSave.stop();
    if (m_read)
        m_write();
}

void ListSaver::flush()
{
    // A file whose last write failed is tried again too: its folder may be writable by now.
    if (m_autoSave.isActive() || m_failure)
        saveNow();
}

void ListSaver::handleSaveFinished(const QString& fileName, bool written, const QString& failure)
{
    if (fileName != m_fileName)
        return;
    if (written) {
        m_failure.reset();
        return;
    }
    // A folder that stays unwritable fails every save of the file; the user hears of it once,
    // and again only if the reason changes or the file was written in between.
    if (m_failure == failure)
        return;
    m_failure = failure;
    Q_EMIT saveFailed(fileName, failure);
}

} // namespace mako
