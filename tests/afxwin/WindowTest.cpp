// Windows and their messages: message maps, reflection, handle maps, subclassing,
// self-deleting windows, timers and exceptions inside the window procedure.
#include <gtest/gtest.h>

#include <stdexcept>

#include "TestApp.h"

static CTestApp theApp;

#define IDC_CHILD 101
#define WM_TEST_VALUE (WM_USER + 1)
#define WM_TEST_THROW (WM_USER + 2)
#define WM_TEST_THROW_STD (WM_USER + 3)

/////////////////////////////////////////////////////////////////////////////
// A window with handlers of several signatures

class CProbeWnd : public CWnd {
 public:
  int m_nCreate = 0;
  int m_cx = -1, m_cy = -1;
  CPoint m_ptClick{-1, -1};
  UINT m_nClickFlags = 0;
  UINT m_nTimerID = 0;
  int m_nTimers = 0;
  int m_nClicked = 0;
  int m_nNotified = 0;
  int m_nRangeID = 0;
  BOOL m_bFailCreate = FALSE;
  CString m_strSetText;
  MSG m_lastSent = {};

  BOOL CreateProbe(CWnd* pParent = NULL) {
    DWORD dwStyle = pParent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
    return CreateEx(0, AfxRegisterWndClass(0), "probe", dwStyle, 10, 10, 200, 150, pParent->GetSafeHwnd(), NULL);
  }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    ++m_nCreate;
    if (m_bFailCreate) return -1;
    return CWnd::OnCreate(lpcs);
  }
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    m_cx = cx;
    m_cy = cy;
  }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
    m_nClickFlags = nFlags;
    m_ptClick = point;
  }
  afx_msg void OnTimer(UINT nIDEvent) {
    m_nTimerID = nIDEvent;
    ++m_nTimers;
  }
  afx_msg LRESULT OnTestValue(WPARAM wParam, LPARAM lParam) {
    m_lastSent = AfxGetThreadState()->m_lastSentMsg;
    return (LRESULT)(wParam * 100 + lParam);
  }
  afx_msg LRESULT OnTestThrow(WPARAM, LPARAM) {
    AfxThrowMemoryException();
  }
  afx_msg LRESULT OnTestThrowStd(WPARAM, LPARAM) { throw std::runtime_error("not ours"); }
  afx_msg LRESULT OnSetTextMsg(WPARAM, LPARAM lParam) {
    m_strSetText = (LPCTSTR)lParam;
    return Default();  // the system still stores the text
  }
  afx_msg void OnChildClicked() { ++m_nClicked; }
  afx_msg void OnChildNotify(NMHDR* pNMHDR, LRESULT* pResult) {
    ++m_nNotified;
    *pResult = 7;
  }
  afx_msg void OnRange(UINT nID) { m_nRangeID = (int)nID; }
  afx_msg void OnUpdateRange(CCmdUI* pCmdUI) {
    pCmdUI->Enable(pCmdUI->m_nID != 2003);
    if (pCmdUI->m_nID % 2) pCmdUI->ContinueRouting();  // odd ids: the next target decides too
  }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_TIMER()
  ON_MESSAGE(WM_TEST_VALUE, OnTestValue)
  ON_MESSAGE(WM_TEST_THROW, OnTestThrow)
  ON_MESSAGE(WM_TEST_THROW_STD, OnTestThrowStd)
  ON_MESSAGE(WM_SETTEXT, OnSetTextMsg)
  ON_BN_CLICKED(IDC_CHILD, OnChildClicked)
  ON_NOTIFY(NM_CLICK, IDC_CHILD, OnChildNotify)
  ON_COMMAND_RANGE(2000, 2009, OnRange)
  ON_UPDATE_COMMAND_UI_RANGE(2000, 2009, OnUpdateRange)
END_MESSAGE_MAP()

// A derived map: its own OnSize wins, the base's entries still apply.
class CDerivedProbeWnd : public CProbeWnd {
 public:
  int m_nDerivedSize = 0;

 protected:
  afx_msg void OnSize(UINT, int, int) { ++m_nDerivedSize; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedProbeWnd, CProbeWnd)
  ON_WM_SIZE()
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { theApp.m_messages.clear(); }
};

