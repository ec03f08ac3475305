// The sample SDI program: a frame with a menu, accelerators and a status line, a document
// and a scroll view, built from run-time classes by a single-document template.
#pragma once

#include "TestApp.h"
#include "SampleRes.h"

class CSampleDoc : public CDocument {
  DECLARE_DYNCREATE(CSampleDoc)
 public:
  CSampleDoc();
  ~CSampleDoc() override;
  void Serialize(CArchive& ar) override;
  void DeleteContents() override;

  CString m_strText;
  int m_nValue = 0;
  int m_nDocCmd = 0;
  int m_nSharedCmd = 0;
  BOOL m_bFailStore = FALSE;  // the next save throws half-way

  static int s_nLive;

 protected:
  afx_msg void OnDocCmd() { ++m_nDocCmd; }
  afx_msg void OnSharedCmd() { ++m_nSharedCmd; }
  DECLARE_MESSAGE_MAP()
};

class CSampleView : public CScrollView {
  DECLARE_DYNCREATE(CSampleView)
 public:
  CSampleDoc* GetDocument() const { return static_cast<CSampleDoc*>(m_pDocument); }
  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override;

  int m_nViewCmd = 0;
  int m_nCheckCmd = 0;
  int m_nTimers = 0;
  BOOL m_bSharedPassOn = TRUE;  // ID_SHARED_CMD: the view declines, the document takes it

 protected:
  afx_msg void OnViewCmd() { ++m_nViewCmd; }
  afx_msg void OnCheckCmd() { ++m_nCheckCmd; }
  afx_msg void OnUpdateCheckCmd(CCmdUI* pCmdUI) {
    pCmdUI->Enable(FALSE);
    pCmdUI->SetCheck(1);
  }
  afx_msg BOOL OnSharedCmd(UINT) { return !m_bSharedPassOn; }
  afx_msg void OnTimer(UINT) { ++m_nTimers; }
  DECLARE_MESSAGE_MAP()
};

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  CWnd m_wndStatus;  // stands in for a status bar: the message pane's text

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  DECLARE_MESSAGE_MAP()
};

class CSampleCommandLineInfo : public CCommandLineInfo {
 public:
  void ParseParam(LPCTSTR lpszParam, BOOL bFlag, BOOL bLast) override;
  BOOL m_bSelfTest = FALSE;
};

class CSampleApp : public CTestApp {
 public:
  CSampleApp() : CTestApp("Sample") {}
  BOOL InitInstance() override;
  int ExitInstance() override;

  BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                        CDocTemplate* pTemplate) override;

  BOOL m_bParseCommandLine = TRUE;
  BOOL m_bSelfTest = FALSE;
  int m_nAppCmd = 0;
  // The file prompt answers by itself: the name proposed is kept, m_strPromptAnswer given
  // back (empty: cancelled).
  CString m_strPromptProposed;
  UINT m_nPromptTitle = 0;
  CString m_strPromptAnswer;

 protected:
  afx_msg void OnAppCmd() { ++m_nAppCmd; }
  DECLARE_MESSAGE_MAP()
};
