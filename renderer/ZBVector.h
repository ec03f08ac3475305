#pragma once

#include <cmath>

// Tolerance of all of the renderer's geometry.
constexpr float ZB_EPSILON = 0.000001f;

// A point or direction of three single-precision floats. A plain value without a virtual table:
// triangles hold many of them, and every operation below is inline.
class ZBVector {
public:
    ZBVector() : x(0.0f), y(0.0f), z(0.0f) {}
    ZBVector(float ax, float ay, float az) : x(ax), y(ay), z(az) {}

    float Dot(const ZBVector& o) const { return x * o.x + y * o.y + z * o.z; }
    float Length() const { return std::sqrt(x * x + y * y + z * z); }
    void Normalize()
    {
        const float len = Length();
        if (len >= ZB_EPSILON) {
            x /= len;
            y /= len;
            z /= len;
        }
    }

    float x, y, z;
};

inline bool operator==(const ZBVector& a, const ZBVector& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline ZBVector operator+(const ZBVector& a, const ZBVector& b) { return ZBVector(a.x + b.x, a.y + b.y, a.z + b.z); }
inline ZBVector operator-(const ZBVector& a, const ZBVector& b) { return ZBVector(a.x - b.x, a.y - b.y, a.z - b.z); }
inline ZBVector operator*(const ZBVector& v, float s) { return ZBVector(v.x * s, v.y * s, v.z * s); }
inline ZBVector operator/(const ZBVector& v, float s) { return ZBVector(v.x / s, v.y / s, v.z / s); }

inline void CrossProduct(const ZBVector& a, const ZBVector& b, ZBVector& out)
{
    out = ZBVector(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