TEST_F(WindowTest, HandlersGetTheirArgumentsCracked) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateProbe());
  EXPECT_EQ(1, wnd.m_nCreate);
  EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));

  wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(123, 45));
  EXPECT_EQ(123, wnd.m_cx);
  EXPECT_EQ(45, wnd.m_cy);

  // Negative client coordinates survive the cracking.
  wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 17));
  EXPECT_EQ(CPoint(-5, 17), wnd.m_ptClick);
  EXPECT_EQ((UINT)(MK_LBUTTON | MK_SHIFT), wnd.m_nClickFlags);

  EXPECT_EQ(305, wnd.SendMessage(WM_TEST_VALUE, 3, 5));
  // The message being handled is in the thread state, as window code expects.
  EXPECT_EQ(wnd.m_hWnd, wnd.m_lastSent.hwnd);
  EXPECT_EQ((UINT)WM_TEST_VALUE, wnd.m_lastSent.message);
  EXPECT_EQ(3u, wnd.m_lastSent.wParam);
  EXPECT_EQ(5, wnd.m_lastSent.lParam);

  wnd.SetWindowText("abc");
  EXPECT_EQ(CString("abc"), wnd.m_strSetText);
  CString strText;
  wnd.GetWindowText(strText);
  EXPECT_EQ(CString("abc"), strText);  // Default() passed it on

  wnd.SendMessage(WM_COMMAND, 2004);
  EXPECT_EQ(2004, wnd.m_nRangeID);
  // Its update handler disabled 2003: the menu command is dropped.
  wnd.SendMessage(WM_COMMAND, 2003);
  EXPECT_EQ(2004, wnd.m_nRangeID);
  // An update handler that continues routing does not count as handled.
  CTestCmdUI state;
  state.m_nID = 2004;
  EXPECT_TRUE(wnd.OnCmdMsg(2004, (int)CN_UPDATE_COMMAND_UI, &state, NULL));
  state.m_nID = 2005;
  EXPECT_FALSE(wnd.OnCmdMsg(2005, (int)CN_UPDATE_COMMAND_UI, &state, NULL));
  EXPECT_TRUE(state.m_bEnabled);
  // Asking whether a handler exists runs none.
  AFX_CMDHANDLERINFO info = {NULL, NULL};
  EXPECT_TRUE(wnd.OnCmdMsg(2007, CN_COMMAND, NULL, &info));
  EXPECT_EQ(&wnd, info.pTarget);
  EXPECT_EQ(2004, wnd.m_nRangeID);
  EXPECT_FALSE(wnd.OnCmdMsg(2010, CN_COMMAND, NULL, &info));
  wnd.DestroyWindow();
  EXPECT_EQ(NULL, wnd.m_hWnd);
}

TEST_F(WindowTest, DerivedMapOverridesAndInherits) {
  CDerivedProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateProbe());
  int nBefore = wnd.m_nDerivedSize;
  wnd.m_cx = -1;
  wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 10));
  EXPECT_EQ(nBefore + 1, wnd.m_nDerivedSize);
  EXPECT_EQ(-1, wnd.m_cx);  // the base's OnSize did not run
  EXPECT_EQ(305, wnd.SendMessage(WM_TEST_VALUE, 3, 5));
  wnd.DestroyWindow();
}

TEST_F(WindowTest, TimerFires) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateProbe());
  wnd.SetTimer(42, 10, NULL);
  EXPECT_TRUE(PumpUntil(&theApp, [&] { return wnd.m_nTimers > 0; }));
  EXPECT_EQ(42u, wnd.m_nTimerID);
  wnd.KillTimer(42);
  wnd.DestroyWindow();
}

TEST_F(WindowTest, CaptureAndFocus) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateProbe());
  wnd.ShowWindow(SW_SHOW);
  wnd.SetCapture();
  EXPECT_EQ(&wnd, CWnd::GetCapture());
  ::ReleaseCapture();
  EXPECT_EQ(NULL, CWnd::GetCapture());
  wnd.DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Reflection: the control handles its own notifications

class CReflectButton : public CWnd {
 public:
  int m_nReflected = 0;
  int m_nNotifyReflected = 0;
  int m_nDrawn = 0;
  BOOL m_bPassOn = FALSE;
  HBRUSH m_hBrush = (HBRUSH)::GetStockObject(GRAY_BRUSH);

 protected:
  afx_msg BOOL OnClickedReflect() {
    ++m_nReflected;
    return !m_bPassOn;  // FALSE lets the parent see the click too
  }
  afx_msg void OnClickReflect(NMHDR*, LRESULT* pResult) {
    ++m_nNotifyReflected;
    *pResult = 9;
  }
  afx_msg HBRUSH CtlColor(CDC*, UINT) { return m_hBrush; }
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) { ++m_nDrawn; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CWnd)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedReflect)
  ON_NOTIFY_REFLECT(NM_CLICK, OnClickReflect)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

