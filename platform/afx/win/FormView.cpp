#include "WinState.h"

#include "afxwin_dlg.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
  ON_WM_CREATE()
  ON_WM_SETFOCUS()
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CFormView::CFormView(LPCTSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName), m_pCreateContext(NULL), m_hWndFocus(NULL) {}

CFormView::CFormView(UINT nIDTemplate) : CFormView(MAKEINTRESOURCE(nIDTemplate)) {}

CFormView::~CFormView() = default;

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwRequestedStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext) {
  m_pCreateContext = pContext;  // for OnCreate: the dialog's WM_CREATE cannot carry it
  CREATESTRUCT cs;
  memset(&cs, 0, sizeof(cs));
  if (dwRequestedStyle == 0) dwRequestedStyle = AFX_WS_DEFAULT_VIEW;
  cs.style = dwRequestedStyle;
  if (!PreCreateWindow(cs)) return FALSE;

  HINSTANCE hInst = NULL;
  LPCDLGTEMPLATE lpTemplate = AfxLoadDialogTemplate(m_lpszTemplateName, &hInst);
  if (lpTemplate == NULL) {
    m_pCreateContext = NULL;
    return FALSE;
  }
  // A view whose window was made and destroyed again has deleted itself: not touched.
  if (AfxCreateDlgWindow(this, lpTemplate, pParentWnd->GetSafeHwnd(), hInst) == NULL) return FALSE;
  m_pCreateContext = NULL;

  // The template gives the style, the caller the border.
  ModifyStyle(WS_BORDER | WS_CAPTION, cs.style & (WS_BORDER | WS_CAPTION));
  ModifyStyleEx(WS_EX_CLIENTEDGE, cs.dwExStyle & WS_EX_CLIENTEDGE);
  SetDlgCtrlID(nID);
  RECT rectTemplate;
  GetWindowRect(&rectTemplate);
  SetScrollSizes(MM_TEXT, CSize(rectTemplate.right - rectTemplate.left, rectTemplate.bottom - rectTemplate.top));
  if (!AfxExecuteDlgInit(m_hWnd, m_lpszTemplateName)) return FALSE;
  SetWindowPos(NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (dwRequestedStyle & WS_VISIBLE) ShowWindow(SW_NORMAL);
  return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpcs) {
  lpcs->lpCreateParams = m_pCreateContext;
  return CScrollView::OnCreate(lpcs);
}

LRESULT CFormView::HandleInitDialog(WPARAM, LPARAM) {
  Default();
  return FALSE;  // the focus is set when the view is activated
}

BOOL CFormView::UpdateData(BOOL bSaveAndValidate) {
  return AfxUpdateWndData(this, bSaveAndValidate,
                          [](CWnd* pWnd, CDataExchange* pDX) { static_cast<CFormView*>(pWnd)->DoDataExchange(pDX); });
}

void CFormView::OnInitialUpdate() {
  UpdateData(FALSE);
  CScrollView::OnInitialUpdate();
}

BOOL CFormView::SaveFocusControl() {
  HWND hWndFocus = ::GetFocus();
  if (hWndFocus != NULL && ::IsChild(m_hWnd, hWndFocus)) {
    m_hWndFocus = hWndFocus;
    return TRUE;
  }
  return FALSE;
}

void CFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  if (SaveFocusControl()) return;  // the focus stays in the form
  CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnSetFocus(CWnd*) {
  if (!::IsWindow(m_hWndFocus) || !::IsChild(m_hWnd, m_hWndFocus)) {
    // The first tab stop, or the view itself when it has none.
    m_hWndFocus = NULL;
    HWND hWndNext = ::GetNextDlgTabItem(m_hWnd, NULL, FALSE);
    if (hWndNext != NULL) m_hWndFocus = hWndNext;
  }
  if (m_hWndFocus != NULL) ::SetFocus(m_hWndFocus);
  else Default();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
  if (CScrollView::PreTranslateMessage(pMsg)) return TRUE;
  // The frames' accelerators come before the dialog keys, which would eat them.
  for (CFrameWnd* pFrame = GetParentFrame(); pFrame != NULL; pFrame = pFrame->GetParentFrame())
    if (pFrame->PreTranslateMessage(pMsg)) return TRUE;
  return AfxPreTranslateDlgInput(m_hWnd, pMsg);
}
