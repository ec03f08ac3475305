#pragma once

#include "ZBVector.h"

// 4 x 4 transform; points are row vectors multiplied from the left, translation in row 3.
class ZBMatrix {
public:
    ZBMatrix() { SetIdentity(); }
    ZBMatrix(const ZBMatrix&) = default;
    ZBMatrix& operator=(const ZBMatrix&) = default;
    virtual ~ZBMatrix() = default;

    void SetIdentity()
    {
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                m[r][c] = (r == c) ? 1.0f : 0.0f;
    }
    // this := this x b
    ZBMatrix& Multiply(const ZBMatrix& b)
    {
        float out[4][4];
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                out[r][c] = m[r][0] * b.m[0][c] + m[r][1] * b.m[1][c] + m[r][2] * b.m[2][c] + m[r][3] * b.m[3][c];
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                m[r][c] = out[r][c];
        return *this;
    }

    float m[4][4];
};

inline ZBVector TransformPoint(const ZBVector& p, const ZBMatrix& t)
{
    const float (*m)[4] = t.m;
    return ZBVector(p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
                    p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
                    p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]);
}
