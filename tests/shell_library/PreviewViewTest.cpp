// The thumbnail grids in the test frame: a folder of favourites written by the view's
// writer, the grid in a window, the mouse, and the page list of a three-page board.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "afxole.h"

#include "ViewFixture.h"
#include "qvzContentFolders.h"
#include "qvzMessages.h"
#include "qvzObjectPreviewView.h"
#include "qvzPagePreviewView.h"

namespace {

// The parent of a preview: counts the context messages and the drags handed to it.
class PreviewParent : public CWnd, public qvzPreviewDragSource {
 public:
  void BeginDrag(jvqObject* pObject, int nCount) override {
    m_dragged = pObject;
    m_nDrags++;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == QVZM_PALETTEDROP) {
      m_nDrops++;
      m_lastPoint = lParam;
      m_dropped.assign((const char*)::GlobalLock((HGLOBAL)wParam), 4);
      ::GlobalUnlock((HGLOBAL)wParam);
      return 0;
    }
    if (message == QVZM_PALETTECONTEXT) {
      m_nContexts++;
      m_lastPoint = lParam;
      return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
  jvqObject* m_dragged = nullptr;
  int m_nDrags = 0;
  int m_nContexts = 0;
  int m_nDrops = 0;
  std::string m_dropped;
  LPARAM m_lastPoint = 0;
};

class TabHost : public CRecordingHost {
 public:
  void UpdatePageTabs() override { m_nTabs++; }
  int m_nTabs = 0;
};

class PreviewViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    char tmp[MAX_PATH];
    ::GetTempPath(MAX_PATH, tmp);
    m_folder.Format("%sqvzpreview%lu\\", tmp, ::GetCurrentProcessId());
    Clear();
    ::CreateDirectory(m_folder, NULL);
    CRect rc(0, 0, 600, 400);
    ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, rc, m_frame, 4711));
  }
  void TearDown() override {
    if (m_preview) m_preview->DestroyWindow();
    m_parent.DestroyWindow();
    Clear();
    ViewTest::TearDown();
  }
  void Clear() {
    CFileFind f;
    for (BOOL more = f.FindFile(m_folder + "*.*"); more;) {
      more = f.FindNextFile();
      if (!f.IsDots()) ::DeleteFile(f.GetFilePath());
    }
    f.Close();
    ::RemoveDirectory(m_folder);
  }
  // A favourite of a rectangle, written as the view registers one.
  void Favorite(const char* name, int width) {
    jvqRectObject* rect = AddRect(100, 100, 100 + width, 300);
    ASSERT_TRUE(qvzView::WriteObjectFile(m_folder + name, rect, m_doc, "", "", NULL)) << name;
  }
  // A rectangle of no page, for a cell to own.
  jvqObject* FreeRect(int width) {
    RECT rc = {0, 0, width, 200};
    jvqRectObject* o = new jvqRectObject(&rc, &m_view->m_Mapping, 0x311);
    jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(o);
    return o;
  }
  void WriteBytes(const char* name, const std::string& bytes) {
    CFile f(m_folder + name, CFile::modeCreate | CFile::modeWrite);
    f.Write(bytes.data(), (UINT)bytes.size());
  }
  // A preview of the class, its client area cx x cy (no border).
  template <class T>
  T* MakePreview(int cx, int cy) {
    T* view = (T*)RUNTIME_CLASS(T)->CreateObject();
    CRect rc(0, 0, cx, cy);
    EXPECT_TRUE(view->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rc, &m_parent, 770));
    m_preview = view;
    return view;
  }
  void Resize(int cx, int cy) {
    m_preview->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE);
    PumpPending();
  }
  static std::string Labels(qvzObjectPreviewView* v) {
    std::string s;
    for (int i = 0; i < v->GetItemCount(); i++) {
      if (i) s += ",";
      s += (LPCTSTR)v->GetItem(i)->m_strLabel;
    }
    return s;
  }
  void Mouse(UINT msg, int x, int y) { m_preview->SendMessage(msg, msg == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y)); }

  CString m_folder;
  PreviewParent m_parent;
  CView* m_preview = nullptr;
};

