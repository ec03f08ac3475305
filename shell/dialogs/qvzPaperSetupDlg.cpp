#include "qvzPaperSetupDlg.h"

#include "StandardSheets.h"
#include "FillsEqual.h"
#include "jvqBoard.h"
#include "jvqPage.h"
#include "jvqPrinter.h"
#include "jvqSolidFill.h"
#include "jvqView.h"
#include "qvzPaperSizeDlg.h"

#define IDC_PAPER_SHEETS 1145
#define IDC_PAPER_SIZE_TEXT 1157
#define IDC_PAPER_BACKGROUND 746
#define IDC_PAPER_PRINT_BACKGROUND 1161
#define IDC_PAPER_OUTSIDE 1150
#define IDC_PAPER_SIZE_GROUP 726
#define IDC_PAPER_OUTSIDE_GROUP 794
#define IDC_PAPER_PICTURE 793
// The page state bit: print the paper's background.
#define PAGE_PRINT_BACKGROUND 0x200

BEGIN_MESSAGE_MAP(qvzPaperSetupDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_PAPER_SHEETS, OnSelChangeSheet)
END_MESSAGE_MAP()

qvzPaperSetupDlg::qvzPaperSetupDlg(CWnd* pParent)
    : CDialog(IDD, pParent),
      m_pView(NULL),
      m_pBoard(NULL),
      m_pPage(NULL),
      m_nWidth(0),
      m_nHeight(0),
      m_nStartSheet(STANDARD_SHEET_USER),
      m_nChanged(0),
      AllowCancel(1),
      SkipSizeWarning(0),
      m_pOutsideSetting(NULL) {}

void qvzPaperSetupDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PAPER_SHEETS, m_cbSheets);
  DDX_Control(pDX, IDC_PAPER_OUTSIDE, m_picker);
  DDX_Control(pDX, IDC_PAPER_PRINT_BACKGROUND, m_chkPrintBackground);
  DDX_Control(pDX, IDC_PAPER_BACKGROUND, m_btnBackground);
}

BOOL qvzPaperSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_pBoard = m_pView ? m_pView->GetBoard() : NULL;
  m_pPage = m_pBoard ? m_pBoard->GetCurrentPage() : NULL;
  if (m_pPage == NULL) return TRUE;
  m_cbSheets.ResetContent();
  for (int i = 0; i < STANDARD_SHEET_COUNT; i++) m_cbSheets.AddString(STANDARD_SHEETS[i].pszName);
  m_cbSheets.AddString(USER_SHEET_NAME);
  RECT rc;
  m_pPage->GetBoundRect(&rc);
  m_nWidth = rc.right - rc.left;
  m_nHeight = rc.bottom - rc.top;
  m_nStartSheet = FindStandardSheet(m_nWidth, m_nHeight);
  m_cbSheets.SetCurSel(m_nStartSheet);
  ShowSize();
  SetBackground(m_pPage->GetFill());
  m_picker.SetColor(m_pView->m_crBackground);
  m_chkPrintBackground.SetCheck((m_pPage->GetState() & PAGE_PRINT_BACKGROUND) ? 1 : 0);
  if (!AllowCancel) {
    // A new blank board needs a sheet: only OK, in the middle, and no close box.
    CWnd* cancel = GetDlgItem(IDCANCEL);
    CWnd* ok = GetDlgItem(IDOK);
    if (cancel) cancel->ShowWindow(SW_HIDE);
    if (ok) {
      CRect client, r;
      GetClientRect(&client);
      ok->GetWindowRect(&r);
      ScreenToClient(&r);
      ok->MoveWindow((client.Width() - r.Width()) / 2, r.top, r.Width(), r.Height());
    }
    ModifyStyle(WS_SYSMENU, 0);
  }
  CentrePicture();
  return TRUE;
}

