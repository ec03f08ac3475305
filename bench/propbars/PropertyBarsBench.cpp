// Swaps of the property bar in the real main frame: docked and floating, the select bar's
// refresh on a 50-page board, and the process's memory across 1,000 swaps.
#include <stdio.h>

#include "BenchBoard.h"
#include "jvqBoard.h"
#include "jvqEllipticObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRectObject.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzSelectToolBar.h"
#include "qvzView.h"
#include "resource.h"

#include <psapi.h>

class CBenchApp : public qvzApp {
 public:
  BOOL InitInstance() override { return TRUE; }
};
CBenchApp theApp;

static void Pump() {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
}

static double Now() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return (double)c.QuadPart * 1000.0 / (double)f.QuadPart;
}

static SIZE_T Memory() {
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof(pmc);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof(pmc));
  return pmc.PagefileUsage;
}

// Selects the rectangle and the ellipse in turn, n swaps; the mean time of one.
static double Swaps(qvzMainFrame* f, jvqView* v, jvqObject* a, jvqObject* b, int n) {
  const double t0 = Now();
  for (int i = 0; i < n; i++) {
    v->ClearSelection();
    v->Select(i % 2 ? a : b, FALSE);
    f->SwitchBar(FALSE);
    Pump();
  }
  return (Now() - t0) / n;
}

int main() {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOW);
  theApp.InitApplication();
  GetObjectDefaults()->FillMissingPrototypes();
  theApp.m_Settings.nWindowStatus = 5;
  theApp.m_Settings.rcWindow = {0, 0, 1024, 768};
  theApp.m_bShowStartMenu = 0;  // a new board without the start menu
  theApp.AddDocTemplate(new CSingleDocTemplate(IDR_QVZTYPE, RUNTIME_CLASS(qvzDocument), RUNTIME_CLASS(qvzMainFrame),
                                               RUNTIME_CLASS(qvzView)));
  theApp.OnFileNew();
  qvzMainFrame* f = DYNAMIC_DOWNCAST(qvzMainFrame, AfxGetMainWnd());
  if (f == NULL) return 2;
  f->ShowWindow(SW_SHOW);
  jvqView* v = f->GetEditView();
  const RECT r1 = {100, 100, 600, 400}, r2 = {800, 100, 1300, 400};
  jvqObject* rect = new jvqRectObject(&r1, &v->m_Mapping, 0x311);
  jvqObject* ellipse = new jvqEllipseObject(&r2, &v->m_Mapping, 0x311);
  v->GetCurrentPage()->AddChild(rect);
  v->GetCurrentPage()->AddChild(ellipse);
  Pump();
  Swaps(f, v, rect, ellipse, 4);  // warm-up
  printf("| measure | value |\n|---|---|\n");
  printf("| docked swap (rectangle bar <-> ellipse bar) | %.2f ms |\n", Swaps(f, v, rect, ellipse, 20));
  fflush(stdout);
  f->FloatControlBar(f->m_PropertyBars.GetCurrentBar(), CPoint(300, 200), CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  Pump();
  printf("| floating swap | %.2f ms |\n", Swaps(f, v, rect, ellipse, 10));
  fflush(stdout);
  f->DockControlBar(f->m_PropertyBars.GetCurrentBar(), AFX_IDW_DOCKBAR_RIGHT);
  Pump();
  const SIZE_T before = Memory();
  Swaps(f, v, rect, ellipse, 1000);
  const SIZE_T after = Memory();
  printf("| memory before / after 1,000 swaps | %lu KB / %lu KB |\n", (unsigned long)(before / 1024),
         (unsigned long)(after / 1024));
  // The select bar on the board of the board document benchmark: 50 pages of 200 objects.
  jvqBoard* board = f->GetBoardDocument()->GetBoard();
  v->ClearSelection();
  v->GetCurrentPage()->DeleteChildren();
  FillBenchBoard(board, 50, 200);
  f->SwitchBar(FALSE);
  Pump();
  if (qvzSelectToolBar* s = f->GetSelectToolBar()) {
    const int n = 5;
    double t0 = Now();
    for (int i = 0; i < n; i++) s->Refresh();
    printf("| select bar refresh, 50 pages x 200 objects | %.2f ms |\n", (Now() - t0) / n);
    qvzDocument* doc = DYNAMIC_DOWNCAST(qvzDocument, (CObject*)v->GetDocument());
    t0 = Now();
    for (int i = 0; i < n; i++) doc->UpdatePageThumbnails();
    printf("| of which the 50 page thumbnails | %.2f ms |\n", (Now() - t0) / n);
    t0 = Now();
    for (int i = 0; i < n; i++) s->ShowDocumentInfo(TRUE);
    printf("| paper text and page list rebuilt from the thumbnails | %.2f ms |\n", (Now() - t0) / n);
    // What the user waits for: a click on the empty page with nothing selected refreshes
    // the select bar in place.
    t0 = Now();
    for (int i = 0; i < n; i++) {
      f->SwitchBar(FALSE);
      Pump();
    }
    printf("| click on the empty page (quick refresh, painted) | %.2f ms |\n", (Now() - t0) / n);
  }
  fflush(stdout);
  f->DestroyWindow();
  return 0;
}