TEST_F(WindowTest, NotificationsAreReflectedToTheControl) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateProbe());
  CReflectButton button;
  ASSERT_TRUE(button.Create("BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 40, 20), &parent, IDC_CHILD));
  EXPECT_NE(nullptr, button.m_pfnSuper);  // the system control's procedure is kept

  // WM_COMMAND from the control: the control's reflected handler wins.
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHILD, BN_CLICKED), (LPARAM)button.m_hWnd);
  EXPECT_EQ(1, button.m_nReflected);
  EXPECT_EQ(0, parent.m_nClicked);
  // The _EX form returning FALSE passes it on to the parent.
  button.m_bPassOn = TRUE;
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHILD, BN_CLICKED), (LPARAM)button.m_hWnd);
  EXPECT_EQ(2, button.m_nReflected);
  EXPECT_EQ(1, parent.m_nClicked);

  NMHDR nmhdr = {button.m_hWnd, IDC_CHILD, (UINT)NM_CLICK};
  EXPECT_EQ(9, parent.SendMessage(WM_NOTIFY, IDC_CHILD, (LPARAM)&nmhdr));
  EXPECT_EQ(1, button.m_nNotifyReflected);
  EXPECT_EQ(0, parent.m_nNotified);

  CClientDC dc(&button);
  EXPECT_EQ((LRESULT)button.m_hBrush, parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)dc.m_hDC, (LPARAM)button.m_hWnd));

  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = IDC_CHILD;
  dis.hwndItem = button.m_hWnd;
  dis.hDC = dc.m_hDC;
  parent.SendMessage(WM_DRAWITEM, IDC_CHILD, (LPARAM)&dis);
  EXPECT_EQ(1, button.m_nDrawn);
  // Painting the owner-draw button sends a real WM_DRAWITEM to the parent.
  parent.ShowWindow(SW_SHOWNA);
  button.RedrawWindow();
  EXPECT_GE(button.m_nDrawn, 2);
  parent.DestroyWindow();
}

TEST_F(WindowTest, UnreflectedNotificationReachesParentMap) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateProbe());
  // A plain system button without an object: the parent's handlers get its notifications.
  HWND hButton = ::CreateWindow("BUTTON", "b", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, (HMENU)IDC_CHILD, NULL, NULL);
  ::SendMessage(hButton, BM_CLICK, 0, 0);
  EXPECT_EQ(1, parent.m_nClicked);
  NMHDR nmhdr = {hButton, IDC_CHILD, (UINT)NM_CLICK};
  EXPECT_EQ(7, parent.SendMessage(WM_NOTIFY, IDC_CHILD, (LPARAM)&nmhdr));
  EXPECT_EQ(1, parent.m_nNotified);
  parent.DestroyWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Handle maps

TEST_F(WindowTest, TemporaryObjectIsGoneAfterIdle) {
  HWND hWnd = ::CreateWindow("STATIC", "s", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  ASSERT_NE(nullptr, hWnd);
  EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
  CWnd* pTemp = CWnd::FromHandle(hWnd);
  ASSERT_NE(nullptr, pTemp);
  EXPECT_EQ(hWnd, pTemp->m_hWnd);
  EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));  // the same until idle
  pTemp->m_hWndOwner = (HWND)0x1234;          // a mark only the old object carries

  PumpPending(&theApp);
  CWnd* pAfter = CWnd::FromHandle(hWnd);
  EXPECT_EQ(NULL, pAfter->m_hWndOwner);  // a new temporary object
  EXPECT_TRUE(::IsWindow(hWnd));         // the window itself was only borrowed
  ::DestroyWindow(hWnd);
}

TEST_F(WindowTest, LockedTempMapsSurviveIdle) {
  HWND hWnd = ::CreateWindow("STATIC", "s", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  AfxLockTempMaps();
  CWnd* pTemp = CWnd::FromHandle(hWnd);
  pTemp->m_hWndOwner = (HWND)0x1234;
  theApp.OnIdle(1);
  EXPECT_EQ((HWND)0x1234, CWnd::FromHandle(hWnd)->m_hWndOwner);
  AfxUnlockTempMaps();
  EXPECT_EQ(NULL, CWnd::FromHandle(hWnd)->m_hWndOwner);
  ::DestroyWindow(hWnd);
  PumpPending(&theApp);
}

TEST_F(WindowTest, AttachAndDetach) {
  HWND hWnd = ::CreateWindow("STATIC", "s", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
  {
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));
    EXPECT_EQ(hWnd, wnd.Detach());
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
  }
  EXPECT_TRUE(::IsWindow(hWnd));  // a detached object leaves the window alone
  ::DestroyWindow(hWnd);
}

