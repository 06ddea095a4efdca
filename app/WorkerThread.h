// CWorkerThread: one piece of long work (loading, a day run, a new career, a scene) off the main
// thread. The running flag is atomic so the main thread can poll it while it draws.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

class CWorkerThread {
public:
    CWorkerThread() = default;
    ~CWorkerThread() { Join(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts the work unless the previous one is still running; false then.
    bool Start(std::function<void()> work) {
        if (m_running.load())
            return false;
        Join();
        m_running = true;
        m_thread = std::thread([this, work = std::move(work)] {
            work();
            m_running = false;
        });
        return true;
    }
    bool IsRunning() const { return m_running.load(); }
    void Join() {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
    std::atomic<bool> m_running{false};
};
