// The palettes in the real main frame over a temporary program folder: a favourites category
// of 200 objects listed, the palette switched between its three libraries, and a floor-plan
// palette of 50 plans; times and the process's memory.
#include <math.h>
#include <stdio.h>

#include <string>

#include "jvqObjectDefaults.h"
#include "jvqPolylineObject.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMadorizuToolBar.h"
#include "qvzMainFrame.h"
#include "qvzSymbolToolBar.h"
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

static void Command(qvzMainFrame* f, UINT id) {
  f->SendMessage(WM_COMMAND, id);
  Pump();
}

int main() {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOW);
  theApp.InitApplication();
  GetObjectDefaults()->FillMissingPrototypes();
  theApp.m_Settings.nWindowStatus = 5;
  theApp.m_Settings.rcWindow = {0, 0, 1024, 768};
  theApp.m_bShowStartMenu = 0;
  char exe[MAX_PATH];
  ::GetModuleFileName(NULL, exe, MAX_PATH);
  theApp.m_strAppFolder = exe;
  theApp.m_strAppFolder = theApp.m_strAppFolder.Left(theApp.m_strAppFolder.ReverseFind('\\'));
  theApp.AddDocTemplate(new CSingleDocTemplate(IDR_QVZTYPE, RUNTIME_CLASS(qvzDocument), RUNTIME_CLASS(qvzMainFrame),
                                               RUNTIME_CLASS(qvzView)));
  theApp.OnFileNew();
  qvzMainFrame* f = DYNAMIC_DOWNCAST(qvzMainFrame, AfxGetMainWnd());
  if (f == NULL) return 2;
  f->ShowWindow(SW_SHOW);
  qvzView* v = DYNAMIC_DOWNCAST(qvzView, f->GetEditView());

  // The program folder: 200 favourites of one category, the shipped shapes and symbols
  // copied by name lists, and 50 floor plans copied from the shipped 2LDK.
  char tmp[MAX_PATH];
  ::GetTempPath(MAX_PATH, tmp);
  const std::string root = std::string(tmp) + "qvz-palettes-bench\\";
  const std::string shipped = std::string((LPCTSTR)theApp.m_strAppFolder) + "\\";
  ::CreateDirectory(root.c_str(), NULL);
  for (const char* d : {"お気に入り", "お気に入り\\大きな分類", "間取り図", "図形", "シンボル"})
    ::CreateDirectory((root + d).c_str(), NULL);
  std::string order;
  for (int i = 0; i < 200; i++) {
    const int n = 5 + i % 20;
    POINT pts[24];
    for (int k = 0; k < n; k++) {
      pts[k].x = 200 + (LONG)(150 * cos(k * 6.2831853 / n));
      pts[k].y = 200 + (LONG)(150 * sin(k * 6.2831853 / n));
    }
    jvqPolylineObject* o = new jvqPolylineObject(&v->m_Mapping);
    o->SetPoints(pts, n, &v->m_Mapping, 0x311);
    char name[32];
    sprintf(name, "品%03d", i);
    qvzView::WriteObjectFile((root + "お気に入り\\大きな分類\\" + name + ".qzl").c_str(), o, v->GetDocument(), name,
                             name, NULL);
    delete o;
    order += std::string(name) + "\r\n";
  }
  FILE* of = fopen((root + "お気に入り\\大きな分類\\info.txt").c_str(), "wb");
  fwrite(order.data(), 1, order.size(), of);
  fclose(of);
  of = fopen((root + "お気に入り\\info.txt").c_str(), "wb");
  fputs("\x91\xe5\x82\xab\x82\xc8\x95\xaa\x97\xde\r\n", of);  // the one category
  fclose(of);
  for (int i = 0; i < 50; i++) {
    char name[64];
    sprintf(name, "間取り図\\plan%02d.kxq", i);
    ::CopyFile((shipped + "間取り図\\2LDK.kxq").c_str(), (root + name).c_str(), FALSE);
  }
  const std::string copyShapes = "xcopy /E /I /Q /Y \"" + shipped + "図形\" \"" + root + "図形\" >NUL";
  const std::string copySymbols = "xcopy /E /I /Q /Y \"" + shipped + "シンボル\" \"" + root + "シンボル\" >NUL";
  system(copyShapes.c_str());
  system(copySymbols.c_str());
  thePaletteProgramFolder = root.c_str();

  printf("| measure | value |\n|---|---|\n");
  theApp.m_Settings.nFavoriteLastSelect = 0;
  const SIZE_T m0 = Memory();
  double t0 = Now();
  Command(f, 32944);
  const double open = Now() - t0;
  qvzSymbolToolBar* bar = f->GetSymbolToolBar();
  const int listed = bar && bar->GetListView() ? bar->GetListView()->GetItemCount() : -1;
  printf("| favourites palette opened on a category of 200 objects (%d listed) | %.0f ms |\n", listed, open);
  if (bar) {
    t0 = Now();
    for (int i = 0; i < 5; i++) bar->LoadFolder(bar->GetCategoryFolder());
    printf("| the 200 objects listed again (LoadFolder) | %.0f ms |\n", (Now() - t0) / 5);
  }
  printf("| memory with the 200 favourites listed | +%lu KB |\n", (unsigned long)((Memory() - m0) / 1024));
  fflush(stdout);
  // Switching kinds: shapes (星), symbols (樹木A), favourites, each SetPaletteKind on the shown bar.
  theApp.m_Settings.nShapeLastSelect = 6;
  theApp.m_Settings.nSymbolLastSelect = 3;
  const UINT kinds[3] = {32892, 32943, 32944};
  Command(f, 32892);
  t0 = Now();
  for (int i = 0; i < 30; i++) Command(f, kinds[i % 3]);
  printf("| switch of palette kind (shapes / symbols / favourites in turn, 30 switches) | %.0f ms |\n",
         (Now() - t0) / 30);
  const SIZE_T m1 = Memory();
  for (int i = 0; i < 90; i++) Command(f, kinds[i % 3]);
  printf("| memory across 90 more switches | %+ld KB |\n", (long)((Memory() - m1) / 1024));
  fflush(stdout);
  // Floor plans: the palette made anew with 50 plans.
  Command(f, ID_TOOL_SELECT);
  Pump();
  const SIZE_T m2 = Memory();
  t0 = Now();
  Command(f, 92);
  const double plans = Now() - t0;
  qvzMadorizuToolBar* pb = DYNAMIC_DOWNCAST(qvzMadorizuToolBar, f->m_PropertyBars.GetCurrentBar());
  printf("| floor-plan palette of 50 plans opened (%d listed) | %.0f ms |\n",
         pb && pb->GetListView() ? pb->GetListView()->GetItemCount() : -1, plans);
  // Measured from the select bar, after the favourites palette and its thumbnails went.
  printf("| memory with the 50 plans listed | %+ld KB |\n", (long)(((long long)Memory() - (long long)m2) / 1024));
  fflush(stdout);
  Command(f, ID_TOOL_SELECT);
  f->DestroyWindow();
  system(("rmdir /S /Q \"" + root + "\"").c_str());
  return 0;
}