// The picture sits in the middle of the space left of the groups.
void qvzPaperSetupDlg::CentrePicture() {
  CWnd* pic = GetDlgItem(IDC_PAPER_PICTURE);
  CWnd* top = GetDlgItem(IDC_PAPER_SIZE_GROUP);
  CWnd* bottom = GetDlgItem(IDC_PAPER_OUTSIDE_GROUP);
  if (pic == NULL || top == NULL || bottom == NULL) return;
  CRect self, rTop, rBottom, rPic;
  GetWindowRect(&self);
  top->GetWindowRect(&rTop);
  bottom->GetWindowRect(&rBottom);
  pic->GetWindowRect(&rPic);
  POINT centre = {self.left + (rTop.left - self.left) / 2, rTop.top + (rBottom.bottom - rTop.top) / 2};
  ScreenToClient(&centre);
  pic->MoveWindow(centre.x - rPic.Width() / 2, centre.y - rPic.Height() / 2, rPic.Width(), rPic.Height());
}

void qvzPaperSetupDlg::ShowSize() {
  CString text;
  text.Format("%dmm × %dmm", m_nWidth / 10, m_nHeight / 10);
  SetDlgItemText(IDC_PAPER_SIZE_TEXT, text);
}

void qvzPaperSetupDlg::OnSelChangeSheet() {
  const int n = m_cbSheets.GetCurSel();
  if (n >= 0 && n < STANDARD_SHEET_COUNT) {
    m_nWidth = STANDARD_SHEETS[n].cx;
    m_nHeight = STANDARD_SHEETS[n].cy;
  } else if (n == STANDARD_SHEET_USER) {
    qvzPaperSizeDlg size(this);
    size.m_nWidth = m_nWidth / 10;
    size.m_nHeight = m_nHeight / 10;
    if (size.DoModal() == IDOK) {
      m_nWidth = size.m_nWidth * 10;
      m_nHeight = size.m_nHeight * 10;
    } else if (m_pPage) {
      RECT rc;
      m_pPage->GetBoundRect(&rc);
      m_cbSheets.SetCurSel(FindStandardSheet(rc.right - rc.left, rc.bottom - rc.top));
    }
  }
  ShowSize();
}

void qvzPaperSetupDlg::OnOK() {
  if (m_pPage == NULL || m_pView == NULL) {
    CDialog::OnOK();
    return;
  }
  if (!SkipSizeWarning && m_cbSheets.GetCurSel() != m_nStartSheet && AllowCancel) {
    if (AfxMessageBox("サイズを変更するとレイアウトはくずれます。\r\n実行しますか？",
                      MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDOK)
      return;
  }
  const SIZE sheet = {m_nWidth, m_nHeight};
  thePrinter.SelectPaperForSheet(&sheet);
  thePrinter.CreateDefaultDC();

  RECT old, rc = {0, 0, m_nWidth, m_nHeight};
  m_pPage->GetBoundRect(&old);
  m_nChanged = !::EqualRect(&old, &rc);
  m_pPage->SetPageRect(&rc);

  m_pView->m_Mapping.m_nPageWidth = m_nWidth;
  m_pView->m_Mapping.m_nPageHeight = m_nHeight;
  m_pView->m_Mapping.m_nMinMarginX = (int)(m_nWidth * 1.25);
  m_pView->m_Mapping.m_nMinMarginY = (int)(m_nHeight * 1.25);
  CRect client;
  m_pView->GetClientRect(&client);
  m_pView->RecalcLayout(client.Width(), client.Height());

  jvqFill* background = m_btnBackground.GetFill();
  if (!m_nChanged && !FillsEqual(m_pPage->GetFill(), background)) m_nChanged = 1;
  // A transparent paper would show the colour around it: it becomes white.
  m_pPage->SetFill(background ? background->Clone() : new jvqSolidFill((COLORREF)0xFFFFFF));

  const COLORREF outside = m_picker.GetColor();
  const COLORREF wide = m_pOutsideSetting ? *m_pOutsideSetting : m_pView->m_crBackground;
  if (!m_nChanged && outside != wide) m_nChanged = 1;
  if (m_pOutsideSetting) *m_pOutsideSetting = outside;
  m_pView->m_crBackground = outside;

  const DWORD oldState = m_pPage->m_dwState;
  if (m_chkPrintBackground.GetCheck() == 1)
    m_pPage->m_dwState |= PAGE_PRINT_BACKGROUND;
  else
    m_pPage->m_dwState &= ~PAGE_PRINT_BACKGROUND;
  if (!m_nChanged && oldState != m_pPage->m_dwState) m_nChanged = 1;

  m_pView->Redraw();
  CDialog::OnOK();
}
