#include "CImageComboBox.h"

#include "afxmbs.h"
#include "jvqDrawingResources.h"

BEGIN_MESSAGE_MAP(CImageComboBox, CComboBox)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_TIMER()
  ON_CONTROL_REFLECT_EX(CBN_CLOSEUP, OnCloseUp)
END_MESSAGE_MAP()

namespace {
// Bitmap 129: two 15-pixel font icons on magenta, printer font then TrueType font.
const UINT kFontTypesBitmap = 129;
const UINT kTipTimer = 1;
const UINT kTipInterval = 500;
}

CImageComboBox::CImageComboBox() : m_pFontList(NULL) {}

CImageComboBox::~CImageComboBox() = default;

void CImageComboBox::Initialize() {
  if (m_wndTip.m_hWnd == NULL) m_wndTip.Create(this);
  if (m_imageList.GetSafeHandle() == NULL) m_imageList.Create(kFontTypesBitmap, 15, 1, RGB(255, 0, 255));
  if (m_pFontList == NULL) return;
  for (size_t i = 0; i < m_pFontList->size(); i++)
    InsertString((int)i, (*m_pFontList)[i]->lf.lfFaceName);
  SetTimer(kTipTimer, kTipInterval, NULL);
}

int CImageComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CComboBox::OnCreate(lpCreateStruct) == -1) return -1;
  Initialize();
  return 0;
}

void CImageComboBox::OnDestroy() {
  KillTimer(kTipTimer);
  if (::IsWindow(m_wndTip.m_hWnd)) m_wndTip.DestroyWindow();
  m_imageList.DeleteImageList();
  CComboBox::OnDestroy();
}

BOOL CImageComboBox::FindFont(const char* pszFace, jvqFontEntry* pEntry) const {
  if (m_pFontList == NULL || m_pFontList->empty() || pszFace == NULL) return FALSE;
  // The list is sorted with unsigned bytes; the search compares the same way.
  size_t lo = 0, hi = m_pFontList->size();
  while (lo < hi) {
    size_t mid = lo + (hi - lo) / 2;
    const jvqFontEntry* p = (*m_pFontList)[mid];
    int cmp = AfxStrCmp(p->lf.lfFaceName, pszFace);
    if (cmp == 0) {
      if (pEntry != NULL) *pEntry = *p;
      return TRUE;
    }
    if (cmp < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return FALSE;
}

void CImageComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const CRect rect = lpDrawItemStruct->rcItem;
  const UINT nState = lpDrawItemStruct->itemState;
  if (nState & ODS_FOCUS) pDC->DrawFocusRect(rect);
  if (nState & ODS_SELECTED) {
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_HIGHLIGHT));
    pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    pDC->FillSolidRect(rect, pDC->GetBkColor());
  }
  int nOldMode = pDC->SetBkMode(TRANSPARENT);

  CString strText;
  if ((int)lpDrawItemStruct->itemID != -1) GetLBText((int)lpDrawItemStruct->itemID, strText);
  jvqFontEntry entry;
  if (!strText.IsEmpty() && FindFont(strText, &entry)) {
    int nImage = -1;
    if (entry.nSource == 1)
      nImage = 0;
    else if (entry.nFontType & TRUETYPE_FONTTYPE)
      nImage = 1;
    if (nImage >= 0 && m_imageList.GetSafeHandle() != NULL)
      m_imageList.Draw(pDC, nImage, rect.TopLeft(), ILD_NORMAL);
  }
  pDC->TextOut(rect.left + 17, rect.top, strText);
  pDC->SetBkMode(nOldMode);
}

int CImageComboBox::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
  const char* a = (const char*)lpCompareItemStruct->itemData1;
  const char* b = (const char*)lpCompareItemStruct->itemData2;
  int cmp = AfxStrCmp(a != NULL ? a : "", b != NULL ? b : "");
  return cmp < 0 ? -1 : cmp > 0 ? 1 : 0;
}

void CImageComboBox::OnTimer(UINT nIDEvent) {
  Default();
  if (nIDEvent != kTipTimer) return;
  const int nSel = GetCurSel();
  jvqFontEntry entry;
  CString strFace;
  if (nSel >= 0) GetLBText(nSel, strFace);
  if (GetDroppedState()) {
    if (nSel >= 0) {
      CRect rect;
      GetDroppedControlRect(rect);
      const int h = GetItemHeight(0);
      const int y = rect.top + h * (nSel - GetTopIndex() + 1);
      if (y >= rect.top && y <= rect.bottom && FindFont(strFace, &entry)) {
        m_wndTip.ShowSample(rect.right + 5, y, entry);
        return;
      }
    }
  } else if (nSel >= 0) {
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    GetWindowRect(rect);
    if (rect.PtInRect(pt) && FindFont(strFace, &entry)) {
      m_wndTip.ShowSample(rect.right + 5, rect.top, entry);
      return;
    }
  }
  if (::IsWindow(m_wndTip.m_hWnd)) m_wndTip.ShowWindow(SW_HIDE);
}

BOOL CImageComboBox::OnCloseUp() {
  if (::IsWindow(m_wndTip.m_hWnd)) m_wndTip.ShowWindow(SW_HIDE);
  return FALSE;  // the parent hears of it too
}
