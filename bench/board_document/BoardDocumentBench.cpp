// Saves and opens a board of 50 pages with 200 objects each through the application's
// document (compound file, temporary copies) and through the bare stream in memory;
// prints the times and the process's memory.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "BenchBoard.h"
#include "BenchSupport.h"
#include "Dib.h"
#include "afxarch.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqEllipticObject.h"
#include "jvqFileHeader.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "qvzDocument.h"

namespace {

CBenchApp theApp("BoardDocumentBench");

}  // namespace

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE);
  theApp.InitApplication();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  const int nPages = argc > 1 ? atoi(argv[1]) : 50, nObjects = argc > 2 ? atoi(argv[2]) : 200;
  char szTemp[MAX_PATH];
  ::GetTempPath(MAX_PATH, szTemp);
  CString path = CString(szTemp) + "qvz_bench_board.vqd";

  const double m0 = BenchMemoryMb();
  auto t = std::chrono::steady_clock::now();
  qvzDocument doc;
  doc.OnNewDocument();
  FillBenchBoard(doc.m_pBoard, nPages, nObjects);
  printf("build     %8.1f ms  memory %+7.1f MB (%d pages x %d objects)\n", BenchMs(t), BenchMemoryMb() - m0, nPages, nObjects);

  // The stream alone, in memory.
  CMemFile mem;
  t = std::chrono::steady_clock::now();
  {
    CArchive ar(&mem, CArchive::store);
    jvqBoardStream::Write(ar, doc.m_pHeader, doc.m_pBoard, NULL);
    ar.Close();
  }
  printf("stream write %5.1f ms  %lu bytes\n", BenchMs(t), (unsigned long)mem.GetLength());
  mem.SeekToBegin();
  t = std::chrono::steady_clock::now();
  {
    jvqFileHeader h;
    jvqBoard b(NULL);
    CDib* th = NULL;
    CArchive ar(&mem, CArchive::load);
    jvqBoardStream::Read(ar, &h, &b, &th);
    ar.Close();
    delete th;
  }
  printf("stream read  %5.1f ms\n", BenchMs(t));

  // Of which: making the empty objects that the records are read into.
  t = std::chrono::steady_clock::now();
  static const int kCodes[4] = {JVQ_OBJ_RECT, JVQ_OBJ_ELLIPSE, JVQ_OBJ_PIE, JVQ_OBJ_POLYLINE};
  for (int i = 0; i < nPages * nObjects; i++) delete jvqObjectDefaults::CreateObject(kCodes[i % 4]);
  printf("  of which creating the empty objects %5.1f ms\n", BenchMs(t));

  t = std::chrono::steady_clock::now();
  if (!doc.OnSaveDocument(path)) return 1;
  printf("save      %8.1f ms  (compound file, thumbnail, temporary copy)\n", BenchMs(t));

  const double m1 = BenchMemoryMb();
  t = std::chrono::steady_clock::now();
  {
    qvzDocument r;
    r.OnNewDocument();
    if (!r.OnOpenDocument(path)) return 1;
    printf("open      %8.1f ms  memory %+7.1f MB  pages %d\n", BenchMs(t), BenchMemoryMb() - m1, r.m_pBoard->GetPageCount());
  }
  WIN32_FILE_ATTRIBUTE_DATA fa;
  if (::GetFileAttributesEx(path, GetFileExInfoStandard, &fa)) printf("file      %lu bytes\n", fa.nFileSizeLow);
  printf("peak      %8.1f MB\n", [] {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.PeakPagefileUsage / 1048576.0;
  }());
  ::DeleteFile(path);
  return 0;
}
