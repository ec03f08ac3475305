#include "qvzTextDetailDlg.h"

#include "jvqDrawingResources.h"
#include "jvqSolidFill.h"
#include "qvzMessages.h"
#include "qvzTextRules.h"

const char* const qvzSizeList[15] = {"3mm",  "4mm",  "5mm",  "6mm",  "7mm",  "8mm",  "9mm", "10mm",
                                       "12mm", "15mm", "20mm", "25mm", "30mm", "40mm", "50mm"};
static const UINT AlignIds[4] = {1076, 1100, 1112, 1113};

void qvzFillSizeList(CComboBox* pCombo) {
  for (const char* s : qvzSizeList) pCombo->AddString(s);
}

BOOL qvzInitFaceCombo(CWnd* pParent, UINT nID, CImageComboBox* pCombo) {
  if (!pParent->GetDlgItem(nID) || !pCombo->SubclassDlgItem(nID, pParent)) return FALSE;
  pCombo->m_pFontList = &theFontList;
  pCombo->Initialize();
  pCombo->SetCurSel(0);
  return TRUE;
}

void qvzSelectComboValue(CComboBox* pCombo, LPCTSTR lpszValue) {
  int i = pCombo->FindStringExact(-1, lpszValue);
  if (i < 0) i = pCombo->AddString(lpszValue);
  pCombo->SetCurSel(i);
}

BOOL qvzSelectFace(CComboBox* pCombo, LPCTSTR lpszFace) {
  const int n = pCombo->GetCount();
  for (int i = 0; i < n; i++) {
    CString s;
    pCombo->GetLBText(i, s);
    if (s.CompareNoCase(lpszFace) == 0) {
      pCombo->SetCurSel(i);
      return TRUE;
    }
  }
  return FALSE;
}

BEGIN_MESSAGE_MAP(qvzTextDetailDlg, CDialog)
  ON_STN_CLICKED(711, OnBold)
  ON_STN_CLICKED(1099, OnItalic)
  ON_CONTROL_RANGE(BN_CLICKED, 1076, 1113, OnAlign)
  ON_BN_CLICKED(698, OnVertical)
  ON_BN_CLICKED(699, OnHorizontal)
  ON_CBN_SELCHANGE(1107, OnCharSpacing)
  ON_CBN_SELCHANGE(707, OnLineSpacing)
  ON_CBN_SELCHANGE(702, OnUnderline)
  ON_BN_CLICKED(1114, OnWrap)
END_MESSAGE_MAP()

qvzTextDetailDlg::qvzTextDetailDlg(CWnd* pParent)
    : CDialog(IDD_QVZ_TEXT_DETAIL, pParent), m_crText(0), m_bNoPositionLock(FALSE), m_nSize(0),
      m_nStyleBits(0), m_Listener(this) {
  jvqDefaultTextAttributes(&m_Style);
  m_Style.text = NULL;
}

void qvzTextDetailDlg::SetTextStyle(const jvqTextAttributes& style) {
  m_Style = style;
  m_strFace = style.face ? style.face : "";
  m_strText = style.text ? style.text : "";
  m_nSize = style.charHeight;
  m_nStyleBits = qvzStyleBits(style.style);
  m_wndBold.SetPressed((m_nStyleBits & 2) != 0);
  m_wndItalic.SetPressed((m_nStyleBits & 4) != 0);
}

int qvzTextDetailDlg::GetTextStyle(jvqTextAttributes& out) {
  out = m_Style;
  out.face = m_strFace;
  out.text = m_strText;
  out.pDC = NULL;
  out.charHeight = m_nSize;
  return 1;
}

void qvzTextDetailDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, 1114, m_wndWrap);
  DDX_Control(pDX, 1109, m_wndLock);
  DDX_Control(pDX, 1099, m_wndItalic);
  DDX_Control(pDX, 711, m_wndBold);
  DDX_Control(pDX, 710, m_wndText);
  DDX_Control(pDX, 1065, m_wndSize);
  DDX_Control(pDX, 715, m_wndColor);
  DDX_Control(pDX, 702, m_wndUnderline);
  DDX_Control(pDX, 707, m_wndLineSpacing);
  DDX_Control(pDX, 1107, m_wndCharSpacing);
  for (int i = 0; i < 4; i++) DDX_Control(pDX, AlignIds[i], m_wndAlign[i]);
  DDX_Control(pDX, 686, m_wndFace);
}

