// The right-button menus and their favourites submenu, the double click that starts an
// in-place edit or the title dialog, the text and title edit commands, and the handle tips.
#include "ViewFixture.h"
#include "jvqBalloonObject.h"
#include "jvqBannerFill.h"
#include "jvqTextObject.h"

namespace {

UINT theShownMenu = 0;
std::vector<UINT> theFavoriteIds;

void RecordMenu(CMenu* pPopup, UINT nMenuId, POINT) {
  theShownMenu = nMenuId;
  theFavoriteIds.clear();
  for (int i = 0; i < pPopup->GetMenuItemCount(); i++) {
    CString text;
    pPopup->GetMenuString(i, text, MF_BYPOSITION);
    if (text.Find("お気に入りの登録") < 0) continue;
    CMenu* sub = pPopup->GetSubMenu(i);
    for (int j = 0; sub && j < sub->GetMenuItemCount(); j++) theFavoriteIds.push_back(sub->GetMenuItemID(j));
  }
}

class MenuTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_page->m_Children.RemoveAll();
    theViewPopupMenuProc = RecordMenu;
    theShownMenu = 0;
  }
  void TearDown() override {
    theViewPopupMenuProc = NULL;
    if (m_view && m_view->m_pEditor) {
      delete m_view->m_pEditor;
      m_view->m_pEditor = NULL;
    }
    ViewTest::TearDown();
  }
  void RightClick(POINT p, UINT flags = 0) { Send(WM_RBUTTONDOWN, flags | MK_RBUTTON, p); }
  jvqTextObject* AddText(int l, int t, DWORD dwState = 0x311) {
    jvqTextAttributes a;
    jvqDefaultTextAttributes(&a);
    a.text = "文字";
    RECT r = {l, t, l + 600, t + 200};
    jvqTextObject* o = new jvqTextObject(&r, &m_view->m_Mapping, &a, dwState);
    m_page->AddChild(o);
    return o;
  }
  // A hidden edit control standing in for the in-place editor.
  void MakeEditor() {
    CEdit* e = new CEdit;
    e->Create(WS_CHILD | ES_MULTILINE, CRect(0, 0, 10, 10), m_view, QVZ_EDITOR_ID);
    m_view->m_pEditor = e;
  }
};

TEST_F(MenuTest, TheMenuFitsTheSelectionAndThePointer) {
  jvqRectObject* a = AddRect(100, 100, 400, 400);
  jvqRectObject* b = AddRect(600, 100, 900, 400);
  jvqPolylineObject* tri = AddPolyline({P(1200, 200), P(1800, 200), P(1500, 700)});
  struct Case {
    std::vector<jvqObject*> selected;
    UINT flags;
    UINT menu;
  } cases[] = {{{a}, 0, 1270}, {{}, 0, 1270}, {{a, b}, 0, 1039}, {{a, b}, MK_LBUTTON, 0}};
  for (const Case& c : cases) {
    theShownMenu = 0;
    m_view->ClearSelection();
    for (jvqObject* o : c.selected) m_view->Select(o, FALSE);
    RightClick(P(2500, 2000), c.flags);
    EXPECT_EQ(c.menu, theShownMenu) << c.selected.size() << " " << c.flags;
  }
  // Over a vertex of the triangle in vertex mode: the vertex menu, and the vertex is kept.
  m_view->ClearSelection();
  m_view->Select(tri, FALSE);
  Command(32859);
  ASSERT_EQ(TOOLID_VERTEX_EDIT, ToolId());
  RightClick(P(1800, 200));
  EXPECT_EQ(1052u, theShownMenu);
  ASSERT_NE(nullptr, m_view->m_pVertexMarker);
  EXPECT_EQ(tri, m_view->m_pVertexMarker->m_pParent);
  // Off a vertex the vertex mode ends without a menu; the zoom tool too.
  theShownMenu = 0;
  RightClick(P(2500, 2000));
  EXPECT_EQ(0u, theShownMenu);
  EXPECT_EQ(TOOLID_SELECT, ToolId());
  Command(32876);
  RightClick(P(2500, 2000));
  EXPECT_EQ(0u, theShownMenu);
  EXPECT_EQ(TOOLID_SELECT, ToolId());
  m_view->m_pVertexMarker = NULL;
}

TEST_F(MenuTest, TheFavoritesSubmenuListsAtMost99Categories) {
  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  const std::string root = std::string(dir) + "qvz-menu-favorites\\";
  ::CreateDirectory(root.c_str(), NULL);
  struct Case {
    int categories;
    size_t items;
    UINT last;
  } cases[] = {{0, 1, 1524}, {2, 4, 1526}, {120, 101, 1623}};
  int made = 0;
  for (const Case& c : cases) {
    for (; made < c.categories; made++) ::CreateDirectory((root + "分類" + std::to_string(made)).c_str(), NULL);
    m_view->m_strFavoritesFolder = root.c_str();
    RightClick(P(2500, 2000));
    ASSERT_EQ(c.items, theFavoriteIds.size()) << c.categories;
    EXPECT_EQ(c.last, theFavoriteIds.back()) << c.categories;
    for (UINT id : theFavoriteIds) EXPECT_LT(id, 1624u);
  }
  // The new-category item of the full menu asks for a new category instead of taking the 100th.
  jvqRectObject* r = AddRect(100, 100, 300, 300);
  m_view->Select(r, FALSE);
  Command(1623);
  for (int i = 0; i < made; i++) {
    WIN32_FIND_DATA fd;
    HANDLE h = ::FindFirstFile((root + "分類" + std::to_string(i) + "\\*.qzl").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h) << i;
    if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
  }
  for (int i = 0; i < made; i++) ::RemoveDirectory((root + "分類" + std::to_string(i)).c_str());
  ::RemoveDirectory(root.c_str());
}

