#include "ZBDepthBuffer.h"

#include <new>

ZBDepthBuffer::ZBDepthBuffer(uint32_t width, uint32_t height, float nearZ, float farZ)
    : m_nWidth(width), m_nHeight(height), m_bValid(false), m_fLowerBound(10000.0f), m_fNear(nearZ), m_fFar(farZ)
{
    try {
        m_cells.assign(static_cast<size_t>(width) * height, farZ);
        m_bValid = true;
    } catch (const std::bad_alloc&) {
        m_cells.clear();
    }
}

bool ZBDepthBuffer::TestAndSet(int column, int row, float depth)
{
    if (!Test(column, row, depth))
        return false;
    m_cells[static_cast<size_t>(row) * m_nWidth + column] = depth;
    return true;
}

bool ZBDepthBuffer::Set(int column, int row, float depth)
{
    if (!Inside(column, row))
        return false;
    m_cells[static_cast<size_t>(row) * m_nWidth + column] = depth;
    return true;
}
