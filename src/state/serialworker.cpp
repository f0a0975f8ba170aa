#include "state/serialworker.h"

#include <QMetaObject>

namespace mako {

SerialWorker::SerialWorker(const QString& name, Start start)
    : m_context(new QObject)
{
    m_thread.setObjectName(name);
    m_context->moveToThread(&m_thread);
    if (start == Start::Now)
        this->start();
}

void SerialWorker::start()
{
    if (m_started)
        return;
    m_started = true;
    m_thread.start();
}

SerialWorker::~SerialWorker()
{
    start();
    postAfterFollowUps([this] { m_thread.quit(); });
    m_thread.wait();
    delete m_context;
}

void SerialWorker::post(std::function<void()> job)
{
    QMetaObject::invokeMethod(m_context, std::move(job), Qt::QueuedConnection);
}

void SerialWorker::postAfterFollowUps(std::function<void()> job)
{
    post([this, job = std::move(job)]() mutable { post(std::move(job)); });
}

} // namespace mako
