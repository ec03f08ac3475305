#include "qvzOpenFileDlg.h"

#include <string.h>

#include <algorithm>

#include "BoardFilePreview.h"
#include "Dib.h"
#include "qvzApp.h"
#include "qvzMessages.h"

namespace {
const int kTree = 767, kPath = 768, kDescription = 1082, kGridFrame = 777;

// A folder's picture: its icon in the middle of a white cell.
CDib* MakeFolderPicture(HICON hIcon, CSize size) {
  HDC hScreen = ::GetDC(NULL);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hBmp = ::CreateCompatibleBitmap(hScreen, size.cx, size.cy);
  ::ReleaseDC(NULL, hScreen);
  HGDIOBJ hOld = ::SelectObject(hMem, hBmp);
  RECT rc = {0, 0, size.cx, size.cy};
  ::FillRect(hMem, &rc, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  if (hIcon) ::DrawIcon(hMem, (size.cx - 32) / 2, (size.cy - 32) / 2, hIcon);
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  CDib* p = new CDib;
  if (!p->CreateFromBitmap(hBmp)) {
    delete p;
    p = NULL;
  }
  ::DeleteObject(hBmp);
  return p;
}

HICON GetFolderIcon(LPCTSTR lpszPath) {
  SHFILEINFO sfi = {};
  if (*lpszPath)
    ::SHGetFileInfo(lpszPath, 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_LARGEICON);
  else
    ::SHGetFileInfo("folder", FILE_ATTRIBUTE_DIRECTORY, &sfi, sizeof(sfi),
                    SHGFI_ICON | SHGFI_LARGEICON | SHGFI_USEFILEATTRIBUTES);
  return sfi.hIcon;
}
}  // namespace

BEGIN_MESSAGE_MAP(qvzOpenFileDlg, CDialog)
  ON_MESSAGE(QVZM_FOLDERSELECTED, OnFolderSelected)
  ON_CONTROL_RANGE(STN_CLICKED, 736, 1141, OnCell)
  ON_CONTROL_RANGE(STN_DBLCLK, 736, 1141, OnCellDoubleClick)
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
  ON_WM_PAINT()
END_MESSAGE_MAP()

qvzOpenFileDlg::qvzOpenFileDlg(CWnd* pParent) : CDialog(316, pParent), m_nFolderCount(0) {}

BOOL qvzOpenFileDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_Grid.Attach(this);
  m_wndPath.SubclassDlgItem(kPath, this);
  m_wndDescription.SubclassDlgItem(kDescription, this);
  m_wndTree.SubclassDlgItem(kTree, this);
  m_wndTree.Initialize();
  const DWORD a = ::GetFileAttributes(m_strStartFolder);
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) m_strStartFolder = theQvzApp()->m_strAppFolder;
  if (!m_strStartFolder.IsEmpty()) {
    CWaitCursor wait;
    m_wndTree.SelectPath(m_strStartFolder);
  }
  m_wndTree.SetFocus();
  if (m_Grid.GetCount() > 0) {
    m_Grid.SetUpScrollBar();
    ShowGridPage(0);
    SelectCell(0);
    m_Grid.m_Cells[0].SetFocus();
  }
  return FALSE;
}

LRESULT qvzOpenFileDlg::OnFolderSelected(WPARAM wParam, LPARAM lParam) {
  if (wParam != (WPARAM)kTree || lParam == 0) return 0;
  SetDlgItemText(kDescription, "");
  SetDlgItemText(kPath, "");
  m_strSelectedPath.Empty();
  CWaitCursor wait;
  m_strCurrentFolder = ((const FolderSelectedRecord*)lParam)->szPath;
  LoadBoardFolder(m_strCurrentFolder);
  m_Grid.SetUpScrollBar();
  ShowGridPage(0);
  SelectCell(0);
  return 0;
}

