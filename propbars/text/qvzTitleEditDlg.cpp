#include "qvzTitleEditDlg.h"

#include "jvqBannerObject.h"
#include "jvqDrawingResources.h"
#include "jvqObjectDefaults.h"
#include "qvzMessages.h"
#include "qvzTextDetailDlg.h"

#define ID_TITLE_PREVIEW 101

BEGIN_MESSAGE_MAP(qvzTitleEditDlg, CDialog)
  ON_STN_CLICKED(711, OnBold)
  ON_STN_CLICKED(1099, OnItalic)
  ON_BN_CLICKED(1139, OnHorizontal)
  ON_BN_CLICKED(738, OnVertical)
  ON_CBN_SELCHANGE(686, OnFace)
  ON_BN_CLICKED(1136, OnShadow)
  ON_BN_CLICKED(ID_TITLE_PREVIEW, OnPreviewPick)
END_MESSAGE_MAP()

static int ClampShape(int n) { return n < 1 ? 1 : n > 12 ? 12 : n; }

qvzTitleEditDlg::qvzTitleEditDlg(CWnd* pParent)
    : CDialog(IDD_QVZ_TITLE_EDIT, pParent), m_nStyleBits(0), m_bLocked(0), m_Listener(this) {
  m_Horizontal = m_Vertical = qvzTitleCells{100, 60, 0, 0};
  jvqObject* proto = GetObjectDefaults()->FindPrototype(JVQ_OBJ_BANNER);
  jvqBannerStyle* style = proto ? ((jvqBannerObject*)proto)->GetBannerStyle() : NULL;
  if (style) SetTitleStyle(*style);
}

void qvzTitleEditDlg::SetTitleStyle(const jvqBannerStyle& style) {
  m_Style.Assign(style);
  m_Style.m_Block.shape = ClampShape(m_Style.m_Block.shape);
  m_nStyleBits = qvzStyleBits(m_Style.m_Block.style);
}

BOOL qvzTitleEditDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_wndBold.SubclassDlgItem(711, this);
  m_wndItalic.SubclassDlgItem(1099, this);
  m_wndText.SubclassDlgItem(1140, this);
  m_wndFill.SubclassDlgItem(1116, this);
  m_wndLine.SubclassDlgItem(1117, this);
  m_wndFace.SubclassDlgItem(686, this);
  for (jvqColorPicker* p : {&m_wndText, &m_wndFill, &m_wndLine}) p->SetOwnerListener(&m_Listener);
  m_wndText.SetColor(m_Style.m_crText);
  m_wndFill.SetColor(m_Style.GetBrushColor());
  m_wndLine.SetColor(m_Style.GetPenColor());
  SetDlgItemText(710, m_Style.m_strText);
  CheckDlgButton(1136, m_Style.m_Block.shadow ? 1 : 0);
  ShowToggles();
  // The face list the rest of the program offers, so the face can be changed here too.
  for (jvqFontEntry* e : theFontList) m_wndFace.AddString(e->lf.lfFaceName);
  qvzSelectFace(&m_wndFace, m_Style.m_strFace);

  CRect box;
  GetDlgItem(681)->GetWindowRect(&box);
  ScreenToClient(&box);
  const int sx = ::GetSystemMetrics(SM_CXVSCROLL), sy = ::GetSystemMetrics(SM_CYHSCROLL);
  m_Horizontal = qvzTitlePreviewCells(box.Width(), box.Height(), sx, sy, TRUE);
  m_Vertical = qvzTitlePreviewCells(box.Width(), box.Height(), sx, sy, FALSE);
  m_wndPreview.Create(box, this, ID_TITLE_PREVIEW);
  BuildPreview();

  CheckDlgButton(1139, m_Style.m_Block.horizontal ? 1 : 0);
  CheckDlgButton(738, m_Style.m_Block.horizontal ? 0 : 1);
  CheckDlgButton(1109, m_bLocked ? 1 : 0);
  CEdit* edit = (CEdit*)GetDlgItem(710);
  edit->LimitText(100);
  edit->SetSel(0, -1);
  edit->SetFocus();
  return FALSE;  // the focus is on the text
}

