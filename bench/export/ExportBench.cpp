// Page export speed: the main frame's image export of a full-screen view to BMP (through the
// pixel-by-pixel copy into a 24-bit picture) and to JPEG, and the copy alone against a plain
// write of the same picture.
#include <stdio.h>

#include "Dib.h"
#include "jvqBoard.h"
#include "jvqEllipticObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRectObject.h"
#include "jvqSolidFill.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzView.h"
#include "resource.h"

class CBenchApp : public qvzApp {
 public:
  BOOL InitInstance() override { return TRUE; }
  int DoMessageBox(LPCTSTR, UINT, UINT) override { return IDOK; }
};
static CBenchApp theApp;

static double Now() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return (double)c.QuadPart / f.QuadPart;
}

static void Pump() {
  MSG msg;
  while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
}

static long FileSize(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  return ::GetFileAttributesEx(path, GetFileExInfoStandard, &d) ? (long)d.nFileSizeLow : -1;
}

int main() {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
  theApp.InitApplication();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  jvqRegisterClipboardFormat();
  jvqTool::LoadCursors();
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  theApp.m_Settings.nWindowStatus = 5;
  theApp.m_Settings.rcWindow = {0, 0, cx, cy};
  theApp.AddDocTemplate(new CSingleDocTemplate(IDR_QVZTYPE, RUNTIME_CLASS(qvzDocument), RUNTIME_CLASS(qvzMainFrame),
                                               RUNTIME_CLASS(qvzView)));
  theApp.OnFileNew();
  qvzMainFrame* f = DYNAMIC_DOWNCAST(qvzMainFrame, AfxGetMainWnd());
  jvqView* v = f ? f->GetEditView() : NULL;
  if (v == NULL) return 1;
  jvqPage* page = v->GetBoard()->GetCurrentPage();
  for (int i = 0; i < 1000; i++) {
    const int x = 100 + (i * 37) % 3900, y = 100 + (i * 53) % 2700;
    RECT r = {x, y, x + 150, y + 100};
    jvqObject* o = (i % 2) ? (jvqObject*)new jvqRectObject(&r, &v->m_Mapping, 0x311)
                           : (jvqObject*)new jvqEllipseObject(&r, &v->m_Mapping, 0x311);
    jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
    o->m_dwState |= JVQ_STATE_FILLED;
    o->SetFill(new jvqSolidFill(RGB((i * 40) % 256, (i * 90) % 256, 200)));
    page->AddChild(o);
  }
  v->Redraw();
  Pump();
  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  CString bmp = CString(dir) + "qvz_export_bench.bmp", jpg = CString(dir) + "qvz_export_bench.jpg";
  CRect client;
  v->GetClientRect(&client);
  printf("screen %d x %d, view %d x %d, 1000 filled objects\n", cx, cy, client.Width(), client.Height());
  for (int zoom : {0, 100}) {
    v->m_Mapping.m_bFitToWindow = zoom == 0;
    if (zoom) v->m_Mapping.m_dZoom = zoom;
    v->RecalcLayout(client.Width(), client.Height());
    v->Redraw();
    Pump();
    const int runs = 5;
    double t0 = Now();
    for (int i = 0; i < runs; i++) f->SaveImage(bmp + ".BMP");
    const double tBmp = (Now() - t0) / runs;
    t0 = Now();
    for (int i = 0; i < runs; i++) f->SaveImage(jpg.Left(jpg.GetLength() - 4) + ".JPG");
    const double tJpg = (Now() - t0) / runs;
    // The copy alone, against writing the picture as it is.
    CDib src;
    src.Read(bmp + ".BMP");
    t0 = Now();
    CDib copy;
    copy.Create(src.GetWidth(), src.GetHeight(), 24);
    for (int y = 0; y < src.GetHeight(); y++)
      for (int x = 0; x < src.GetWidth(); x++) copy.SetColor(x, y, src.GetColor(x, y));
    const double tCopy = Now() - t0;
    t0 = Now();
    src.Write(bmp);
    const double tWrite = Now() - t0;
    printf("%s: picture %d x %d; BMP export %.1f ms (%ld bytes), JPEG export %.1f ms (%ld bytes); "
           "pixel copy %.1f ms, plain BMP write %.1f ms\n",
           zoom ? "100%" : "fit", src.GetWidth(), src.GetHeight(), tBmp * 1000, FileSize(bmp + ".BMP"), tJpg * 1000,
           FileSize(jpg.Left(jpg.GetLength() - 4) + ".JPG"), tCopy * 1000, tWrite * 1000);
  }
  ::DeleteFile(bmp);
  ::DeleteFile(bmp + ".BMP");
  ::DeleteFile(jpg.Left(jpg.GetLength() - 4) + ".JPG");
  f->GetBoardDocument()->SetModifiedFlag(FALSE);
  f->DestroyWindow();
  return 0;
}
