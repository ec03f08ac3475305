#include "qvzDrawToolBar.h"

#include "PropertyBarRules.h"
#include "jvqDrawingResources.h"
#include "jvqGradientFill.h"
#include "jvqObjectDefaults.h"
#include "jvqPatternFill.h"
#include "jvqSolidFill.h"
#include "jvqTextureFill.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "qvzMessages.h"
#include "qvzPropertyBarManager.h"

IMPLEMENT_DYNCREATE(qvzDrawToolBar, qvzDialogBar)

BEGIN_MESSAGE_MAP(qvzDrawToolBar, qvzDialogBar)
  ON_WM_SHOWWINDOW()
  ON_CBN_SELCHANGE(IDC_BAR_LINESTYLE, OnLineStyleChange)
  ON_BN_CLICKED(IDC_BAR_LOCK, OnLockClicked)
  ON_BN_CLICKED(IDC_BAR_DEFAULTS, OnNoAction)
  ON_CBN_SELCHANGE(IDC_BAR_LINEWIDTH, OnNoAction)
  ON_CBN_EDITCHANGE(IDC_BAR_LINEWIDTH, OnNoAction)
  ON_WM_MEASUREITEM()
  ON_MESSAGE(QVZM_COLORCHANGED, OnColorChangedMsg)
  ON_MESSAGE(QVZM_FILLCHANGED, OnFillChangedMsg)
  ON_MESSAGE(QVZM_VALUECHANGED, OnValueChangedMsg)
END_MESSAGE_MAP()

qvzDrawToolBar::qvzDrawToolBar()
    : m_bControlsCreated(0),
      m_pToolTip(NULL),
      m_pPrototype(NULL),
      m_bShowingValues(0),
      m_bApplying(0),
      m_nKind(0),
      m_bMixedColor(FALSE),
      m_bMixedStyle(FALSE),
      m_bMixedFill(FALSE),
      m_dwFillKeepBits(FILL_KEEPING_CLASS_BITS) {
  m_colorListener.m_pBar = this;
}

qvzDrawToolBar::qvzDrawToolBar(LPCTSTR lpszCreateCaption, LPCTSTR lpszSelectCaption, int nKind) : qvzDrawToolBar() {
  m_strCreateCaption = lpszCreateCaption;
  m_strSelectCaption = lpszSelectCaption;
  m_nKind = nKind;
}

qvzDrawToolBar::~qvzDrawToolBar() { delete m_pToolTip; }

void qvzDrawToolBar::ColorListener::Notify(UINT nCode, const jvqFill* pValue, UINT nID) {
  // Through the bar's window, so that a swap from the handler waits for it to return.
  if (nCode == QVZM_COLORCHANGED && m_pBar && m_pBar->m_hWnd)
    m_pBar->SendMessage(QVZM_COLORCHANGED, (WPARAM)(pValue ? 1 : 0), (LPARAM)nID);
}

jvqView* qvzDrawToolBar::GetView() const {
  return g_pPropertyBarManager ? g_pPropertyBarManager->GetActiveView() : NULL;
}

BOOL qvzDrawToolBar::BindControl(CWnd& control, UINT nId) {
  return GetDlgItem(nId) != NULL && control.SubclassDlgItem(nId, this);
}

BOOL qvzDrawToolBar::CanEdit(CWnd& control) const {
  return !m_bShowingValues && !m_bApplying && control.m_hWnd != NULL && control.IsWindowEnabled();
}

void qvzDrawToolBar::OnInitialShow() {
  Refresh();
  m_bFirstShow = 0;
}

BOOL qvzDrawToolBar::PreTranslateMessage(MSG* pMsg) { return CControlBar::PreTranslateMessage(pMsg); }

void qvzDrawToolBar::OnShowWindow(BOOL bShow, UINT nStatus) { qvzDialogBar::OnShowWindow(bShow, nStatus); }