TEST_F(PreviewViewTest, FolderListsReadableObjectFilesByNameAndWritesThemAsOrderFile) {
  Favorite("b.qzl", 200);
  Favorite("a.qzl", 300);
  Favorite("C.QZL", 400);
  WriteBytes("broken.qzl", std::string("\x01\0\0\0imag", 9));
  WriteBytes("note.txt", "x");
  qvzObjectPreviewView* v = MakePreview<qvzObjectPreviewView>(240, 400);
  EXPECT_EQ(0, v->LoadFolder(NULL));
  ASSERT_EQ(1, v->LoadFolder(m_folder));
  EXPECT_EQ(m_folder, v->GetFolderPath());
  // Byte order: upper case first; the unreadable file is left out.
  EXPECT_EQ("C,a,b", Labels(v));
  for (int i = 0; i < v->GetItemCount(); i++) {
    EXPECT_NE(nullptr, v->GetItem(i)->m_pObject);
    EXPECT_NE(nullptr, v->GetItem(i)->m_pPicture) << "the stored thumbnail";
  }
  EXPECT_EQ(-1, v->GetSelectedIndex());
  EXPECT_EQ(nullptr, v->GetSelectedObject());

  v->RemoveItem(0);
  ASSERT_TRUE(v->WriteOrderFile(m_folder + "info.txt"));
  CStringArray names;
  ASSERT_TRUE(ReadOrderFile(m_folder + "info.txt", names));
  ASSERT_EQ(2, (int)names.GetSize());
  EXPECT_STREQ("a", names[0]);
  EXPECT_STREQ("b", names[1]);
  EXPECT_FALSE(v->WriteOrderFile(m_folder + "missing\\info.txt"));

  // A folder without object files leaves the view empty.
  Clear();
  ::CreateDirectory(m_folder, NULL);
  EXPECT_EQ(0, v->LoadFolder(m_folder));
  EXPECT_EQ(0, v->GetItemCount());
  EXPECT_EQ(nullptr, v->GetItem(0));
}

TEST_F(PreviewViewTest, GridFollowsTheWindowWidthAndScrollsToACell) {
  // Tall enough for no scroll bar to narrow the client area.
  qvzObjectPreviewView* v = MakePreview<qvzObjectPreviewView>(240, 700);
  for (int i = 0; i < 10; i++) v->AddItem(FreeRect(100 + 10 * i), "x");
  ASSERT_EQ(10, v->GetItemCount());
  EXPECT_EQ(20, v->GetItem(0)->m_rcCell.left);
  EXPECT_EQ(140, v->GetItem(1)->m_rcCell.left);
  EXPECT_EQ(140, v->GetItem(2)->m_rcCell.top);
  Resize(239, 700);
  EXPECT_EQ(20, v->GetItem(1)->m_rcCell.left);
  EXPECT_EQ(140, v->GetItem(1)->m_rcCell.top);
  Resize(380, 700);
  EXPECT_EQ(CSize(140, 520), v->GetTotalSize());

  // Taller than the window: the cell's row comes to the top.
  Resize(380, 200);
  v->EnsureVisible(3);
  EXPECT_EQ(140, v->GetItem(3)->m_rcCell.top);
  EXPECT_EQ(140, v->GetScrollPosition().y);
}

TEST_F(PreviewViewTest, ClicksSelectCellsKeepTheSelectionBetweenThemAndHandTheObjectOver) {
  qvzObjectPreviewView* v = MakePreview<qvzObjectPreviewView>(240, 300);
  v->AddItem(FreeRect(200), "a");
  v->AddItem(FreeRect(300), "b");
  v->SelectItem(5);
  EXPECT_EQ(-1, v->GetSelectedIndex());
  v->SelectItem(0);
  EXPECT_EQ(0, v->GetSelectedIndex());

  Mouse(WM_LBUTTONDOWN, 150, 50);
  EXPECT_EQ(1, v->GetSelectedIndex());
  EXPECT_EQ(1, m_parent.m_nDrags);
  EXPECT_EQ(v->GetItem(1)->m_pObject, m_parent.m_dragged);
  Mouse(WM_LBUTTONUP, 150, 50);

  // Between the cells: the selection stays, nothing is handed over.
  Mouse(WM_LBUTTONDOWN, 130, 50);
  EXPECT_EQ(1, v->GetSelectedIndex());
  EXPECT_EQ(1, m_parent.m_nDrags);
  Mouse(WM_RBUTTONDOWN, 130, 50);
  EXPECT_EQ(1, v->GetSelectedIndex());
  EXPECT_EQ(1, m_parent.m_nContexts);
  EXPECT_EQ(MAKELPARAM(130, 50), m_parent.m_lastPoint);

  // Without the hand-off flag a press only selects.
  v->m_bDragHandOff = 0;
  Mouse(WM_LBUTTONDOWN, 50, 50);
  EXPECT_EQ(0, v->GetSelectedIndex());
  EXPECT_EQ(1, m_parent.m_nDrags);
}

