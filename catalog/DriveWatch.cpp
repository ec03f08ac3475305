#include "DriveWatch.h"

#include <cstdio>

namespace {

BOOL RearmNotification(HANDLE h) { return ::FindNextChangeNotification(h); }

}  // namespace

UINT DriveWatchThread(LPVOID param)
{
    auto* s = static_cast<DriveWatchState*>(param);
    const DWORD n = static_cast<DWORD>(s->count + 1);
    const DWORD stop = static_cast<DWORD>(s->count);
    BOOL (*rearm)(HANDLE) = s->rearm ? s->rearm : RearmNotification;
    for (;;) {
        DWORD r = ::WaitForMultipleObjects(n, s->handles, FALSE, INFINITE);
        if (r == WAIT_OBJECT_0 + stop || r >= WAIT_OBJECT_0 + n)
            return 0;
        const DWORD drive = r - WAIT_OBJECT_0;
        DWORD signalled = drive;
        // Quiet period: every further change starts it over.
        for (;;) {
            rearm(s->handles[signalled]);
            r = ::WaitForMultipleObjects(n, s->handles, FALSE, s->quietMs);
            if (r == WAIT_TIMEOUT)
                break;
            if (r == WAIT_OBJECT_0 + stop || r >= WAIT_OBJECT_0 + n)
                return 0;
            signalled = r - WAIT_OBJECT_0;
        }
        s->handles[DriveWatchState::kAckSlot] = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
        ::PostMessage(s->hwndView, s->message, drive, 0);
        HANDLE wait[2] = {s->handles[DriveWatchState::kAckSlot], s->handles[stop]};
        r = ::WaitForMultipleObjects(2, wait, FALSE, INFINITE);
        ::CloseHandle(s->handles[DriveWatchState::kAckSlot]);
        s->handles[DriveWatchState::kAckSlot] = nullptr;
        if (r != WAIT_OBJECT_0)
            return 0;
    }
}

void SetupDriveWatchTables(DriveWatchState& s)
{
    s.count = 0;
    DWORD mask = ::GetLogicalDrives();
    for (int letter = 0; letter < 26 && mask; ++letter, mask >>= 1) {
        if (!(mask & 1))
            continue;
        DriveWatchState::Drive& d = s.drives[s.count];
        std::snprintf(d.root, sizeof d.root, "%c:\\", 'A' + letter);
        const UINT type = ::GetDriveType(d.root);
        if (type != DRIVE_FIXED && type != DRIVE_CDROM && type != DRIVE_RAMDISK)
            continue;
        d.type = type;
        HANDLE h = ::FindFirstChangeNotification(d.root, TRUE, FILE_NOTIFY_CHANGE_DIR_NAME);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        s.handles[s.count++] = h;
    }
    s.handles[s.count] = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
}

void StopDriveWatch(DriveWatchState& s, CWinThread*& worker, DWORD waitMs)
{
    if (s.handles[s.count])
        ::SetEvent(s.handles[s.count]);
    if (worker) {
        if (::WaitForSingleObject(worker->m_hThread, waitMs) != WAIT_OBJECT_0)
            ::TerminateThread(worker->m_hThread, static_cast<DWORD>(-1));
        delete worker;
        worker = nullptr;
    }
    for (int i = 0; i < s.count; ++i)
        if (s.handles[i]) {
            if (!s.rearm)
                ::FindCloseChangeNotification(s.handles[i]);
            s.handles[i] = nullptr;
        }
    if (s.handles[s.count]) {
        ::CloseHandle(s.handles[s.count]);
        s.handles[s.count] = nullptr;
    }
    s.count = 0;
}

void AcknowledgeDriveChange(DriveWatchState& s)
{
    if (HANDLE ack = s.handles[DriveWatchState::kAckSlot])
        ::SetEvent(ack);
}
