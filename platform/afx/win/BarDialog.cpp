#include "WinState.h"

#include "afxext.h"

#include <algorithm>

using std::max;
using std::min;

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CDialogBar::CDialogBar() : m_sizeDefault(0, 0) {
  m_cxLeftBorder = m_cxRightBorder = 0;
  m_cyTopBorder = m_cyBottomBorder = 0;
}

CDialogBar::~CDialogBar() { DestroyWindow(); }

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID) {
  m_dwStyle = nStyle & CBRS_ALL;
  HINSTANCE hInst = NULL;
  LPCDLGTEMPLATE lpTemplate = AfxLoadDialogTemplate(lpszTemplateName, &hInst);
  if (lpTemplate == NULL) return FALSE;
  HWND hWnd = AfxCreateDlgWindow(this, lpTemplate, pParentWnd->GetSafeHwnd(), hInst);
  if (hWnd == NULL) return FALSE;
  if (m_hWnd == NULL) Attach(hWnd);
  // The template is an invisible child; the bar's id and window style come from the caller.
  SetDlgCtrlID((int)nID);
  DWORD dwWndStyle = (nStyle & ~CBRS_ALL) & ~WS_VISIBLE;
  ModifyStyle(0, (dwWndStyle & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER)) | WS_CLIPSIBLINGS);
  CRect rect;
  GetWindowRect(rect);
  m_sizeDefault = rect.Size();
  if (!AfxExecuteDlgInit(m_hWnd, lpszTemplateName)) return FALSE;
  // Made shown and without size: the frame's layout places it.
  SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (bStretch) return CSize(bHorz ? 32767 : m_sizeDefault.cx, bHorz ? m_sizeDefault.cy : 32767);
  return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CDialogBar::OnEraseBkgnd(CDC* pDC) { return (BOOL)Default(); }

void CDialogBar::OnPaint() { Default(); }
