#include "qvzTemplatePages.h"

#include <string.h>

#include <algorithm>

#include "Dib.h"
#include "StandardSheets.h"
#include "qvzTemplateDialog.h"
#include "resource.h"

const int PREVIEW_CELL_IDS[6] = {736, 1138, 739, 740, 1141, 742};
const int PREVIEW_NAME_IDS[6] = {769, 1166, 773, 774, 775, 776};

namespace {
const int kScrollBar = 713;
const int kGridFrame = 1169;
const int kDescription = 1087;
const int kPaperCombo = 1145;
const int kDeleteButton = 1167;

BOOL EndsWithOwnBackslash(const CString& s) {
  if (s.GetLength() < 2 || s.Right(1) != "\\") return FALSE;
  // The backslash must not be the trail byte of a double-byte character.
  const unsigned char* p = (const unsigned char*)(LPCTSTR)s;
  const int n = s.GetLength();
  int i = 0;
  while (i < n - 1) i += ::IsDBCSLeadByte(p[i]) ? 2 : 1;
  return i == n - 1;
}
}  // namespace

BEGIN_MESSAGE_MAP(qvzTemplateGridPage, CPropertyPage)
  ON_CONTROL_RANGE(STN_CLICKED, 736, 1141, OnCell)
  ON_CONTROL_RANGE(STN_DBLCLK, 736, 1141, OnCellDoubleClick)
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_PAINT()
END_MESSAGE_MAP()

qvzTemplateGridPage::qvzTemplateGridPage(UINT nIDTemplate, PreviewTextForm form, int nDescriptionLimit)
    : CPropertyPage(nIDTemplate), m_pSheet(NULL), m_Form(form), m_nDescriptionLimit(nDescriptionLimit) {}

qvzTemplateGridPage::~qvzTemplateGridPage() { ClearLists(); }

void qvzTemplateGridPage::ClearLists() {
  for (int i = 0; i < 6; i++) m_Cells[i].SetPicture(NULL);
  for (CDib* p : m_Pictures) delete p;
  m_Pictures.clear();
  m_Descriptions.clear();
  m_Paths.clear();
}

void qvzTemplateGridPage::LoadTemplateFolder(const CString& strFolder) {
  ClearLists();
  CString pattern, prefix;
  if (!EndsWithOwnBackslash(strFolder)) {
    pattern = strFolder + "\\*.*";
    prefix = strFolder + "\\";
  } else {
    pattern = strFolder + "*.*";
    prefix = strFolder;
  }
  std::vector<CString> found;
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile(pattern, &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
      CString ext = CString(fd.cFileName).Right(4);
      ext.MakeUpper();
      if (ext == ".VQD") found.push_back(prefix + fd.cFileName);
    } while (::FindNextFile(h, &fd));
    ::FindClose(h);
  }
  std::sort(found.begin(), found.end(), [](const CString& a, const CString& b) {
    return _mbscmp((const unsigned char*)(LPCTSTR)a, (const unsigned char*)(LPCTSTR)b) < 0;
  });
  for (const CString& path : found) {
    CString description;
    CDib* pDib = ReadBoardFilePreview(path, m_Form, description);
    if (pDib == NULL) continue;
    m_Pictures.push_back(pDib);
    m_Descriptions.push_back(description);
    m_Paths.push_back(path);
  }
}

void qvzTemplateGridPage::SetUpScrollBar() {
  const int nPages = GetGridPageCount();
  if (nPages > 1) {
    m_wndScroll.EnableWindow(TRUE);
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, nPages - 1, 1, 0, 0};
    m_wndScroll.SetScrollInfo(&si, TRUE);
  } else {
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    m_wndScroll.SetScrollInfo(&si, TRUE);
    m_wndScroll.EnableWindow(FALSE);
  }
}

void qvzTemplateGridPage::EnableSheetOK(BOOL bEnable) {
  if (CWnd* pSheet = GetParent()) {
    if (CWnd* pOK = pSheet->GetDlgItem(IDOK)) pOK->EnableWindow(bEnable);
  }
}