/////////////////////////////////////////////////////////////////////////////
// Subclassing

static int g_nOriginalCalls = 0;
static LRESULT CALLBACK OriginalProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_TEST_VALUE) {
    ++g_nOriginalCalls;
    return 1;
  }
  return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
}

class CFirstLook : public CWnd {
 public:
  int m_nSeen = 0;

 protected:
  afx_msg LRESULT OnValue(WPARAM wParam, LPARAM lParam) {
    ++m_nSeen;
    return wParam == 0 ? 99 : Default();  // wParam 1 passes it on to the original procedure
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFirstLook, CWnd)
  ON_MESSAGE(WM_TEST_VALUE, OnValue)
END_MESSAGE_MAP()

TEST_F(WindowTest, SubclassedWindowSeesItsMessagesFirst) {
  WNDCLASS wc = {};
  wc.lpfnWndProc = OriginalProc;
  wc.hInstance = AfxGetInstanceHandle();
  wc.lpszClassName = "AfxWinTestOriginal";
  ::RegisterClass(&wc);
  HWND hWnd = ::CreateWindow("AfxWinTestOriginal", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
  g_nOriginalCalls = 0;

  CFirstLook wnd;
  ASSERT_TRUE(wnd.SubclassWindow(hWnd));
  EXPECT_EQ(99, ::SendMessage(hWnd, WM_TEST_VALUE, 0, 0));
  EXPECT_EQ(1, wnd.m_nSeen);
  EXPECT_EQ(0, g_nOriginalCalls);
  EXPECT_EQ(1, ::SendMessage(hWnd, WM_TEST_VALUE, 1, 0));
  EXPECT_EQ(2, wnd.m_nSeen);
  EXPECT_EQ(1, g_nOriginalCalls);

  EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
  EXPECT_EQ((LONG_PTR)OriginalProc, ::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
  ::SendMessage(hWnd, WM_TEST_VALUE, 0, 0);
  EXPECT_EQ(2, wnd.m_nSeen);
  ::DestroyWindow(hWnd);
}

TEST_F(WindowTest, SubclassDlgItemFindsTheChild) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateProbe());
  ::CreateWindow("AfxWinTestOriginal", "", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, (HMENU)IDC_CHILD, AfxGetInstanceHandle(), NULL);
  CFirstLook child;
  ASSERT_TRUE(child.SubclassDlgItem(IDC_CHILD, &parent));
  EXPECT_EQ(&child, parent.GetDlgItem(IDC_CHILD));
  EXPECT_EQ(&child, parent.GetDescendantWindow(IDC_CHILD, TRUE));
  parent.SendMessageToDescendants(WM_TEST_VALUE, 0, 0, TRUE, TRUE);
  EXPECT_EQ(1, child.m_nSeen);
  EXPECT_FALSE(child.SubclassDlgItem(999, &parent));
  parent.DestroyWindow();  // takes the child along; its object is detached
  EXPECT_EQ(NULL, child.m_hWnd);
}

/////////////////////////////////////////////////////////////////////////////
// Self-deleting windows

static int g_nDeleted = 0;

class CSelfDeleting : public CProbeWnd {
 public:
  ~CSelfDeleting() override { ++g_nDeleted; }

