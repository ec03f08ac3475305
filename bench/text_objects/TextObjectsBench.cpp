// Painting speed of the text family through Glyphset: a page of 300 texts, 50 titles and
// 50 balloons drawn into a memory bitmap at 100 % and 400 %, and the layout of one text of
// 2,000 characters.
#include <stdio.h>

#include <memory>
#include <string>

#include "afxwin.h"
#include "jvqBalloonObject.h"
#include "jvqBannerObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqTextObject.h"

static double Now() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return (double)c.QuadPart / f.QuadPart;
}

static void FillPage(jvqPage* page) {
  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  a.charWidth = a.charHeight = 40;
  a.text = "見積書の備考\r\n納期は二週間";
  for (int i = 0; i < 300; i++) {
    const int x = 100 + (i % 20) * 200, y = 100 + (i / 20) * 180;
    RECT r = {x, y, x + 190, y + 120};
    a.direction = i % 10 == 0 ? JVQ_TEXT_VERTICAL : 0;
    page->AddChild(new jvqTextObject(&r, NULL, &a, 0x311));
  }
  for (int i = 0; i < 50; i++) {
    const int x = 100 + (i % 10) * 400, y = 2800 + (i / 10) * 220;
    RECT r = {x, y, x + 380, y + 200};
    jvqBannerStyle s;
    s.m_Block.shape = 1 + i % 12;
    s.m_Block.horizontal = i % 2;
    page->AddChild(new jvqBannerObject(&r, NULL, &s, 0x311));
  }
  for (int i = 0; i < 50; i++) {
    const int x = 100 + (i % 10) * 400, y = 4000 + (i / 10) * 300;
    RECT r = {x, y, x + 300, y + 150};
    jvqBalloonObject* b = new jvqBalloonObject(NULL);
    b->SetBody(new jvqRectObject(&r, NULL, 0x311), NULL, 0x311);
    page->AddChild(b);
  }
}

int main() {
  AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_HIDE);
  jvqObjectDefaults::GetObjectDefaults()->CreatePrototypes();
  RECT pageRect = {0, 0, 4200, 5600};
  std::unique_ptr<jvqPage> page(new jvqPage(&pageRect, NULL));
  FillPage(page.get());

  const int w = 1600, h = 2200;
  HDC hdc = ::CreateCompatibleDC(NULL);
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = NULL;
  HBITMAP bmp = ::CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
  ::SelectObject(hdc, bmp);
  CDC dc;
  dc.Attach(hdc);
  printf("| case | ms per paint |\n|---|---|\n");
  for (int zoom : {100, 400}) {
    // 0.1 mm to pixels at 96 dpi and the zoom; at 400 % the bitmap shows the top-left part.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(10000, 10000);
    dc.SetViewportExt(378 * zoom / 100, 378 * zoom / 100);
    const int n = zoom == 100 ? 5 : 5;
    page->Render(&dc);  // fonts measured once
    const double t0 = Now();
    for (int i = 0; i < n; i++) {
      dc.PatBlt(0, 0, 100000, 100000, WHITENESS);
      for (jvqObject* p : page->m_Children.m_items) p->Render(&dc);
    }
    printf("| page of 300 texts, 50 titles, 50 balloons at %d %% | %.1f |\n", zoom, (Now() - t0) * 1000 / n);
  }
  dc.Detach();

  std::string text;
  for (int i = 0; text.size() < 4000; i++) text += i % 40 == 39 ? "\r\n" : "文字";
  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  a.text = text.c_str();
  RECT r = {0, 0, 3000, 100};
  jvqTextObject t(&r, NULL, &a, 0x311);
  t.RecalcLayout();
  const int n = 20;
  const double t0 = Now();
  for (int i = 0; i < n; i++) {
    t.SetRect(&r, NULL, 0x311);
    t.RecalcLayout();
  }
  printf("| RecalcLayout of a 2,000-character text | %.1f |\n", (Now() - t0) * 1000 / n);
  return 0;
}
