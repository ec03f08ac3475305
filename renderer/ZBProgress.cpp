#include "ZBProgress.h"

uint32_t ZBProgress::GetDrawn()
{
    Guard g(m_lock);
    return m_nDrawn;
}

uint32_t ZBProgress::GetSum()
{
    Guard g(m_lock);
    return m_nSum;
}

double ZBProgress::GetPercentage()
{
    uint32_t drawn, sum;
    {
        Guard g(m_lock);
        drawn = m_nDrawn;
        sum = m_nSum;
    }
    // Nothing to draw reads as 0 rather than a division by zero.
    if (sum == 0)
        return 0.0;
    return static_cast<double>(drawn) / static_cast<double>(sum) * 100.0;
}