BOOL qvzTextDetailDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_wndColor.SetOwnerListener(&m_Listener);
  m_wndColor.SetColor(m_crText);
  m_wndFace.m_pFontList = &theFontList;
  m_wndFace.Initialize();
  if (!qvzSelectFace(&m_wndFace, m_strFace)) m_wndFace.SetCurSel(0);
  UpdateData(FALSE);
  if (m_bNoPositionLock) m_wndLock.EnableWindow(FALSE);
  ShowAlignment();
  CheckDlgButton(698, m_Style.direction == JVQ_TEXT_VERTICAL);
  CheckDlgButton(699, m_Style.direction != JVQ_TEXT_VERTICAL);
  m_wndCharSpacing.SetCurSel(m_Style.charSpacing - 1);
  m_wndLineSpacing.SetCurSel(m_Style.lineSpacing - 1);
  m_wndUnderline.SetCurSel(qvzUnderlineItem(m_Style.underline));
  m_wndWrap.SetCheck(m_Style.wrap ? 1 : 0);
  qvzFillSizeList(&m_wndSize);
  qvzSelectComboValue(&m_wndSize, qvzSizeText(m_nSize));
  m_wndText.SetWindowText(m_strText);
  m_wndText.SetSel(0, -1);
  m_wndText.SetFocus();
  return FALSE;  // the focus is on the text
}

void qvzTextDetailDlg::ShowAlignment() {
  for (int i = 0; i < 4; i++) m_wndAlign[i].SetState(m_Style.alignment == i + 1);
}

void qvzTextDetailDlg::OnBold() {
  m_nStyleBits ^= 2;
  m_wndBold.SetPressed((m_nStyleBits & 2) != 0);
  m_wndItalic.SetPressed((m_nStyleBits & 4) != 0);
}

void qvzTextDetailDlg::OnItalic() {
  m_nStyleBits ^= 4;
  m_wndItalic.SetPressed((m_nStyleBits & 4) != 0);
  m_wndBold.SetPressed((m_nStyleBits & 2) != 0);
}

void qvzTextDetailDlg::OnAlign(UINT nID) {
  int n = 0;
  for (int i = 0; i < 4; i++)
    if (AlignIds[i] == nID) n = i + 1;
  if (n == 0) return;  // another button inside the id range
  m_Style.alignment = n;
  // The pressed look stands for the choice; a default-button frame would confuse it.
  CButton* b = (CButton*)GetDlgItem(nID);
  if (b) b->SetButtonStyle(b->GetButtonStyle() & ~BS_DEFPUSHBUTTON);
  ShowAlignment();
}

void qvzTextDetailDlg::OnVertical() {
  CheckDlgButton(698, 1);
  CheckDlgButton(699, 0);
  m_Style.direction = JVQ_TEXT_VERTICAL;
}

void qvzTextDetailDlg::OnHorizontal() {
  CheckDlgButton(699, 1);
  CheckDlgButton(698, 0);
  m_Style.direction = 0;
}

void qvzTextDetailDlg::OnCharSpacing() { m_Style.charSpacing = m_wndCharSpacing.GetCurSel() + 1; }
void qvzTextDetailDlg::OnLineSpacing() { m_Style.lineSpacing = m_wndLineSpacing.GetCurSel() + 1; }
void qvzTextDetailDlg::OnUnderline() { m_Style.underline = qvzUnderlineKind(m_wndUnderline.GetCurSel()); }
void qvzTextDetailDlg::OnWrap() { m_Style.wrap = m_wndWrap.GetCheck() == 1 ? 1 : 0; }

void qvzTextDetailDlg::Listener::Notify(UINT nCode, const jvqFill* pValue, UINT nID) {
  if (nCode == QVZM_COLORCHANGED && nID == 715) m_pDlg->m_crText = m_pDlg->m_wndColor.GetColor();
}

void qvzTextDetailDlg::OnOK() {
  CString size;
  m_wndSize.GetWindowText(size);
  m_nSize = qvzDialogSizeFromText(size, m_nSize);
  const int sel = m_wndFace.GetCurSel();
  if (sel >= 0) m_wndFace.GetLBText(sel, m_strFace);
  m_wndText.GetWindowText(m_strText);
  m_Style.style = qvzStyleFromBits(m_nStyleBits);
  CDialog::OnOK();
}
