#include "qvzLineTextPanels.h"

#include "PropertyBarRules.h"
#include "jvqDrawingResources.h"
#include "jvqLineEnd.h"
#include "jvqLineStyle.h"
#include "jvqLineTextObject.h"
#include "jvqPolylineObject.h"
#include "jvqTextObject.h"
#include "qvzLineEndPainters.h"
#include "qvzLineTextToolBar.h"
#include "qvzMessages.h"

BEGIN_MESSAGE_MAP(qvzLineTextPanel, CDialog)
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(qvzLeaderLinePanel, qvzLineTextPanel)
  ON_CBN_SELCHANGE(IDC_BAR_LINESTYLE, OnLineStyle)
  ON_CBN_SELCHANGE(1093, OnStartShape)
  ON_MESSAGE(QVZM_VALUECHANGED, OnValueChanged)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(qvzTextFramePanel, qvzLineTextPanel)
  ON_CBN_SELCHANGE(IDC_BAR_LINESTYLE, OnLineStyle)
  ON_MESSAGE(QVZM_VALUECHANGED, OnValueChanged)
  ON_MESSAGE(QVZM_FILLCHANGED, OnFillChanged)
END_MESSAGE_MAP()

qvzLineTextPanel::qvzLineTextPanel() { m_Listener.m_pPanel = this; }

qvzLineTextToolBar* qvzLineTextPanel::GetBar() const {
  CWnd* container = GetParent();
  CWnd* bar = container ? container->GetParent() : NULL;
  return bar ? DYNAMIC_DOWNCAST(qvzLineTextToolBar, bar) : NULL;
}

BOOL qvzLineTextPanel::CanEdit(CWnd& control) const {
  qvzLineTextToolBar* bar = GetBar();
  return bar && bar->CanEdit(control);
}

void qvzLineTextPanel::FillStyleAndWidth() {
  if (GetDlgItem(IDC_BAR_LINESTYLE) && m_wndLineStyle.SubclassDlgItem(IDC_BAR_LINESTYLE, this)) {
    jvqLineStyle* styles[] = {&theNoLineStyle,   &theSolidLineStyle, &theDotLineStyle,
                              &theDashLineStyle, &theDash2LineStyle, &theDash3LineStyle};
    for (int i = 0; i < 6; i++) m_wndLineStyle.AddItem(styles[i], i);
  }
  if (GetDlgItem(IDC_BAR_LINEWIDTH) && m_wndLineWidth.SubclassDlgItem(IDC_BAR_LINEWIDTH, this)) {
    static const char* const widths[] = {"0.1mm", "0.3mm", "0.5mm", "0.7mm", "1mm", "2mm",
                                         "3mm",   "4mm",   "5mm",   "7mm",   "10mm"};
    for (const char* w : widths) m_wndLineWidth.AddValue(w);
  }
  if (GetDlgItem(IDC_BAR_LINECOLOR) && m_wndColor.SubclassDlgItem(IDC_BAR_LINECOLOR, this))
    m_wndColor.SetOwnerListener(&m_Listener);
}

void qvzLineTextPanel::Listener::Notify(UINT nCode, const jvqFill*, UINT nID) {
  if (nCode == QVZM_COLORCHANGED && nID == IDC_BAR_LINECOLOR) m_pPanel->OnPickedColor();
}

void qvzLineTextPanel::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  CClientDC dc(this);
  SIZE size = {0, 0};
  GetMultiLineTextExtent(&size, &dc, "あｑ", &theDefaultGuiFont);
  lpMeasureItemStruct->itemHeight = size.cy + 2;
}

// The chosen pattern, keeping the width and colour the line had.
static void TakePattern(jvqLineStyle* ls, const jvqLineStyle* s) {
  if (ls == NULL || s == NULL) return;
  const int w = ls->GetWidth();
  const COLORREF c = ls->GetColor();
  *ls = *s;
  ls->SetWidth(w);
  ls->SetColor(c);
}

static jvqLineTextObject* LineText(jvqObject* o) {
  return o && o->GetClassCode() == JVQ_OBJ_LINETEXT ? (jvqLineTextObject*)o : NULL;
}

void qvzLeaderLinePanel::CreateControls() {
  if (GetDlgItem(1093) && m_wndStartShape.SubclassDlgItem(1093, this)) FillLineEndCombo(m_wndStartShape);
  FillStyleAndWidth();
}

