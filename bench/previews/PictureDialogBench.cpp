// Fills the picture dialog with the thumbnails of a folder of pictures (500 by default) and
// scrolls through every row, as a user looking for a picture does; times both and counts the
// thumbnails read and the cell windows made.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "BenchSupport.h"
#include "CViewFileDialog.h"
#include "Dib.h"
#include "ThumbnailLayout.h"

namespace {

CBenchApp theApp("PictureDialogBench");

struct Figures {
  int nCells = 0, nWindows = 0, nAfterFill = 0, nRead = 0;
  double fillMs = 0, scrollMs = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM lp) {
  ++*(int*)lp;
  return TRUE;
}

int ThumbnailsRead(CThumbnailList& list) {
  int n = 0;
  for (ThumbnailItem* item : list.m_Items) n += item->hThumbnail != NULL;
  return n;
}

// The dialog measured: its first fill runs inside the folder notice; once the dialog shows,
// every row is scrolled to the top and painted, and the dialog is cancelled.
class CBenchDialog : public CViewFileDialog {
 public:
  CBenchDialog(LPCTSTR lpszFilter, LPCTSTR lpszFolder, Figures* pFigures)
      : CViewFileDialog(TRUE, NULL, NULL, 0, lpszFilter, NULL, lpszFolder), m_pFigures(pFigures) {}

  void ScrollThrough() {
    const int rows = (m_pFigures->nCells + THUMBNAIL_COLUMNS - 1) / THUMBNAIL_COLUMNS;
    const auto t0 = std::chrono::steady_clock::now();
    for (int r = 0; r < rows; r++) {
      m_List.ScrollToRow(r);
      m_List.UpdateWindow();
    }
    m_pFigures->scrollMs = BenchMs(t0);
    m_pFigures->nRead = ThumbnailsRead(m_List);
    ::EnumChildWindows(m_List.m_hWnd, CountChild, (LPARAM)&m_pFigures->nWindows);
    ::PostMessage(Frame(), WM_COMMAND, IDCANCEL, 0);
  }

  static CBenchDialog* s_pRunning;
  static void CALLBACK WhenShown(HWND, UINT, UINT_PTR nID, DWORD) {
    if (s_pRunning == NULL || !::IsWindowVisible(s_pRunning->Frame())) return;
    ::KillTimer(NULL, nID);
    s_pRunning->ScrollThrough();
  }

 protected:
  void OnFolderChange() override {
    if (m_bMeasured || m_hWnd == NULL) return CViewFileDialog::OnFolderChange();
    m_bMeasured = TRUE;
    const auto t0 = std::chrono::steady_clock::now();
    CViewFileDialog::OnFolderChange();
    m_pFigures->fillMs = BenchMs(t0);
    m_pFigures->nCells = (int)m_List.m_Items.size();
    m_pFigures->nAfterFill = ThumbnailsRead(m_List);
    s_pRunning = this;
    ::SetTimer(NULL, 0, 200, WhenShown);
  }

  Figures* m_pFigures;
  BOOL m_bMeasured = FALSE;
};
CBenchDialog* CBenchDialog::s_pRunning = NULL;

}  // namespace

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  theApp.InitApplication();
  const int n = argc > 1 ? atoi(argv[1]) : 500;
  char szTemp[MAX_PATH];
  ::GetTempPath(MAX_PATH, szTemp);
  const CString folder = CString(szTemp) + "picture_dialog_bench";
  ::CreateDirectory(folder, NULL);
  // Photographs of 640 x 480 in 24 bits, each in a colour of its own.
  for (int i = 0; i < n; i++) {
    CString path;
    path.Format("%s\\p%04d.bmp", (LPCTSTR)folder, i);
    if (::GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES) continue;
    CDib dib;
    if (!dib.Create(640, 480, 24)) return 1;
    const COLORREF c = RGB(i * 37 % 256, i * 91 % 256, i * 13 % 256);
    for (int y = 0; y < 480; y++)
      for (int x = 0; x < 640; x++) dib.SetColor(x, y, (x / 80 + y / 80) % 2 ? c : RGB(255, 255, 255));
    if (!dib.Write(path)) return 1;
  }
  CViewFileDialog::s_bPreview = TRUE;
  Figures f;
  CBenchDialog dlg("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.BMP)|*.BMP|", folder, &f);
  dlg.DoModal();
  printf("%d pictures of 640 x 480: %d cells\n", n, f.nCells);
  printf("fill (list, sort, cells, first row read)  %8.1f ms\n", f.fillMs);
  printf("every row scrolled to and painted         %8.1f ms\n", f.scrollMs);
  printf("thumbnails read: %d after the fill, %d after scrolling; cell windows %d\n", f.nAfterFill, f.nRead, f.nWindows);
  for (int i = 0; i < n; i++) {
    CString path;
    path.Format("%s\\p%04d.bmp", (LPCTSTR)folder, i);
    ::DeleteFile(path);
  }
  ::RemoveDirectory(folder);
  return f.nCells == n ? 0 : 1;
}