// Copies the bytes into a movable block, as a drag source hands it over.
HGLOBAL Block(const std::string& bytes) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  memcpy(::GlobalLock(h), bytes.data(), bytes.size());
  ::GlobalUnlock(h);
  return h;
}

TEST_F(PreviewViewTest, DroppedFilesAreAcceptedAndIgnoredCatalogueItemsGoToTheParent) {
  qvzObjectPreviewView* v = MakePreview<qvzObjectPreviewView>(240, 300);
  v->AddItem(FreeRect(200), "a");
  std::string files(sizeof(DROPFILES), '\0');
  ((DROPFILES*)&files[0])->pFiles = sizeof(DROPFILES);
  files += "C:\\x.qzl";
  files.append(2, '\0');
  struct Case {
    CLIPFORMAT cf;
    HGLOBAL h;
    DWORD effect;
    int drops;
  } cases[] = {
      {CF_HDROP, Block(files), DROPEFFECT_COPY, 0},
      {qvzView::CatalogFormat(), Block("item"), DROPEFFECT_COPY, 1},
      {CF_TEXT, Block("text"), DROPEFFECT_NONE, 1},
  };
  for (Case& c : cases) {
    COleDataSource src;
    src.CacheGlobalData(c.cf, c.h);
    COleDataObject obj;
    obj.Attach(src.GetDataObject(), FALSE);
    EXPECT_EQ(c.effect, v->OnDragEnter(&obj, 0, CPoint(30, 40)));
    EXPECT_EQ(c.effect, v->OnDragOver(&obj, 0, CPoint(30, 40)));
    if (c.effect != DROPEFFECT_NONE) {
      EXPECT_TRUE(v->OnDrop(&obj, DROPEFFECT_COPY, CPoint(30, 40)));
    }
    EXPECT_EQ(c.drops, m_parent.m_nDrops) << c.cf;
    EXPECT_EQ(1, v->GetItemCount());
  }
  EXPECT_EQ("item", m_parent.m_dropped);
  EXPECT_EQ(MAKELPARAM(30, 40), m_parent.m_lastPoint);
}

TEST_F(PreviewViewTest, PageListShowsEveryPageAndAClickMakesItCurrent) {
  TabHost host;
  jvqSetViewHost(&host);
  m_doc->InsertPage(0);
  m_doc->InsertPage(0);
  jvqBoard* board = m_view->GetBoard();
  ASSERT_EQ(3, board->GetPageCount());
  board->SetCurrentPage(1);
  m_doc->UpdatePageThumbnails();
  qvzPagePreviewView* v = MakePreview<qvzPagePreviewView>(240, 300);
  v->m_bDragHandOff = 0;
  ASSERT_TRUE(v->UpdatePages());
  EXPECT_EQ("1ページ,2ページ,3ページ", Labels(v));
  EXPECT_EQ(1, v->GetSelectedIndex());
  EXPECT_EQ(nullptr, v->GetItem(0)->m_pObject);

  v->GoToPage(1);
  EXPECT_EQ(0, host.m_nTabs) << "the current page changes nothing";

  // The third cell, second row.
  const RECT rc = v->GetItem(2)->m_rcCell;
  Mouse(WM_LBUTTONDOWN, rc.left + 10, rc.top + 10);
  EXPECT_EQ(2, board->GetCurrentPageIndex());
  EXPECT_EQ(1, host.m_nTabs);
  SIZE page;
  board->GetCurrentPageSize(&page);
  EXPECT_EQ(page.cx, m_view->m_Mapping.m_nPageWidth);
  EXPECT_EQ((int)(1.25 * page.cx), m_view->m_Mapping.m_nMinMarginX);

  // The cells only show the document's thumbnails: the view goes, they stay.
  v->DestroyWindow();
  m_preview = nullptr;
  EXPECT_EQ(3u, m_doc->m_PageThumbnails.size());
  jvqSetViewHost(&m_host);
}

}  // namespace
