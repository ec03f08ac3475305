#include "qvzGridDlg.h"

#include <math.h>
#include <stdlib.h>

#include "jvqBoard.h"
#include "jvqView.h"
#include "qvzAppSettings.h"

#define IDC_GRID_SPACING 1151
#define IDC_GRID_SPIN 764
#define IDC_GRID_COLOR 753
#define IDC_GRID_TYPE 751

qvzGridDlg::qvzGridDlg(CWnd* pParent) : CDialog(IDD, pParent), m_pView(NULL), m_pSettings(NULL) {}

void qvzGridDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_GRID_SPIN, m_spin);
  DDX_Control(pDX, IDC_GRID_COLOR, m_picker);
  DDX_Control(pDX, IDC_GRID_TYPE, m_cbType);
}

BOOL qvzGridDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  jvqBoard* b = m_pView ? m_pView->GetBoard() : NULL;
  if (b == NULL) return TRUE;
  m_picker.SetColor(b->m_crGrid);
  m_spin.SetBuddy(GetDlgItem(IDC_GRID_SPACING));
  m_spin.SetRange(0, 10000);
  // The board keeps five units a millimetre.
  CString text;
  text.Format("%d", (int)floor(b->m_nGridSpacing * 0.2 + 0.5));
  SetDlgItemText(IDC_GRID_SPACING, text);
  m_cbType.ResetContent();
  m_cbType.AddString("直線");
  m_cbType.AddString("点");
  m_cbType.AddString("十字");
  m_cbType.SetCurSel(b->m_nGridStyle == 1 || b->m_nGridStyle == 2 ? b->m_nGridStyle : 0);
  return TRUE;
}

void qvzGridDlg::OnOK() {
  jvqBoard* b = m_pView ? m_pView->GetBoard() : NULL;
  if (b == NULL) {
    CDialog::OnOK();
    return;
  }
  const COLORREF cr = m_picker.GetColor();
  CString text;
  GetDlgItemText(IDC_GRID_SPACING, text);
  const int spacing = atoi(text) * 10 / 2;
  const int sel = m_cbType.GetCurSel();
  const int type = sel == 1 || sel == 2 ? sel : 0;
  b->m_crGrid = cr;
  b->m_nGridSpacing = spacing;
  b->m_nGridStyle = type;
  if (m_pSettings) {
    m_pSettings->crGrid = cr;
    m_pSettings->nGridSpacing = spacing;
    m_pSettings->nGridType = type;
  }
  m_pView->Redraw();
  CDialog::OnOK();
}
