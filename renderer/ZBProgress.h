#pragma once

#include <cstdint>
#include <mutex>

// The drawn-triangle counter and the triangle sum, read from other threads as a pair.
class ZBProgress {
public:
    void SetDrawnTriangleCount(int n);
    void SetTriangleSum(int n);
    uint32_t GetDrawn();
    uint32_t GetSum();
    double GetPercentage();

private:
    std::mutex m_lock;
    uint32_t m_nDrawn = 0;
    uint32_t m_nSum = 2147483647;
};
