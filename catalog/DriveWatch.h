// The drive watch of the folder tree: one directory-change notification per fixed, CD-ROM and
// RAM drive, a worker that waits for a burst of changes to settle and reports the drive that
// opened it to the view, then waits for the view's acknowledgement.
#pragma once

#include <afxwin.h>

// Posted to the view: wParam the index of the changed drive in the drive table.
#define YQEM_DRIVECHANGED (WM_USER + 256)

struct DriveWatchState {
    enum { kMaxDrives = 26, kAckSlot = 27 };
    struct Drive {
        char root[4] = {};
        UINT type = 0;
    };
    Drive drives[kMaxDrives];
    // Notifications in 0 .. count - 1, the stop event at count, the acknowledgement at 27.
    HANDLE handles[28] = {};
    int count = 0;
    HWND hwndView = nullptr;
    UINT message = YQEM_DRIVECHANGED;
    DWORD quietMs = 2000;
    // Re-arms a signalled notification (a test's plain events reset instead).
    BOOL (*rearm)(HANDLE) = nullptr;
};

// The worker: ends with 0 when the stop event is set.
UINT DriveWatchThread(LPVOID state);

// Fills the tables from the drives present (watching directory names below every fixed,
// CD-ROM and RAM root) and makes the stop event.
void SetupDriveWatchTables(DriveWatchState& state);
// Sets the stop event, waits for the worker at most `waitMs` (then terminates it with -1),
// deletes the thread object and closes the handles.
void StopDriveWatch(DriveWatchState& state, CWinThread*& worker, DWORD waitMs = 5000);
// The view's side of a report: sets and forgets the acknowledgement.
void AcknowledgeDriveChange(DriveWatchState& state);
