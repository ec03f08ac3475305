#include "CViewFileDialog.h"

#include <dlgs.h>

#include "ThumbnailLayout.h"
#include "resource.h"

BOOL CViewFileDialog::s_bPreview = TRUE;

// One picture dialog at a time: its list and the frame procedure it replaced.
static CThumbnailList* s_pPreviewList = NULL;
static WNDPROC s_pfnFrameProc = NULL;

LRESULT CALLBACK PreviewPaletteProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_PALETTECHANGED || message == WM_QUERYNEWPALETTE) && s_pPreviewList &&
      s_pPreviewList->m_hWnd) {
    const size_t first = (size_t)s_pPreviewList->TopRow() * THUMBNAIL_COLUMNS;
    for (size_t i = first; i < first + THUMBNAIL_COLUMNS && i < s_pPreviewList->m_Items.size(); i++) {
      ThumbnailItem* item = s_pPreviewList->m_Items[i];
      if (item && item->pCell->m_hWnd) ::SendMessage(item->pCell->m_hWnd, message, wParam, lParam);
    }
  }
  WNDPROC proc = s_pfnFrameProc;
  return proc ? ::CallWindowProc(proc, hWnd, message, wParam, lParam) : ::DefWindowProc(hWnd, message, wParam, lParam);
}

static void RestoreFrameProc(HWND hWndFrame) {
  if (s_pfnFrameProc == NULL) return;
  if (hWndFrame && (WNDPROC)::GetWindowLongPtr(hWndFrame, GWLP_WNDPROC) == PreviewPaletteProc)
    ::SetWindowLongPtr(hWndFrame, GWLP_WNDPROC, (LONG_PTR)s_pfnFrameProc);
  s_pfnFrameProc = NULL;
}

BEGIN_MESSAGE_MAP(CViewFileDialog, CFileDialog)
  ON_BN_CLICKED(IDC_PICTURE_PREVIEW, OnPreviewToggle)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CViewFileDialog::CViewFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                                 LPCTSTR lpszFilter, CWnd* pParentWnd, LPCTSTR lpszInitialDir)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd),
      m_nPreviewHeight(0),
      m_nFilterIndex(1),
      m_nFills(0),
      m_strPictureFilter(lpszFilter),
      m_strInitialDir(lpszInitialDir),
      m_bAreaShown(TRUE),
      m_bFilling(FALSE),
      m_bRefill(FALSE),
      m_bStop(FALSE),
      m_bPumpGuard(FALSE) {
  m_ofn.hInstance = AfxGetResourceHandle();
  m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_PICTURE_OPEN);
  m_ofn.lpstrTitle = "画像ファイルを開く";
  m_ofn.nFilterIndex = 1;
  if (!m_strInitialDir.IsEmpty()) m_ofn.lpstrInitialDir = m_strInitialDir;
  m_ofn.Flags |= OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK |
                 OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
}

int CViewFileDialog::DoModal() {
  m_ofn.Flags &= ~OFN_ENABLESIZING;
  return CFileDialog::DoModal();
}

BOOL CViewFileDialog::MatchesFilter(int nIndex, LPCTSTR lpszFilter, LPCTSTR lpszExt) {
  return MatchesPictureFilter(nIndex, lpszFilter, lpszExt);
}

CString CViewFileDialog::CurrentFolder() {
  CString folder;
  HWND frame = Frame();
  if (frame == NULL) return folder;
  LPTSTR buf = folder.GetBuffer(MAX_PATH);
  const LRESULT n = ::SendMessage(frame, CDM_GETFOLDERPATH, MAX_PATH, (LPARAM)buf);
  folder.ReleaseBuffer(n > 0 ? -1 : 0);
  return folder;
}

int CViewFileDialog::CurrentFilterIndex() {
  // The type box of the frame knows the choice at once; the structure may learn it later.
  const LRESULT sel = ::SendDlgItemMessage(Frame(), cmb1, CB_GETCURSEL, 0, 0);
  return sel >= 0 ? (int)sel + 1 : (int)m_ofn.nFilterIndex;
}

BOOL CViewFileDialog::PreviewTicked() { return IsDlgButtonChecked(IDC_PICTURE_PREVIEW) == BST_CHECKED; }

