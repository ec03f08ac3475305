#include "qvzPrintOffsetDlg.h"

#include <stdlib.h>

#define IDC_OFFSET_RIGHT 735
#define IDC_OFFSET_DOWN 696

void qvzPrintOffsetDlg::SetOffset(int nRight, int nDown) {
  m_strRight.Format("%d", nRight / 10);
  m_strDown.Format("%d", nDown / 10);
}

void qvzPrintOffsetDlg::GetOffset(int* pRight, int* pDown) const {
  *pRight = atoi(m_strRight) * 10;
  *pDown = atoi(m_strDown) * 10;
}

void qvzPrintOffsetDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_OFFSET_RIGHT, m_strRight);
  DDX_Text(pDX, IDC_OFFSET_DOWN, m_strDown);
}
