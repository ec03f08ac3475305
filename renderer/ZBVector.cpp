#include "ZBVector.h"

#include <cmath>

float ZBVector::Length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

void ZBVector::Normalize()
{
    float len = Length();
    if (len >= ZB_EPSILON) {
        x /= len;
        y /= len;
        z /= len;
    }
}

bool operator==(const ZBVector& a, const ZBVector& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

ZBVector operator+(const ZBVector& a, const ZBVector& b) { return ZBVector(a.x + b.x, a.y + b.y, a.z + b.z); }
ZBVector operator-(const ZBVector& a, const ZBVector& b) { return ZBVector(a.x - b.x, a.y - b.y, a.z - b.z); }
ZBVector operator*(const ZBVector& v, float s) { return ZBVector(v.x * s, v.y * s, v.z * s); }
ZBVector operator/(const ZBVector& v, float s) { return ZBVector(v.x / s, v.y / s, v.z / s); }

void CrossProduct(const ZBVector& a, const ZBVector& b, ZBVector& out)
{
    out = ZBVector(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