// Each matching file of the folder, by its last four characters.
template <class Visit>
static void ForEachPicture(const CString& strFolder, int nIndex, LPCTSTR lpszFilter, Visit visit) {
  CString pattern = strFolder;
  if (pattern.IsEmpty() || ThumbnailFolder(pattern) == pattern) pattern += "\\";
  pattern += "*.*";
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile(pattern, &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
    const CString name = fd.cFileName;
    if (!MatchesPictureFilter(nIndex, lpszFilter, PictureExtension(name))) continue;
    if (!visit(name)) break;
  } while (::FindNextFile(h, &fd));
  ::FindClose(h);
}

BOOL CViewFileDialog::FolderHasPictures() {
  BOOL found = FALSE;
  ForEachPicture(CurrentFolder(), CurrentFilterIndex(), m_strPictureFilter, [&](const CString&) {
    found = TRUE;
    return FALSE;
  });
  return found;
}

int CViewFileDialog::CollectPictureFiles(const CString& strFolder, CStringArray& names) {
  ForEachPicture(strFolder, CurrentFilterIndex(), m_strPictureFilter, [&](const CString& name) {
    names.Add(name);
    return PumpWhileFilling();
  });
  return (int)names.GetSize();
}

BOOL CViewFileDialog::PumpWhileFilling() {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage((int)msg.wParam);
      m_bStop = TRUE;
      break;
    }
    if (!::IsDialogMessage(Frame() ? Frame() : m_hWnd, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
  return !m_bStop && !m_bRefill && m_hWnd && ::IsWindow(m_hWnd);
}

BOOL CViewFileDialog::OnInitDialog() {
  CFileDialog::OnInitDialog();
  HWND frame = Frame();
  if (frame) CWnd::FromHandle(frame)->CenterWindow();
  m_List.SubclassDlgItem(IDC_PICTURE_THUMBNAILS, this);
  m_Progress.SubclassDlgItem(IDC_PICTURE_PROGRESS, this);
  m_List.m_hWndFrame = frame;
  s_pPreviewList = &m_List;
  CRect list;
  m_List.GetWindowRect(&list);
  m_nPreviewHeight = list.Height() + 10;
  // As wide as the frame's file list, where the frame has one.
  HWND files = frame ? ::GetDlgItem(frame, lst1) : NULL;
  CRect target = list;
  if (files) ::GetWindowRect(files, &target);
  ScreenToClient(&list);
  CRect right = target;
  ScreenToClient(&right);
  if (files && right.right > list.left) {
    m_List.MoveWindow(list.left, list.top, right.right - list.left, list.Height());
    CRect bar;
    m_Progress.GetWindowRect(&bar);
    ScreenToClient(&bar);
    m_Progress.MoveWindow(list.left, bar.top, right.right - list.left, bar.Height());
  }
  m_Progress.SetStep(1);
  m_Progress.ShowWindow(SW_HIDE);
  GetDlgItem(IDC_PICTURE_PREVIEW)->EnableWindow(FolderHasPictures());
  return TRUE;
}

void CViewFileDialog::OnInitDone() {
  CFileDialog::OnInitDone();
  if (s_bPreview) {
    CheckDlgButton(IDC_PICTURE_PREVIEW, BST_CHECKED);
    m_Progress.ShowWindow(SW_SHOW);
  } else {
    ShowPreviewArea(FALSE);
  }
  if (Frame()) CWnd::FromHandle(Frame())->CenterWindow();
}

void CViewFileDialog::ShowPreviewArea(BOOL bShow) {
  m_List.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
  m_Progress.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
  // Only a change of state resizes, so two calls alike never shrink twice.
  if (m_bAreaShown == bShow) return;
  m_bAreaShown = bShow;
  HWND frame = Frame();
  if (frame == NULL) return;
  CRect r;
  ::GetWindowRect(frame, &r);
  ::SetWindowPos(frame, NULL, 0, 0, r.Width(), r.Height() + (bShow ? m_nPreviewHeight : -m_nPreviewHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CViewFileDialog::OnPreviewToggle() {
  HWND frame = Frame();
  if (PreviewTicked()) {
    ShowPreviewArea(TRUE);
    if (s_pfnFrameProc == NULL && frame) {
      s_pfnFrameProc = (WNDPROC)::GetWindowLongPtr(frame, GWLP_WNDPROC);
      ::SetWindowLongPtr(frame, GWLP_WNDPROC, (LONG_PTR)PreviewPaletteProc);
    }
    FillThumbnails();
    if (m_List.m_hWnd) m_List.SetFocus();
  } else {
    RestoreFrameProc(frame);
    m_bRefill = m_bFilling;  // a running fill stops
    m_List.Empty();
    ShowPreviewArea(FALSE);
    GetDlgItem(IDC_PICTURE_PREVIEW)->SetFocus();
  }
}

void CViewFileDialog::OnFolderChange() {
  if (m_hWnd == NULL) return;
  GetDlgItem(IDC_PICTURE_PREVIEW)->EnableWindow(FolderHasPictures());
  if (PreviewTicked()) FillThumbnails();
}

void CViewFileDialog::OnTypeChange() {
  if (m_hWnd == NULL) return;
  GetDlgItem(IDC_PICTURE_PREVIEW)->EnableWindow(FolderHasPictures());
  const int index = CurrentFilterIndex();
  if (PreviewTicked() && index != m_nFilterIndex) {
    m_nFilterIndex = index;
    FillThumbnails();
  }
}

void CViewFileDialog::FillThumbnails() {
  // Asked again while a fill handles messages: that fill starts over instead.
  if (m_bFilling) {
    m_bRefill = TRUE;
    return;
  }
  m_bFilling = TRUE;
  CWaitCursor wait;
  do {
    m_bRefill = FALSE;
    m_nFills++;
    const CString folder = CurrentFolder();
    m_List.Empty();
    m_List.m_strFolder = ThumbnailFolder(folder);
    CStringArray names;
    const int found = CollectPictureFiles(folder, names);
    if (found == 0 || m_bRefill || m_bStop) continue;
    SortPictureNames(names);
    const int n = (int)names.GetSize();
    const int rows = (n + THUMBNAIL_COLUMNS - 1) / THUMBNAIL_COLUMNS;
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, rows, 1, 0, 0};
    m_List.SetScrollInfo(SB_VERT, &si, TRUE);
    m_Progress.SetRange32(0, n);
    m_Progress.SetPos(0);
    for (int i = 0; i < n; i++) {
      m_Progress.StepIt();
      m_List.AddFile(names[i]);
      if (!PumpWhileFilling()) break;
    }
    // The list box sets its own bar as rows come; the rows are what scroll.
    if (m_List.m_hWnd && !m_bStop) m_List.SetScrollInfo(SB_VERT, &si, TRUE);
  } while (m_bRefill && !m_bStop && m_hWnd);
  m_bFilling = FALSE;
  if (m_bStop || m_hWnd == NULL) return;
  OnFileNameChange();
  m_Progress.SetPos(0);
}

void CViewFileDialog::OnFileNameChange() {
  if (m_hWnd == NULL || !PreviewTicked()) return;
  CString name;
  HWND frame = Frame();
  if (frame) {
    LPTSTR buf = name.GetBuffer(MAX_PATH);
    const LRESULT r = ::SendMessage(frame, CDM_GETSPEC, MAX_PATH, (LPARAM)buf);
    name.ReleaseBuffer(r > 0 ? -1 : 0);
  }
  if (name.IsEmpty()) return;
  for (ThumbnailItem* item : m_List.m_Items) {
    if (item == NULL || item->strName.CompareNoCase(name) != 0) continue;
    if (item == m_List.m_pSelected) return;
    m_List.ScrollToRow(item->nSequence / THUMBNAIL_COLUMNS);
    m_List.SelectItem(item);
    return;
  }
}

void CViewFileDialog::OnDestroy() {
  s_bPreview = PreviewTicked();
  m_bStop = TRUE;
  RestoreFrameProc(Frame());
  if (s_pPreviewList == &m_List) s_pPreviewList = NULL;
  CFileDialog::OnDestroy();
}

BOOL AskPictureFileWithPreview(CWnd* pParent, LPCTSTR lpszFilter, LPCTSTR lpszInitialDir, CString* pPath) {
  CViewFileDialog dlg(TRUE, NULL, NULL, 0, lpszFilter, pParent, lpszInitialDir);
  if (dlg.DoModal() != IDOK) return FALSE;
  *pPath = dlg.GetPathName();
  return TRUE;
}
