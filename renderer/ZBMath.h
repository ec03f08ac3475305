#pragma once

#include <cmath>

// Single-precision functions evaluated in double and rounded once: the C runtimes of the
// native and the Windows builds then give the same float, so pictures agree byte for byte.
inline float ZBTan(float x)
{
    return static_cast<float>(std::tan(static_cast<double>(x)));
}

inline float ZBCos(float x)
{
    return static_cast<float>(std::cos(static_cast<double>(x)));
}

inline float ZBExp(float x)
{
    return static_cast<float>(std::exp(static_cast<double>(x)));
}
