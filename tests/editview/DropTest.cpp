// Drops onto the view through our own data object: files of several kinds, catalogue items
// with and without Ctrl, and the capture a drag takes and gives back.
#include <shlobj.h>

#include <memory>

#include "Dib.h"
#include "../board_shapes/ShapeFixture.h"
#include "ViewFixture.h"
#include "jvqSymbolObject.h"
#include "afxole.h"

namespace {

HGLOBAL DropFiles(const std::vector<std::string>& files) {
  std::string list;
  for (const std::string& f : files) list += f + '\0';
  list += '\0';
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
  DROPFILES* d = (DROPFILES*)::GlobalLock(h);
  d->pFiles = sizeof(DROPFILES);
  memcpy((char*)d + sizeof(DROPFILES), list.data(), list.size());
  ::GlobalUnlock(h);
  return h;
}

HGLOBAL Block(const std::string& bytes) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  memcpy(::GlobalLock(h), bytes.data(), bytes.size());
  ::GlobalUnlock(h);
  return h;
}

BOOL theCtrl = FALSE;
BOOL ScriptedCtrl(int vk) { return vk == VK_CONTROL ? theCtrl : FALSE; }

class DropTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_page->m_Children.RemoveAll();
    char dir[MAX_PATH];
    ::GetTempPath(MAX_PATH, dir);
    m_dir = dir;
    CDib dib;
    ASSERT_TRUE(dib.Create(40, 30, 24));
    for (const char* n : {"qvz-drop1.bmp", "qvz-drop2.bmp"}) {
      ASSERT_TRUE(dib.Write((m_dir + n).c_str()));
      m_files.push_back(m_dir + n);
    }
    FILE* f = fopen((m_dir + "qvz-drop.txt").c_str(), "wb");
    fputs("落とした文字", f);
    fclose(f);
    m_files.push_back(m_dir + "qvz-drop.txt");
    theCtrl = FALSE;
    theKeyDownProc = ScriptedCtrl;
  }
  void TearDown() override {
    for (const std::string& f : m_files) ::DeleteFile(f.c_str());
    ViewTest::TearDown();
  }
  // Enters, moves over and drops the data at a logical point, as the drag loop does.
  BOOL Drop(CLIPFORMAT cf, HGLOBAL h, POINT at) {
    COleDataSource src;
    src.CacheGlobalData(cf, h);
    COleDataObject obj;
    obj.Attach(src.GetDataObject(), FALSE);
    const POINT d = Dev(at);
    EXPECT_EQ(DROPEFFECT_COPY, m_view->OnDragEnter(&obj, 0, CPoint(d)));
    m_view->OnDragOver(&obj, 0, CPoint(d));
    return m_view->OnDrop(&obj, DROPEFFECT_COPY, CPoint(d));
  }
  POINT Centre(jvqObject* o) {
    POINT c;
    o->GetCenter(&c);
    return c;
  }
  std::string m_dir;
  std::vector<std::string> m_files;
};

