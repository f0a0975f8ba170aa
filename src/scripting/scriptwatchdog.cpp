#include "scripting/scriptwatchdog.h"

namespace mako {

ScriptWatchdog::ScriptWatchdog(std::function<void(std::uint64_t generation)> expired)
    : m_expired(std::move(expired))
    , m_thread([this] { watch(); })
{ }

ScriptWatchdog::~ScriptWatchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_one();
    m_thread.join();
}

void ScriptWatchdog::arm(std::chrono::milliseconds timeout, std::uint64_t generation)
{
    {
        std::lock_guard lock(m_mutex);
        m_deadline = std::chrono::steady_clock::now() + timeout;
        m_generation = generation;
    }
    m_changed.notify_one();
}

void ScriptWatchdog::disarm()
{
    {
        std::lock_guard lock(m_mutex);
        m_deadline.reset();
    }
    m_changed.notify_one();
}

void ScriptWatchdog::watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_deadline) {
            m_changed.wait(lock);
            continue;
        }
        if (m_changed.wait_until(lock, *m_deadline) == std::cv_status::timeout && m_deadline
            && std::chrono::steady_clock::now() >= *m_deadline) {
            m_deadline.reset();
            // Called under the lock, so that a disarm that returned has really ended the wait.
            m_expired(m_generation);
        }
    }
}

} // namespace mako
