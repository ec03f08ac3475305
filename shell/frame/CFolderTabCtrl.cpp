#include "CFolderTabCtrl.h"

IMPLEMENT_DYNAMIC(CFolderTabCtrl, CWnd)

BEGIN_MESSAGE_MAP(CFolderTabCtrl, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

static void MakeArialFont(CFont& f, int nHeight) {
  LOGFONT lf = {};
  lf.lfHeight = nHeight;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpy(lf.lfFaceName, "Arial");
  f.CreateFontIndirect(&lf);
}

CFolderTabCtrl::CFolderTabCtrl() : m_dwTabStyle(0), m_nSelected(-1), m_nTotalWidth(0) {}

CFolderTabCtrl::~CFolderTabCtrl() {
  for (CFolderTab* t : m_items) delete t;
}

BOOL CFolderTabCtrl::Create(DWORD dwStyle, const RECT& rc, CWnd* pParent, UINT nID, DWORD dwTabStyle) {
  static BOOL bRegistered = FALSE;
  if (!bRegistered) {
    WNDCLASS wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_GLOBALCLASS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    wc.lpszClassName = "XQFolderTab";
    if (!AfxRegisterClass(&wc)) return FALSE;
    bRegistered = TRUE;
  }
  m_dwTabStyle = dwTabStyle;
  if (!CreateEx(0, "XQFolderTab", "", dwStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                pParent->GetSafeHwnd(), (HMENU)(UINT_PTR)nID))
    return FALSE;
  if (m_fontNormal.m_hObject == NULL) MakeArialFont(m_fontNormal, 12);
  if (m_fontSelected.m_hObject == NULL) MakeArialFont(m_fontSelected, 10);
  return TRUE;
}

BOOL CFolderTabCtrl::Load(UINT nIDRes) {
  CString s;
  if (!s.LoadString(nIDRes)) return FALSE;
  int start = 0;
  for (;;) {
    const int nl = s.Find('\n', start);
    AddItem(nl < 0 ? s.Mid(start) : s.Mid(start, nl - start));
    if (nl < 0) break;
    start = nl + 1;
  }
  return TRUE;
}

static void CopyFont(CFont& to, CFont* from) {
  LOGFONT lf;
  if (from == NULL || !from->GetLogFont(&lf)) return;
  to.DeleteObject();
  to.CreateFontIndirect(&lf);
}

void CFolderTabCtrl::SetFonts(CFont* pNormal, CFont* pSelected) {
  CopyFont(m_fontNormal, pNormal);
  CopyFont(m_fontSelected, pSelected);
  RecomputeLayout();
}

int CFolderTabCtrl::AddItem(LPCTSTR lpszText) {
  CFolderTab* t = new CFolderTab;
  t->m_strText = lpszText;
  m_items.push_back(t);
  RecomputeLayout();
  return (int)m_items.size() - 1;
}

int CFolderTabCtrl::InsertItemAtHead(LPCTSTR lpszText) {
  CFolderTab* t = new CFolderTab;
  t->m_strText = lpszText;
  m_items.insert(m_items.begin(), t);
  RecomputeLayout();
  return 0;
}

void CFolderTabCtrl::DeleteAllItems() {
  for (CFolderTab* t : m_items) delete t;
  m_items.clear();
  m_nSelected = -1;
  RecomputeLayout();
}

CFolderTab* CFolderTabCtrl::GetItem(int i) const {
  return (i >= 0 && i < (int)m_items.size()) ? m_items[i] : NULL;
}

int CFolderTabCtrl::SelectTab(int i) {
  if (i < 0 || i >= (int)m_items.size()) return -1;
  if (i != m_nSelected && m_hWnd) {
    if (CFolderTab* old = GetItem(m_nSelected)) InvalidateRect(&old->m_rect);
    InvalidateRect(&m_items[i]->m_rect);
  }
  m_nSelected = i;
  return i;
}

int CFolderTabCtrl::HitTest(int x, int y) {
  CRect rc(0, 0, 0, 0);
  if (m_hWnd) GetClientRect(&rc);
  POINT pt = {x, y};
  return FolderTabHitTest(m_shapes, rc, pt);
}

void CFolderTabCtrl::RecomputeLayout() {
  std::vector<int> widths;
  HDC hdc = ::GetDC(m_hWnd);
  HGDIOBJ old = ::SelectObject(hdc, m_fontNormal.m_hObject ? m_fontNormal.m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
  for (CFolderTab* t : m_items) {
    RECT r = {0, 0, 0, 0};
    ::DrawText(hdc, t->m_strText, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    widths.push_back(r.right - r.left);
  }
  ::SelectObject(hdc, old);
  ::ReleaseDC(m_hWnd, hdc);
  m_nTotalWidth = LayoutFolderTabs(widths, m_shapes);
  for (size_t i = 0; i < m_items.size(); i++) {
    CFolderTab* t = m_items[i];
    t->m_rect = m_shapes[i].rect;
    t->m_rgn.DeleteObject();
    t->m_rgn.CreatePolygonRgn(m_shapes[i].pts, 4, WINDING);
  }
  if (m_hWnd) Invalidate();
}

void CFolderTab::Draw(CDC* pDC, CFont* pFont, BOOL bSelected, BOOL bDisabled) {
  const COLORREF bk = ::GetSysColor(bDisabled ? COLOR_BTNFACE : bSelected ? COLOR_WINDOW : COLOR_BTNFACE);
  const COLORREF fg = ::GetSysColor(bDisabled ? COLOR_BTNTEXT : bSelected ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
  CBrush brush(bk);
  pDC->FillRgn(&m_rgn, &brush);
  // Lower corners and the right top corner one pixel up, so the outline stays inside.
  POINT p0 = {m_rect.left, m_rect.top}, p1 = {m_rect.left + 8, m_rect.bottom - 1};
  POINT p2 = {m_rect.right - 9, m_rect.bottom - 1}, p3 = {m_rect.right - 1, m_rect.top - 1};
  CPen black(PS_SOLID, 1, RGB(0, 0, 0)), shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  CPen* old = pDC->SelectObject(&black);
  pDC->MoveTo(p0);
  pDC->LineTo(p1);
  pDC->SelectObject(&shadow);
  pDC->LineTo(p2);
  pDC->SelectObject(&black);
  pDC->LineTo(p3);
  if (!bSelected) {
    pDC->SelectObject(&shadow);
    pDC->MoveTo(p2.x - 1, p2.y);
    pDC->LineTo(p3.x - 1, p3.y);
  }
  pDC->SelectObject(old);
  CRect rcText = m_rect;
  rcText.DeflateRect(10, 1);
  CFont* oldFont = pDC->SelectObject(pFont);
  pDC->SetTextColor(fg);
  pDC->SetBkMode(TRANSPARENT);
  pDC->DrawText(m_strText, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  pDC->SelectObject(oldFont);
}

BOOL CFolderTabCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CFolderTabCtrl::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
  const BOOL bDisabled = (GetStyle() & WS_DISABLED) != 0;
  BOOL bSelectedReached = FALSE;
  for (int i = 0; i < (int)m_items.size(); i++) {
    if (i == m_nSelected) {
      bSelectedReached = TRUE;
    } else {
      m_items[i]->Draw(&dc, &m_fontNormal, FALSE, bDisabled);
    }
    if (m_items[i]->m_rect.right > rc.right) break;
  }
  CFolderTab* sel = bSelectedReached ? GetItem(m_nSelected) : NULL;
  if (sel) sel->Draw(&dc, &m_fontSelected, TRUE, bDisabled);
  CPen black(PS_SOLID, 1, RGB(0, 0, 0));
  CPen* old = dc.SelectObject(&black);
  if (sel) {
    dc.MoveTo(sel->m_rect.right, 0);
    dc.LineTo(rc.right, 0);
    dc.MoveTo(0, 0);
    dc.LineTo(sel->m_rect.left, 0);
  } else {
    dc.MoveTo(0, 0);
    dc.LineTo(rc.right, 0);
  }
  if (m_dwTabStyle & FTS_BORDER) {
    dc.MoveTo(rc.right - 1, 0);
    dc.LineTo(rc.right - 1, rc.bottom - 1);
    dc.LineTo(0, rc.bottom - 1);
    dc.LineTo(0, 0);
  }
  dc.SelectObject(old);
}

void CFolderTabCtrl::OnLButtonDown(UINT, CPoint point) {
  const int i = HitTest(point.x, point.y);
  if (i < 0 || i == m_nSelected) return;
  SelectTab(i);
  NMFOLDERTAB nm = {};
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = GetDlgCtrlID();
  nm.hdr.code = FTN_SELCHANGE;
  nm.iItem = i;
  nm.pItem = m_items[i];
  GetParent()->SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm);
}

CString CFolderTabCtrl::GetTabTexts() const {
  CString s;
  for (size_t i = 0; i < m_items.size(); i++) {
    if (i) s += "|";
    s += m_items[i]->m_strText;
  }
  return s;
}

LRESULT CFolderTabCtrl::OnGetText(WPARAM wParam, LPARAM lParam) {
  const CString s = GetTabTexts();
  if (wParam == 0 || lParam == 0) return 0;
  lstrcpyn((LPSTR)lParam, s, (int)wParam);
  return lstrlen((LPSTR)lParam);
}

LRESULT CFolderTabCtrl::OnGetTextLength(WPARAM, LPARAM) { return GetTabTexts().GetLength(); }
