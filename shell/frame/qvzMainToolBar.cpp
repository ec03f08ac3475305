#include "qvzMainToolBar.h"

#include "CFolderFrame.h"
#include "qvzMainFrame.h"

const ToolVariantRow ToolVariants[6] = {
    {86, 3007, 32849, 422, 422, 423}, {86, 3014, 32851, 424, 424, 425}, {86, 3012, 32852, 426, 426, 427},
    {87, 3010, 32853, 431, 431, 432}, {87, 3016, 32854, 433, 433, 434}, {87, 3017, 32855, 388, 388, 430},
};

const ToolVariantRow* FindToolVariant(int nToolId) {
  for (const ToolVariantRow& r : ToolVariants)
    if (r.nToolId == nToolId) return &r;
  return NULL;
}

CString CommandToolTip(UINT nID) {
  CString s;
  s.LoadString(nID);
  const int nl = s.Find('\n');
  return nl >= 0 ? s.Mid(nl + 1) : s;
}

IMPLEMENT_DYNCREATE(qvzMainToolBar, CDibToolBar)

qvzMainToolBar::qvzMainToolBar() : m_nRectVariantTool(3007), m_nArcVariantTool(3010), m_pRectTip(NULL), m_pArcTip(NULL) {}

qvzMainToolBar::~qvzMainToolBar() {
  for (CToolTipCtrl* t : {m_pRectTip, m_pArcTip}) {
    if (t && t->m_hWnd) t->DestroyWindow();
    delete t;
  }
}

void qvzMainToolBar::ReplaceTip(int nButton, UINT nString) {
  CToolTipCtrl*& tip = nButton == ID_TOOL_RECT_FAMILY ? m_pRectTip : m_pArcTip;
  if (tip) {
    if (tip->m_hWnd) tip->DestroyWindow();
    delete tip;
    tip = NULL;
  }
  CString text = CommandToolTip(nString);
  (nButton == ID_TOOL_RECT_FAMILY ? m_strRectTip : m_strArcTip) = text;
  CWnd* button = GetDlgItem(nButton);
  if (button == NULL) return;
  tip = new CToolTipCtrl;
  if (tip->Create(this)) AddWindowTool(tip, button, text);
}

CString qvzMainToolBar::GetVariantTip(int nButton) const {
  return nButton == ID_TOOL_RECT_FAMILY ? m_strRectTip : m_strArcTip;
}

void qvzMainToolBar::SetButtons(int nCount, const DibButtonRow* pRows, int nHeight) {
  CDibToolBar::SetButtons(nCount, pRows, nHeight);
  ReplaceTip(ID_TOOL_RECT_FAMILY, 32849);
  ReplaceTip(ID_TOOL_ARC_FAMILY, 32855);
}

static HBITMAP LoadBmp(UINT nID) {
  return (HBITMAP)::LoadImage(AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_BITMAP), MAKEINTRESOURCE(nID),
                              IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE);
}

void qvzMainToolBar::ShowToolVariant(int nToolId) {
  const ToolVariantRow* v = FindToolVariant(nToolId);
  if (v == NULL) return;
  HBITMAP normal = LoadBmp(v->nNormal);
  HBITMAP disabled = LoadBmp(v->nDisabled);
  if (!SetButtonBitmaps(v->nButton, normal, normal, disabled)) {
    if (normal) ::DeleteObject(normal);
    if (disabled) ::DeleteObject(disabled);
  }
  (v->nButton == ID_TOOL_RECT_FAMILY ? m_nRectVariantTool : m_nArcVariantTool) = nToolId;
  ReplaceTip(v->nButton, v->nCommand);
}

void qvzMainToolBar::SetButtonState(UINT nID, int nState) {
  if (nID >= 32849 && nID <= 32852 && nID != 32850) nID = ID_TOOL_RECT_FAMILY;
  else if (nID >= 32853 && nID <= 32855) nID = ID_TOOL_ARC_FAMILY;
  if (GetButtonState(nID) != nState) CDibToolBar::SetButtonState(nID, nState);
}

void qvzMainToolBar::OnDropDown(CDibToolBarButton* pButton, CPoint point) {
  qvzMainFrame* f = DYNAMIC_DOWNCAST(qvzMainFrame, GetParent());
  if (f == NULL || pButton == NULL) return;
  const int id = pButton->GetDlgCtrlID();
  if (id == ID_TOOL_RECT_FAMILY) f->ShowRectangleVariants();
  else if (id == ID_TOOL_ARC_FAMILY) f->ShowArcVariants();
}