TEST_F(DropTest, FilesOfEachKind) {
  // Two pictures cascade from the drop point, each an undo step of its own.
  const int step = theUndoManager.GetCurrentStep();
  ASSERT_TRUE(Drop(CF_HDROP, DropFiles({m_files[0], m_files[1]}), P(1000, 800)));
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(2u, s.size());
  EXPECT_NEAR(1000, Centre(s[0]).x, 1);
  EXPECT_NEAR(800, Centre(s[0]).y, 1);
  EXPECT_NEAR(1050, Centre(s[1]).x, 1);
  EXPECT_NEAR(850, Centre(s[1]).y, 1);
  EXPECT_EQ(step + 2, theUndoManager.GetCurrentStep());
  EXPECT_EQ(NULL, ::GetCapture());
  // A text file lands centred on the point, and undo takes it away.
  m_page->m_Children.RemoveAll();
  ASSERT_TRUE(Drop(CF_HDROP, DropFiles({m_files[2]}), P(2000, 1500)));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_EQ(JVQ_OBJ_TEXT, Shown()[0]->GetClassCode());
  EXPECT_NEAR(2000, Centre(Shown()[0]).x, 1);
  EXPECT_NEAR(1500, Centre(Shown()[0]).y, 1);
  Command(ID_EDIT_UNDO);
  EXPECT_TRUE(Shown().empty());
  // A board opens and the files after it are left.
  ASSERT_TRUE(Drop(CF_HDROP, DropFiles({m_dir + "qvz-board.vqd", m_files[0]}), P(1000, 800)));
  ASSERT_EQ(1u, m_host.m_opened.size());
  EXPECT_EQ(m_dir + "qvz-board.vqd", m_host.m_opened[0]);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DropTest, CatalogueItems) {
  const std::string item = m_files[0] + '\0' + "key" + '\0' + "ABC-1" + '\0' + "椅子" + '\0' + '\0' +
                           "■価格 12,000円" + '\0';
  // Without Ctrl the catalogue paste places the item (with the program's layout) centred on
  // the point, selected, as one undo step.
  const int step = theUndoManager.GetCurrentStep();
  ASSERT_TRUE(Drop(qvzView::CatalogFormat(), Block(item), P(1000, 800)));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_NEAR(1000, Centre(Shown()[0]).x, 1);
  EXPECT_NEAR(800, Centre(Shown()[0]).y, 1);
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
  Command(ID_EDIT_UNDO);
  EXPECT_TRUE(Shown().empty());
  // With Ctrl the picture alone, not left selected.
  theCtrl = TRUE;
  ASSERT_TRUE(Drop(qvzView::CatalogFormat(), Block(item), P(1000, 800)));
  ASSERT_EQ(1u, Shown().size());
  EXPECT_EQ(JVQ_OBJ_IMAGE, Shown()[0]->GetClassCode());
  EXPECT_TRUE(Selected().empty());
  // A block without an end to its string places nothing.
  theCtrl = FALSE;
  ASSERT_TRUE(Drop(qvzView::CatalogFormat(), Block(std::string(64, 'x')), P(1000, 800)));
  EXPECT_EQ(1u, Shown().size());
}

// Through OLE's own target interface, as another process's drag reaches the view: the view
// asks for the default scrolling, and away from a band along its edges it hears of the drag
// and takes the drop (it once answered "scroll" everywhere, so that no drag ever dropped).
TEST_F(DropTest, AnOleDragHeardThroughTheTargetInterface) {
  const HRESULT init = ::OleInitialize(NULL);
  ASSERT_TRUE(SUCCEEDED(init));
  {
    COleDropTarget target;
    ::RevokeDragDrop(m_view->m_hWnd);
    ASSERT_TRUE(target.Register(m_view));
    const std::string item = m_files[0] + '\0' + "key" + '\0' + "ABC-1" + '\0' + "椅子" + '\0' + '\0' +
                             "■価格 12,000円" + '\0' + '\0' + '\0';
    COleDataSource src;
    src.CacheGlobalData(qvzView::CatalogFormat(), Block(item));
    auto screen = [&](POINT client) {
      ::ClientToScreen(m_view->m_hWnd, &client);
      return POINTL{client.x, client.y};
    };
    IDropTarget* t = &target.m_xDropTarget;
    const POINTL middle = screen(Dev(P(1000, 800)));
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, t->DragEnter(src.GetDataObject(), MK_LBUTTON, middle, &effect));
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), effect);
    EXPECT_EQ(m_view->m_hWnd, ::GetCapture());
    effect = DROPEFFECT_COPY;
    t->DragOver(MK_LBUTTON, middle, &effect);
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), effect);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, t->Drop(src.GetDataObject(), 0, middle, &effect));
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), effect);
    ASSERT_EQ(1u, Shown().size());
    EXPECT_NEAR(1000, Centre(Shown()[0]).x, 1);
    EXPECT_NEAR(800, Centre(Shown()[0]).y, 1);
    EXPECT_EQ(NULL, ::GetCapture());
    // Entered at the corner (in the band, where the view scrolls if it can) and moved to the
    // middle: the view hears of it there, and a leave places nothing and gives the capture back.
    effect = DROPEFFECT_COPY;
    t->DragEnter(src.GetDataObject(), MK_LBUTTON, screen({2, 2}), &effect);
    effect = DROPEFFECT_COPY;
    t->DragOver(MK_LBUTTON, middle, &effect);
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), effect);
    EXPECT_EQ(m_view->m_hWnd, ::GetCapture());
    t->DragLeave();
    EXPECT_EQ(1u, Shown().size());
    EXPECT_EQ(NULL, ::GetCapture());
    target.Revoke();
  }
  ::OleUninitialize();
}

