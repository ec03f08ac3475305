#include "qvzPaperSizeDlg.h"

#define IDC_PAPER_WIDTH 1152
#define IDC_PAPER_HEIGHT 1086

qvzPaperSizeDlg::qvzPaperSizeDlg(CWnd* pParent) : CDialog(IDD, pParent), m_nWidth(0), m_nHeight(0) {}

void qvzPaperSizeDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_PAPER_HEIGHT, m_nHeight);
  DDV_MinMaxInt(pDX, m_nHeight, 50, 2000);
  DDX_Text(pDX, IDC_PAPER_WIDTH, m_nWidth);
  DDV_MinMaxInt(pDX, m_nWidth, 50, 2000);
}
