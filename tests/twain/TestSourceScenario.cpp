#include "TestSourceScenario.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

TestSourceScenario TestSourceScenario::Parse(const char* text)
{
    TestSourceScenario s;
    if (text == NULL)
        return s;
    char key[32], value[32];
    const char* p = text;
    int used = 0;
    while (sscanf(p, " %31[^=]=%31s%n", key, value, &used) == 2) {
        p += used;
        const int n = atoi(value);
        if (strcmp(key, "answer") == 0)
            s.answer = strcmp(value, "close") == 0 ? CLOSE
                : strcmp(value, "cancel") == 0   ? CANCEL
                : strcmp(value, "fail") == 0     ? FAIL
                                                 : IMAGE;
        else if (strcmp(key, "depth") == 0)
            s.depth = n;
        else if (strcmp(key, "topdown") == 0)
            s.topDown = n != 0;
        else if (strcmp(key, "width") == 0)
            s.width = n;
        else if (strcmp(key, "height") == 0)
            s.height = n;
        else if (strcmp(key, "window") == 0)
            s.windowMs = n;
        else if (strcmp(key, "pending") == 0)
            s.pending = n;
        else if (strcmp(key, "refuseopen") == 0)
            s.refuseOpen = n != 0;
    }
    return s;
}

std::string TestSourceScenario::Format() const
{
    static const char* const answers[] = {"image", "close", "cancel", "fail"};
    char text[200];
    snprintf(text, sizeof(text), "answer=%s depth=%d topdown=%d width=%d height=%d window=%d pending=%d refuseopen=%d",
             answers[answer], depth, topDown ? 1 : 0, width, height, windowMs, pending, refuseOpen ? 1 : 0);
    return text;
}

int TestSourceTableSize(int depth)
{
    // Short tables: fewer entries than the depth allows.
    return depth == 1 ? 2 : depth == 4 ? 5 : depth == 8 ? 20 : 0;
}

COLORREF TestSourceColour(int depth, int x, int y)
{
    if (depth <= 8) {
        const int entries = TestSourceTableSize(depth);
        const int index = (x / 3 + y / 2) % entries;
        return RGB(index * 12 + 3, 255 - index * 9, (index * 37) & 255);
    }
    const COLORREF c = RGB((x * 5 + y) & 255, (y * 3) & 255, (x ^ y) & 255);
    if (depth == 16)
        return RGB(GetRValue(c) & 0xF8, GetGValue(c) & 0xF8, GetBValue(c) & 0xF8);
    return c;
}
