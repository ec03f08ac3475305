#pragma once

// A point or direction of three single-precision floats.
class ZBVector {
public:
    ZBVector() : x(0.0f), y(0.0f), z(0.0f) {}
    ZBVector(float ax, float ay, float az) : x(ax), y(ay), z(az) {}
    ZBVector(const ZBVector& o) = default;
    ZBVector& operator=(const ZBVector& o) = default;
    virtual ~ZBVector() = default;

    float Dot(const ZBVector& o) const { return x * o.x + y * o.y + z * o.z; }
    float Length() const;
    void Normalize();

    float x, y, z;
};

bool operator==(const ZBVector& a, const ZBVector& b);
ZBVector operator+(const ZBVector& a, const ZBVector& b);
ZBVector operator-(const ZBVector& a, const ZBVector& b);
ZBVector operator*(const ZBVector& v, float s);
ZBVector operator/(const ZBVector& v, float s);
void CrossProduct(const ZBVector& a, const ZBVector& b, ZBVector& out);

// Tolerance of all of the renderer's geometry.
constexpr float ZB_EPSILON = 0.000001f;
