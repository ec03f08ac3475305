#include "qvzBannerToolBar.h"

#include "jvqBannerObject.h"
#include "jvqDrawingResources.h"
#include "jvqSolidFill.h"
#include "jvqView.h"
#include "qvzTextDetailDlg.h"
#include "qvzTextRules.h"
#include "qvzTitleEditDlg.h"

IMPLEMENT_DYNCREATE(qvzBannerToolBar, qvzDrawToolBar)

BEGIN_MESSAGE_MAP(qvzBannerToolBar, qvzDrawToolBar)
  ON_CBN_SELCHANGE(1064, OnFace)
  ON_BN_CLICKED(787, OnBold)
  ON_BN_CLICKED(788, OnItalic)
  ON_BN_CLICKED(1136, OnShadow)
  ON_BN_CLICKED(698, OnDirection)
  ON_BN_CLICKED(699, OnDirection)
  ON_BN_CLICKED(1200, OnEdit)
  ON_WM_PAINT()
END_MESSAGE_MAP()

qvzBannerToolBar::qvzBannerToolBar() : m_bBold(0), m_bItalic(0), m_nHorizontal(1) {
  m_strCreateCaption = "作成するタイトルのプロパティ";
  m_strSelectCaption = "タイトルのプロパティ";
  m_nKind = JVQ_OBJ_BANNER;
}

jvqBannerStyle* qvzBannerToolBar::StyleOf(jvqObject* o) {
  return o && o->GetClassCode() == JVQ_OBJ_BANNER ? ((jvqBannerObject*)o)->GetBannerStyle() : NULL;
}

void qvzBannerToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  qvzInitFaceCombo(this, 1064, &m_wndFace);
  struct {
    jvqColorPicker* p;
    UINT id;
  } pickers[] = {{&m_wndTextColor, 1082}, {&m_wndShadowColor, 1083}, {&m_wndFrameLine, 1117}, {&m_wndFrameFill, 1116}};
  for (auto& k : pickers)
    if (GetDlgItem(k.id) && k.p->SubclassDlgItem(k.id, this)) k.p->SetOwnerListener(&m_colorListener);
  if (GetDlgItem(1136)) {
    m_wndShadow.SubclassDlgItem(1136, this);
    m_wndShadow.SetButtonStyle(BS_3STATE);
  }
  if (GetDlgItem(1200)) m_wndEdit.SubclassDlgItem(1200, this);
  CRect first;
  if (CWnd* b = GetDlgItem(787)) b->GetWindowRect(&first);
  if (m_pToolTip == NULL) {
    m_pToolTip = new CToolTipCtrl;
    m_pToolTip->Create(this);
  }
  struct {
    CDibToolBarButton* b;
    UINT id, normal, disabled;
    const char* tip;
  } buttons[] = {{&m_wndBold, 787, 439, 448, "太字"}, {&m_wndItalic, 788, 679, 450, "斜体"}};
  for (auto& k : buttons) {
    if (!GetDlgItem(k.id) || !k.b->SubclassDlgItem(k.id, this)) continue;
    k.b->LoadBitmaps(k.normal, k.normal, k.disabled);
    k.b->m_nImageX = (first.Width() - 16) / 2;
    k.b->m_nImageY = (first.Height() - 16) / 2;
    m_pToolTip->AddTool(k.b, k.tip);
  }
  if (GetDlgItem(33002) && m_wndTab.SubclassDlgItem(33002, this)) m_wndTab.InsertItem(0, "文字枠");
  if (CWnd* hidden = GetDlgItem(33001)) hidden->ShowWindow(SW_HIDE);
  qvzDrawToolBar::CreateControls();
}

// A control's rectangle in the bar's client coordinates; FALSE without the control.
static BOOL ChildRect(CWnd* pBar, UINT nId, CRect* pRect) {
  CWnd* c = pBar->GetDlgItem(nId);
  if (c == NULL) return FALSE;
  c->GetWindowRect(pRect);
  pBar->ScreenToClient(pRect);
  return TRUE;
}

