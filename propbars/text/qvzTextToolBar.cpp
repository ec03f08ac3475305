#include "qvzTextToolBar.h"

#include "jvqDrawingResources.h"
#include "jvqSolidFill.h"
#include "jvqTextObject.h"
#include "jvqView.h"
#include "qvzTextDetailDlg.h"
#include "qvzTextRules.h"

IMPLEMENT_DYNCREATE(qvzTextToolBar, qvzDrawToolBar)

BEGIN_MESSAGE_MAP(qvzTextToolBar, qvzDrawToolBar)
  ON_CBN_SELCHANGE(1064, OnFace)
  ON_CBN_SELCHANGE(1107, OnCharSpacing)
  ON_CBN_SELCHANGE(707, OnLineSpacing)
  ON_BN_CLICKED(1114, OnWrap)
  ON_BN_CLICKED(699, OnDirection)
  ON_BN_CLICKED(698, OnDirection)
  ON_BN_CLICKED(787, OnBold)
  ON_BN_CLICKED(788, OnItalic)
  ON_BN_CLICKED(503, OnUnderline)
  ON_BN_CLICKED(1189, OnAlign1)
  ON_BN_CLICKED(504, OnAlign2)
  ON_BN_CLICKED(789, OnAlign3)
  ON_BN_CLICKED(790, OnAlign4)
END_MESSAGE_MAP()

struct TextButtonRow {
  UINT nId, nNormal, nDisabled;
  const char* pszTip;
};
static const TextButtonRow TextButtons[qvzTextToolBar::BUTTONS] = {
    {787, 439, 448, "太字"},      {788, 679, 450, "斜体"},     {503, 1059, 452, "下線"},
    {1189, 1061, 454, "左寄せ"},  {504, 685, 458, "中央寄せ"}, {789, 684, 456, "右寄せ"},
    {790, 1064, 460, "均等"},
};

qvzTextToolBar::qvzTextToolBar()
    : m_bBold(0), m_bItalic(0), m_bUnderline(0), m_nAlignment(0), m_bHorizontal(1) {
  m_strCreateCaption = "作成する文字のプロパティ";
  m_strSelectCaption = "文字のプロパティ";
  m_nKind = JVQ_OBJ_TEXT;
}

jvqTextFill* qvzTextToolBar::TextFillOf(jvqObject* o) {
  return o && o->GetClassCode() == JVQ_OBJ_TEXT ? ((jvqTextObject*)o)->GetTextFill() : NULL;
}

void qvzTextToolBar::CreateFaceAndSize() {
  qvzInitFaceCombo(this, 1064, &m_wndFace);
  if (GetDlgItem(1065) && m_wndSize.SubclassDlgItem(1065, this))
    for (const char* s : qvzSizeList) m_wndSize.AddValue(s);
}

void qvzTextToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  CreateFaceAndSize();
  qvzDrawToolBar::CreateControls();
  if (GetDlgItem(33002) && m_wndTab.SubclassDlgItem(33002, this)) m_wndTab.InsertItem(0, "文字枠");
  CreateTextControls();
}

void qvzTextToolBar::CreateTextControls() {
  if (GetDlgItem(707)) m_wndLineSpacing.SubclassDlgItem(707, this);
  if (GetDlgItem(1107)) m_wndCharSpacing.SubclassDlgItem(1107, this);
  if (GetDlgItem(1114)) m_wndWrap.SubclassDlgItem(1114, this);
  if (GetDlgItem(1082) && m_wndTextColor.SubclassDlgItem(1082, this)) m_wndTextColor.SetOwnerListener(&m_colorListener);
  CRect first;
  if (CWnd* b = GetDlgItem(787)) b->GetWindowRect(&first);
  for (int i = 0; i < BUTTONS; i++) {
    const TextButtonRow& r = TextButtons[i];
    CDibToolBarButton& b = m_wndButtons[i];
    if (!GetDlgItem(r.nId) || !b.SubclassDlgItem(r.nId, this)) continue;
    b.LoadBitmaps(r.nNormal, r.nNormal, r.nDisabled);
    b.m_nImageX = (first.Width() - 16) / 2;
    b.m_nImageY = (first.Height() - 16) / 2;
    if (m_pToolTip && m_pToolTip->m_hWnd) m_pToolTip->AddTool(&b, r.pszTip);
  }
}

