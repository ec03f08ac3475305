#include "WinState.h"

#include "afxext.h"

#include <algorithm>

using std::max;
using std::min;

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

// What a tool-bar resource holds: version 1, image size, button count and the ids.
struct AFX_TOOLBARDATA {
  WORD wVersion;
  WORD wWidth;
  WORD wHeight;
  WORD wItemCount;
};

// Width of a separator the bar makes itself.
static const int kSeparator = 8;

CToolBar::CToolBar()
    : m_hbmImageWell(NULL),
      m_hInstImageWell(NULL),
      m_hRsrcImageWell(NULL),
      m_bDelayedButtonLayout(TRUE),
      m_sizeImage(16, 15),
      m_sizeButton(23, 22),
      m_nFlybyIndex(-1) {
  m_cxLeftBorder = m_cxRightBorder = 1;
  m_cyTopBorder = m_cyBottomBorder = 1;
}

CToolBar::~CToolBar() {
  DestroyWindow();
  if (m_hbmImageWell != NULL) ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  // Create keeps the borders the bar has.
  CRect rcBorders(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
  return CreateEx(pParentWnd, 0, dwStyle, rcBorders, nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  SetBorders(rcBorders);
  m_dwStyle = dwStyle & CBRS_ALL;
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER |
                     CCS_NORESIZE | WS_CLIPSIBLINGS;
  if (dwStyle & CBRS_TOOLTIPS) dwWndStyle |= TBSTYLE_TOOLTIPS;
  CRect rect(0, 0, 0, 0);
  if (!CWnd::CreateEx(0, TOOLBARCLASSNAME, NULL, dwWndStyle, rect, pParentWnd, nID)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  // The control tells the bar itself (not the window it was made in, which a dock bar
  // replaces); the bar passes everything on to its frame.
  SendMessage(TB_SETPARENT, (WPARAM)m_hWnd, 0);
  SetSizes(m_sizeButton, m_sizeImage);
  return TRUE;
}

LRESULT CToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR != NULL && (pNMHDR->code == TTN_GETDISPINFOA || pNMHDR->code == TTN_GETDISPINFOW)) {
      // The frame may give the tip; otherwise it is the button's string after the prompt.
      LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
      if (pNMHDR->code == TTN_GETDISPINFOA) {
        NMTTDISPINFOA* pInfo = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        if (pInfo->lpszText == NULL || pInfo->lpszText == pInfo->szText) {
          if (pInfo->szText[0] == '\0' && pNMHDR->idFrom != 0) {
            CString strFull, strTip;
            if (strFull.LoadString((UINT)pNMHDR->idFrom) && AfxExtractSubString(strTip, strFull, 1))
              lstrcpyn(pInfo->szText, strTip, sizeof(pInfo->szText));
          }
          pInfo->lpszText = pInfo->szText;
        }
      } else {
        NMTTDISPINFOW* pInfo = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        if ((pInfo->lpszText == NULL || pInfo->lpszText == pInfo->szText) && pInfo->szText[0] == 0 &&
            pNMHDR->idFrom != 0) {
          CString strFull, strTip;
          if (strFull.LoadString((UINT)pNMHDR->idFrom) && AfxExtractSubString(strTip, strFull, 1))
            ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pInfo->szText, sizeof(pInfo->szText) / sizeof(WCHAR));
          pInfo->lpszText = pInfo->szText;
        }
      }
      return lResult;
    }
  }
  if (message == WM_LBUTTONDOWN && !m_bDragging) {
    POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    int nIndex = (int)::SendMessage(m_hWnd, TB_HITTEST, 0, (LPARAM)&pt);
    // Clicks on buttons are the control's; elsewhere the bar may be picked up.
    if (nIndex >= 0 || m_dwDockStyle == 0 || m_pDockBar == NULL || IsFloating())
      return CControlBar::DefWindowProc(message, wParam, lParam);
  }
  if ((message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) && (m_dwStyle & CBRS_FLYBY)) {
    // The prompt of the button under the pointer shows in the frame's status bar.
    int nIndex = -1;
    if (message == WM_MOUSEMOVE) {
      POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
      nIndex = (int)::SendMessage(m_hWnd, TB_HITTEST, 0, (LPARAM)&pt);
      if (nIndex >= 0 && GetItemID(nIndex) == ID_SEPARATOR) nIndex = -1;
      TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
      ::TrackMouseEvent(&tme);
    }
    if (nIndex != m_nFlybyIndex) {
      m_nFlybyIndex = nIndex;
      CFrameWnd* pFrame = GetDockingFrame();
      if (pFrame != NULL)
        pFrame->SendMessage(WM_SETMESSAGESTRING, nIndex >= 0 ? GetItemID(nIndex) : AFX_IDS_IDLEMESSAGE);
    }
  }
  return CControlBar::WindowProc(message, wParam, lParam);
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeButton = sizeButton;
  m_sizeImage = sizeImage;
  if (m_hWnd == NULL) return;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
  Invalidate();
}