void qvzTemplateGridPage::ShowGridPage(int nPage) {
  for (int i = 0; i < 6; i++) {
    m_Cells[i].SetPicture(NULL);
    SetDlgItemText(PREVIEW_NAME_IDS[i], "");
  }
  for (int i = 0; i < 6; i++) {
    const size_t k = (size_t)(nPage * 6 + i);
    if (k >= m_Paths.size()) break;
    m_Cells[i].SetPicture(m_Pictures[k]);
    const CString& path = m_Paths[k];
    SetDlgItemText(PREVIEW_NAME_IDS[i], path.Mid(path.ReverseFind('\\') + 1));
  }
  if (m_wndScroll.IsWindowEnabled()) m_wndScroll.SetScrollPos(nPage);
}

void qvzTemplateGridPage::SelectCell(int nCell) {
  if (nCell < 0 || nCell >= 6 || m_Cells[nCell].GetPicture() == NULL) return;
  for (int i = 0; i < 6; i++) m_Cells[i].SetSelected(i == nCell);
  const int nPos = m_wndScroll.IsWindowEnabled() ? m_wndScroll.GetScrollPos() : 0;
  const size_t k = (size_t)(nCell + 6 * nPos);
  if (k >= m_Paths.size()) return;
  m_strSelectedPath = m_Paths[k];
  SetDlgItemText(kDescription, m_Descriptions[k]);
}

void qvzTemplateGridPage::ScrollTo(int nPage) {
  if (nPage > GetGridPageCount() - 1) return;
  if (nPage < 0) nPage = 0;
  if (m_wndScroll.IsWindowEnabled()) m_wndScroll.SetScrollPos(nPage);
  ShowGridPage(nPage);
  SelectCell(0);
}

BOOL qvzTemplateGridPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  for (int i = 0; i < 6; i++) {
    m_Cells[i].SubclassDlgItem(PREVIEW_CELL_IDS[i], this);
    m_Cells[i].ModifyStyle(0, SS_NOTIFY);
  }
  m_wndScroll.SubclassDlgItem(kScrollBar, this);
  m_wndDescription.SubclassDlgItem(kDescription, this);
  return TRUE;
}

BOOL qvzTemplateGridPage::OnSetActive() {
  if (m_pSheet != NULL) m_pSheet->m_pActivePage = this;
  const BOOL b = CPropertyPage::OnSetActive();
  EnableSheetOK(!m_Paths.empty());
  return b;
}

void qvzTemplateGridPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  // The box is read-only: whatever a template's description holds is taken as it is.
  DDX_Text(pDX, kDescription, m_strDescriptionOut);
}

void qvzTemplateGridPage::OnCell(UINT nID) {
  for (int i = 0; i < 6; i++)
    if (PREVIEW_CELL_IDS[i] == (int)nID) SelectCell(i);
}

void qvzTemplateGridPage::OnCellDoubleClick(UINT nID) {
  for (int i = 0; i < 6; i++) {
    if (PREVIEW_CELL_IDS[i] != (int)nID || m_Cells[i].GetPicture() == NULL) continue;
    SelectCell(i);
    if (CWnd* pOK = GetParent() ? GetParent()->GetDlgItem(IDOK) : NULL) {
      pOK->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 0));
      pOK->PostMessage(WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(1, 0));
    }
  }
}

void qvzTemplateGridPage::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  const int nCur = m_wndScroll.IsWindowEnabled() ? m_wndScroll.GetScrollPos() : 0;
  switch (nSBCode) {
    case SB_LINEUP:
    case SB_PAGEUP:
      ScrollTo(nCur - 1);
      break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
      ScrollTo(nCur + 1);
      break;
    case SB_THUMBPOSITION:
      ScrollTo((int)nPos);
      break;
    default:
      CPropertyPage::OnVScroll(nSBCode, nPos, pScrollBar);
      break;
  }
}

BOOL qvzTemplateGridPage::OnMouseWheel(UINT, short zDelta, CPoint) {
  if (!m_wndScroll.IsWindowEnabled()) return TRUE;
  SendMessage(WM_VSCROLL, zDelta < 0 ? SB_LINEDOWN : SB_LINEUP, (LPARAM)m_wndScroll.m_hWnd);
  SendMessage(WM_VSCROLL, SB_ENDSCROLL, (LPARAM)m_wndScroll.m_hWnd);
  return TRUE;
}

