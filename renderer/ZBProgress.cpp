#include "ZBProgress.h"

void ZBProgress::SetDrawnTriangleCount(int n)
{
    std::lock_guard<std::mutex> g(m_lock);
    m_nDrawn = static_cast<uint32_t>(n);
}

void ZBProgress::SetTriangleSum(int n)
{
    std::lock_guard<std::mutex> g(m_lock);
    m_nSum = static_cast<uint32_t>(n);
}

uint32_t ZBProgress::GetDrawn()
{
    std::lock_guard<std::mutex> g(m_lock);
    return m_nDrawn;
}

uint32_t ZBProgress::GetSum()
{
    std::lock_guard<std::mutex> g(m_lock);
    return m_nSum;
}

double ZBProgress::GetPercentage()
{
    uint32_t drawn, sum;
    {
        std::lock_guard<std::mutex> g(m_lock);
        drawn = m_nDrawn;
        sum = m_nSum;
    }
    // Nothing to draw reads as 0 rather than a division by zero.
    if (sum == 0)
        return 0.0;
    return static_cast<double>(drawn) / static_cast<double>(sum) * 100.0;
}
