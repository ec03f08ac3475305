#include "qvzTemplatePages.h"

#include <string.h>

#include <algorithm>

#include "Dib.h"
#include "StandardSheets.h"
#include "qvzTemplateDialog.h"
#include "resource.h"

namespace {
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

qvzTemplateGridPage::qvzTemplateGridPage(UINT nIDTemplate, PreviewTextForm form)
    : CPropertyPage(nIDTemplate), m_pSheet(NULL), m_Form(form) {}

void qvzTemplateGridPage::LoadTemplateFolder(const CString& strFolder) {
  m_Grid.Clear();
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
    if (pDib != NULL) m_Grid.Add(pDib, description, path, path.Mid(path.ReverseFind('\\') + 1));
  }
}

void qvzTemplateGridPage::EnableSheetOK(BOOL bEnable) {
  if (CWnd* pSheet = GetParent()) {
    if (CWnd* pOK = pSheet->GetDlgItem(IDOK)) pOK->EnableWindow(bEnable);
  }
}

void qvzTemplateGridPage::ShowGridPage(int nPage) { m_Grid.ShowPage(nPage); }

void qvzTemplateGridPage::SelectCell(int nCell) {
  if (!m_Grid.SelectCell(nCell)) return;
  m_strSelectedPath = m_Grid.m_Paths[m_Grid.m_nSelected];
  SetDlgItemText(kDescription, m_Grid.m_Descriptions[m_Grid.m_nSelected]);
}

BOOL qvzTemplateGridPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_Grid.Attach(this);
  m_wndDescription.SubclassDlgItem(kDescription, this);
  return TRUE;
}

BOOL qvzTemplateGridPage::OnSetActive() {
  if (m_pSheet != NULL) m_pSheet->m_pActivePage = this;
  const BOOL b = CPropertyPage::OnSetActive();
  EnableSheetOK(m_Grid.GetCount() > 0);
  return b;
}

void qvzTemplateGridPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  // The box is read-only: whatever a template's description holds is taken as it is.
  DDX_Text(pDX, kDescription, m_strDescriptionOut);
}

void qvzTemplateGridPage::OnCell(UINT nID) { SelectCell(m_Grid.CellOf(nID)); }

void qvzTemplateGridPage::OnCellDoubleClick(UINT nID) {
  const int k = m_Grid.CellOf(nID);
  if (k < 0 || m_Grid.m_Cells[k].GetPicture() == NULL) return;
  SelectCell(k);
  if (CWnd* pOK = GetParent() ? GetParent()->GetDlgItem(IDOK) : NULL) {
    pOK->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 0));
    pOK->PostMessage(WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(1, 0));
  }
}

void qvzTemplateGridPage::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  const int nBefore = m_Grid.GetScrollPos();
  if (!m_Grid.OnScroll(nSBCode, nPos, FALSE)) {
    CPropertyPage::OnVScroll(nSBCode, nPos, pScrollBar);
    return;
  }
  if (m_Grid.GetScrollPos() != nBefore || nSBCode == SB_THUMBPOSITION) SelectCell(0);
}

BOOL qvzTemplateGridPage::OnMouseWheel(UINT, short zDelta, CPoint) {
  m_Grid.OnWheel(zDelta);
  return TRUE;
}

void qvzTemplateGridPage::OnPaint() {
  CPaintDC dc(this);
  m_Grid.PaintFrame(&dc, kGridFrame);
}

/////////////////////////////////////////////////////////////////////////////
// Sample templates

BEGIN_MESSAGE_MAP(qvzDefaultTempPage, qvzTemplateGridPage)
  ON_CBN_SELCHANGE(kPaperCombo, OnPaperChange)
END_MESSAGE_MAP()

qvzDefaultTempPage::qvzDefaultTempPage()
    : qvzTemplateGridPage(1045, PREVIEW_TEXT_SAMPLE), m_nSheetWidth(4200), m_nSheetHeight(2970) {}

BOOL qvzDefaultTempPage::OnInitDialog() {
  qvzTemplateGridPage::OnInitDialog();
  m_wndPaper.SubclassDlgItem(kPaperCombo, this);
  if (m_wndPaper.GetCount() == 0)
    for (int i = 0; i < STANDARD_SHEET_COUNT; i++) m_wndPaper.AddString(STANDARD_SHEETS[i].pszName);
  m_wndPaper.SetCurSel(3);
  m_nSheetWidth = STANDARD_SHEETS[3].cx;
  m_nSheetHeight = STANDARD_SHEETS[3].cy;
  LoadTemplateFolder(SampleTemplateFolder(m_nSheetWidth, m_nSheetHeight));
  if (m_Grid.GetCount() > 0) {
    m_Grid.SetUpScrollBar();
    ShowGridPage(0);
    SelectCell(0);
    m_Grid.m_Cells[0].SetFocus();
  } else {
    m_Grid.SetUpScrollBar();
  }
  return FALSE;
}

void qvzDefaultTempPage::OnPaperChange() {
  const int n = m_wndPaper.GetCurSel();
  if (n < 0 || n >= 12) return;
  const StandardSheet& s = STANDARD_SHEETS[n];
  LoadTemplateFolder(SampleTemplateFolder(s.cx, s.cy));
  m_Grid.SetUpScrollBar();
  ShowGridPage(0);
  for (int i = 0; i < 6; i++) m_Grid.m_Cells[i].SetSelected(FALSE);
  m_strSelectedPath.Empty();
  SetDlgItemText(kDescription, "");
  SelectCell(0);
  EnableSheetOK(m_Grid.GetCount() > 0);
  m_nSheetWidth = s.cx;
  m_nSheetHeight = s.cy;
  m_Grid.m_wndScroll.SetFocus();
}

/////////////////////////////////////////////////////////////////////////////
// The user's templates

BEGIN_MESSAGE_MAP(qvzCustomTempPage, qvzTemplateGridPage)
  ON_BN_CLICKED(kDeleteButton, OnDeleteTemplate)
END_MESSAGE_MAP()

qvzCustomTempPage::qvzCustomTempPage() : qvzTemplateGridPage(678, PREVIEW_TEXT_TEMPLATE) {}

BOOL qvzCustomTempPage::OnInitDialog() {
  qvzTemplateGridPage::OnInitDialog();
  LoadTemplateFolder(TemplateFolder());
  GetDlgItem(kDeleteButton)->EnableWindow(m_Grid.GetCount() > 0);
  EnableSheetOK(m_Grid.GetCount() > 0);
  m_Grid.SetUpScrollBar();
  m_Grid.m_Cells[0].SetFocus();
  ShowGridPage(0);
  SelectCell(0);
  return FALSE;
}

void qvzCustomTempPage::OnDeleteTemplate() {
  if (m_Grid.GetCount() == 0) return;
  if (MessageBox(m_strSelectedPath + "を削除します。\nよろしいですか？", "ひな型ファイルの削除", MB_OKCANCEL) != IDOK)
    return;
  ::DeleteFile(m_strSelectedPath);
  m_strSelectedPath.Empty();
  SetDlgItemText(kDescription, "");
  LoadTemplateFolder(TemplateFolder());
  GetDlgItem(kDeleteButton)->EnableWindow(m_Grid.GetCount() > 0);
  EnableSheetOK(m_Grid.GetCount() > 0);
  m_Grid.SetUpScrollBar();
  ShowGridPage(0);
  SelectCell(0);
}