void qvzTemplateGridPage::OnPaint() {
  CPaintDC dc(this);
  if (CWnd* pFrame = GetDlgItem(kGridFrame)) {
    CRect rc;
    pFrame->GetWindowRect(&rc);
    ScreenToClient(&rc);
    dc.DrawFrameControl(&rc, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  }
}

/////////////////////////////////////////////////////////////////////////////
// Sample templates

BEGIN_MESSAGE_MAP(qvzDefaultTempPage, qvzTemplateGridPage)
  ON_CBN_SELCHANGE(kPaperCombo, OnPaperChange)
END_MESSAGE_MAP()

qvzDefaultTempPage::qvzDefaultTempPage()
    : qvzTemplateGridPage(1045, PREVIEW_TEXT_SAMPLE, 1024), m_nSheetWidth(4200), m_nSheetHeight(2970) {}

BOOL qvzDefaultTempPage::OnInitDialog() {
  qvzTemplateGridPage::OnInitDialog();
  m_wndPaper.SubclassDlgItem(kPaperCombo, this);
  if (m_wndPaper.GetCount() == 0)
    for (const StandardSheet& s : STANDARD_SHEETS) m_wndPaper.AddString(s.pszName);
  m_wndPaper.SetCurSel(3);
  m_nSheetWidth = STANDARD_SHEETS[3].nWidth;
  m_nSheetHeight = STANDARD_SHEETS[3].nHeight;
  LoadTemplateFolder(SampleTemplateFolder(m_nSheetWidth, m_nSheetHeight));
  if (!m_Paths.empty()) {
    SetUpScrollBar();
    ShowGridPage(0);
    SelectCell(0);
    m_Cells[0].SetFocus();
  } else {
    SetUpScrollBar();
  }
  return FALSE;
}

void qvzDefaultTempPage::OnPaperChange() {
  const int n = m_wndPaper.GetCurSel();
  if (n < 0 || n >= 12) return;
  const StandardSheet& s = STANDARD_SHEETS[n];
  LoadTemplateFolder(SampleTemplateFolder(s.nWidth, s.nHeight));
  SetUpScrollBar();
  ShowGridPage(0);
  for (int i = 0; i < 6; i++) m_Cells[i].SetSelected(FALSE);
  m_strSelectedPath.Empty();
  SetDlgItemText(kDescription, "");
  SelectCell(0);
  EnableSheetOK(!m_Paths.empty());
  m_nSheetWidth = s.nWidth;
  m_nSheetHeight = s.nHeight;
  m_wndScroll.SetFocus();
}

/////////////////////////////////////////////////////////////////////////////
// The user's templates

BEGIN_MESSAGE_MAP(qvzCustomTempPage, qvzTemplateGridPage)
  ON_BN_CLICKED(kDeleteButton, OnDeleteTemplate)
END_MESSAGE_MAP()

qvzCustomTempPage::qvzCustomTempPage() : qvzTemplateGridPage(678, PREVIEW_TEXT_TEMPLATE, 256) {}

BOOL qvzCustomTempPage::OnInitDialog() {
  qvzTemplateGridPage::OnInitDialog();
  LoadTemplateFolder(TemplateFolder());
  GetDlgItem(kDeleteButton)->EnableWindow(!m_Paths.empty());
  EnableSheetOK(!m_Paths.empty());
  SetUpScrollBar();
  m_Cells[0].SetFocus();
  ShowGridPage(0);
  SelectCell(0);
  return FALSE;
}

void qvzCustomTempPage::OnDeleteTemplate() {
  if (m_Paths.empty()) return;
  if (MessageBox(m_strSelectedPath + "を削除します。\nよろしいですか？", "ひな型ファイルの削除", MB_OKCANCEL) != IDOK)
    return;
  ::DeleteFile(m_strSelectedPath);
  m_strSelectedPath.Empty();
  SetDlgItemText(kDescription, "");
  LoadTemplateFolder(TemplateFolder());
  GetDlgItem(kDeleteButton)->EnableWindow(!m_Paths.empty());
  EnableSheetOK(!m_Paths.empty());
  SetUpScrollBar();
  ShowGridPage(0);
  SelectCell(0);
}