void CToolBar::SetHeight(int cyHeight) {
  int nHeight = cyHeight - m_cyTopBorder - m_cyBottomBorder;
  if (nHeight < 0) nHeight = 0;
  m_sizeButton.cy = nHeight;
  if (m_hWnd != NULL) SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(m_sizeButton.cx, m_sizeButton.cy));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
  HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_TOOLBAR);
  if (hRsrc == NULL) return FALSE;
  HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
  DWORD dwSize = ::SizeofResource(hInst, hRsrc);
  const BYTE* pBytes = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
  if (pBytes == NULL || dwSize < sizeof(AFX_TOOLBARDATA)) return FALSE;
  // Two layouts: the usual one (version 1, then words) and the one GNU windres writes
  // (width, height, count and ids as double words, no version). Counts are bounded by
  // what the resource holds.
  int nCount;
  CSize sizeImage;
  UINT* pIDs;
  const DWORD* pLong = (const DWORD*)pBytes;
  if (dwSize >= 3 * sizeof(DWORD) && pLong[2] <= (dwSize - 3 * sizeof(DWORD)) / sizeof(DWORD) &&
      dwSize == 3 * sizeof(DWORD) + pLong[2] * sizeof(DWORD) && pLong[0] < 0x10000 && pLong[1] < 0x10000) {
    nCount = (int)pLong[2];
    sizeImage = CSize((int)pLong[0], (int)pLong[1]);
    pIDs = new UINT[nCount > 0 ? nCount : 1];
    for (int i = 0; i < nCount; i++) pIDs[i] = pLong[3 + i];
  } else {
    const AFX_TOOLBARDATA* pData = (const AFX_TOOLBARDATA*)pBytes;
    if (pData->wVersion != 1) return FALSE;
    nCount = pData->wItemCount;
    if (nCount > (int)((dwSize - sizeof(AFX_TOOLBARDATA)) / sizeof(WORD))) return FALSE;
    sizeImage = CSize(pData->wWidth, pData->wHeight);
    const WORD* pItems = (const WORD*)(pData + 1);
    pIDs = new UINT[nCount > 0 ? nCount : 1];
    for (int i = 0; i < nCount; i++) pIDs[i] = pItems[i];
  }
  BOOL bResult = SetButtons(pIDs, nCount);
  delete[] pIDs;
  if (bResult) {
    CSize sizeButton(sizeImage.cx + 7, sizeImage.cy + 7);
    SetSizes(sizeButton, sizeImage);
    bResult = LoadBitmap(lpszResourceName);
  }
  return bResult;
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_BITMAP);
  if (hRsrc == NULL) return FALSE;
  // The buttons' grey becomes the system's face colour.
  HBITMAP hbm = (HBITMAP)::LoadImage(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
  if (hbm == NULL) return FALSE;
  m_hInstImageWell = hInst;
  m_hRsrcImageWell = hRsrc;
  return SetBitmap(hbm);
}

