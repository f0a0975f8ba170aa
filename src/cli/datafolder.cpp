#include "cli/datafolder.h"

namespace mako::cli {

DataFolder::DataFolder(const QString& directory)
    : m_service(directory)
{
    QObject::connect(&m_service, &PersistenceService::saveFinished, &m_service,
        [this](const QString& fileName, bool written) {
            if (!written)
                m_unwritten.append(fileName);
        });
}

QStringList DataFolder::finish()
{
    QEventLoop loop;
    m_service.whenIdle(&loop, [&loop] { loop.quit(); });
    loop.exec();
    return m_unwritten;
}

} // namespace mako::cli