// Two etched lines across the width of the edit button, between the edit button and the
// shadow box and between the shadow colour and the writing direction; the hidden tab 33001
// is drawn as a sunken double frame around the text controls.
void qvzBannerToolBar::OnPaint() {
  CPaintDC dc(this);
  CRect edit, frame;
  if (ChildRect(this, 1200, &edit)) {
    const struct {
      UINT above, below;
    } gaps[] = {{1200, 1136}, {1083, 699}};
    for (auto g : gaps) {
      CRect a, b;
      if (!ChildRect(this, g.above, &a) || !ChildRect(this, g.below, &b)) continue;
      const int y = (a.bottom + b.top) / 2;
      dc.FillSolidRect(edit.left, y, edit.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
      dc.FillSolidRect(edit.left, y + 1, edit.Width(), 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
  }
  if (ChildRect(this, 33001, &frame)) {
    frame.top += 1;
    dc.Draw3dRect(frame, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
    frame.DeflateRect(1, 1);
    dc.Draw3dRect(frame, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
  }
}

void qvzBannerToolBar::EnableControls(BOOL bEnable) {
  qvzDrawToolBar::EnableControls(bEnable);
  for (CWnd* w : {(CWnd*)&m_wndFace, (CWnd*)&m_wndTextColor, (CWnd*)&m_wndShadowColor, (CWnd*)&m_wndFrameLine,
                  (CWnd*)&m_wndFrameFill, (CWnd*)&m_wndBold, (CWnd*)&m_wndItalic, (CWnd*)&m_wndShadow,
                  (CWnd*)&m_wndEdit, GetDlgItem(698), GetDlgItem(699)})
    if (w && w->m_hWnd) w->EnableWindow(bEnable);
}

static void ShowPicker(jvqColorPicker& p, BOOL bNone, COLORREF cr) {
  if (!p.m_hWnd) return;
  if (bNone) {
    p.SetFill(NULL);
  } else {
    jvqSolidFill f(cr);
    p.SetFill(&f);
  }
}

void qvzBannerToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  if (targets.GetCount() == 0) return;
  m_bShowingValues = 1;
  jvqBannerStyle* first = NULL;
  BOOL mixedShadow = FALSE, mixedBold = FALSE, mixedItalic = FALSE;
  BOOL mixedText = FALSE, mixedFace = FALSE, mixedPen = FALSE, mixedBrush = FALSE;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqBannerStyle* s = StyleOf(targets.GetAt(i));
    if (s == NULL) continue;
    const int style = s->m_Block.style;
    const int bold = style == 3 || style == 4, italic = style == 2 || style == 4;
    if (first == NULL) {
      first = s;
      m_bBold = bold;
      m_bItalic = italic;
      m_nHorizontal = s->m_Block.horizontal ? 1 : 0;
    } else {
      mixedShadow |= s->m_Block.shadow != first->m_Block.shadow;
      mixedBold |= bold != m_bBold;
      mixedItalic |= italic != m_bItalic;
      mixedText |= s->m_crText != first->m_crText;
      mixedFace |= s->m_strFace != first->m_strFace;
      mixedPen |= s->GetPenColor() != first->GetPenColor();
      mixedBrush |= s->GetBrushColor() != first->GetBrushColor();
    }
    ShowPicker(m_wndTextColor, FALSE, s->m_crText);
    if (m_wndFace.m_hWnd) {
      const int at = m_wndFace.FindStringExact(-1, s->m_strFace);
      if (at >= 0) m_wndFace.SetCurSel(at);
    }
    ShowPicker(m_wndFrameFill, s->IsBrushHollow(), s->GetBrushColor());
    ShowPicker(m_wndFrameLine, s->IsPenNull(), s->GetPenColor());
    if (m_wndShadow.m_hWnd) m_wndShadow.SetCheck(s->m_Block.shadow ? 1 : 0);
  }
  if (first) {
    if (mixedShadow && m_wndShadow.m_hWnd) m_wndShadow.SetCheck(2);
    if (mixedText) ShowPicker(m_wndTextColor, FALSE, 0);
    if (mixedFace && m_wndFace.m_hWnd) m_wndFace.SetCurSel(0);
    if (mixedPen) ShowPicker(m_wndFrameLine, FALSE, 0);
    if (mixedBrush) ShowPicker(m_wndFrameFill, FALSE, 0);
    if (m_wndBold.m_hWnd) m_wndBold.SetCheck(mixedBold ? 0 : m_bBold);
    if (m_wndItalic.m_hWnd) m_wndItalic.SetCheck(mixedItalic ? 0 : m_bItalic);
    if (mixedBold) m_bBold = 0;
    if (mixedItalic) m_bItalic = 0;
    CheckDlgButton(699, m_nHorizontal ? 1 : 0);
    CheckDlgButton(698, m_nHorizontal ? 0 : 1);
  }
  m_bShowingValues = 0;
}

void qvzBannerToolBar::OnFace() {
  if (!CanEdit(m_wndFace) || m_wndFace.GetCurSel() < 0) return;
  CString face;
  m_wndFace.GetLBText(m_wndFace.GetCurSel(), face);
  EditStyles(
      [&face](jvqBannerStyle* s) {
        s->m_strFace = face;
        s->RefreshPointers();
      },
      FALSE);
}

// A toggle changes its look and its flag only when the edit is made.
void qvzBannerToolBar::OnBold() {
  if (!CanEdit(m_wndFace)) return;
  m_bBold = !m_bBold;
  m_wndBold.SetCheck(m_bBold);
  const int bold = m_bBold;
  EditStyles([bold](jvqBannerStyle* s) { s->m_Block.style = qvzBoldRule(s->m_Block.style, bold); }, TRUE);
}

void qvzBannerToolBar::OnItalic() {
  if (!CanEdit(m_wndFace)) return;
  m_bItalic = !m_bItalic;
  m_wndItalic.SetCheck(m_bItalic);
  const int italic = m_bItalic;
  EditStyles([italic](jvqBannerStyle* s) { s->m_Block.style = qvzItalicRule(s->m_Block.style, italic); }, TRUE);
}

// An unchecked box turns on; a checked or indeterminate one turns off.
void qvzBannerToolBar::OnShadow() {
  if (!CanEdit(m_wndShadow)) return;
  const int shadow = m_wndShadow.GetCheck() == 0 ? 1 : 0;
  m_wndShadow.SetCheck(shadow);
  EditStyles([shadow](jvqBannerStyle* s) { s->m_Block.shadow = shadow; }, TRUE);
}

void qvzBannerToolBar::OnDirection() {
  if (!CanEdit(m_wndFace)) return;
  m_nHorizontal = IsDlgButtonChecked(699) ? 1 : 0;
  const int h = m_nHorizontal;
  EditStyles([h](jvqBannerStyle* s) { s->m_Block.horizontal = h; }, TRUE);
}

void qvzBannerToolBar::OnColorChanged(UINT nValue, UINT nPickerId) {
  jvqColorPicker* picker = nPickerId == 1082   ? &m_wndTextColor
                           : nPickerId == 1117 ? (jvqColorPicker*)&m_wndFrameLine
                           : nPickerId == 1116 ? (jvqColorPicker*)&m_wndFrameFill
                                               : NULL;
  // The title style keeps no shadow colour of its own: picker 1083 only shows one.
  if (picker == NULL) {
    if (nPickerId != 1083) qvzDrawToolBar::OnColorChanged(nValue, nPickerId);
    return;
  }
  if (!CanEdit(*picker)) return;
  const BOOL none = picker->GetFill() == NULL;
  const COLORREF cr = picker->GetColor();
  if (nPickerId == 1082) {
    EditStyles([cr](jvqBannerStyle* s) { s->m_crText = cr; }, FALSE);
  } else if (nPickerId == 1117) {
    EditStyles(
        [cr, none](jvqBannerStyle* s) {
          if (!none) s->SetPenColor(cr);
          s->SetPenStyle(none ? PS_NULL : PS_SOLID);
        },
        FALSE);
  } else {
    EditStyles(
        [cr, none](jvqBannerStyle* s) {
          if (!none) s->SetBrushColor(cr);
          s->SetBrushStyle(none ? BS_NULL : BS_SOLID);
        },
        FALSE);
  }
}

// The dialog starts from the first title's style; only its text and shape are taken back.
void qvzBannerToolBar::OnEdit() {
  if (!CanEdit(m_wndFace)) return;
  jvqObjectArray shown;
  CollectTargets(shown);
  jvqBannerStyle* from = shown.GetCount() > 0 ? StyleOf(shown.GetAt(0)) : StyleOf(m_pPrototype);
  if (from == NULL) return;
  qvzTitleEditDlg dlg(NULL);
  dlg.SetTitleStyle(*from);
  if (dlg.DoModal() != IDOK) return;
  const CString text = dlg.m_Style.m_strText;
  const int shape = dlg.m_Style.m_Block.shape;
  EditStyles(
      [&text, shape](jvqBannerStyle* s) {
        s->m_strText = text;
        s->m_Block.shape = shape;
        s->RefreshPointers();
      },
      FALSE);
}
