#include "WinState.h"

#include "afxext.h"

#include <algorithm>

using std::max;
using std::min;

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

// Room around a pane's text.
static const int kPaneMargin = 8;

CStatusBar::CStatusBar() {
  m_cxLeftBorder = m_cxRightBorder = 0;
  m_cyTopBorder = 2;
  m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() {
  DestroyWindow();
  FreePanes();
}

void CStatusBar::FreePanes() {
  for (int i = 0; i < m_nCount; i++) GetPanePtr(i)->~AFX_STATUSPANE();
  free(m_pData);
  m_pData = NULL;
  m_nCount = 0;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER |
                     CCS_NORESIZE | WS_CLIPSIBLINGS;
  CRect rect(0, 0, 0, 0);
  if (!CWnd::CreateEx(0, STATUSCLASSNAME, NULL, dwWndStyle, rect, pParentWnd, nID)) return FALSE;
  // The frame's message font, so that pane widths measure what is shown.
  HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
  SendMessage(WM_SETFONT, (WPARAM)hFont, 0);
  return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0) return FALSE;
  FreePanes();
  if (nIDCount == 0) {
    UpdateAllPanes(TRUE, TRUE);
    return TRUE;
  }
  void* pData = calloc(nIDCount, sizeof(AFX_STATUSPANE));
  if (pData == NULL) return FALSE;
  m_pData = pData;
  m_nCount = nIDCount;
  for (int i = 0; i < nIDCount; i++) new (GetPanePtr(i)) AFX_STATUSPANE();

  HFONT hFont = m_hWnd != NULL ? (HFONT)SendMessage(WM_GETFONT) : NULL;
  HDC hDC = ::GetDC(NULL);
  HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
  BOOL bResult = TRUE;
  for (int i = 0; i < nIDCount; i++) {
    AFX_STATUSPANE* pPane = GetPanePtr(i);
    pPane->nID = lpIDArray != NULL ? lpIDArray[i] : ID_SEPARATOR;
    if (pPane->nID != ID_SEPARATOR) {
      if (!pPane->strText.LoadString(pPane->nID)) bResult = FALSE;
      SIZE size = {0, 0};
      ::GetTextExtentPoint32(hDC, pPane->strText, pPane->strText.GetLength(), &size);
      pPane->cxText = size.cx;
    } else {
      pPane->cxText = 0;
    }
    pPane->nStyle = SBPS_NORMAL;
  }
  // The first separator pane is the message pane: it stretches and has no border.
  if (GetPanePtr(0)->nID == ID_SEPARATOR) GetPanePtr(0)->nStyle |= SBPS_NOBORDERS | SBPS_STRETCH;
  if (hOld != NULL) ::SelectObject(hDC, hOld);
  ::ReleaseDC(NULL, hDC);
  UpdateAllPanes(TRUE, TRUE);
  return bResult;
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
  if (m_hWnd == NULL) return;
  if (bUpdateRects) {
    CRect rect;
    GetClientRect(rect);
    int nCount = max(m_nCount, 1);
    int* pWidths = new int[nCount];
    int cxFixed = 0, nStretch = 0;
    for (int i = 0; i < m_nCount; i++) {
      AFX_STATUSPANE* pPane = GetPanePtr(i);
      if (pPane->nStyle & SBPS_STRETCH)
        nStretch++;
      else
        cxFixed += pPane->cxText + kPaneMargin;
    }
    int cxExtra = max(0, (int)rect.Width() - cxFixed);
    int x = 0;
    for (int i = 0; i < m_nCount; i++) {
      AFX_STATUSPANE* pPane = GetPanePtr(i);
      if (pPane->nStyle & SBPS_STRETCH) {
        int cx = cxExtra / nStretch;
        x += max(cx, pPane->cxText + kPaneMargin);
      } else {
        x += pPane->cxText + kPaneMargin;
      }
      pWidths[i] = x;
    }
    if (m_nCount == 0) pWidths[0] = -1;
    SendMessage(SB_SETPARTS, m_nCount > 0 ? m_nCount : 1, (LPARAM)pWidths);
    delete[] pWidths;
  }
  if (bUpdateText) {
    for (int i = 0; i < m_nCount; i++) {
      AFX_STATUSPANE* pPane = GetPanePtr(i);
      UINT nType = 0;
      if (pPane->nStyle & SBPS_NOBORDERS) nType |= SBT_NOBORDERS;
      if (pPane->nStyle & SBPS_POPOUT) nType |= SBT_POPOUT;
      if (pPane->nStyle & SBPS_OWNERDRAW) nType |= SBT_OWNERDRAW;
      // A disabled pane shows no text.
      LPCTSTR lpsz = (pPane->nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pPane->strText;
      CWnd::DefWindowProc(SB_SETTEXT, i | nType, (LPARAM)lpsz);
    }
  }
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < m_nCount; i++)
    if (GetPanePtr(i)->nID == nIDFind) return i;
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
  if (nIndex < 0 || nIndex >= m_nCount) return 0;
  return GetPanePtr(nIndex)->nID;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  ::SetRectEmpty(lpRect);
  if (nIndex < 0 || nIndex >= m_nCount) return;
  ::SendMessage(m_hWnd, SB_GETRECT, nIndex, (LPARAM)lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const {
  if (nIndex < 0 || nIndex >= m_nCount) return CString();
  return GetPanePtr(nIndex)->strText;
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  if (nIndex < 0 || nIndex >= m_nCount) return FALSE;
  AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
  CString strNew = lpszNewText != NULL ? lpszNewText : "";
  if (pPane->strText == strNew) return TRUE;
  pPane->strText = strNew;
  if (bUpdate && m_hWnd != NULL) {
    UINT nType = 0;
    if (pPane->nStyle & SBPS_NOBORDERS) nType |= SBT_NOBORDERS;
    if (pPane->nStyle & SBPS_POPOUT) nType |= SBT_POPOUT;
    LPCTSTR lpsz = (pPane->nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pPane->strText;
    CWnd::DefWindowProc(SB_SETTEXT, nIndex | nType, (LPARAM)lpsz);
  }
  return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  if (nIndex < 0 || nIndex >= m_nCount) {
    nID = 0;
    nStyle = 0;
    cxWidth = 0;
    return;
  }
  AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
  nID = pPane->nID;
  nStyle = pPane->nStyle;
  cxWidth = pPane->cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  if (nIndex < 0 || nIndex >= m_nCount) return;
  AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
  pPane->nID = nID;
  pPane->nStyle = nStyle;
  pPane->cxText = cxWidth;
  UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
  if (nIndex < 0 || nIndex >= m_nCount) return 0;
  return GetPanePtr(nIndex)->nStyle;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  if (nIndex < 0 || nIndex >= m_nCount) return;
  AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
  if (pPane->nStyle == nStyle) return;
  BOOL bRects = (pPane->nStyle & SBPS_STRETCH) != (nStyle & SBPS_STRETCH);
  pPane->nStyle = nStyle;
  UpdateAllPanes(bRects, TRUE);
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  // As wide as the frame, as high as the font with its borders.
  HFONT hFont = m_hWnd != NULL ? (HFONT)SendMessage(WM_GETFONT) : NULL;
  HDC hDC = ::GetDC(NULL);
  HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
  TEXTMETRIC tm;
  ::GetTextMetrics(hDC, &tm);
  if (hOld != NULL) ::SelectObject(hDC, hOld);
  ::ReleaseDC(NULL, hDC);
  CRect rect(0, 0, 0, 0);
  CalcInsideRect(rect, bHorz);
  int cy = tm.tmHeight - tm.tmInternalLeading + 2 * ::GetSystemMetrics(SM_CYBORDER) * 2 + 4 - rect.Height();
  return CSize(32767, max(cy, 18));
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  // The window text is the message pane's.
  int nIndex = CommandToIndex(ID_SEPARATOR);
  if (nIndex < 0) return FALSE;
  SetPaneText(nIndex, (LPCTSTR)lParam);
  UpdateWindow();
  return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  int nIndex = CommandToIndex(ID_SEPARATOR);
  if (nIndex < 0 || wParam == 0) return 0;
  CString str = GetPaneText(nIndex);
  int nLen = min((int)wParam - 1, str.GetLength());
  memcpy((LPTSTR)lParam, (LPCTSTR)str, nLen);
  ((LPTSTR)lParam)[nLen] = '\0';
  return nLen;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  int nIndex = CommandToIndex(ID_SEPARATOR);
  return nIndex < 0 ? 0 : GetPaneText(nIndex).GetLength();
}

void CStatusBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  CRect rect(lpncsp->rgrc[0]);
  CalcNcBorders(rect);
  rect.top += m_cyTopBorder;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  lpncsp->rgrc[0] = rect;
}

void CStatusBar::OnNcPaint() { CControlBar::OnNcPaint(); }

BOOL CStatusBar::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }

void CStatusBar::OnPaint() { Default(); }

/////////////////////////////////////////////////////////////////////////////
// Idle update of the panes

class CStatusCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
    UINT nNewStyle = pStatusBar->GetPaneStyle(m_nIndex) & ~SBPS_DISABLED;
    if (!bOn) nNewStyle |= SBPS_DISABLED;
    pStatusBar->SetPaneStyle(m_nIndex, nNewStyle);
  }
  void SetCheck(int nCheck) override {
    CStatusBar* pStatusBar = (CStatusBar*)m_pOther;
    UINT nNewStyle = pStatusBar->GetPaneStyle(m_nIndex) & ~SBPS_POPOUT;
    if (nCheck != 0) nNewStyle |= SBPS_POPOUT;
    pStatusBar->SetPaneStyle(m_nIndex, nNewStyle);
  }
  void SetText(LPCTSTR lpszText) override { ((CStatusBar*)m_pOther)->SetPaneText(m_nIndex, lpszText); }
};

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
  CStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = (UINT)m_nCount;
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    state.m_nID = GetPanePtr(state.m_nIndex)->nID;
    // The message pane belongs to the frame's prompts.
    if (state.m_nID == ID_SEPARATOR) continue;
    // Panes are never disabled for want of a handler.
    state.DoUpdate(pTarget, FALSE);
  }
  UpdateDialogControls(pTarget, FALSE);
}
