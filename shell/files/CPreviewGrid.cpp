#include "CPreviewGrid.h"

#include "Dib.h"

const int PREVIEW_CELL_IDS[6] = {736, 1138, 739, 740, 1141, 742};
const int PREVIEW_NAME_IDS[6] = {769, 1166, 773, 774, 775, 776};

void CPreviewGrid::Attach(CWnd* pHost) {
  m_pHost = pHost;
  for (int i = 0; i < 6; i++) {
    m_Cells[i].SubclassDlgItem(PREVIEW_CELL_IDS[i], pHost);
    m_Cells[i].ModifyStyle(0, SS_NOTIFY);
  }
  m_wndScroll.SubclassDlgItem(713, pHost);
}

void CPreviewGrid::Clear() {
  for (int i = 0; i < 6; i++) m_Cells[i].SetPicture(NULL);
  for (CDib* p : m_Pictures) delete p;
  m_Pictures.clear();
  m_Descriptions.clear();
  m_Paths.clear();
  m_Names.clear();
  m_nSelected = -1;
}

void CPreviewGrid::Add(CDib* pPicture, const CString& strDescription, const CString& strPath,
                       const CString& strName) {
  m_Pictures.push_back(pPicture);
  m_Descriptions.push_back(strDescription);
  m_Paths.push_back(strPath);
  m_Names.push_back(strName);
}

int CPreviewGrid::GetScrollPos() const {
  return m_wndScroll.m_hWnd && m_wndScroll.IsWindowEnabled() ? m_wndScroll.GetScrollPos() : 0;
}

void CPreviewGrid::SetUpScrollBar() {
  const int nPages = GetPageCount();
  SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, nPages > 1 ? nPages - 1 : 0, nPages > 1 ? 1u : 0u,
                   0, 0};
  if (nPages > 1) m_wndScroll.EnableWindow(TRUE);
  m_wndScroll.SetScrollInfo(&si, TRUE);
  if (nPages <= 1) m_wndScroll.EnableWindow(FALSE);
}

void CPreviewGrid::ShowPage(int nPage) {
  for (int i = 0; i < 6; i++) {
    m_Cells[i].SetPicture(NULL);
    m_pHost->SetDlgItemText(PREVIEW_NAME_IDS[i], "");
  }
  for (int i = 0; i < 6; i++) {
    const int k = nPage * 6 + i;
    if (k >= GetCount()) break;
    m_Cells[i].SetPicture(m_Pictures[k]);
    m_pHost->SetDlgItemText(PREVIEW_NAME_IDS[i], m_Names[k]);
  }
  if (m_wndScroll.IsWindowEnabled()) m_wndScroll.SetScrollPos(nPage);
}

BOOL CPreviewGrid::SelectCell(int nCell) {
  if (nCell < 0 || nCell >= 6 || m_Cells[nCell].GetPicture() == NULL) return FALSE;
  for (int i = 0; i < 6; i++) m_Cells[i].SetSelected(i == nCell);
  const int k = nCell + 6 * GetScrollPos();
  if (k >= GetCount()) return FALSE;
  m_nSelected = k;
  return TRUE;
}

void CPreviewGrid::ScrollTo(int nPage) {
  if (nPage > GetPageCount() - 1) return;
  if (nPage < 0) nPage = 0;
  if (m_wndScroll.IsWindowEnabled()) m_wndScroll.SetScrollPos(nPage);
  ShowPage(nPage);
}

BOOL CPreviewGrid::OnScroll(UINT nSBCode, UINT nPos, BOOL bTrack) {
  const int nCur = GetScrollPos();
  switch (nSBCode) {
    case SB_LINEUP:
    case SB_PAGEUP:
      ScrollTo(nCur - 1);
      return TRUE;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
      ScrollTo(nCur + 1);
      return TRUE;
    case SB_THUMBPOSITION:
      ScrollTo((int)nPos);
      return TRUE;
    case SB_THUMBTRACK:
      if (!bTrack) return FALSE;
      ScrollTo((int)nPos);
      return TRUE;
    default:
      return FALSE;
  }
}

void CPreviewGrid::OnWheel(short zDelta) {
  if (!m_wndScroll.IsWindowEnabled()) return;
  m_pHost->SendMessage(WM_VSCROLL, zDelta < 0 ? SB_LINEDOWN : SB_LINEUP, (LPARAM)m_wndScroll.m_hWnd);
  m_pHost->SendMessage(WM_VSCROLL, SB_ENDSCROLL, (LPARAM)m_wndScroll.m_hWnd);
}

int CPreviewGrid::CellOf(UINT nID) const {
  for (int i = 0; i < 6; i++)
    if (PREVIEW_CELL_IDS[i] == (int)nID) return i;
  return -1;
}

void CPreviewGrid::PaintFrame(CDC* pDC, int nFrameID) {
  if (CWnd* pFrame = m_pHost->GetDlgItem(nFrameID)) {
    CRect rc;
    pFrame->GetWindowRect(&rc);
    m_pHost->ScreenToClient(&rc);
    pDC->DrawFrameControl(&rc, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  }
}