void qvzTextToolBar::EnableControls(BOOL bEnable) {
  qvzDrawToolBar::EnableControls(bEnable);
  for (CDibToolBarButton& b : m_wndButtons)
    if (b.m_hWnd) b.EnableWindow(bEnable);
  for (CWnd* w : {(CWnd*)&m_wndWrap, (CWnd*)&m_wndCharSpacing, (CWnd*)&m_wndLineSpacing, (CWnd*)&m_wndFace,
                  (CWnd*)&m_wndSize, (CWnd*)&m_wndTextColor, GetDlgItem(699), GetDlgItem(698)})
    if (w && w->m_hWnd) w->EnableWindow(bEnable);
}

void qvzTextToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  if (targets.GetCount() == 0) return;
  m_bShowingValues = 1;
  ShowTextValues(targets);
  m_bShowingValues = 0;
}

// Every text target is compared with the first: a mark shows pressed or released only when
// all of them agree.
void qvzTextToolBar::ShowTextValues(jvqObjectArray& targets) {
  jvqTextFill* first = NULL;
  BOOL mixedBold = FALSE, mixedItalic = FALSE, mixedUnderline = FALSE, mixedWrap = FALSE, mixedAlign = FALSE;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqTextFill* f = TextFillOf(targets.GetAt(i));
    if (f == NULL) continue;
    const jvqTextAttributes& a = f->m_Attributes;
    const int bold = a.style == 3 || a.style == 4, italic = a.style == 2 || a.style == 4, under = a.underline == 0;
    if (first == NULL) {
      first = f;
      m_bBold = bold;
      m_bItalic = italic;
      m_bUnderline = under;
      m_nAlignment = a.alignment;
      m_bHorizontal = a.direction != JVQ_TEXT_VERTICAL;
    } else {
      mixedBold |= bold != m_bBold;
      mixedItalic |= italic != m_bItalic;
      mixedUnderline |= under != m_bUnderline;
      mixedWrap |= a.wrap != first->m_Attributes.wrap;
      mixedAlign |= a.alignment != first->m_Attributes.alignment;
    }
    // The last text target decides the colour, face, size and spacings shown.
    if (m_wndTextColor.m_hWnd) m_wndTextColor.SetColor(f->m_crText);
    if (m_wndFace.m_hWnd) qvzSelectFace(&m_wndFace, f->m_strFace);
    if (m_wndSize.m_hWnd) m_wndSize.SelectValue(qvzSizeText(a.charHeight));
    if (m_wndCharSpacing.m_hWnd) m_wndCharSpacing.SetCurSel(a.charSpacing - 1);
    if (m_wndLineSpacing.m_hWnd) m_wndLineSpacing.SetCurSel(a.lineSpacing - 1);
  }
  if (first == NULL) return;
  if (m_wndWrap.m_hWnd) m_wndWrap.SetCheck(mixedWrap ? 2 : (first->m_Attributes.wrap ? 1 : 0));
  if (mixedAlign) {
    m_nAlignment = 0;
    for (int i = LEFT; i <= JUSTIFY; i++)
      if (m_wndButtons[i].m_hWnd) m_wndButtons[i].SetCheck(0);
  } else {
    ShowAlignment();
  }
  if (mixedItalic) m_bItalic = 0;
  if (mixedBold) m_bBold = 0;
  if (mixedUnderline) m_bUnderline = 0;
  if (m_wndButtons[ITALIC].m_hWnd) m_wndButtons[ITALIC].SetCheck(m_bItalic);
  if (m_wndButtons[BOLD].m_hWnd) m_wndButtons[BOLD].SetCheck(m_bBold);
  if (m_wndButtons[UNDERLINE].m_hWnd) m_wndButtons[UNDERLINE].SetCheck(m_bUnderline);
  CheckDlgButton(699, m_bHorizontal ? 1 : 0);
  CheckDlgButton(698, m_bHorizontal ? 0 : 1);
}

void qvzTextToolBar::ShowAlignment() {
  for (int i = LEFT; i <= JUSTIFY; i++)
    if (m_wndButtons[i].m_hWnd) m_wndButtons[i].SetCheck(m_nAlignment == i - LEFT + 1);
}

BOOL qvzTextToolBar::CanEditText() const { return CanEdit(const_cast<CImageComboBox&>(m_wndFace)); }

void qvzTextToolBar::OnFace() {
  if (!CanEditText() || m_wndFace.GetCurSel() < 0) return;
  CString face;
  m_wndFace.GetLBText(m_wndFace.GetCurSel(), face);
  EditText([&face](jvqObject*, jvqTextFill* f) {
    f->m_strFace = face;
    f->RefreshPointers();
  });
}