void qvzDrawToolBar::Refresh() {
  if (m_hWnd == NULL) return;
  if (m_bFirstShow) {
    CreateControls();
    m_bFirstShow = 0;
  }
  if (m_pPrototype == NULL && m_nKind != 0) m_pPrototype = GetObjectDefaults()->FindPrototype(m_nKind);
  if (m_wndLineStyle.m_hWnd && m_wndLineStyle.GetCount() == 0) {
    jvqLineStyle* styles[] = {&theNoLineStyle, &theSolidLineStyle, &theDotLineStyle,
                              &theDashLineStyle, &theDash2LineStyle, &theDash3LineStyle};
    for (int i = 0; i < 6; i++) m_wndLineStyle.AddItem(styles[i], i);
  }
  if (m_wndFill.m_hWnd) m_wndFill.ShowWindow(SW_SHOW);
  if (m_wndLock.m_hWnd) m_wndLock.SetCheck(0);
  if (m_pPrototype) m_pPrototype->m_dwState &= ~JVQ_STATE_LOCKED;
  jvqObjectArray targets;
  targets.m_bOwns = FALSE;
  CollectTargets(targets);
  ShowObjectValues(targets);
}

void qvzDrawToolBar::CreateControls() {
  SendMessage(WM_SETFONT, (WPARAM)theDefaultGuiFont.GetSafeHandle(), TRUE);
  if (m_bControlsCreated) return;
  if (m_pToolTip == NULL) {
    m_pToolTip = new CToolTipCtrl;
    m_pToolTip->Create(this);
  }
  m_bControlsCreated = 1;
  if (BindControl(m_wndLineWidth, IDC_BAR_LINEWIDTH)) {
    static const char* const widths[] = {"0.1mm", "0.3mm", "0.5mm", "0.7mm", "1mm", "2mm",
                                         "3mm",   "4mm",   "5mm",   "7mm",   "10mm"};
    for (const char* w : widths) m_wndLineWidth.AddValue(w);
  }
  BindControl(m_wndLineStyle, IDC_BAR_LINESTYLE);
  BindControl(m_wndCaption, IDC_BAR_CAPTION);
  if (BindControl(m_wndLineColor, IDC_BAR_LINECOLOR))
    m_wndLineColor.SetOwnerListener(&m_colorListener);
  BindControl(m_wndLock, IDC_BAR_LOCK);
  BindControl(m_wndFill, IDC_BAR_FILL);
}

void qvzDrawToolBar::EnableControls(BOOL bEnable) {
  if (m_hWnd) EnableWindow(bEnable);
  CWnd* controls[] = {&m_wndLineColor, &m_wndLineStyle, &m_wndLineWidth, &m_wndFill};
  for (CWnd* c : controls)
    if (c->m_hWnd) c->EnableWindow(bEnable);
}

int qvzDrawToolBar::CollectTargets(jvqObjectArray& out) {
  out.m_bOwns = FALSE;
  out.RemoveAll();
  jvqView* view = GetView();
  if (view == NULL) return 0;
  const int n = view->GetSelectedCount();
  if (n > 0) {
    for (int i = 0; i < n; i++)
      if (jvqObject* o = view->GetSelectedObject(i)) out.Add(o);
    return out.GetCount();
  }
  if (m_pPrototype) out.Add(m_pPrototype);
  return 0;
}

BOOL qvzDrawToolBar::IsSameLineStyle(jvqLineStyle* a, jvqLineStyle* b) {
  return a && b && a->GetStyle() == b->GetStyle() && a->GetColor() == b->GetColor();
}

BOOL qvzDrawToolBar::IsSameFill(jvqFill* a, jvqFill* b) {
  // Two objects without a fill are alike: both show "透明".
  if (a == NULL || b == NULL) return a == b;
  if (a->GetFlags() != b->GetFlags()) return FALSE;
  if ((a->GetFlags() | b->GetFlags()) & FILL_IMAGE) return FALSE;
  const DWORD f = a->GetFlags();
  if (f & FILL_SOLID) {
    jvqSolidFill* x = dynamic_cast<jvqSolidFill*>(a);
    jvqSolidFill* y = dynamic_cast<jvqSolidFill*>(b);
    return x && y && x->GetBrushStyle() == y->GetBrushStyle() && x->GetColor() == y->GetColor() &&
           x->GetHatch() == y->GetHatch() && x->m_nPatternIndex == y->m_nPatternIndex;
  }
  if (f & FILL_GRADIENT) {
    jvqGradientFill* x = dynamic_cast<jvqGradientFill*>(a);
    jvqGradientFill* y = dynamic_cast<jvqGradientFill*>(b);
    return x && y && x->m_crColor1 == y->m_crColor1 && x->m_crColor2 == y->m_crColor2 && x->m_nKind == y->m_nKind;
  }
  if (f & FILL_PATTERN) {
    jvqPatternFill* x = dynamic_cast<jvqPatternFill*>(a);
    jvqPatternFill* y = dynamic_cast<jvqPatternFill*>(b);
    return x && y && x->m_crFore == y->m_crFore && x->m_crBack == y->m_crBack;
  }
  if (f & FILL_TEXTURE) {
    jvqTextureFill* x = dynamic_cast<jvqTextureFill*>(a);
    jvqTextureFill* y = dynamic_cast<jvqTextureFill*>(b);
    return x && y && x->m_strPath == y->m_strPath;
  }
  return FALSE;
}

