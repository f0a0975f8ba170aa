#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace mako {

/// A thread that calls `expired` once a deadline passes without being disarmed. JavaScript
/// stuck in a loop holds the thread it runs on, so only another thread can stop it.
class ScriptWatchdog {
public:
    /// `expired` runs on the watchdog's thread with the generation that was armed.
    explicit ScriptWatchdog(std::function<void(std::uint64_t generation)> expired);
    ~ScriptWatchdog();
    ScriptWatchdog(const ScriptWatchdog&) = delete;
    ScriptWatchdog& operator=(const ScriptWatchdog&) = delete;

    void arm(std::chrono::milliseconds timeout, std::uint64_t generation);
    void disarm();

private:
    void watch();

    std::function<void(std::uint64_t)> m_expired;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<std::chrono::steady_clock::time_point> m_deadline;
    std::uint64_t m_generation = 0;
    bool m_quit = false;
    std::thread m_thread;
};

} // namespace mako
