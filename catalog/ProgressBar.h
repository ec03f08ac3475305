// A progress bar inside a status-bar pane, right of a label written into the same pane.
#pragma once

#include <afxcmn.h>
#include <afxext.h>

class CProgressBar : public CProgressCtrl {
    DECLARE_DYNCREATE(CProgressBar)
public:
    CProgressBar() = default;
    CProgressBar(LPCTSTR text, int size = 100, int maximum = 100, BOOL smooth = FALSE, int pane = 0);
    ~CProgressBar() override;

    BOOL Create(LPCTSTR text, int size = 100, int maximum = 100, BOOL smooth = FALSE, int pane = 0);
    BOOL SetText(LPCTSTR text);
    BOOL SetSize(int percent);
    COLORREF SetBarColour(COLORREF colour);
    COLORREF SetBkColour(COLORREF colour);
    BOOL SetRange(int lower, int upper, int step);
    int SetPos(int pos);
    int OffsetPos(int amount);
    int SetStep(int step);
    int StepIt();
    void Clear();
    BOOL Resize();
    CStatusBar* GetStatusBar();

protected:
    bool HasWindow() const { return !_AfxIsNull(this) && ::IsWindow(m_hWnd); }
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

    int m_nSize = 100;
    int m_nPane = 0;
    CString m_strMessage;
    CString m_strPrevText;
    CRect m_rcLast{0, 0, 0, 0};
};
