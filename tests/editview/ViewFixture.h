// A board in the editing view of the test frame, with helpers that press, drag and release
// the mouse at logical points as a user would.
#pragma once

#include <gtest/gtest.h>

#include "afxtest/ThreadPump.h"
#include "ViewTestApp.h"
#include "jvqBoard.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqPolylineObject.h"
#include "jvqRectObject.h"
#include "jvqSelectTool.h"
#include "jvqUndoManager.h"
#include "qvzDocument.h"
#include "qvzView.h"

extern BOOL theScriptedAlt;

// Check mark and enabled state as a menu would ask for them.
struct UpdateProbe : public CCmdUI {
  int nCheck = -1;
  int bEnabled = -1;
  void Enable(BOOL b) override { bEnabled = b; }
  void SetCheck(int n) override { nCheck = n; }
};
UpdateProbe Probe(CView* v, UINT id);

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  jvqRectObject* AddRect(int l, int t, int r, int b, DWORD dwState = 0x311);
  jvqPolylineObject* AddPolyline(const std::vector<POINT>& pts);
  POINT Dev(POINT logical);
  void Send(UINT msg, UINT flags, POINT logical);
  void Press(POINT p, UINT flags = 0) { Send(WM_LBUTTONDOWN, flags | MK_LBUTTON, p); }
  void Move(POINT p, UINT flags = 0) { Send(WM_MOUSEMOVE, flags | MK_LBUTTON, p); }
  void Release(POINT p, UINT flags = 0) { Send(WM_LBUTTONUP, flags, p); }
  void Click(POINT p, UINT flags = 0);
  // A command as the menu or a tool bar sends it.
  void Command(UINT id);
  int ToolId();
  // Press, move in steps and release.
  void Drag(POINT from, POINT to, UINT flags = 0);
  // The shown and alive objects of the page, bottom first.
  std::vector<jvqObject*> Shown();
  std::vector<jvqObject*> Selected();
  COLORREF PixelAt(POINT logical);
  // The zoom in percent, and the page's top-left corner scrolled near the window's.
  void ShowPageAt(double dZoom);
  // The zoom at which one logical unit is one pixel.
  double UnitZoom();
  static POINT P(int x, int y) { return POINT{x, y}; }

  CTestFrame* m_frame = nullptr;
  qvzView* m_view = nullptr;
  qvzDocument* m_doc = nullptr;
  jvqPage* m_page = nullptr;
  CRecordingHost m_host;
};
