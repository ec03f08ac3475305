// Redraw speed of the editing view: full redraws per second and one move step, with 1,000
// and 10,000 mixed objects, through the off-screen bitmap and straight to the screen.
#include <stdio.h>

#include "afxwin.h"
#include "jvqBoard.h"
#include "jvqEllipticObject.h"
#include "jvqFrameWnd.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqRectObject.h"
#include "jvqSelectTool.h"
#include "jvqSolidFill.h"
#include "jvqTool.h"
#include "qvzDocument.h"
#include "qvzView.h"

class CBenchFrame : public jvqFrameWnd {
  DECLARE_DYNCREATE(CBenchFrame)
};
IMPLEMENT_DYNCREATE(CBenchFrame, jvqFrameWnd)

class CBenchApp : public CWinApp {
 public:
  CBenchApp() : CWinApp("ViewRedrawBench") {}
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

static void Fill(jvqPage* page, jvqViewMapping* m, int n) {
  page->DeleteChildren();
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  for (int i = 0; i < n; i++) {
    const int x = 100 + (i * 37) % 3900, y = 100 + (i * 53) % 2700;
    RECT r = {x, y, x + 150, y + 100};
    jvqObject* o;
    switch (i % 3) {
      case 0: o = new jvqRectObject(&r, m, 0x311); break;
      case 1: o = new jvqEllipseObject(&r, m, 0x311); break;
      default: {
        POINT pts[5] = {{x, y}, {x + 150, y}, {x + 150, y + 100}, {x, y + 100}, {x + 20, y + 20}};
        jvqPolylineObject* p = new jvqPolylineObject(m);
        p->SetPoints(pts, 5, m, 0x351);
        o = p;
      }
    }
    d->ApplyDefaults(o);
    o->m_dwState |= JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE;
    if (i % 2) {
      o->SetFill(new jvqSolidFill(RGB(40 * (i % 6), 100, 200)));
      o->m_dwState |= JVQ_STATE_FILLED;
    }
    page->AddChild(o);
  }
}

static double RedrawsPerSecond(qvzView* v, int frames) {
  v->Redraw();
  const double t0 = Now();
  for (int i = 0; i < frames; i++) v->Redraw();
  return frames / (Now() - t0);
}

// One step of a move: the outline of the moved object erased and drawn at the new place.
static double MoveStepMs(qvzView* v, jvqPage* page, int steps) {
  jvqObject* o = page->GetChild(page->GetChildCount() / 2);
  v->ClearSelection();
  v->Select(o, FALSE);
  POINT c;
  o->GetCenter(&c);
  POINT d = c;
  v->PointToDevice(&d, &d);
  v->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(d.x, d.y));
  v->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(d.x + 10, d.y));
  const double t0 = Now();
  for (int i = 0; i < steps; i++) v->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(d.x + 10 + (i % 40), d.y));
  const double ms = (Now() - t0) * 1000.0 / steps;
  v->SendMessage(WM_KEYUP, VK_ESCAPE, 0);
  v->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(d.x, d.y));
  return ms;
}

int main(int argc, char** argv) {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOW);
  theApp.InitApplication();
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  jvqTool::LoadCursors();
  theApp.AddDocTemplate(new CSingleDocTemplate(1271, RUNTIME_CLASS(qvzDocument), RUNTIME_CLASS(CBenchFrame),
                                               RUNTIME_CLASS(qvzView)));
  theApp.OnFileNew();
  CFrameWnd* f = (CFrameWnd*)AfxGetMainWnd();
  if (f == NULL) return 2;
  f->SetWindowPos(NULL, 0, 0, 1024, 768, SWP_NOZORDER);
  f->ShowWindow(SW_SHOW);
  qvzView* v = (qvzView*)f->GetActiveView();
  jvqPage* page = v->GetCurrentPage();
  RECT rc = {0, 0, 4200, 2970};
  page->SetPageRect(&rc);
  printf("| objects | drawing | full redraws/s | move step |\n|---|---|---|---|\n");
  for (int n : {1000, 10000}) {
    Fill(page, &v->m_Mapping, n);
    v->m_Mapping.m_bFitToWindow = TRUE;
    RECT client;
    v->GetClientRect(&client);
    v->RecalcLayout(client.right, client.bottom);
    Pump();
    for (BOOL direct : {FALSE, TRUE}) {
      v->m_bNoOffscreen = direct;
      const int frames = n > 5000 ? 10 : 40;
      const double fps = RedrawsPerSecond(v, frames);
      const double step = MoveStepMs(v, page, 40);
      printf("| %d | %s | %.1f | %.2f ms |\n", n, direct ? "straight to the window" : "off-screen bitmap", fps, step);
      fflush(stdout);
      Pump();
    }
  }
  v->m_bNoOffscreen = FALSE;
  f->DestroyWindow();
  return 0;
}
