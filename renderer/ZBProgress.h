#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

// The drawn-triangle counter and the triangle sum, read from other threads as a pair. The
// render pass writes the counter once per triangle, so the lock is a small spin lock held for
// two loads or one store, inline: a system mutex costs more than drawing a small triangle
// (under Wine a Win32 mutex is a round trip to the server).
class ZBProgress {
public:
    void SetDrawnTriangleCount(int n)
    {
        Guard g(m_lock);
        m_nDrawn = static_cast<uint32_t>(n);
    }
    void SetTriangleSum(int n)
    {
        Guard g(m_lock);
        m_nSum = static_cast<uint32_t>(n);
    }
    uint32_t GetDrawn();
    uint32_t GetSum();
    double GetPercentage();

private:
    class Guard {
    public:
        explicit Guard(std::atomic_flag& f) : m_f(f)
        {
            while (m_f.test_and_set(std::memory_order_acquire))
                std::this_thread::yield();
        }
        ~Guard() { m_f.clear(std::memory_order_release); }

    private:
        std::atomic_flag& m_f;
    };

    std::atomic_flag m_lock = ATOMIC_FLAG_INIT;
    uint32_t m_nDrawn = 0;
    uint32_t m_nSum = 2147483647;
};
