#include "BrowserGeometry.h"

#include <cstring>

namespace {
const unsigned kDriveFixed = 3, kDriveRemote = 4, kDriveCdrom = 5;
}

RECT ProgressBarRect(const RECT& pane, int labelWidth, int blankWidth, bool hasLabel, int size)
{
    RECT rc = pane;
    if (hasLabel)
        rc.left = pane.left + labelWidth + 4 * blankWidth;
    rc.right = pane.right - (100 - size) * (pane.right - rc.left) / 100;
    if (rc.right < rc.left)
        rc.right = rc.left;
    const LONG d = (rc.bottom - rc.top) / 10;
    rc.top += d;
    rc.bottom -= d;
    return rc;
}

int DriveIconIndex(const char* path, unsigned (*driveType)(const char* root))
{
    if (!path || strlen(path) >= 4 || strlen(path) != 3)
        return 3;
    if (path[0] < 'A' || path[0] > 'Z' || path[1] != ':' || path[2] != '\\')
        return 3;
    switch (driveType(path)) {
    case kDriveFixed: return 12;
    case kDriveCdrom: return 13;
    case kDriveRemote: return 14;
    default: return 3;
    }
}

int ShowStateFromShowCmd(unsigned showCmd)
{
    if (showCmd == 6)  // SW_MINIMIZE
        return 4;
    if (showCmd == 3)  // SW_SHOWMAXIMIZED
        return 8;
    return 2;
}
