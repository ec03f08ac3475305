// The colour pickers in real windows: in a host dialog and created, opening with the
// capture, keys, releases, the colour dialog, "透明", switching applications and the place
// of the pop-up near the bottom of the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afxtest/ScreenCapture.h"
#include "afxtest/ThreadPump.h"
#include "jvqColorPopup.h"
#include "jvqDrawingResources.h"
#include "jvqSolidFill.h"

namespace {

class PickerTestApp : public CWinApp {
 public:
  PickerTestApp() : CWinApp("PickerTest") {}
  int DoMessageBox(LPCTSTR, UINT, UINT) override { return IDOK; }
};
PickerTestApp theApp;

struct Note {
  UINT code;
  bool hasValue;
  COLORREF color;
};

class Recorder : public jvqColorPickerListener {
 public:
  void Notify(UINT nCode, const jvqFill* pValue, UINT) override {
    Note n = {nCode, pValue != NULL, 0};
    if (pValue && (pValue->GetFlags() & FILL_SOLID)) n.color = ((const jvqSolidFill*)pValue)->GetColor();
    notes.push_back(n);
  }
  std::vector<UINT> Codes() const {
    std::vector<UINT> c;
    for (const Note& n : notes) c.push_back(n.code);
    return c;
  }
  std::vector<Note> notes;
};

const UINT kPickerId = 1001;

// A dialog template of one push button (id 1001) at dialog units (10, 10), 60 x 14.
std::vector<WORD> HostTemplate() {
  std::vector<WORD> t(64, 0);
  DLGTEMPLATE* d = (DLGTEMPLATE*)t.data();
  d->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_SETFONT;
  d->cdit = 1;
  d->cx = 160;
  d->cy = 60;
  size_t at = sizeof(DLGTEMPLATE) / 2;
  t[at++] = 0;  // menu
  t[at++] = 0;  // class
  t[at++] = 0;  // title
  t[at++] = 9;  // font size
  for (const char* f = "MS Shell Dlg"; ; f++) {
    t[at++] = (WORD)(BYTE)*f;
    if (!*f) break;
  }
  if (at % 2) at++;  // DWORD alignment
  DLGITEMTEMPLATE* item = (DLGITEMTEMPLATE*)&t[at];
  item->style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
  item->x = 10;
  item->y = 10;
  item->cx = 60;
  item->cy = 14;
  item->id = (WORD)kPickerId;
  at += sizeof(DLGITEMTEMPLATE) / 2;
  t[at++] = 0xFFFF;
  t[at++] = 0x0080;  // Button
  t[at++] = 0;       // no text
  t[at++] = 0;       // no creation data
  t.resize(at + 4);
  return t;
}

class Pickers : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool s_init = false;
    if (!s_init) {
      theDrawingResources.Init();
      s_init = true;
    }
    ::SetCursorPos(5, 5);
    m_Template = HostTemplate();
    ASSERT_TRUE(m_Host.CreateIndirect((LPCDLGTEMPLATE)m_Template.data(), NULL));
    m_Host.SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpPending();
  }
  void TearDown() override {
    if (::IsWindow(m_Host.m_hWnd)) m_Host.DestroyWindow();
    PumpPending();
    EXPECT_EQ(NULL, ::GetCapture());
  }
  // Opens the picker's pop-up as a click would.
  jvqColorPopup* Open(jvqColorPicker& p) {
    p.SendMessage(BM_CLICK);
    PumpPending();
    return p.GetPopup();
  }
  std::vector<WORD> m_Template;
  CDialog m_Host;
};

TEST_F(Pickers, SubclassedInADialogAndCreatedBothOpenWithTheCapture) {
  jvqColorPicker sub;
  ASSERT_TRUE(sub.SubclassDlgItem(kPickerId, &m_Host));
  jvqColorPicker made;
  ASSERT_TRUE(made.Create(WS_VISIBLE, CRect(10, 60, 40, 70), &m_Host, 1002));
  for (jvqColorPicker* p : {&sub, &made}) {
    EXPECT_TRUE(p->GetStyle() & BS_OWNERDRAW);
    CRect rc;
    p->GetClientRect(&rc);
    EXPECT_EQ(rc.Height(), p->m_rcArrow.bottom + ::GetSystemMetrics(SM_CYEDGE));
    Recorder owner;
    p->SetOwnerListener(&owner);
    p->SetColor(0x2068FF);
    jvqColorPopup* pop = Open(*p);
    ASSERT_NE(nullptr, pop);
    EXPECT_TRUE(p->IsOpen());
    EXPECT_EQ(pop->m_hWnd, ::GetCapture());
    EXPECT_EQ(9, pop->GetInitialCell());
    ASSERT_FALSE(owner.notes.empty());
    EXPECT_EQ((UINT)QVZM_COLORDROPDOWN, owner.notes[0].code);
    EXPECT_EQ(0x2068FFu, owner.notes[0].color);
    // Below the picker, at its left edge.
    CRect pr, wr;
    p->GetWindowRect(&pr);
    pop->GetWindowRect(&wr);
    EXPECT_EQ(pr.left, wr.left);
    EXPECT_EQ(pr.bottom, wr.top);
    pop->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpPending();
    EXPECT_FALSE(p->IsOpen());
    EXPECT_EQ(nullptr, p->GetPopup());
  }
}