BOOL CToolBar::SetBitmap(HBITMAP hbmImageWell) {
  BITMAP bm;
  if (hbmImageWell == NULL || !::GetObject(hbmImageWell, sizeof(bm), &bm)) return FALSE;
  HBITMAP hbmOld = m_hbmImageWell;
  m_hbmImageWell = hbmImageWell;
  int nImages = m_sizeImage.cx > 0 ? bm.bmWidth / m_sizeImage.cx : 0;
  if (hbmOld != NULL) {
    TBREPLACEBITMAP rb = {NULL, (UINT_PTR)hbmOld, NULL, (UINT_PTR)hbmImageWell, nImages};
    SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&rb);
    ::DeleteObject(hbmOld);
  } else {
    TBADDBITMAP ab = {NULL, (UINT_PTR)hbmImageWell};
    if (SendMessage(TB_ADDBITMAP, nImages, (LPARAM)&ab) == -1) return FALSE;
  }
  Invalidate();
  return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0) return FALSE;
  while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
  int iImage = 0;
  for (int i = 0; i < nIDCount; i++) {
    TBBUTTON button;
    memset(&button, 0, sizeof(button));
    button.fsState = TBSTATE_ENABLED;
    if (lpIDArray == NULL || lpIDArray[i] == ID_SEPARATOR) {
      button.fsStyle = TBSTYLE_SEP;
      button.iBitmap = kSeparator;
    } else {
      button.fsStyle = TBSTYLE_BUTTON;
      button.idCommand = (int)lpIDArray[i];
      button.iBitmap = iImage++;
    }
    if (!SendMessage(TB_INSERTBUTTON, i, (LPARAM)&button)) return FALSE;
  }
  m_nCount = nIDCount;
  return TRUE;
}

int CToolBar::CommandToIndex(UINT nIDFind) const {
  if (m_hWnd == NULL) return -1;
  return (int)::SendMessage(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0);
}

void CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const {
  memset(pButton, 0, sizeof(*pButton));
  ::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)pButton);
  // The state's enabled bit reads as TBBS_DISABLED.
  pButton->fsState ^= TBSTATE_ENABLED;
}

void CToolBar::SetButton(int nIndex, TBBUTTON* pButton) {
  TBBUTTON button;
  GetButton(nIndex, &button);
  pButton->fsState ^= TBSTATE_ENABLED;
  if (button.iBitmap != pButton->iBitmap || button.idCommand != pButton->idCommand ||
      button.fsStyle != pButton->fsStyle || ((button.fsState ^ TBSTATE_ENABLED) != pButton->fsState)) {
    if (button.fsStyle == pButton->fsStyle && button.idCommand == pButton->idCommand &&
        button.iBitmap == pButton->iBitmap) {
      ::SendMessage(m_hWnd, TB_SETSTATE, pButton->idCommand, MAKELONG(pButton->fsState, 0));
    } else {
      // Style, id or image: the button is made again in its place.
      ::SendMessage(m_hWnd, TB_DELETEBUTTON, nIndex, 0);
      ::SendMessage(m_hWnd, TB_INSERTBUTTON, nIndex, (LPARAM)pButton);
      m_bDelayedButtonLayout = TRUE;
    }
  }
}