void qvzDrawToolBar::ShowObjectValues(jvqObjectArray& targets) {
  jvqView* view = GetView();
  if (m_wndCaption.m_hWnd)
    m_wndCaption.SetWindowText(view && view->GetSelectedCount() > 0 ? m_strSelectCaption : m_strCreateCaption);
  if (targets.GetCount() == 0) return;
  m_bShowingValues = 1;
  m_bMixedColor = m_bMixedStyle = m_bMixedFill = FALSE;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    if (m_wndFill.m_hWnd) m_wndFill.SetFill(o->GetFill());
    if (m_wndLineColor.m_hWnd) {
      jvqSolidFill c(o->GetLineStyle()->GetColor());
      m_wndLineColor.SetFill(&c);
    }
    if (m_wndLineStyle.m_hWnd) m_wndLineStyle.SelectStyle(o->GetLineStyle());
    if (m_wndLineWidth.m_hWnd) m_wndLineWidth.SelectValue(LineWidthText(o->GetLineStyle()->GetWidth()));
    if (m_wndLock.m_hWnd) m_wndLock.SetCheck((o->GetState() & JVQ_STATE_LOCKED) ? 1 : 0);
  }
  jvqObject* first = targets.GetAt(0);
  for (int i = 1; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    if (!IsSameLineStyle(first->GetLineStyle(), o->GetLineStyle())) {
      m_bMixedStyle = TRUE;
      if (m_wndLineStyle.m_hWnd) m_wndLineStyle.SetCurSel(0);
      if (m_wndLineColor.m_hWnd) m_wndLineColor.SetColor(0);
    }
    if (!IsSameFill(first->GetFill(), o->GetFill())) {
      m_bMixedFill = TRUE;
      jvqSolidFill black(RGB(0, 0, 0));
      if (m_wndFill.m_hWnd) m_wndFill.SetFill(&black);
    }
    if (first->GetLineStyle()->GetColor() != o->GetLineStyle()->GetColor()) {
      m_bMixedColor = TRUE;
      if (m_wndLineColor.m_hWnd) m_wndLineColor.SetColor(0);
    }
    if (first->GetLineStyle()->GetWidth() != o->GetLineStyle()->GetWidth() && m_wndLineWidth.m_hWnd)
      m_wndLineWidth.ShowText("");
    if ((first->GetState() & JVQ_STATE_LOCKED) != (o->GetState() & JVQ_STATE_LOCKED) && m_wndLock.m_hWnd)
      m_wndLock.SetCheck(2);
  }
  if (m_wndLock.m_hWnd) m_wndLock.EnableWindow(first != m_pPrototype);
  m_bShowingValues = 0;
}

void qvzDrawToolBar::BeginTargets(jvqObjectArray& targets, int* pCount) {
  *pCount = CollectTargets(targets);
  if (*pCount > 0) theUndoManager.BeginEditSelection(targets);
}

void qvzDrawToolBar::EndTargets(int nCount, BOOL bRefresh, BOOL bInvalidateOnly) {
  if (nCount > 0) theUndoManager.EndEdit();
  if (jvqView* view = GetView()) {
    if (bInvalidateOnly)
      view->InvalidateAll();
    else
      view->Redraw();
  }
  if (nCount > 0 && bRefresh && g_pPropertyBarManager) g_pPropertyBarManager->UpdateCurrentBar();
}