TEST_F(Pickers, KeysMoveAndEnterChooses) {
  jvqColorPicker p;
  ASSERT_TRUE(p.SubclassDlgItem(kPickerId, &m_Host));
  Recorder owner;
  p.SetOwnerListener(&owner);
  p.SetColor(0x123456);  // no cell of its own: the custom cell is marked
  jvqColorPopup* pop = Open(p);
  ASSERT_NE(nullptr, pop);
  EXPECT_EQ(COLORCELL_CUSTOM, pop->GetInitialCell());
  pop->SendMessage(WM_KEYDOWN, VK_RIGHT);  // custom -> 0
  EXPECT_EQ(0, pop->GetCurrentCell());
  pop->SendMessage(WM_KEYDOWN, VK_DOWN);
  pop->SendMessage(WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(9, pop->GetCurrentCell());
  owner.notes.clear();
  pop->SendMessage(WM_KEYDOWN, VK_RETURN);
  PumpPending();
  EXPECT_EQ((std::vector<UINT>{QVZM_COLORCLOSEUP, QVZM_COLORCHANGED, QVZM_COLORSELCHANGE}), owner.Codes());
  EXPECT_EQ(0x2068FFu, owner.notes[1].color);
  EXPECT_EQ(0x2068FFu, p.GetColor());
  EXPECT_EQ(nullptr, p.GetPopup());
}

TEST_F(Pickers, AReleaseOutsideCancelsAndInsideChooses) {
  jvqColorPicker p;
  ASSERT_TRUE(p.SubclassDlgItem(kPickerId, &m_Host));
  Recorder owner;
  p.SetOwnerListener(&owner);
  p.SetColor(0x000000);
  for (bool inside : {false, true}) {
    jvqColorPopup* pop = Open(p);
    ASSERT_NE(nullptr, pop);
    CRect wr;
    pop->GetWindowRect(&wr);
    // Over colour cell 13 (row 1, column 5), or far to the right of the pop-up.
    RECT cell = pop->GetCellRect(13);
    POINT at = {cell.left + 5, cell.top + 5};
    pop->ClientToScreen(&at);
    if (!inside) at = {wr.right + 50, wr.top + 5};
    ::SetCursorPos(at.x, at.y);
    POINT client = at;
    pop->ScreenToClient(&client);
    pop->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    owner.notes.clear();
    pop->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    PumpUntil([&] { return p.GetPopup() == nullptr; });
    ASSERT_EQ(nullptr, p.GetPopup()) << inside;
    if (inside) {
      EXPECT_EQ((UINT)QVZM_COLORCHANGED, owner.notes[1].code);
      EXPECT_EQ(theColorCells[13].crColor, p.GetColor());
    } else {
      EXPECT_EQ((std::vector<UINT>{QVZM_COLORCLOSEUP, QVZM_COLORCANCEL}), owner.Codes());
      EXPECT_EQ(0u, p.GetColor());
    }
  }
}

TEST_F(Pickers, CancellingTheColourDialogKeepsTheValueAndSwitchingAwayWaitsForIt) {
  jvqColorPicker p;
  ASSERT_TRUE(p.SubclassDlgItem(kPickerId, &m_Host));
  Recorder owner;
  p.SetOwnerListener(&owner);
  p.SetColor(0x00FF00);
  jvqColorPopup* pop = Open(p);
  ASSERT_NE(nullptr, pop);
  pop->SendMessage(WM_KEYDOWN, VK_LEFT);
  pop->SendMessage(WM_KEYDOWN, VK_UP);  // 27 -> 19
  for (int i = 0; i < 3; i++) pop->SendMessage(WM_KEYDOWN, VK_UP);
  EXPECT_EQ(COLORCELL_CUSTOM, pop->GetCurrentCell());
  bool sawDialog = false, stayedOpen = false, busy = false;
  HWND hPop = pop->m_hWnd;
  RunWhenIdle([&] {
    HWND dlg = NULL;
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
      char cls[32] = "";
      ::GetClassNameA(w, cls, sizeof(cls));
      if (std::string(cls) == "#32770" && ::IsWindowVisible(w) && ::GetWindow(w, GW_OWNER) == hPop) dlg = w;
    }
    sawDialog = dlg != NULL;
    busy = pop->IsBusy();
    // Switching applications while the colour dialog is open does not cancel.
    ::SendMessage(hPop, WM_ACTIVATEAPP, FALSE, 0);
    stayedOpen = ::IsWindow(hPop) != FALSE;
    if (dlg) ::SendMessage(dlg, WM_COMMAND, IDCANCEL, 0);
  }, 200);
  owner.notes.clear();
  pop->SendMessage(WM_KEYDOWN, VK_RETURN);
  PumpPending();
  EXPECT_TRUE(sawDialog);
  EXPECT_TRUE(busy);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ((std::vector<UINT>{QVZM_COLORCLOSEUP, QVZM_COLORCANCEL}), owner.Codes());
  EXPECT_EQ(0x00FF00u, p.GetColor());

  // Without the dialog, switching away cancels at once.
  pop = Open(p);
  ASSERT_NE(nullptr, pop);
  owner.notes.clear();
  pop->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
  PumpPending();
  EXPECT_EQ(nullptr, p.GetPopup());
  EXPECT_EQ((std::vector<UINT>{QVZM_COLORCLOSEUP, QVZM_COLORCANCEL}), owner.Codes());
}