void qvzTitleEditDlg::ShowToggles() {
  m_wndBold.SetPressed((m_nStyleBits & 2) != 0);
  m_wndItalic.SetPressed((m_nStyleBits & 4) != 0);
}

void qvzTitleEditDlg::BuildPreview() {
  const BOOL horizontal = m_Style.m_Block.horizontal != 0;
  const qvzTitleCells& cells = horizontal ? m_Horizontal : m_Vertical;
  m_Style.m_Block.style = qvzStyleFromBits(m_nStyleBits);
  jvqBannerStyle scratch(&m_Style);
  scratch.Assign(m_Style);
  scratch.m_strText = "タイトル";
  scratch.RefreshPointers();
  const RECT r = {0, 0, cells.cx * 10, cells.cy * 10};
  jvqObjectArray items;
  for (int shape = 1; shape <= 12; shape++) {
    scratch.m_Block.shape = shape;
    jvqBannerObject* o = new jvqBannerObject(&r, NULL, &scratch, 0x311);
    o->Recalc();
    items.Add(o);
  }
  m_wndPreview.SetItems(&items, cells, horizontal ? 4 : 6);
  m_wndPreview.SetSelected(m_Style.m_Block.shape - 1);
}

void qvzTitleEditDlg::OnBold() {
  m_nStyleBits ^= 2;
  ShowToggles();
  BuildPreview();
}

void qvzTitleEditDlg::OnItalic() {
  m_nStyleBits ^= 4;
  ShowToggles();
  BuildPreview();
}

void qvzTitleEditDlg::OnHorizontal() {
  m_Style.m_Block.horizontal = 1;
  BuildPreview();
  CheckDlgButton(1139, 1);
  CheckDlgButton(738, 0);
}

void qvzTitleEditDlg::OnVertical() {
  m_Style.m_Block.horizontal = 0;
  BuildPreview();
  CheckDlgButton(738, 1);
  CheckDlgButton(1139, 0);
}

void qvzTitleEditDlg::OnFace() {
  const int sel = m_wndFace.GetCurSel();
  if (sel < 0) return;
  m_wndFace.GetLBText(sel, m_Style.m_strFace);
  m_Style.RefreshPointers();
  BuildPreview();
}

void qvzTitleEditDlg::OnShadow() {
  m_Style.m_Block.shadow = IsDlgButtonChecked(1136) ? 1 : 0;
  BuildPreview();
}

// A shape picked in the grid becomes the style's, so later rebuilds keep it marked.
void qvzTitleEditDlg::OnPreviewPick() {
  const int i = m_wndPreview.GetSelected();
  if (i >= 0) m_Style.m_Block.shape = i + 1;
}

void qvzTitleEditDlg::Listener::Notify(UINT nCode, const jvqFill* pValue, UINT nID) {
  if (nCode != QVZM_COLORCHANGED) return;
  qvzTitleEditDlg* d = m_pDlg;
  switch (nID) {
    case 1140: d->m_Style.m_crText = d->m_wndText.GetColor(); break;
    case 1116: d->m_Style.SetBrushColor(d->m_wndFill.GetColor()); break;
    case 1117: d->m_Style.SetPenColor(d->m_wndLine.GetColor()); break;
    default: return;
  }
  d->BuildPreview();
}

void qvzTitleEditDlg::OnOK() {
  CString text, trimmed;
  GetDlgItemText(710, text);
  if (!qvzTrimTitleText(text, &trimmed)) {
    AfxMessageBox("タイトルの文字を入力してください", MB_OK);
    SetDlgItemText(710, "");
    GetDlgItem(710)->SetFocus();
    return;
  }
  m_Style.m_strText = trimmed;
  const int picked = m_wndPreview.GetSelected();
  if (picked >= 0) m_Style.m_Block.shape = picked + 1;
  m_Style.m_Block.style = qvzStyleFromBits(m_nStyleBits);
  m_Style.RefreshPointers();
  m_bLocked = IsDlgButtonChecked(1109) ? 1 : 0;
  CDialog::OnOK();
}