// Fill, line colour and line style as the bar shows them; a mixed value that the user did
// not change is left alone.
void qvzDrawToolBar::ApplyToObjects(jvqObjectArray& targets) {
  if (m_bShowingValues || m_bApplying || targets.GetCount() == 0 || m_pPrototype == NULL) return;
  m_bApplying = 1;
  jvqLineStyle* style = m_wndLineStyle.m_hWnd && m_wndLineStyle.GetCurSel() >= 0
                            ? m_wndLineStyle.GetItem(m_wndLineStyle.GetCurSel())
                            : NULL;
  auto apply = [&](jvqObject* o, BOOL bPrototype) {
    if (m_wndFill.m_hWnd && !m_bMixedFill && (bPrototype || !(o->GetClassCode() & (0x40 | 0x80)))) {
      jvqFill* f = m_wndFill.GetFill();
      o->SetFill(f ? f->Clone() : NULL);
    }
    if (m_wndLineColor.m_hWnd && !m_bMixedColor) o->GetLineStyle()->SetColor(m_wndLineColor.GetColor());
    if (style && !m_bMixedStyle) {
      jvqLineStyle* ls = o->GetLineStyle();
      const int w = ls->GetWidth();
      const COLORREF c = ls->GetColor();
      *ls = *style;
      ls->SetWidth(w);
      ls->SetColor(c);
    }
  };
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    if (o->GetClassCode() & 0x100) continue;
    apply(o, FALSE);
  }
  apply(m_pPrototype, TRUE);
  m_bApplying = 0;
}

void qvzDrawToolBar::OnColorChanged(UINT, UINT nPickerId) {
  if (nPickerId != IDC_BAR_LINECOLOR || !CanEdit(m_wndLineColor)) return;
  m_bMixedColor = FALSE;
  const COLORREF cr = m_wndLineColor.GetColor();
  EditTargets([cr](jvqObject* o) { o->GetLineStyle()->SetColor(cr); });
}

void qvzDrawToolBar::OnLineStyleChange() {
  if (!CanEdit(m_wndLineStyle)) return;
  jvqLineStyle* s = m_wndLineStyle.GetCurSel() >= 0 ? m_wndLineStyle.GetItem(m_wndLineStyle.GetCurSel()) : NULL;
  if (s == NULL) return;
  m_bMixedStyle = FALSE;
  EditTargets([s](jvqObject* o) {
    jvqLineStyle* ls = o->GetLineStyle();
    const int w = ls->GetWidth();
    const COLORREF c = ls->GetColor();
    *ls = *s;
    ls->SetWidth(w);
    ls->SetColor(c);
  });
}

void qvzDrawToolBar::OnFillChanged(UINT nControlId) {
  if (nControlId != IDC_BAR_FILL || !CanEdit(m_wndFill)) return;
  m_bMixedFill = FALSE;
  jvqFill* f = m_wndFill.GetFill();
  const DWORD keep = m_dwFillKeepBits;
  // "透明" keeps the same objects' fills as a colour does: a picture keeps its picture, a
  // title its text, a symbol its shape.
  EditTargets([f, keep](jvqObject* o) {
    if (o->GetClassCode() & keep) return;
    o->SetFill(f ? f->Clone() : NULL);
  });
}

void qvzDrawToolBar::OnValueChanged(UINT nControlId, const CString& strText) {
  if (nControlId != IDC_BAR_LINEWIDTH || !CanEdit(m_wndLineWidth)) return;
  const int w = ParseLineWidth(strText);
  EditTargets([w](jvqObject* o) { o->GetLineStyle()->SetWidth(w); });
}

void qvzDrawToolBar::OnLockClicked() {
  if (!CanEdit(m_wndLock)) return;
  const BOOL locked = m_wndLock.GetCheck() != 1;
  m_wndLock.SetCheck(locked ? 1 : 0);
  EditTargets([locked](jvqObject* o) {
    if (locked)
      o->m_dwState |= JVQ_STATE_LOCKED;
    else
      o->m_dwState &= ~JVQ_STATE_LOCKED;
  });
}

void qvzDrawToolBar::OnNoAction() {}

void qvzDrawToolBar::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  CClientDC dc(this);
  SIZE size = {0, 0};
  GetMultiLineTextExtent(&size, &dc, "あｑ", &theDefaultGuiFont);
  lpMeasureItemStruct->itemHeight = size.cy + 2;
}

LRESULT qvzDrawToolBar::OnColorChangedMsg(WPARAM wParam, LPARAM lParam) {
  OnColorChanged((UINT)wParam, (UINT)lParam);
  return 0;
}

LRESULT qvzDrawToolBar::OnFillChangedMsg(WPARAM wParam, LPARAM) {
  OnFillChanged((UINT)wParam);
  return 0;
}

LRESULT qvzDrawToolBar::OnValueChangedMsg(WPARAM wParam, LPARAM lParam) {
  if (lParam) OnValueChanged((UINT)wParam, *(const CString*)lParam);
  return 0;
}
