// Reads the previews of 200 boards as the template sheet and the open dialog do: through
// the direct route (the stored thumbnail after the header), through the storage route,
// and for boards older than the thumbnail (the board read and its first page drawn).
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "BoardFilePreview.h"
#include "BenchSupport.h"
#include "Dib.h"
#include "jvqBoard.h"
#include "jvqFileHeader.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRectObject.h"
#include "qvzDocument.h"

namespace {

CBenchApp theApp("PreviewsBench");

// A board of one page with n rectangles, written at the version given.
BOOL WriteBoard(const CString& path, int nObjects, int nVersion) {
  qvzDocument doc;
  if (!doc.OnNewDocument()) return FALSE;
  jvqPage* page = doc.GetBoard()->GetCurrentPage();
  for (int i = 0; i < nObjects; i++) {
    const RECT r = {100 + (i % 20) * 190, 100 + (i / 20) * 250, 250 + (i % 20) * 190, 300 + (i / 20) * 250};
    jvqRectObject* o = new jvqRectObject(&r, NULL, 0x311);
    jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
    page->AddChild(o);
  }
  doc.GetHeader()->SetProperty("物件名", "ベンチ");
  doc.GetHeader()->m_nVersion = nVersion;
  return doc.OnSaveDocument(path);
}

template <class Read>
void Time(const char* what, const CString& folder, int n, Read read) {
  const double m0 = BenchMemoryMb();
  const auto t0 = std::chrono::steady_clock::now();
  int nPictures = 0;
  for (int i = 0; i < n; i++) {
    CString path, text;
    path.Format("%s\\b%03d.vqd", (LPCTSTR)folder, i);
    CDib* p = read(path, text);
    if (p) nPictures++;
    delete p;
  }
  const double ms = BenchMs(t0);
  printf("%-32s %4d previews  %8.1f ms  %6.2f ms each  memory %+.1f MB\n", what, nPictures, ms, ms / n,
         BenchMemoryMb() - m0);
}

}  // namespace

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE);
  theApp.InitApplication();
  AfxOleInit();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  const int n = argc > 1 ? atoi(argv[1]) : 200;
  char szTemp[MAX_PATH];
  ::GetTempPath(MAX_PATH, szTemp);
  const CString current = CString(szTemp) + "previews_bench_current", old = CString(szTemp) + "previews_bench_old";
  ::CreateDirectory(current, NULL);
  ::CreateDirectory(old, NULL);
  if (!WriteBoard(current + "\\b000.vqd", 200, JVQ_VERSION_CURRENT) || !WriteBoard(old + "\\b000.vqd", 200, 91399)) {
    fprintf(stderr, "the boards could not be written\n");
    return 1;
  }
  for (int i = 1; i < n; i++) {
    CString name;
    name.Format("\\b%03d.vqd", i);
    ::CopyFile(current + "\\b000.vqd", current + name, FALSE);
    ::CopyFile(old + "\\b000.vqd", old + name, FALSE);
  }
  printf("%d boards of 200 rectangles, %ld bytes each\n", n, (long)[&] {
    WIN32_FILE_ATTRIBUTE_DATA a;
    ::GetFileAttributesEx(current + "\\b000.vqd", GetFileExInfoStandard, &a);
    return a.nFileSizeLow;
  }());
  Time("direct route (91530)", current, n,
       [](const CString& p, CString& t) { return ReadBoardFilePreview(p, PREVIEW_TEXT_BOARD, t); });
  Time("storage route (91530)", current, n,
       [](const CString& p, CString& t) { return ReadPreviewFromStorage(p, PREVIEW_TEXT_BOARD, t); });
  Time("old boards, read and drawn (91399)", old, n,
       [](const CString& p, CString& t) { return ReadBoardFilePreview(p, PREVIEW_TEXT_BOARD, t); });
  for (int i = 0; i < n; i++) {
    CString name;
    name.Format("\\b%03d.vqd", i);
    ::DeleteFile(current + name);
    ::DeleteFile(old + name);
  }
  ::RemoveDirectory(current);
  ::RemoveDirectory(old);
  return 0;
}
