#include "qvzFillTabCtrl.h"

#include "FillPopupLayout.h"
#include "jvqTextureFill.h"
#include "qvzColorPaletteWnd.h"
#include "qvzGradientEditWnd.h"
#include "qvzImageFileWnd.h"
#include "qvzPatternGridWnd.h"
#include "qvzTextureGridWnd.h"

BEGIN_MESSAGE_MAP(qvzFillTabCtrl, CTabCtrl)
  ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

qvzFillTabCtrl::qvzFillTabCtrl() : m_pFill(NULL), m_bPicked(FALSE), m_rcPage{0, 0, 0, 0}, m_pPages{} {}

qvzFillTabCtrl::~qvzFillTabCtrl() {
  for (qvzFillChildWnd*& p : m_pPages) {
    if (p && p->m_hWnd) p->DestroyWindow();
    delete p;
    p = NULL;
  }
  delete m_pFill;
}

qvzFillChildWnd* qvzFillTabCtrl::GetPage(int nTab) const {
  return nTab >= 0 && nTab < GetPageCount() ? m_pPages[nTab] : NULL;
}

void qvzFillTabCtrl::CreatePages() {
  static const char* const kTabs[] = {"色", "ｸﾞﾗﾃﾞｰｼｮﾝ", "ﾃｸｽﾁｬ", "ﾊﾟﾀｰﾝ", "ﾌｧｲﾙ"};
  for (int i = 0; i < GetPageCount(); i++) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = (LPSTR)kTabs[i];
    ::SendMessageA(m_hWnd, TCM_INSERTITEMA, i, (LPARAM)&item);
  }
  SetPadding(CSize(5, 2));
  int nTop = 0, nBottom = 0;
  for (int i = 0; i < GetItemCount(); i++) {
    CRect rc;
    GetItemRect(i, &rc);
    if (i == 0 || rc.top < nTop) nTop = rc.top;
    if (i == 0 || rc.bottom > nBottom) nBottom = rc.bottom;
  }
  CRect rc;
  GetClientRect(&rc);
  m_rcPage = RECT{rc.left + 10, rc.top + (nBottom - nTop) + 10, rc.right - 10, rc.bottom - 10};
  EnsurePage(FILLTAB_COLOR);
  SendMessage(WM_SETFONT, (WPARAM)FillPageFont(), TRUE);
}

qvzFillChildWnd* qvzFillTabCtrl::EnsurePage(int nTab) {
  if (nTab < 0 || nTab >= GetPageCount()) return NULL;
  if (m_pPages[nTab]) return m_pPages[nTab];
  qvzFillChildWnd* p = NULL;
  switch (nTab) {
    case FILLTAB_COLOR: p = new qvzColorPaletteWnd; break;
    case FILLTAB_GRADIENT: p = new qvzGradientEditWnd; break;
    case FILLTAB_TEXTURE: p = new qvzTextureGridWnd; break;
    case FILLTAB_PATTERN: p = new qvzPatternGridWnd; break;
    case FILLTAB_FILE: p = new qvzImageFileWnd; break;
  }
  m_pPages[nTab] = p;
  p->Create(WS_CHILD, m_rcPage, this, GetDlgCtrlID() + nTab + 1);
  p->CreateControls();
  return p;
}

int qvzFillTabCtrl::TakeFill(const jvqFill* pFill) {
  // The page may hand over its own fill: clone before letting go of ours.
  jvqFill* pKeep = pFill ? const_cast<jvqFill*>(pFill)->Clone() : NULL;
  delete m_pFill;
  m_pFill = pKeep;
  BOOL bPath = FALSE;
  if (pFill && (pFill->GetFlags() & FILL_TEXTURE)) bPath = !((const jvqTextureFill*)pFill)->m_strPath.IsEmpty();
  const int nTab = ChooseFillTab(pFill != NULL, pFill ? pFill->GetFlags() : 0, IsImageVariant(), bPath);
  if (nTab != FILLTAB_NONE && nTab < GetPageCount()) {
    if (GetCurSel() != nTab) SetCurSel(nTab);
    qvzFillChildWnd* p = EnsurePage(nTab);
    p->SetFill(pFill);
    p->Invalidate();
  }
  for (int i = 0; i < GetPageCount(); i++) {
    if (i != nTab && m_pPages[i] && m_pPages[i]->m_hWnd) m_pPages[i]->CreateControls();
  }
  return nTab;
}

void qvzFillTabCtrl::SetFill(const jvqFill* pFill) {
  TakeFill(pFill);
  LRESULT r = 0;
  OnSelChange(NULL, &r);
}

void qvzFillTabCtrl::SetFillAndNotify(const jvqFill* pFill) {
  TakeFill(pFill);
  m_bPicked = TRUE;
  if (CWnd* pParent = GetParent()) pParent->SendMessage(QVZM_FILLPAGECHANGED, (WPARAM)GetDlgCtrlID(), 0);
}

void qvzFillTabCtrl::OnSelChange(NMHDR*, LRESULT* pResult) {
  const int nTab = GetCurSel();
  if (nTab < 0 || nTab >= GetPageCount()) return;
  qvzFillChildWnd* pShow = EnsurePage(nTab);
  for (int i = 0; i < GetPageCount(); i++) {
    if (m_pPages[i] && m_pPages[i]->m_hWnd && m_pPages[i] != pShow) m_pPages[i]->ShowWindow(SW_HIDE);
  }
  pShow->ShowWindow(SW_SHOW);
  if (pResult) *pResult = 0;
}
