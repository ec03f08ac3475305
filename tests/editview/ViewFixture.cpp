#include "ViewFixture.h"

BOOL theScriptedAlt = FALSE;

UpdateProbe Probe(CView* v, UINT id) {
  static CMenu menu;  // only its presence counts: the probe records the check itself
  UpdateProbe p;
  p.m_nID = id;
  p.m_pMenu = &menu;
  p.DoUpdate(v, FALSE);
  return p;
}

static BOOL ScriptedKeys(int vk) { return vk == VK_MENU ? theScriptedAlt : FALSE; }

void ViewTest::SetUp() {
  jvqSetViewHost(&m_host);
  theKeyDownProc = ScriptedKeys;
  theScriptedAlt = FALSE;
  TestApp()->OnFileNew();
  m_frame = (CTestFrame*)AfxGetMainWnd();
  ASSERT_NE(nullptr, m_frame);
  m_frame->SetWindowPos(NULL, 0, 0, 1000, 760, SWP_NOZORDER);
  m_frame->ShowWindow(SW_SHOW);
  m_view = (qvzView*)m_frame->GetActiveView();
  ASSERT_NE(nullptr, m_view);
  m_doc = (qvzDocument*)m_view->GetDocument();
  m_page = m_view->GetCurrentPage();
  ASSERT_NE(nullptr, m_page);
  RECT rc = {0, 0, 4200, 2970};
  m_page->SetPageRect(&rc);
  m_view->m_dwOptions = 0;
  m_view->GetBoard()->m_nGridSpacing = 50;
  // One logical unit a pixel: the gestures land on exact units.
  ShowPageAt(UnitZoom());
  m_frame->m_wndHorzRuler.DeleteAllGuides();
  m_frame->m_wndVertRuler.DeleteAllGuides();
  m_frame->m_wndHorzRuler.m_bGuidesShown = m_frame->m_wndVertRuler.m_bGuidesShown = TRUE;
  PumpPending();
}

void ViewTest::TearDown() {
  if (m_view == nullptr) return;
  // Whatever tool a test left goes, and with it anything it was drawing.
  m_view->SwitchToSelectTool();
  // No gesture leaves a hidden clone or an open step behind.
  EXPECT_FALSE(theUndoManager.IsStepOpen());
  jvqPage* page = m_view->GetCurrentPage();
  if (page)
    for (jvqObject* c : page->m_Children.m_items)
      EXPECT_FALSE((c->GetState() & JVQ_STATE_ALIVE) && !(c->GetState() & JVQ_STATE_VISIBLE))
          << "a hidden clone stayed on the page";
  EXPECT_EQ(0, m_view->GetCursorId());
  EXPECT_EQ(NULL, ::GetCapture());
  m_doc->SetModifiedFlag(FALSE);
  theKeyDownProc = nullptr;
  jvqSetViewHost(nullptr);
}

jvqRectObject* ViewTest::AddRect(int l, int t, int r, int b, DWORD dwState) {
  RECT rc = {l, t, r, b};
  jvqRectObject* o = new jvqRectObject(&rc, &m_view->m_Mapping, dwState);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
  o->m_dwState = dwState;
  m_page->AddChild(o);
  return o;
}

jvqPolylineObject* ViewTest::AddPolyline(const std::vector<POINT>& pts) {
  jvqPolylineObject* o = new jvqPolylineObject(&m_view->m_Mapping);
  o->SetPoints(pts.data(), (int)pts.size(), &m_view->m_Mapping, 0x351);
  m_page->AddChild(o);
  return o;
}

POINT ViewTest::Dev(POINT logical) {
  POINT p = logical;
  m_view->PointToDevice(&p, &p);
  return p;
}

void ViewTest::Send(UINT msg, UINT flags, POINT logical) {
  POINT d = Dev(logical);
  m_view->SendMessage(msg, flags, MAKELPARAM(d.x, d.y));
}

void ViewTest::Drag(POINT from, POINT to, UINT flags) {
  Press(from, flags);
  for (int i = 1; i <= 4; i++) Move(P(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4), flags);
  Release(to, flags);
  PumpPending();
}

std::vector<jvqObject*> ViewTest::Shown() {
  std::vector<jvqObject*> v;
  for (jvqObject* c : m_view->GetCurrentPage()->m_Children.m_items)
    if (c->IsShown()) v.push_back(c);
  return v;
}

std::vector<jvqObject*> ViewTest::Selected() {
  std::vector<jvqObject*> v;
  for (int i = 0; i < m_view->GetSelectedCount(); i++) v.push_back(m_view->GetSelectedObject(i));
  return v;
}

COLORREF ViewTest::PixelAt(POINT logical) {
  m_view->Redraw();
  PumpPending();
  POINT d = Dev(logical);
  CClientDC dc(m_view);
  return ::GetPixel(dc.m_hDC, d.x, d.y);
}

double ViewTest::UnitZoom() {
  CClientDC dc(m_view);
  const double sx = dc.GetDeviceCaps(HORZSIZE) * 10.0 / dc.GetDeviceCaps(HORZRES);
  const double sy = dc.GetDeviceCaps(VERTSIZE) * 10.0 / dc.GetDeviceCaps(VERTRES);
  return 100.0 * (sx > sy ? sx : sy);
}

void ViewTest::ShowPageAt(double dZoom) {
  m_view->m_Mapping.m_bFitToWindow = FALSE;
  m_view->m_Mapping.m_dZoom = dZoom;
  RECT client;
  m_view->GetClientRect(&client);
  m_view->RecalcLayout(client.right, client.bottom);
  POINT o = Dev(P(0, 0));
  CPoint pos = m_view->GetDeviceScrollPosition();
  m_view->ScrollToPosition(CPoint(pos.x + o.x - 20, pos.y + o.y - 20));
  m_view->Redraw();
  PumpPending();
}

void ViewTest::Command(UINT id) {
  m_view->SendMessage(WM_COMMAND, id, 0);
  PumpPending();
}

void ViewTest::Click(POINT p, UINT flags) {
  Press(p, flags);
  Release(p, flags);
}

int ViewTest::ToolId() { return m_view->m_pTool ? m_view->m_pTool->m_nToolId : 0; }
