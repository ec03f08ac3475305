// Every window-message entry of the message maps, in one map: each must build its thunk
// against the platform's handler signature (CWnd's handlers, or the control's for the
// reflected forms), and a message must still reach the right one.
#include <gtest/gtest.h>

#include "TestApp.h"

class CAllMessagesWnd : public CWnd {
 public:
  int m_nCtlColor = 0;

 protected:
  afx_msg HBRUSH CtlColor(CDC*, UINT) {
    ++m_nCtlColor;
    return NULL;
  }
  void DrawItem(LPDRAWITEMSTRUCT) {}
  void MeasureItem(LPMEASUREITEMSTRUCT) {}
  void HScroll(UINT, UINT) {}
  void VScroll(UINT, UINT) {}
  void ParentNotify(UINT, LPARAM) {}
  int CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
  void DeleteItem(LPDELETEITEMSTRUCT) {}
  int CharToItem(UINT, UINT) { return -1; }
  int VKeyToItem(UINT, UINT) { return -1; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAllMessagesWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_NCDESTROY()
  ON_WM_CLOSE()
  ON_WM_PAINT()
  ON_WM_NCPAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_MOVE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_RBUTTONDBLCLK()
  ON_WM_MBUTTONDOWN()
  ON_WM_MBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSEWHEEL()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_NCMOUSEMOVE()
  ON_WM_NCHITTEST()
  ON_WM_NCCALCSIZE()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_CHAR()
  ON_WM_SYSKEYDOWN()
  ON_WM_SYSKEYUP()
  ON_WM_SYSCHAR()
  ON_WM_SETCURSOR()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_CTLCOLOR()
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM_REFLECT()
  ON_WM_MEASUREITEM_REFLECT()
  ON_WM_HSCROLL_REFLECT()
  ON_WM_VSCROLL_REFLECT()
  ON_WM_PARENTNOTIFY_REFLECT()
  ON_WM_COMPAREITEM()
  ON_WM_DELETEITEM()
  ON_WM_CHARTOITEM()
  ON_WM_VKEYTOITEM()
  ON_WM_COMPAREITEM_REFLECT()
  ON_WM_DELETEITEM_REFLECT()
  ON_WM_CHARTOITEM_REFLECT()
  ON_WM_VKEYTOITEM_REFLECT()
  ON_WM_MBUTTONDBLCLK()
  ON_WM_NCLBUTTONUP()
  ON_WM_NCRBUTTONDOWN()
  ON_WM_DEVICECHANGE()
  ON_WM_INITMENU()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_WM_CONTEXTMENU()
  ON_WM_DROPFILES()
  ON_WM_GETMINMAXINFO()
  ON_WM_SHOWWINDOW()
  ON_WM_ACTIVATE()
  ON_WM_ACTIVATEAPP()
  ON_WM_MOUSEACTIVATE()
  ON_WM_SYSCOMMAND()
  ON_WM_ENABLE()
  ON_WM_CANCELMODE()
  ON_WM_CAPTURECHANGED()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_GETDLGCODE()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_PALETTECHANGED()
  ON_WM_QUERYENDSESSION()
  ON_WM_ENDSESSION()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
  ON_WM_COPYDATA()
  ON_WM_PARENTNOTIFY()
  ON_WM_CHILDACTIVATE()
  ON_WM_QUERYDRAGICON()
  ON_WM_NCACTIVATE()
  ON_WM_NCCREATE()
  ON_WM_HELPINFO()
  ON_WM_SIZING()
  ON_WM_MOVING()
  ON_WM_ENTERIDLE()
  ON_WM_TIMECHANGE()
  ON_WM_DEVMODECHANGE()
  ON_WM_FONTCHANGE()
END_MESSAGE_MAP()

TEST(MessageMapMacros, AllEntriesBuildAndDefaultsPassOn) {
  CAllMessagesWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "all", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, NULL, NULL));
  // CWnd's own handlers hand everything to the default procedure.
  wnd.SetWindowText("text");
  CString str;
  wnd.GetWindowText(str);
  EXPECT_EQ(CString("text"), str);
  wnd.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 10));
  // A reflected WM_CTLCOLOR that gives no brush is not taken as handled.
  CClientDC dc(&wnd);
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, NULL, NULL));
  wnd.SetParent(&parent);
  parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc.m_hDC, (LPARAM)wnd.m_hWnd);
  EXPECT_EQ(1, wnd.m_nCtlColor);
  parent.DestroyWindow();
}
