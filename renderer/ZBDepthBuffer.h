#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Per-pixel depth of the nearest surface drawn so far; row 0 at the top.
class ZBDepthBuffer {
public:
    ZBDepthBuffer(uint32_t width, uint32_t height, float nearZ, float farZ);
    virtual ~ZBDepthBuffer() = default;

    // Strict: an equal depth keeps the surface drawn first.
    bool Test(int column, int row, float depth) const
    {
        return Inside(column, row) && depth > m_fLowerBound && depth < At(column, row);
    }
    bool TestAndSet(int column, int row, float depth);
    bool Set(int column, int row, float depth);
    bool IsValid() const { return m_bValid; }
    void SetLowerBound(float bound) { m_fLowerBound = bound; }
    float GetLowerBound() const { return m_fLowerBound; }
    float At(int column, int row) const { return m_cells[static_cast<size_t>(row) * m_nWidth + column]; }

private:
    bool Inside(int column, int row) const
    {
        return m_bValid && static_cast<uint32_t>(column) < m_nWidth && static_cast<uint32_t>(row) < m_nHeight;
    }

    uint32_t m_nWidth;
    uint32_t m_nHeight;
    std::vector<float> m_cells;
    bool m_bValid;
    float m_fLowerBound;
    float m_fNear;
    float m_fFar;
};
