// The drive watch's worker on plain events: one report after a burst, the first drive of a
// quiet period, and a stop while a report waits for its acknowledgement.
#include <gtest/gtest.h>

#include "DriveWatch.h"

namespace {

BOOL ResetPlain(HANDLE h) { return ::ResetEvent(h); }

class DriveWatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        state.count = 2;
        for (int i = 0; i <= 2; ++i)
            state.handles[i] = ::CreateEvent(nullptr, TRUE, FALSE, nullptr);
        state.hwndView = window;
        state.quietMs = 300;
        state.rearm = ResetPlain;
        worker = AfxBeginThread(DriveWatchThread, &state, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(worker, nullptr);
        worker->m_bAutoDelete = FALSE;
        worker->ResumeThread();
    }
    void TearDown() override
    {
        if (worker)
            StopDriveWatch(state, worker);
        ::DestroyWindow(window);
    }
    // The reports that arrive within `ms`.
    std::vector<WPARAM> Reports(DWORD ms)
    {
        std::vector<WPARAM> out;
        const DWORD end = ::GetTickCount() + ms;
        while (static_cast<int>(end - ::GetTickCount()) > 0) {
            MSG msg;
            while (::PeekMessage(&msg, window, YQEM_DRIVECHANGED, YQEM_DRIVECHANGED, PM_REMOVE)) {
                out.push_back(msg.wParam);
                AcknowledgeDriveChange(state);
            }
            ::Sleep(10);
        }
        return out;
    }
    HWND window = nullptr;
    DriveWatchState state;
    CWinThread* worker = nullptr;
};

TEST_F(DriveWatchTest, ABurstGivesOneReportAfterItSettles)
{
    for (int i = 0; i < 5; ++i) {
        ::SetEvent(state.handles[0]);
        ::Sleep(100);
        MSG msg;
        EXPECT_FALSE(::PeekMessage(&msg, window, YQEM_DRIVECHANGED, YQEM_DRIVECHANGED, PM_NOREMOVE));
    }
    EXPECT_EQ(Reports(1500), std::vector<WPARAM>{0});
    // Acknowledged: the next change is reported again.
    ::SetEvent(state.handles[1]);
    EXPECT_EQ(Reports(1500), std::vector<WPARAM>{1});
}

TEST_F(DriveWatchTest, TwoDrivesInOneQuietPeriodReportTheFirst)
{
    ::SetEvent(state.handles[1]);
    // Well inside the quiet period, and long enough for the worker to wake on a loaded machine.
    ::Sleep(150);
    ::SetEvent(state.handles[0]);
    EXPECT_EQ(Reports(1500), std::vector<WPARAM>{1});
}

TEST_F(DriveWatchTest, StopWhileAReportWaitsEndsTheWorker)
{
    ::SetEvent(state.handles[0]);
    MSG msg;
    const DWORD end = ::GetTickCount() + 3000;
    while (!::PeekMessage(&msg, window, YQEM_DRIVECHANGED, YQEM_DRIVECHANGED, PM_REMOVE) &&
           static_cast<int>(end - ::GetTickCount()) > 0)
        ::Sleep(10);
    ASSERT_EQ(msg.message, static_cast<UINT>(YQEM_DRIVECHANGED));
    ::SetEvent(state.handles[2]);  // never acknowledged
    EXPECT_EQ(::WaitForSingleObject(worker->m_hThread, 5000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeThread(worker->m_hThread, &code);
    EXPECT_EQ(code, 0u);
}

}  // namespace