TEST_F(MenuTest, DoubleClickStartsAnEditAsOneStep) {
  MakeEditor();
  jvqTextObject* locked = AddText(100, 100, 0x331);
  jvqTextObject* text = AddText(100, 600);
  const int step = theUndoManager.GetCurrentStep();
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, P(300, 200));
  EXPECT_EQ(nullptr, m_host.m_pEdited);
  EXPECT_EQ(step, theUndoManager.GetCurrentStep());
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, P(300, 700));
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(2u, s.size());
  EXPECT_EQ(locked, s[0]);
  EXPECT_NE(text, s[1]);
  EXPECT_EQ(s[1], m_host.m_pEdited);
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
  EXPECT_TRUE(m_view->IsTextEditing());
  EXPECT_EQ(1, theInPlaceEditStarted);
  Release(P(300, 700));
  EXPECT_EQ(0, theInPlaceEditStarted);
  EXPECT_EQ(m_view->m_pEditor->m_hWnd, ::GetFocus());
  m_view->m_pEditor->ShowWindow(SW_HIDE);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ((std::vector<jvqObject*>{locked, text}), Shown());
}

TEST_F(MenuTest, ABalloonEditWorksOnTheCopysOwnText) {
  MakeEditor();
  RECT r = {100, 100, 900, 500};
  jvqBalloonObject* b = new jvqBalloonObject(&m_view->m_Mapping);
  ASSERT_TRUE(b->SetBody(new jvqRectObject(&r, &m_view->m_Mapping, 0x311), &m_view->m_Mapping, 0x311));
  m_page->AddChild(b);
  ASSERT_TRUE(m_view->BeginInPlaceEdit(0, 0, b));
  ASSERT_EQ(1u, Shown().size());
  jvqBalloonObject* copy = (jvqBalloonObject*)Shown()[0];
  EXPECT_NE(b, copy);
  EXPECT_EQ(copy->GetText(), m_host.m_pEdited);
  m_view->m_pEditor->ShowWindow(SW_HIDE);
  // Anything else is left alone.
  jvqRectObject* rect = AddRect(1000, 1000, 1200, 1200);
  EXPECT_FALSE(m_view->BeginInPlaceEdit(0, 0, rect));
}

TEST_F(MenuTest, TitleEditRestylesTitlesAndCopiesTheRestInOneStep) {
  jvqObject* title = jvqObjectDefaults::CreateObject(JVQ_OBJ_BANNER);
  ASSERT_NE(nullptr, title);
  RECT r = {100, 100, 1100, 400};
  ((jvqRectObject*)title)->SetRect(&r, &m_view->m_Mapping, 0x311);
  m_page->AddChild(title);
  jvqRectObject* rect = AddRect(1500, 100, 1800, 400);
  m_view->Select(title, FALSE);
  m_view->Select(rect, FALSE);
  EXPECT_EQ(1, Probe(m_view, 32966).bEnabled);
  const int step = theUndoManager.GetCurrentStep();
  Command(32966);  // cancelled
  EXPECT_EQ(step, theUndoManager.GetCurrentStep());
  m_host.m_bTitleOk = TRUE;
  Command(32966);
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(2u, s.size());
  EXPECT_NE(title, s[0]);
  EXPECT_NE(rect, s[1]);
  EXPECT_NE(nullptr, dynamic_cast<jvqBannerFill*>(s[0]->GetFill()));
  EXPECT_EQ(2u, Selected().size());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ((std::vector<jvqObject*>{title, rect}), Shown());
}

TEST_F(MenuTest, HandleTipsAndTheirLength) {
  struct Case {
    std::string text;
    size_t kept;
  } cases[] = {{std::string(100, 'a'), 79}, {std::string(60, '\x82') , 0}, {"", 0}};
  // Double-byte text: "あ" is 0x82 0xA0 in code page 932.
  std::string wide;
  for (int i = 0; i < 50; i++) wide += "あ";
  cases[1].text = wide;
  cases[1].kept = 78;
  std::string mixed = "a" + wide;
  for (const Case& c : {cases[0], cases[1], cases[2], Case{mixed, 79}}) {
    char buf[80];
    memset(buf, 'x', sizeof buf);
    qvzView::CopyTipText(buf, sizeof buf, c.text.c_str());
    EXPECT_EQ(c.kept, strlen(buf)) << c.text.size();
    EXPECT_EQ(0, c.text.compare(0, c.kept, buf));
  }
  jvqRectObject* a = AddRect(100, 100, 400, 400);
  jvqPolylineObject* l = AddPolyline({P(600, 100), P(900, 100), P(900, 400)});
  m_view->Select(a, FALSE);
  m_view->Select(l, FALSE);
  a->OnToolChanged(TOOLID_SELECT);
  l->OnToolChanged(TOOLID_VERTEX_EDIT);
  ASSERT_GT(a->m_ResizeHandles.GetCount(), 0);
  ASSERT_GT(l->m_VertexMarkers.GetCount(), 0);
  struct Tip {
    UINT_PTR id;
    const char* text;
  } tips[] = {{(UINT_PTR)a->m_ResizeHandles.GetAt(0), "四角のハンドル"},
              {(UINT_PTR)l->m_VertexMarkers.GetAt(1), "頂点ハンドル"}};
  for (const Tip& t : tips) {
    NMTTDISPINFOA info = {};
    info.hdr.idFrom = t.id;
    info.hdr.code = TTN_NEEDTEXTA;
    ASSERT_TRUE(m_view->GetHandleToolTipText(&info.hdr));
    EXPECT_STREQ(t.text, info.szText);
  }
}

}  // namespace
