// The modeless "検索" dialog with its animation and a cancel flag that outlives the window.
#pragma once

#include <afxwin.h>

class CSearchProgressDlg : public CDialog {
public:
    CSearchProgressDlg() = default;
    BOOL Create(CWnd* owner);
    BOOL IsShown() const { return ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd); }
    BOOL IsCancelled() const { return m_bCancelled; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
    BOOL m_bCancelled = FALSE;
};

// Dispatches what waits in the thread's queue, so that a long search still takes the
// progress dialog's Cancel.
void PumpWaitingMessages();