UINT CToolBar::GetItemID(int nIndex) const {
  TBBUTTON button;
  GetButton(nIndex, &button);
  return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : (UINT)button.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  ::SetRectEmpty(lpRect);
  ::SendMessage(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
  TBBUTTON button;
  GetButton(nIndex, &button);
  return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  TBBUTTON button;
  GetButton(nIndex, &button);
  button.fsStyle = (BYTE)LOWORD(nStyle);
  button.fsState = (BYTE)HIWORD(nStyle);
  SetButton(nIndex, &button);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
  TBBUTTON button;
  GetButton(nIndex, &button);
  nID = (button.fsStyle & TBSTYLE_SEP) ? (button.idCommand != 0 ? button.idCommand : ID_SEPARATOR) : button.idCommand;
  nStyle = MAKELONG(button.fsStyle, button.fsState);
  iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
  TBBUTTON button;
  GetButton(nIndex, &button);
  button.idCommand = (int)nID;
  button.iBitmap = iImage;
  button.fsStyle = (BYTE)LOWORD(nStyle);
  button.fsState = (BYTE)HIWORD(nStyle);
  SetButton(nIndex, &button);
}

BOOL CToolBar::SetButtonText(int nIndex, LPCTSTR lpszText) {
  TBBUTTONINFO info;
  memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
  info.pszText = (LPTSTR)lpszText;
  return (BOOL)SendMessage(TB_SETBUTTONINFO, nIndex, (LPARAM)&info);
}

CString CToolBar::GetButtonText(int nIndex) const {
  char szText[256] = "";
  TBBUTTONINFO info;
  memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
  info.pszText = szText;
  info.cchText = sizeof(szText);
  ::SendMessage(m_hWnd, TB_GETBUTTONINFO, nIndex, (LPARAM)&info);
  return CString(szText);
}

CSize CToolBar::CalcSize(BOOL bVert) const {
  // The buttons in one row (or one column for a vertical bar).
  CSize size(0, 0);
  int nCount = (int)::SendMessage(m_hWnd, TB_BUTTONCOUNT, 0, 0);
  for (int i = 0; i < nCount; i++) {
    TBBUTTON button;
    GetButton(i, &button);
    if (button.fsState & TBSTATE_HIDDEN) continue;
    CRect rect;
    GetItemRect(i, rect);
    int cx = (button.fsStyle & TBSTYLE_SEP) ? button.iBitmap : max((int)rect.Width(), (int)m_sizeButton.cx);
    int cy = max((int)rect.Height(), (int)m_sizeButton.cy);
    if (bVert) {
      if (button.fsStyle & TBSTYLE_SEP) cy = kSeparator;
      size.cy += cy;
      size.cx = max((int)size.cx, (button.fsStyle & TBSTYLE_SEP) ? 0 : cx);
    } else {
      size.cx += cx;
      size.cy = max((int)size.cy, cy);
    }
  }
  if (size.cy == 0) size.cy = m_sizeButton.cy;
  if (size.cx == 0) size.cx = m_sizeButton.cx;
  return size;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = CalcSize(!bHorz);
  CRect rect(0, 0, 0, 0);
  CalcInsideRect(rect, bHorz);
  size.cx -= rect.Width();
  size.cy -= rect.Height();
  CRect rectNc(0, 0, 0, 0);
  CalcNcBorders(rectNc);
  // CalcInsideRect counted the gripper already.
  if ((m_dwStyle & CBRS_GRIPPER) && !IsFloating()) {
    if (bHorz)
      rectNc.left -= 7;
    else
      rectNc.top -= 7;
  }
  size.cx -= rectNc.Width();
  size.cy -= rectNc.Height();
  if (bStretch) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

CSize CToolBar::CalcDynamicLayout(int, DWORD dwMode) {
  return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CToolBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  // The bar's borders sit outside the control's client area, the control lays out inside.
  CRect rect(lpncsp->rgrc[0]);
  CalcNcBorders(rect);
  rect.left += m_cxLeftBorder;
  rect.top += m_cyTopBorder;
  rect.right -= m_cxRightBorder;
  rect.bottom -= m_cyBottomBorder;
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  lpncsp->rgrc[0] = rect;
}

void CToolBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect rectWindow;
  GetWindowRect(rectWindow);
  rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
  CRect rectClient;
  GetClientRect(rectClient);
  CPoint pt(0, 0);
  ClientToScreen(&pt);
  CRect rectWin2;
  GetWindowRect(rectWin2);
  rectClient.OffsetRect(pt.x - rectWin2.left, pt.y - rectWin2.top);
  dc.ExcludeClipRect(rectClient);
  dc.FillSolidRect(rectWindow, ::GetSysColor(COLOR_BTNFACE));
  DrawBorders(&dc, rectWindow);
  DrawGripper(&dc, rectWindow);
}

void CToolBar::OnPaint() { Default(); }

BOOL CToolBar::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }

void CToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  CControlBar::OnWindowPosChanging(lpwndpos);
  if (!(lpwndpos->flags & SWP_NOSIZE)) Invalidate();
}

/////////////////////////////////////////////////////////////////////////////
// Idle update of the buttons

class CToolCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    CToolBar* pToolBar = (CToolBar*)m_pOther;
    UINT nNewStyle = pToolBar->GetButtonStyle(m_nIndex) & ~TBBS_DISABLED;
    if (!bOn) nNewStyle |= TBBS_DISABLED;
    nNewStyle &= ~TBBS_PRESSED;
    pToolBar->SetButtonStyle(m_nIndex, nNewStyle);
  }
  void SetCheck(int nCheck) override {
    CToolBar* pToolBar = (CToolBar*)m_pOther;
    UINT nNewStyle = pToolBar->GetButtonStyle(m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
      nNewStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
      nNewStyle |= TBBS_INDETERMINATE;
    pToolBar->SetButtonStyle(m_nIndex, nNewStyle | TBBS_CHECKBOX);
  }
  void SetText(LPCTSTR) override {}
};

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CToolCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = (UINT)SendMessage(TB_BUTTONCOUNT);
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    TBBUTTON button;
    GetButton(state.m_nIndex, &button);
    if (button.fsStyle & TBSTYLE_SEP) continue;
    state.m_nID = (UINT)button.idCommand;
    if (state.m_nID == 0) continue;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
  // Controls that sit in the bar (a combo box on a separator) update too.
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