void qvzOpenFileDlg::LoadBoardFolder(const CString& strFolder) {
  m_Grid.Clear();
  m_nFolderCount = 0;
  std::vector<CString> files;
  if (!strFolder.IsEmpty()) {
    const BOOL bSlash = strFolder.GetLength() >= 2 && strFolder.Right(1) == "\\";
    const CString prefix = bSlash ? strFolder : strFolder + "\\";
    WIN32_FIND_DATA fd;
    HANDLE h = ::FindFirstFile(prefix + "*.*", &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
        CString ext = CString(fd.cFileName).Right(4);
        ext.MakeUpper();
        if (ext == ".VQD") files.push_back(fd.cFileName);
      } while (::FindNextFile(h, &fd));
      ::FindClose(h);
    }
    std::sort(files.begin(), files.end(), [](const CString& a, const CString& b) { return strcmp(a, b) < 0; });
    for (CString& f : files) f = prefix + f;
  }
  // The selected item's children, expanded once so that they exist.
  CRect rcCell;
  m_Grid.m_Cells[0].GetClientRect(&rcCell);
  HTREEITEM hSel = m_wndTree.GetSelectedItem();
  if (hSel != NULL) {
    m_wndTree.SetRedraw(FALSE);
    const BOOL bExpanded = (m_wndTree.GetItemState(hSel, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    if (!bExpanded) {
      m_wndTree.Expand(hSel, TVE_EXPAND);
      m_wndTree.Expand(hSel, TVE_COLLAPSE);
    }
    m_wndTree.SetRedraw(TRUE);
    for (HTREEITEM c = m_wndTree.GetChildItem(hSel); c != NULL; c = m_wndTree.GetNextSiblingItem(c)) {
      char szPath[MAX_PATH * 2] = "";
      m_wndTree.GetItemPath(c, szPath);
      HICON hIcon = GetFolderIcon(szPath);
      CDib* p = MakeFolderPicture(hIcon, rcCell.Size());
      if (hIcon) ::DestroyIcon(hIcon);
      if (p == NULL) continue;
      m_Grid.Add(p, CString(), szPath, m_wndTree.GetItemText(c));
      m_nFolderCount++;
    }
  }
  for (const CString& path : files) {
    CString description;
    CDib* p = ReadBoardFilePreview(path, PREVIEW_TEXT_BOARD, description);
    if (p == NULL) continue;
    m_Grid.Add(p, description, path, path.Mid(path.ReverseFind('\\') + 1));
    SetDlgItemText(kDescription, description);
  }
}

void qvzOpenFileDlg::SelectCell(int nCell) {
  if (!m_Grid.SelectCell(nCell)) return;
  m_strSelectedPath = m_Grid.m_Paths[m_Grid.m_nSelected];
  SetDlgItemText(kPath, m_strSelectedPath);
  SetDlgItemText(kDescription, m_Grid.m_Descriptions[m_Grid.m_nSelected]);
}

BOOL qvzOpenFileDlg::SelectedIsFolder() const {
  if (m_Grid.m_nSelected < 0) return FALSE;
  CString ext = m_strSelectedPath.Right(4);
  ext.MakeUpper();
  const DWORD a = ::GetFileAttributes(m_strSelectedPath);
  return m_Grid.m_nSelected < m_nFolderCount || ext != ".VQD" ||
         (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY));
}

void qvzOpenFileDlg::EnterSelectedFolder() {
  HTREEITEM hSel = m_wndTree.GetSelectedItem();
  if (hSel == NULL || m_Grid.m_nSelected < 0) return;
  HTREEITEM c = m_wndTree.GetChildItem(hSel);
  for (int i = 0; c != NULL && i < m_Grid.m_nSelected; i++) c = m_wndTree.GetNextSiblingItem(c);
  if (c == NULL) return;
  const CString path = m_strSelectedPath;
  m_wndTree.Expand(c, TVE_EXPAND);
  m_wndTree.SelectItem(c);
  SetDlgItemText(kPath, path);
}

// OK chooses a board; on a folder cell it enters the folder, on an empty grid it does
// nothing.
void qvzOpenFileDlg::OnOK() {
  if (m_Grid.GetCount() == 0 || m_strSelectedPath.IsEmpty()) return;
  if (SelectedIsFolder()) {
    EnterSelectedFolder();
    return;
  }
  EndDialog(IDOK);
}

void qvzOpenFileDlg::OnCell(UINT nID) { SelectCell(m_Grid.CellOf(nID)); }

void qvzOpenFileDlg::OnCellDoubleClick(UINT nID) {
  const int k = m_Grid.CellOf(nID);
  if (k < 0 || m_Grid.m_Cells[k].GetPicture() == NULL) return;
  SelectCell(k);
  if (SelectedIsFolder())
    EnterSelectedFolder();
  else
    EndDialog(IDOK);
}

void qvzOpenFileDlg::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar == NULL || pScrollBar->m_hWnd != m_Grid.m_wndScroll.m_hWnd) {
    CDialog::OnVScroll(nSBCode, nPos, pScrollBar);
    return;
  }
  const int nBefore = m_Grid.GetScrollPos();
  if (m_Grid.OnScroll(nSBCode, nPos, TRUE) && m_Grid.GetScrollPos() != nBefore) SelectCell(0);
}

BOOL qvzOpenFileDlg::OnMouseWheel(UINT, short zDelta, CPoint) {
  m_Grid.OnWheel(zDelta);
  return TRUE;
}

void qvzOpenFileDlg::OnPaint() {
  CPaintDC dc(this);
  m_Grid.PaintFrame(&dc, kGridFrame);
}
