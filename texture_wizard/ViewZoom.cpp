#include "ViewZoom.h"

#include <cstdint>

UINT ReduceZoom(UINT multiplier, UINT divisor)
{
    if (multiplier == 0)
        multiplier = 1;
    if (divisor == 0)
        divisor = 1;
    if (multiplier > divisor)
        return MakeZoom(multiplier / divisor, 1);
    if (multiplier < divisor)
        return MakeZoom(1, divisor / multiplier);
    return MakeZoom(1, 1);
}

UINT ZoomInStep(UINT zoom)
{
    const UINT m = ZoomMultiplier(zoom), d = ZoomDivisor(zoom);
    return m >= 0x8000 ? zoom : ReduceZoom(m * 2, d);
}

UINT ZoomOutStep(UINT zoom)
{
    const UINT m = ZoomMultiplier(zoom), d = ZoomDivisor(zoom);
    return d >= 0x8000 ? zoom : ReduceZoom(m, d * 2);
}

UINT ChooseAutoZoom(int w, int h, int cw, int ch)
{
    UINT multiplier = 1, divisor = 1;
    if (w > cw || h > ch) {
        for (int i = 0; i < 3; ++i) {
            w /= 2;
            h /= 2;
            divisor *= 2;
            if (w <= cw && h <= ch)
                break;
        }
    } else {
        for (int i = 0; i < 3; ++i) {
            w *= 2;
            if (w > cw)
                break;
            h *= 2;
            if (h > ch)
                break;
            multiplier *= 2;
        }
    }
    return MakeZoom(multiplier, divisor);
}

FitResult FitPicture(int w, int h, int cw, int ch)
{
    FitResult fit = {MakeZoom(1, 1), w, h};
    if (w <= 0 || h <= 0 || cw <= 0 || ch <= 0)
        return fit;
    int64_t multiplier, divisor;
    if (static_cast<int64_t>(w) * ch / h < cw) {
        multiplier = ch;
        divisor = h;
        fit.width = static_cast<int>((static_cast<int64_t>(w) * ch + h / 2) / h);
        fit.height = ch;
    } else {
        multiplier = cw;
        divisor = w;
        fit.width = cw;
        fit.height = static_cast<int>((static_cast<int64_t>(h) * cw + w / 2) / w);
    }
    // Both halves travel in 16 bits: a larger side loses precision, never the whole zoom.
    while (multiplier > 0xFFFF || divisor > 0xFFFF) {
        multiplier = multiplier > 1 ? multiplier / 2 : 1;
        divisor = divisor > 1 ? divisor / 2 : 1;
    }
    fit.zoom = MakeZoom(static_cast<UINT>(multiplier), static_cast<UINT>(divisor));
    return fit;
}

int ZoomValue(int value, UINT zoom)
{
    const int64_t m = ZoomMultiplier(zoom), d = ZoomDivisor(zoom);
    return static_cast<int>((m * value + d / 2) / d);
}

int UnzoomValue(int client, int scroll, UINT zoom, bool plain)
{
    if (plain)
        return client + scroll;
    const int64_t m = ZoomMultiplier(zoom), d = ZoomDivisor(zoom);
    return static_cast<int>((d * (static_cast<int64_t>(client) + scroll) + m / 2) / m);
}

int ZoomLineStep(UINT zoom)
{
    const int step = static_cast<int>(ZoomMultiplier(zoom) * 8 / ZoomDivisor(zoom));
    return step > 0 ? step : 1;
}

namespace {

void DefaultAxis(int scroll, int extent, int size, LONG& low, LONG& high)
{
    low = scroll + 10;
    high = scroll + 10 + extent;
    if (high > size)
        high = size - 10;
    if (low < 0 || high > size || high < low + 2) {
        low = 0;
        high = size > 0 ? size : 0;
    }
}

} // namespace

RECT DefaultRangeBox(int scrollX, int scrollY, int imageWidth, int imageHeight)
{
    RECT box;
    DefaultAxis(scrollX, 640, imageWidth, box.left, box.right);
    DefaultAxis(scrollY, 480, imageHeight, box.top, box.bottom);
    return box;
}

int ZoomListIndex(UINT zoom)
{
    const UINT m = ZoomMultiplier(zoom), d = ZoomDivisor(zoom);
    if (m == 8)
        return 0;
    if (m == 4)
        return 1;
    if (m == 2)
        return 2;
    if (m == 1) {
        if (d == 2)
            return 4;
        if (d == 4)
            return 5;
        if (d == 8)
            return 6;
    }
    return 3;
}

UINT ZoomForListIndex(int index)
{
    switch (index) {
    case 0: return MakeZoom(8, 1);
    case 1: return MakeZoom(4, 1);
    case 2: return MakeZoom(2, 1);
    case 4: return MakeZoom(1, 2);
    case 5: return MakeZoom(1, 4);
    case 6: return MakeZoom(1, 8);
    default: return MakeZoom(1, 1);
    }
}