TEST_F(Pickers, TransparentLeavesNoValueAndShowsItsWordOnWhite) {
  jvqTransparentColorPicker p;
  ASSERT_TRUE(p.SubclassDlgItem(kPickerId, &m_Host));
  Recorder owner;
  p.SetOwnerListener(&owner);
  p.SetColor(0x0000FF);
  jvqColorPopup* pop = Open(p);
  ASSERT_NE(nullptr, pop);
  RECT custom = pop->GetCellRect(COLORCELL_CUSTOM), text = pop->GetCellRect(COLORCELL_TEXT);
  EXPECT_EQ(custom.top, text.top);  // side by side
  EXPECT_GT(text.left, custom.right);
  pop->SendMessage(WM_KEYDOWN, VK_LEFT);  // 16 -> 15
  pop->SetCurrentCell(COLORCELL_TEXT);
  // A picture of the open pop-up, for the notes.
  pop->UpdateWindow();
  p.UpdateWindow();
  const char* shot = std::getenv("QVZ_PICKER_SHOT");
  if (shot) SaveScreenBmp(shot);
  owner.notes.clear();
  pop->SendMessage(WM_KEYDOWN, VK_RETURN);
  PumpPending();
  EXPECT_EQ(nullptr, p.GetFill());
  ASSERT_GE(owner.notes.size(), 2u);
  EXPECT_EQ((UINT)QVZM_COLORCHANGED, owner.notes[1].code);
  EXPECT_FALSE(owner.notes[1].hasValue);
  // The face is white with dark text in its middle.
  p.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  CRect rc;
  p.GetClientRect(&rc);
  HDC dc = ::GetDC(p.m_hWnd);
  const int edge = ::GetSystemMetrics(SM_CXEDGE);
  EXPECT_EQ(0xFFFFFFu, ::GetPixel(dc, edge + 1, edge + 1) & 0xFFFFFF);
  int dark = 0;
  for (int x = edge; x < rc.right - p.m_rcArrow.right + p.m_rcArrow.left; x++)
    for (int y = edge; y < rc.bottom - edge; y++)
      if ((::GetPixel(dc, x, y) & 0xFFFFFF) != 0xFFFFFF) dark++;
  ::ReleaseDC(p.m_hWnd, dc);
  EXPECT_GT(dark, 10);
}

TEST_F(Pickers, NearTheBottomOfTheScreenThePopupOpensAbove) {
  const int cy = ::GetSystemMetrics(SM_CYSCREEN);
  m_Host.SetWindowPos(NULL, 200, cy - 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  jvqColorPicker p;
  ASSERT_TRUE(p.SubclassDlgItem(kPickerId, &m_Host));
  jvqColorPopup* pop = Open(p);
  ASSERT_NE(nullptr, pop);
  CRect pr, wr;
  p.GetWindowRect(&pr);
  pop->GetWindowRect(&wr);
  EXPECT_EQ(pr.top, wr.bottom);
  EXPECT_LE(wr.bottom, cy);
  pop->SendMessage(WM_KEYDOWN, VK_ESCAPE);
  PumpPending();
}

}  // namespace
