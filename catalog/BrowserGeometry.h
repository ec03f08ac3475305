// Small pure rules of the browser's windows and settings, apart from the windows that use them.
#pragma once

#include <afx.h>

// Where the status-bar progress bar goes in its pane: right of the label and four blanks,
// `size` percent of what is left, shrunk by a tenth of the height top and bottom.
RECT ProgressBarRect(const RECT& pane, int labelWidth, int blankWidth, bool hasLabel, int size);

// The browser's icon for a path: 12 fixed-drive root, 13 CD-ROM root, 14 network root,
// 3 anything else. `driveType` gives the GetDriveType value of a root "X:\".
int DriveIconIndex(const char* path, unsigned (*driveType)(const char* root));

// The code CONFIG.DAT stores for a show command: 4 minimised, 8 maximised, 2 otherwise.
int ShowStateFromShowCmd(unsigned showCmd);
