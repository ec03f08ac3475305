// What the view paints: the page at its real size, centred when fitted, guides in magenta,
// and a cancelled drag leaves the screen as it was.
#include "ViewFixture.h"
#include "jvqGuideLine.h"
#include "jvqSolidFill.h"

static CString ReadScreen(CWnd* w) {
  RECT r;
  w->GetClientRect(&r);
  CClientDC dc(w);
  CString s;
  for (int y = 0; y < r.bottom; y += 7)
    for (int x = 0; x < r.right; x += 7) {
      CString p;
      p.Format("%06X", (unsigned)::GetPixel(dc.m_hDC, x, y));
      s += p;
    }
  return s;
}

TEST_F(ViewTest, AtFullSizeASquareLandsWhereTheDisplayPutsIt) {
  jvqRectObject* a = AddRect(1000, 1000, 2000, 2000);
  a->SetFill(new jvqSolidFill(RGB(0, 0, 255)));
  a->m_dwState |= JVQ_STATE_FILLED;
  ShowPageAt(100.0);
  CClientDC dc(m_view);
  const int hr = dc.GetDeviceCaps(HORZRES), hs = dc.GetDeviceCaps(HORZSIZE);
  POINT d0 = Dev(P(1000, 1000)), d1 = Dev(P(2000, 2000));
  // 100 mm on the page is 100 mm of the display.
  const double want = 100.0 * hr / hs;
  EXPECT_NEAR(want, d1.x - d0.x, 1.5);
  EXPECT_NEAR(want, d1.y - d0.y, 1.5);
  EXPECT_EQ(RGB(0, 0, 255), PixelAt(P(1500, 1500)));
  EXPECT_NE(RGB(0, 0, 255), PixelAt(P(2100, 1500)));
}

TEST_F(ViewTest, InFitModeThePageIsCentred) {
  m_view->m_Mapping.m_bFitToWindow = TRUE;
  AddRect(0, 0, 4200, 2970);
  RECT client;
  m_view->GetClientRect(&client);
  m_view->RecalcLayout(client.right, client.bottom);
  m_view->Redraw();
  PumpPending();
  POINT tl = Dev(P(0, 0)), br = Dev(P(4200, 2970));
  EXPECT_NEAR(client.right - br.x, tl.x, 2);
  EXPECT_NEAR(client.bottom - br.y, tl.y, 2);
  EXPECT_GE(m_view->m_Mapping.GetZoomPercent(), 1);
  // A view too small for anything still gets at least 1 percent.
  m_view->SetWindowPos(NULL, 0, 0, 4, 4, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(1, m_view->m_Mapping.GetZoomPercent());
  m_frame->RecalcLayout();
  // A zero size changes nothing.
  m_view->m_Mapping.m_dZoom = 55;
  m_view->RecalcLayout(0, 300);
  EXPECT_EQ(55, m_view->m_Mapping.GetZoomPercent());
  m_view->m_Mapping.m_bFitToWindow = FALSE;
}

TEST_F(ViewTest, ACancelledDragRestoresTheScreen) {
  jvqRectObject* a = AddRect(500, 500, 900, 800);
  m_view->Select(a, FALSE);
  m_view->Redraw();
  PumpPending();
  const CString before = ReadScreen(m_view);
  Press(P(700, 650));
  Move(P(900, 700));
  Move(P(1300, 900));
  m_view->SendMessage(WM_KEYUP, VK_ESCAPE, 0);
  Release(P(1300, 900));
  m_view->UpdateWindow();
  PumpPending();
  EXPECT_TRUE(before == ReadScreen(m_view));
}

TEST_F(ViewTest, GuidesAreDrawnInMagenta) {
  m_frame->m_wndHorzRuler.AddGuide(600, 0);
  m_frame->m_wndVertRuler.AddGuide(500, 0);
  // Dotted lines: some pixel of a short stretch along each line is magenta.
  auto magentaAlong = [&](POINT from, int dx, int dy) {
    for (int i = 0; i < 6; i++)
      if (PixelAt(P(from.x + i * dx, from.y + i * dy)) == RGB(255, 0, 255)) return true;
    return false;
  };
  EXPECT_TRUE(magentaAlong(P(600, 300), 0, 1));
  EXPECT_TRUE(magentaAlong(P(300, 500), 1, 0));
  // Hidden guides are not drawn.
  m_frame->m_wndHorzRuler.m_bGuidesShown = FALSE;
  EXPECT_NE(RGB(255, 0, 255), PixelAt(P(600, 300)));
}