 protected:
  void PostNcDestroy() override { delete this; }
};

TEST_F(WindowTest, SelfDeletingWindowIsDeletedOnce) {
  g_nDeleted = 0;
  CSelfDeleting* pWnd = new CSelfDeleting;
  ASSERT_TRUE(pWnd->CreateProbe());
  HWND hWnd = pWnd->m_hWnd;
  ::DestroyWindow(hWnd);  // from outside: the object goes with its window
  EXPECT_EQ(1, g_nDeleted);
  EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
  PumpPending(&theApp);
  EXPECT_EQ(1, g_nDeleted);

  // A window whose creation fails in WM_CREATE deletes itself once too.
  g_nDeleted = 0;
  pWnd = new CSelfDeleting;
  pWnd->m_bFailCreate = TRUE;
  EXPECT_FALSE(pWnd->CreateProbe());
  EXPECT_EQ(1, g_nDeleted);

  // And one whose class does not exist never gets a window but is cleaned up.
  g_nDeleted = 0;
  pWnd = new CSelfDeleting;
  EXPECT_FALSE(pWnd->CreateEx(0, "NoSuchClassHere", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL));
  EXPECT_EQ(1, g_nDeleted);
}

TEST_F(WindowTest, ChildDestroyedWithParentIsDetached) {
  CProbeWnd parent;
  ASSERT_TRUE(parent.CreateProbe());
  g_nDeleted = 0;
  CSelfDeleting* pChild = new CSelfDeleting;
  ASSERT_TRUE(pChild->CreateProbe(&parent));
  parent.DestroyWindow();
  EXPECT_EQ(1, g_nDeleted);
}

/////////////////////////////////////////////////////////////////////////////
// Exceptions stay inside the window procedure

TEST_F(WindowTest, ExceptionInHandlerIsReportedAndContained) {
  CProbeWnd wnd;
  ASSERT_TRUE(wnd.CreateProbe());
  EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW));
  ASSERT_EQ(1u, theApp.m_messages.size());
  TCHAR szMemory[256];
  CMemoryException(FALSE).GetErrorMessage(szMemory, 256);
  EXPECT_EQ(std::string(szMemory), theApp.m_messages[0]);  // the exception's own text

  // Not a framework exception: contained all the same, reported as an internal failure.
  EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW_STD));
  ASSERT_EQ(2u, theApp.m_messages.size());
  CString strInternal;
  strInternal.LoadString(AFX_IDP_INTERNAL_FAILURE);
  EXPECT_EQ(std::string((LPCTSTR)strInternal), theApp.m_messages[1]);
  EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
  wnd.DestroyWindow();
}

class CThrowOnCreate : public CWnd {
 protected:
  afx_msg int OnCreate(LPCREATESTRUCT) { AfxThrowResourceException(); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowOnCreate, CWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(WindowTest, ExceptionInCreateFailsTheCreation) {
  CThrowOnCreate wnd;
  EXPECT_FALSE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_EQ(NULL, wnd.m_hWnd);
  EXPECT_EQ(1u, theApp.m_messages.size());
}

TEST_F(WindowTest, RegisteredClassIsReused) {
  HCURSOR hCursor = ::LoadCursor(NULL, IDC_CROSS);
  CString strFirst = AfxRegisterWndClass(CS_DBLCLKS, hCursor);
  CString strSecond = AfxRegisterWndClass(CS_DBLCLKS, hCursor);
  EXPECT_EQ(strFirst, strSecond);
  EXPECT_NE(strFirst, CString(AfxRegisterWndClass(0)));
  WNDCLASS wc;
  ASSERT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), strFirst, &wc));
  EXPECT_EQ(hCursor, wc.hCursor);
  EXPECT_EQ((UINT)CS_DBLCLKS, wc.style);
}

// A window that colours one kind of control by its own message entry.
class CRawCtlColorWnd : public CProbeWnd {
 public:
  HWND m_hWndColored = NULL;

 protected:
  afx_msg LRESULT OnCtlColorStatic(WPARAM, LPARAM lParam) {
    m_hWndColored = (HWND)lParam;
    return (LRESULT)::GetStockObject(WHITE_BRUSH);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRawCtlColorWnd, CProbeWnd)
  ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColorStatic)
END_MESSAGE_MAP()

TEST_F(WindowTest, ControlColorMessageWithItsOwnEntry) {
  CRawCtlColorWnd parent;
  ASSERT_TRUE(parent.CreateProbe());
  HWND hStatic = ::CreateWindow("STATIC", "s", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd, NULL, NULL, NULL);
  CClientDC dc(&parent);
  EXPECT_EQ((LRESULT)::GetStockObject(WHITE_BRUSH), parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc.m_hDC, (LPARAM)hStatic));
  EXPECT_EQ(hStatic, parent.m_hWndColored);
  // The other kinds still take the default colouring.
  parent.m_hWndColored = NULL;
  EXPECT_NE(0, parent.SendMessage(WM_CTLCOLORBTN, (WPARAM)dc.m_hDC, (LPARAM)hStatic));
  EXPECT_EQ(NULL, parent.m_hWndColored);
  parent.DestroyWindow();
}