void qvzTextToolBar::OnValueChanged(UINT nControlId, const CString& strText) {
  if (nControlId != 1065) {
    qvzDrawToolBar::OnValueChanged(nControlId, strText);
    return;
  }
  if (!CanEdit(m_wndSize)) return;
  const int size = qvzBarSizeFromText(strText);
  EditText([size](jvqObject* o, jvqTextFill* f) {
    f->m_Attributes.charWidth = f->m_Attributes.charHeight = size;
    if (o->GetClassCode() == JVQ_OBJ_TEXT) ((jvqTextObject*)o)->RecalcLayout();
  });
  if (m_wndSize.m_hWnd) m_wndSize.SelectValue(qvzSizeText(size));
}

void qvzTextToolBar::OnColorChanged(UINT nValue, UINT nPickerId) {
  if (nPickerId != 1082) {
    qvzDrawToolBar::OnColorChanged(nValue, nPickerId);
    return;
  }
  if (!CanEditText()) return;
  const COLORREF cr = m_wndTextColor.GetColor();
  EditText([cr](jvqObject*, jvqTextFill* f) { f->m_crText = cr; });
}

void qvzTextToolBar::OnCharSpacing() {
  if (!CanEdit(m_wndCharSpacing)) return;
  const int v = m_wndCharSpacing.GetCurSel() + 1;
  EditText([v](jvqObject*, jvqTextFill* f) { f->m_Attributes.charSpacing = v; });
}

void qvzTextToolBar::OnLineSpacing() {
  if (!CanEdit(m_wndLineSpacing)) return;
  const int v = m_wndLineSpacing.GetCurSel() + 1;
  EditText([v](jvqObject*, jvqTextFill* f) { f->m_Attributes.lineSpacing = v; });
}

// Not an automatic box: an unchecked or indeterminate box becomes checked only from
// unchecked; indeterminate turns unchecked.
void qvzTextToolBar::OnWrap() {
  if (!CanEditText()) return;
  const int wrap = m_wndWrap.GetCheck() == 0 ? 1 : 0;
  m_wndWrap.SetCheck(wrap);
  EditText([wrap](jvqObject* o, jvqTextFill* f) {
    f->m_Attributes.wrap = wrap;
    if (o->GetClassCode() == JVQ_OBJ_TEXT) ((jvqTextObject*)o)->RecalcLayout();
  });
}

void qvzTextToolBar::OnDirection() {
  if (!CanEditText()) return;
  const int dir = IsDlgButtonChecked(699) ? 0 : JVQ_TEXT_VERTICAL;
  m_bHorizontal = dir == 0;
  EditText([dir](jvqObject* o, jvqTextFill* f) {
    f->m_Attributes.direction = dir;
    if (o->GetClassCode() == JVQ_OBJ_TEXT) ((jvqTextObject*)o)->RecalcLayout();
  });
}

// A toggle changes its look and its flag only when the edit is made.
void qvzTextToolBar::OnBold() {
  if (!CanEdit(m_wndButtons[BOLD])) return;
  m_bBold = !m_bBold;
  m_wndButtons[BOLD].SetCheck(m_bBold);
  const int bold = m_bBold;
  EditText([bold](jvqObject*, jvqTextFill* f) { f->m_Attributes.style = qvzBoldRule(f->m_Attributes.style, bold); });
}

void qvzTextToolBar::OnItalic() {
  if (!CanEdit(m_wndButtons[ITALIC])) return;
  m_bItalic = !m_bItalic;
  m_wndButtons[ITALIC].SetCheck(m_bItalic);
  const int italic = m_bItalic;
  EditText(
      [italic](jvqObject*, jvqTextFill* f) { f->m_Attributes.style = qvzItalicRule(f->m_Attributes.style, italic); });
}

void qvzTextToolBar::OnUnderline() {
  if (!CanEdit(m_wndButtons[UNDERLINE])) return;
  m_bUnderline = !m_bUnderline;
  m_wndButtons[UNDERLINE].SetCheck(m_bUnderline);
  const int kind = m_bUnderline ? 0 : 5;
  EditText([kind](jvqObject*, jvqTextFill* f) { f->m_Attributes.underline = kind; });
}

void qvzTextToolBar::OnAlign(UINT nID) {
  if (m_bShowingValues || m_bApplying) return;
  int n = 0;
  for (int i = LEFT; i <= JUSTIFY; i++)
    if (TextButtons[i].nId == nID) n = i - LEFT + 1;
  if (n == 0) return;
  m_nAlignment = n;
  EditText([n](jvqObject* o, jvqTextFill* f) {
    f->m_Attributes.alignment = n;
    if (o->GetClassCode() == JVQ_OBJ_TEXT) ((jvqTextObject*)o)->RecalcLayout();
  });
  ShowAlignment();
}