TEST_F(DropTest, LeavingTheViewGivesTheCaptureBack) {
  COleDataSource src;
  src.CacheGlobalData(CF_HDROP, DropFiles({m_files[0]}));
  COleDataObject obj;
  obj.Attach(src.GetDataObject(), FALSE);
  const POINT d = Dev(P(1000, 800));
  m_view->OnDragEnter(&obj, 0, CPoint(d));
  EXPECT_EQ(m_view->m_hWnd, ::GetCapture());
  ASSERT_EQ(1u, m_view->m_DropOutlines.size());  // one picture: its outline follows
  m_view->OnDragOver(&obj, 0, CPoint(Dev(P(1500, 900))));
  EXPECT_NEAR(1500, Centre(m_view->m_DropOutlines[0]).x, 1);
  m_view->OnDragLeave();
  EXPECT_EQ(NULL, ::GetCapture());
  EXPECT_TRUE(m_view->m_bNoFeedback);
  m_view->DeleteDropOutlines();
  // Data of neither kind is refused.
  COleDataSource other;
  other.CacheGlobalData(CF_TEXT, Block(std::string("x\0", 2)));
  COleDataObject o2;
  o2.Attach(other.GetDataObject(), FALSE);
  EXPECT_EQ(DROPEFFECT_NONE, m_view->OnDragEnter(&o2, 0, CPoint(d)));
}

// A symbol file: its outline, a tenth of the shape's extent, follows the pointer; dropped
// twice it cascades like pictures, each an undo step; a file that is no shape places nothing.
TEST_F(DropTest, SymbolFiles) {
  std::unique_ptr<CVectorShapeEx> shape(MakeShape(1000, 500));
  const std::string tqz = m_dir + "qvz-drop.tqz", bad = m_dir + "qvz-bad.tqz";
  ASSERT_TRUE(shape->SaveFile(tqz.c_str()));
  FILE* f = fopen(bad.c_str(), "wb");
  fputs("not a shape", f);
  fclose(f);
  m_files.push_back(tqz);
  m_files.push_back(bad);

  COleDataSource src;
  src.CacheGlobalData(CF_HDROP, DropFiles({tqz}));
  COleDataObject obj;
  obj.Attach(src.GetDataObject(), FALSE);
  m_view->OnDragEnter(&obj, 0, CPoint(Dev(P(1000, 800))));
  ASSERT_EQ(1u, m_view->m_DropOutlines.size());
  m_view->OnDragOver(&obj, 0, CPoint(Dev(P(1500, 900))));
  jvqObject* outline = m_view->m_DropOutlines[0];
  RECT r;
  outline->GetBoundRect(&r);
  EXPECT_EQ(100, r.right - r.left);
  EXPECT_EQ(50, r.bottom - r.top);
  EXPECT_NEAR(1500, Centre(outline).x, 1);
  m_view->OnDragLeave();
  m_view->DeleteDropOutlines();

  const int step = theUndoManager.GetCurrentStep();
  ASSERT_TRUE(Drop(CF_HDROP, DropFiles({tqz, bad, tqz}), P(1000, 800)));
  std::vector<jvqObject*> s = Shown();
  ASSERT_EQ(2u, s.size());
  for (int i = 0; i < 2; i++) {
    EXPECT_EQ(JVQ_OBJ_SYMBOL, s[i]->GetClassCode());
    ASSERT_NE(nullptr, ((jvqSymbolObject*)s[i])->GetVectorShape());
    EXPECT_EQ(5, s[i]->GetLineStyle()->GetStyle());
    EXPECT_NEAR(1000 + 50 * i, Centre(s[i]).x, 1);
    EXPECT_NEAR(800 + 50 * i, Centre(s[i]).y, 1);
  }
  EXPECT_EQ(2u, Selected().size());
  EXPECT_EQ(step + 2, theUndoManager.GetCurrentStep());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(1u, Shown().size());
}

}  // namespace