void qvzLeaderLinePanel::OnLineStyle() {
  if (!CanEdit(m_wndLineStyle) || m_wndLineStyle.GetCurSel() < 0) return;
  jvqLineStyle* s = m_wndLineStyle.GetItem(m_wndLineStyle.GetCurSel());
  GetBar()->EditLineTexts(
      [s](jvqObject* o) {
        TakePattern(o->GetLineStyle(), s);
        if (jvqLineTextObject* lt = LineText(o))
          if (lt->m_pLeader) TakePattern(lt->m_pLeader->GetLineStyle(), s);
      },
      TRUE);
}

LRESULT qvzLeaderLinePanel::OnValueChanged(WPARAM wParam, LPARAM lParam) {
  if ((UINT)wParam != IDC_BAR_LINEWIDTH || !CanEdit(m_wndLineWidth)) return 0;
  const int w = ParseLineWidth(*(const CString*)lParam);
  GetBar()->EditLineTexts(
      [w](jvqObject* o) {
        if (LineText(o)) o->GetLineStyle()->SetWidth(w);
      },
      TRUE);
  return 0;
}

void qvzLeaderLinePanel::OnStartShape() {
  if (!CanEdit(m_wndStartShape)) return;
  jvqLineEnd* end = GetLineEnd(LineEndIndexToKind(m_wndStartShape.GetCurSel()));
  if (end == NULL) return;
  GetBar()->EditLineTexts(
      [end](jvqObject* o) {
        jvqLineTextObject* lt = LineText(o);
        if (lt && lt->m_pLeader) lt->m_pLeader->m_StartLineEnd = *end;
      },
      TRUE);
}

void qvzLeaderLinePanel::OnPickedColor() {
  if (!CanEdit(m_wndColor)) return;
  const COLORREF cr = m_wndColor.GetColor();
  GetBar()->EditLineTexts(
      [cr](jvqObject* o) {
        o->GetLineStyle()->SetColor(cr);
        if (jvqLineTextObject* lt = LineText(o))
          if (lt->m_pLeader) lt->m_pLeader->GetLineStyle()->SetColor(cr);
      },
      FALSE);
}

void qvzTextFramePanel::CreateControls() {
  FillStyleAndWidth();
  if (GetDlgItem(IDC_BAR_FILL)) m_wndFill.SubclassDlgItem(IDC_BAR_FILL, this);
}

void qvzTextFramePanel::OnLineStyle() {
  if (!CanEdit(m_wndLineStyle) || m_wndLineStyle.GetCurSel() < 0) return;
  jvqLineStyle* s = m_wndLineStyle.GetItem(m_wndLineStyle.GetCurSel());
  GetBar()->EditLineTexts(
      [s](jvqObject* o) {
        jvqLineTextObject* lt = LineText(o);
        if (lt && lt->m_pFrame) TakePattern(lt->m_pFrame->GetLineStyle(), s);
      },
      TRUE);
}

LRESULT qvzTextFramePanel::OnValueChanged(WPARAM wParam, LPARAM lParam) {
  if ((UINT)wParam != IDC_BAR_LINEWIDTH || !CanEdit(m_wndLineWidth)) return 0;
  const int w = ParseLineWidth(*(const CString*)lParam);
  GetBar()->EditLineTexts(
      [w](jvqObject* o) {
        jvqLineTextObject* lt = LineText(o);
        if (lt && lt->m_pFrame) lt->m_pFrame->GetLineStyle()->SetWidth(w);
      },
      TRUE);
  return 0;
}

void qvzTextFramePanel::OnPickedColor() {
  if (!CanEdit(m_wndColor)) return;
  const COLORREF cr = m_wndColor.GetColor();
  GetBar()->EditLineTexts(
      [cr](jvqObject* o) {
        jvqLineTextObject* lt = LineText(o);
        if (lt && lt->m_pFrame) lt->m_pFrame->GetLineStyle()->SetColor(cr);
      },
      FALSE);
}

// The leader text's own fill shows behind its text.
LRESULT qvzTextFramePanel::OnFillChanged(WPARAM wParam, LPARAM) {
  if ((UINT)wParam != IDC_BAR_FILL || !CanEdit(m_wndFill)) return 0;
  jvqFill* f = const_cast<jvqFill*>(m_wndFill.GetFill());
  GetBar()->EditLineTexts(
      [f](jvqObject* o) {
        if (LineText(o)) o->SetFill(f ? f->Clone() : NULL);
      },
      FALSE);
  return -1;
}
