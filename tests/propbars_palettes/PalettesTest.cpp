// The palettes in the real main frame and view under Wine, over a temporary program folder:
// libraries and remembered categories, the ordered listing, the order file, catalogue items
// dropped on the favourites, dragging onto the page, floor plans and perspective pictures.
#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CVectorShapeEx.h"
#include "PaletteRules.h"
#include "afxtest/ThreadPump.h"
#include "Dib.h"
#include "jvqGroupObject.h"
#include "jvqImageObject.h"
#include "jvqMadorizuObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqRectObject.h"
#include "jvqSymbolObject.h"
#include "jvqUndoManager.h"
#include "qvzApp.h"
#include "qvzContentFolders.h"
#include "qvzDocument.h"
#include "qvzMadorizuToolBar.h"
#include "qvzMainFrame.h"
#include "qvzMessages.h"
#include "qvzObjectFileReader.h"
#include "qvzPerszuToolBar.h"
#include "qvzSymbolToolBar.h"
#include "qvzView.h"
#include "resource.h"

namespace {

class CPalettesTestApp : public qvzApp {
 public:
  BOOL InitInstance() override { return TRUE; }
  int DoMessageBox(LPCTSTR, UINT, UINT) override { return IDOK; }
};
CPalettesTestApp theApp;

qvzMainFrame* Frame() { return DYNAMIC_DOWNCAST(qvzMainFrame, AfxGetMainWnd()); }
qvzView* View() { return DYNAMIC_DOWNCAST(qvzView, Frame()->GetEditView()); }
jvqPage* Page() { return View()->GetCurrentPage(); }
CControlBar* CurrentBar() { return Frame()->m_PropertyBars.GetCurrentBar(); }

std::string g_root;  // the temporary program folder, ending in a backslash
std::string BinDir() {
  std::string d = getenv("QVZ_BIN_DIR") ? getenv("QVZ_BIN_DIR") : ".";
  for (char& c : d)
    if (c == '/') c = '\\';
  if (!d.empty() && d[0] == '\\') d = "Z:" + d;
  return d + "\\";
}

std::string ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}
void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}
bool Exists(const std::string& path) { return ::GetFileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
// A 24-bit bitmap file of w x h grey pixels.
std::string Bitmap(int w, int h) {
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER f = {};
  BITMAPINFOHEADER i = {};
  f.bfType = 0x4D42;
  f.bfOffBits = sizeof f + sizeof i;
  f.bfSize = f.bfOffBits + stride * h;
  i.biSize = sizeof i;
  i.biWidth = w;
  i.biHeight = h;
  i.biPlanes = 1;
  i.biBitCount = 24;
  std::string out((const char*)&f, sizeof f);
  out.append((const char*)&i, sizeof i);
  out.append((size_t)(stride * h), '\x80');
  return out;
}
void MakeDir(const std::string& path) { ::CreateDirectory(path.c_str(), NULL); }
void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile((dir + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + name + "\\");
      else {
        ::SetFileAttributes((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFile((dir + name).c_str());
      }
    } while (::FindNextFile(h, &fd));
    ::FindClose(h);
  }
  ::RemoveDirectory(dir.c_str());
}

jvqRectObject* NewRect(int w, int h) {
  const RECT r = {0, 0, w, h};
  return new jvqRectObject(&r, &View()->m_Mapping, 0x311);
}
void WriteQzl(const std::string& path, jvqObject* o) {
  ASSERT_TRUE(qvzView::WriteObjectFile(path.c_str(), o, View()->GetDocument(), "x", "x", NULL)) << path;
  delete o;
}

// The catalogue builder stands for the paste layout: a group of one rectangle.
jvqObject* BuildTestItem(const void*, size_t, jvqDocument*) {
  jvqGroupObject* g = new jvqGroupObject();
  g->AddChild(NewRect(400, 300));
  g->m_dwState = 0x311;
  g->Recalc();
  return g;
}

std::vector<std::string> g_messages;
int g_answer = IDYES;
int RecordMessage(LPCTSTR lpszText, LPCTSTR, UINT) {
  g_messages.push_back(lpszText);
  return g_answer;
}
std::vector<std::string> g_menuItems;
int g_menusTracked = 0;
UINT RecordMenu(CMenu* pMenu, CPoint, CWnd*) {
  g_menusTracked++;
  g_menuItems.clear();
  CMenu* move = pMenu->GetSubMenu(2);
  for (int i = 0; move && i < move->GetMenuItemCount(); i++) {
    CString t;
    move->GetMenuString(i, t, MF_BYPOSITION);
    char id[16];
    sprintf(id, "%u:", move->GetMenuItemID(i));
    g_menuItems.push_back(id + std::string((LPCTSTR)t));
  }
  return 0;
}

struct PalettesTest : ::testing::Test {
  static void SetUpTestSuite() {
    char tmp[MAX_PATH];
    ::GetTempPath(MAX_PATH, tmp);
    char name[64];
    sprintf(name, "qvz-palettes-%lu\\", ::GetCurrentProcessId());
    g_root = std::string(tmp) + name;
    RemoveTree(g_root);
    MakeDir(g_root);
    thePaletteProgramFolder = g_root.c_str();
    theBuildCatalogItemProc = BuildTestItem;
    thePaletteMessageProc = RecordMessage;
    theTrackPaletteMenuProc = RecordMenu;
  }
  static void TearDownTestSuite() { RemoveTree(g_root); }

  void SetUp() override {
    if (Frame() == NULL) {
      theApp.m_strAppFolder = BinDir().c_str();
      theApp.m_Settings.nWindowStatus = 5;
      theApp.m_Settings.rcWindow = {0, 0, 1000, 740};
      theApp.AddDocTemplate(new CSingleDocTemplate(IDR_QVZTYPE, RUNTIME_CLASS(qvzDocument),
                                                   RUNTIME_CLASS(qvzMainFrame), RUNTIME_CLASS(qvzView)));
      GetObjectDefaults()->FillMissingPrototypes();
      theApp.m_bShowStartMenu = 0;
      theApp.OnFileNew();
      Frame()->ShowWindow(SW_SHOW);
    }
    ASSERT_NE(Frame(), nullptr);
    View()->m_strFavoritesFolder = (g_root + "お気に入り").c_str();
    Command(ID_TOOL_SELECT);
    View()->ClearSelection();
    Page()->DeleteChildren();
    g_messages.clear();
    g_answer = IDYES;
    g_menusTracked = 0;
    theApp.m_Settings.nShapeLastSelect = theApp.m_Settings.nSymbolLastSelect = 0;
    theApp.m_Settings.nFavoriteLastSelect = 0;
    theApp.m_Settings.nSymbolScale = 100;
  }
  void TearDown() override {
    Command(ID_TOOL_SELECT);
    PumpPending();
  }
  void Command(UINT nID) {
    if (nID == ID_TOOL_SELECT) {
      View()->SwitchToSelectTool();
      Frame()->SwitchBar(FALSE);
    } else {
      Frame()->SendMessage(WM_COMMAND, nID);
    }
    PumpPending();
  }
  qvzSymbolToolBar* Palette(UINT nCommand) {
    Command(nCommand);
    return Frame()->GetSymbolToolBar();
  }
  static std::vector<std::string> ComboItems(CComboBox& box) {
    std::vector<std::string> out;
    for (int i = 0; i < box.GetCount(); i++) {
      CString t;
      box.GetLBText(i, t);
      out.push_back((LPCTSTR)t);
    }
    return out;
  }
  static std::vector<std::string> Labels(qvzSymbolToolBar* bar) {
    std::vector<std::string> out;
    for (int i = 0; i < bar->GetListView()->GetItemCount(); i++)
      out.push_back((LPCTSTR)bar->GetListView()->GetItem(i)->m_strLabel);
    return out;
  }
  // Favourites: the categories C, A, B in this order, and the folder D that the list omits.
  static void MakeFavorites() {
    const std::string fav = g_root + "お気に入り\\";
    RemoveTree(fav);
    MakeDir(fav);
    for (const char* c : {"A", "B", "C", "D"}) MakeDir(fav + c);
    WriteBytes(fav + "info.txt", "C\r\nA\r\nB\r\n");
  }
  // A drag out of the palette released at a point of the view's client area (or elsewhere).
  static jvqObject* DragFirstCellTo(qvzSymbolToolBar* bar, CWnd* pOver, POINT ptInOver) {
    qvzObjectThumbnail* cell = bar->GetListView()->GetItem(0);
    if (cell == NULL) return NULL;
    bar->BeginDrag(cell->m_pObject, 1);
    POINT pt = ptInOver;
    pOver->ClientToScreen(&pt);
    bar->ScreenToClient(&pt);
    bar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    PumpPending();
    return Page()->GetChildCount() ? Page()->GetChild(Page()->GetChildCount() - 1) : NULL;
  }
  static POINT Centre(jvqObject* o) {
    POINT c;
    o->GetCenter(&c);
    return c;
  }
  static POINT Logical(POINT ptClient) {
    POINT out;
    View()->PointToLogical(&out, &ptClient);
    return out;
  }
  static HGLOBAL Block(const std::string& bytes) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    return h;
  }
  static LRESULT DropItem(qvzSymbolToolBar* bar, const std::string& number, int nStrings = 6) {
    std::string bytes;
    const std::string fields[6] = {"C:\\none.bmp", "key", number, "品名", "x", "■価格 100"};
    for (int i = 0; i < nStrings; i++) bytes += fields[i] + std::string(1, '\0');
    HGLOBAL h = Block(bytes);
    const LRESULT r = bar->SendMessage(QVZM_PALETTEDROP, (WPARAM)h, 0);
    ::GlobalFree(h);
    return r;
  }
};

TEST_F(PalettesTest, LibrariesFollowThePaletteKind) {
  MakeFavorites();
  qvzSymbolToolBar* bar = Palette(32892);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar, CurrentBar());
  std::vector<std::string> shapes, symbols;
  for (int i = 0; *ShapeCategoryNames[i]; i++) shapes.push_back(ShapeCategoryNames[i]);
  for (int i = 0; *SymbolCategoryNames[i]; i++) symbols.push_back(SymbolCategoryNames[i]);
  EXPECT_EQ(9u, shapes.size());
  EXPECT_EQ(shapes, ComboItems(bar->m_wndCategory));
  EXPECT_EQ(bar, Palette(32943));
  EXPECT_EQ(symbols, ComboItems(bar->m_wndCategory));
  // The favourites come from the category list: its order, only folders it names.
  EXPECT_EQ(bar, Palette(32944));
  EXPECT_EQ((std::vector<std::string>{"C", "A", "B"}), ComboItems(bar->m_wndCategory));

  // The floor-plan and perspective palettes are no symbol palettes to the frame.
  Command(92);
  EXPECT_TRUE(CurrentBar()->IsKindOf(RUNTIME_CLASS(qvzMadorizuToolBar)));
  EXPECT_FALSE(CurrentBar()->IsKindOf(RUNTIME_CLASS(qvzSymbolToolBar)));
  EXPECT_EQ(nullptr, Frame()->GetSymbolToolBar());
  Command(91);
  EXPECT_TRUE(CurrentBar()->IsKindOf(RUNTIME_CLASS(qvzPerszuToolBar)));
  EXPECT_FALSE(CurrentBar()->IsKindOf(RUNTIME_CLASS(qvzMadorizuToolBar)));
  EXPECT_EQ(nullptr, Frame()->GetSymbolToolBar());
  EXPECT_EQ(1024, ((qvzPerszuToolBar*)CurrentBar())->GetPaletteKind());
}

TEST_F(PalettesTest, RememberedCategoriesComeBackWithTheirLibrary) {
  MakeFavorites();
  theApp.m_Settings.nShapeLastSelect = 6;
  theApp.m_Settings.nFavoriteLastSelect = 1;
  qvzSymbolToolBar* bar = Palette(32892);
  EXPECT_EQ(6, bar->m_wndCategory.GetCurSel());
  Palette(32944);
  EXPECT_EQ(1, bar->m_wndCategory.GetCurSel());
  bar->m_wndCategory.SetCurSel(2);
  bar->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PALETTE_CATEGORY, CBN_SELCHANGE), (LPARAM)bar->m_wndCategory.m_hWnd);
  EXPECT_EQ(2, theApp.m_Settings.nFavoriteLastSelect);
  EXPECT_EQ(6, theApp.m_Settings.nShapeLastSelect);
  Palette(32892);
  EXPECT_EQ(6, bar->m_wndCategory.GetCurSel());
  Palette(32944);
  EXPECT_EQ(2, bar->m_wndCategory.GetCurSel());

  // A remembered index beyond the three categories selects nothing until one is chosen.
  Command(ID_TOOL_SELECT);
  theApp.m_Settings.nFavoriteLastSelect = 5;
  WriteQzl(g_root + "お気に入り\\C\\one.qzl", NewRect(200, 200));
  bar = Palette(32944);
  EXPECT_EQ(CB_ERR, bar->m_wndCategory.GetCurSel());
  EXPECT_EQ(0, bar->GetListView()->GetItemCount());
  EXPECT_EQ("", std::string(bar->GetCategoryFolder()));
  bar->m_wndCategory.SetCurSel(0);
  bar->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PALETTE_CATEGORY, CBN_SELCHANGE), (LPARAM)bar->m_wndCategory.m_hWnd);
  EXPECT_EQ(0, theApp.m_Settings.nFavoriteLastSelect);
  EXPECT_EQ(1, bar->GetListView()->GetItemCount());
}

// The order file sets what is listed: blank lines, missing and damaged files are skipped,
// files it does not name are not shown. Destroying the bar leaves an unreordered file as it
// was, and a reorder keeps the names that did not load in their places.
TEST_F(PalettesTest, OrderFileListingAndSaveOrder) {
  MakeFavorites();
  const std::string cat = g_root + "お気に入り\\A\\";
  for (const char* n : {"a", "b", "c"}) WriteQzl(cat + n + ".qzl", NewRect(300, 200));
  WriteBytes(cat + "d.qzl", std::string("\x5a\x65\x01\x00\x77\x77\x77\x77", 8));
  const std::string order = "c\r\n\r\nmissing\r\nd\r\na";
  WriteBytes(cat + "info.txt", order);
  theApp.m_Settings.nFavoriteLastSelect = 1;
  qvzSymbolToolBar* bar = Palette(32944);
  ASSERT_EQ(1, bar->m_wndCategory.GetCurSel());
  EXPECT_EQ((std::vector<std::string>{"c", "a"}), Labels(bar));
  EXPECT_EQ(cat, std::string(bar->GetCategoryFolder()));

  Command(ID_TOOL_SELECT);
  EXPECT_EQ(order, ReadBytes(cat + "info.txt"));

  bar = Palette(32944);
  std::swap(bar->GetListView()->m_items[0], bar->GetListView()->m_items[1]);
  Command(ID_TOOL_SELECT);
  EXPECT_EQ("a\r\nmissing\r\nd\r\nc\r\n", ReadBytes(cat + "info.txt"));

  // Without a category folder nothing is written anywhere.
  theApp.m_Settings.nFavoriteLastSelect = 5;
  char cwd[MAX_PATH];
  ::GetCurrentDirectory(MAX_PATH, cwd);
  const bool before = Exists(std::string(cwd) + "\\info.txt");
  bar = Palette(32944);
  EXPECT_FALSE(bar->SaveOrder());
  Command(ID_TOOL_SELECT);
  EXPECT_EQ(before, Exists(std::string(cwd) + "\\info.txt"));
}

// An order file someone else changed while its category was shown (a favourite taken out
// of the list and its file deleted) is not written back when the bar goes.
TEST_F(PalettesTest, AnOrderFileChangedWhileShownStaysAsItWasLeft) {
  MakeFavorites();
  const std::string cat = g_root + "お気に入り\\A\\";
  for (const char* n : {"a", "b"}) WriteQzl(cat + n + ".qzl", NewRect(300, 200));
  WriteBytes(cat + "info.txt", "a\r\nb\r\n");
  theApp.m_Settings.nFavoriteLastSelect = 1;
  qvzSymbolToolBar* bar = Palette(32944);
  ASSERT_EQ((std::vector<std::string>{"a", "b"}), Labels(bar));
  WriteBytes(cat + "info.txt", "b\r\n");
  ::DeleteFile((cat + "a.qzl").c_str());
  EXPECT_FALSE(bar->SaveOrder());
  Command(ID_TOOL_SELECT);
  EXPECT_EQ("b\r\n", ReadBytes(cat + "info.txt"));
}

TEST_F(PalettesTest, CatalogueItemsBecomeFavourites) {
  MakeFavorites();
  const std::string cat = g_root + "お気に入り\\A\\";
  WriteBytes(cat + "info.txt", "old");
  theApp.m_Settings.nFavoriteLastSelect = 1;
  qvzSymbolToolBar* bar = Palette(32944);
  EXPECT_EQ(TRUE, DropItem(bar, ""));
  EXPECT_TRUE(Exists(cat + "無題.qzl"));
  EXPECT_EQ("old\r\n無題\r\n", ReadBytes(cat + "info.txt"));
  ASSERT_EQ(1, bar->GetListView()->GetItemCount());
  EXPECT_EQ(0, bar->GetListView()->GetSelectedIndex());
  EXPECT_NE(nullptr, bar->GetListView()->GetItem(0)->m_pPicture);

  // Again: the question, and on Yes no second line.
  EXPECT_EQ(TRUE, DropItem(bar, ""));
  ASSERT_EQ(1u, g_messages.size());
  EXPECT_EQ("無題は既にAに存在します。上書きしますか?", g_messages[0]);
  EXPECT_EQ("old\r\n無題\r\n", ReadBytes(cat + "info.txt"));
  g_answer = IDNO;
  EXPECT_EQ(FALSE, DropItem(bar, ""));

  // The item number becomes a name inside the category.
  EXPECT_EQ(TRUE, DropItem(bar, "..\\..\\x"));
  EXPECT_TRUE(Exists(cat + "_.._x.qzl"));
  EXPECT_EQ(TRUE, DropItem(bar, "表-1"));
  EXPECT_TRUE(Exists(cat + "表-1.qzl"));

  // A block of five strings is refused and writes nothing.
  const std::string before = ReadBytes(cat + "info.txt");
  EXPECT_EQ(FALSE, DropItem(bar, "five", 5));
  EXPECT_FALSE(Exists(cat + "five.qzl"));
  EXPECT_EQ(before, ReadBytes(cat + "info.txt"));

  // An order file that cannot be written (here a folder of that name): the new file goes,
  // the message shows.
  g_messages.clear();
  MakeDir(g_root + "お気に入り\\B\\info.txt");
  bar->m_wndCategory.SetCurSel(2);
  bar->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PALETTE_CATEGORY, CBN_SELCHANGE), (LPARAM)bar->m_wndCategory.m_hWnd);
  EXPECT_EQ(FALSE, DropItem(bar, "ro"));
  EXPECT_FALSE(Exists(g_root + "お気に入り\\B\\ro.qzl"));
  ASSERT_EQ(1u, g_messages.size());
  EXPECT_EQ("お気に入りに登録できませんでした。", g_messages[0]);

  // Outside the favourites a drop is refused: no file, no line.
  const std::string categories = ReadBytes(g_root + "お気に入り\\info.txt");
  Palette(32892);
  EXPECT_EQ(FALSE, DropItem(bar, "shape"));
  EXPECT_EQ(categories, ReadBytes(g_root + "お気に入り\\info.txt"));
  Command(92);
  EXPECT_EQ(FALSE, CurrentBar()->SendMessage(QVZM_PALETTEDROP, 0, 0));
}

TEST_F(PalettesTest, ContextMenuOnlyInTheFavourites) {
  MakeFavorites();
  WriteQzl(g_root + "お気に入り\\C\\one.qzl", NewRect(200, 200));
  qvzSymbolToolBar* bar = Palette(32944);
  bar->SendMessage(QVZM_PALETTECONTEXT, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(1, g_menusTracked);
  EXPECT_EQ((std::vector<std::string>{"1624:C", "1625:A", "1626:B"}), g_menuItems);
  Palette(32892);
  bar->SendMessage(QVZM_PALETTECONTEXT, 0, MAKELPARAM(5, 5));
  Palette(32943);
  bar->SendMessage(QVZM_PALETTECONTEXT, 0, MAKELPARAM(5, 5));
  Command(91);
  CurrentBar()->SendMessage(QVZM_PALETTECONTEXT, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(1, g_menusTracked);
}

// Any menu opening makes the frame reread the favourite categories. The cell chosen with the
// right button stays chosen through that, and the context menu's "move" entry moves it.
TEST_F(PalettesTest, TheContextMenuActsOnTheCellRightClicked) {
  MakeFavorites();
  const std::string fav = g_root + "お気に入り\\";
  for (const char* n : {"a", "b", "c"}) WriteQzl(fav + "C\\" + n + ".qzl", NewRect(300, 200));
  WriteBytes(fav + "C\\info.txt", "a\r\nb\r\nc\r\n");
  qvzSymbolToolBar* bar = Palette(32944);
  ASSERT_EQ((std::vector<std::string>{"a", "b", "c"}), Labels(bar));
  const RECT cell = bar->GetListView()->GetItem(2)->m_rcCell;
  bar->GetListView()->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON,
                                  MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
  EXPECT_EQ(1, g_menusTracked);
  ASSERT_EQ(2, bar->GetListView()->GetSelectedIndex());
  CMenu popup;
  popup.CreatePopupMenu();
  Frame()->SendMessage(WM_INITMENU, (WPARAM)popup.m_hMenu);
  EXPECT_EQ(2, bar->GetListView()->GetSelectedIndex());
  // 1624 + 1: the second category, A.
  Command(1625);
  EXPECT_TRUE(Exists(fav + "A\\c.qzl"));
  EXPECT_FALSE(Exists(fav + "C\\c.qzl"));
  EXPECT_TRUE(Exists(fav + "C\\a.qzl"));
  EXPECT_EQ("a\r\nb\r\n", ReadBytes(fav + "C\\info.txt"));
}

// The palette's favourite commands, asked about as its menu asks: delete and rename while the
// favourites are shown, up and to the top unless the first cell is chosen, down and to the
// bottom unless the last is; none of them over another library.
TEST_F(PalettesTest, TheFavouriteCommandsFollowTheChosenCell) {
  struct Probe : CCmdUI {
    int enabled = -1;
    void Enable(BOOL b) override { enabled = b; }
  };
  auto state = [](UINT id) {
    Probe p;
    p.m_nID = id;
    p.m_nIndexMax = 1;
    p.DoUpdate(Frame(), FALSE);
    return p.enabled;
  };
  const UINT ids[6] = {QVZ_FAVORITE_DELETE, QVZ_FAVORITE_RENAME, QVZ_FAVORITE_UP, QVZ_FAVORITE_TOP,
                       QVZ_FAVORITE_DOWN, QVZ_FAVORITE_BOTTOM};
  auto states = [&]() {
    std::vector<int> out;
    for (UINT id : ids) out.push_back(state(id));
    return out;
  };
  MakeFavorites();
  const std::string fav = g_root + "お気に入り\\";
  for (const char* n : {"a", "b", "c"}) WriteQzl(fav + "C\\" + n + ".qzl", NewRect(300, 200));
  WriteBytes(fav + "C\\info.txt", "a\r\nb\r\nc\r\n");
  qvzSymbolToolBar* bar = Palette(32944);
  ASSERT_EQ((std::vector<std::string>{"a", "b", "c"}), Labels(bar));
  auto choose = [&](int i) {
    const RECT cell = bar->GetListView()->GetItem(i)->m_rcCell;
    bar->GetListView()->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON,
                                    MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    ASSERT_EQ(i, bar->GetListView()->GetSelectedIndex());
  };
  choose(0);
  EXPECT_EQ((std::vector<int>{1, 1, 0, 0, 1, 1}), states());
  choose(1);
  EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 1, 1}), states());
  choose(2);
  EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 0, 0}), states());
  // To the top from the last place: the commands follow the cell to its new place.
  Command(QVZ_FAVORITE_TOP);
  ASSERT_EQ((std::vector<std::string>{"c", "a", "b"}), Labels(bar));
  EXPECT_EQ((std::vector<int>{1, 1, 0, 0, 1, 1}), states());
  // Another library shown: nothing to act on.
  Palette(32943);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 0, 0}), states());
}

TEST_F(PalettesTest, DraggingAShapeOrSymbolOntoThePage) {
  const std::string star = g_root + "図形\\星\\";
  MakeDir(g_root + "図形");
  MakeDir(star);
  WriteQzl(star + "star.qzl", NewRect(400, 400));
  WriteBytes(star + "info.txt", "star\r\n");
  theApp.m_Settings.nShapeLastSelect = 6;
  qvzSymbolToolBar* bar = Palette(32892);
  ASSERT_EQ(1, bar->GetListView()->GetItemCount());

  // Released over the palette: nothing.
  const int step = theUndoManager.GetCurrentStep();
  EXPECT_EQ(nullptr, DragFirstCellTo(bar, bar, POINT{10, 10}));
  EXPECT_FALSE(bar->IsDragging());
  EXPECT_EQ(step, theUndoManager.GetCurrentStep());

  const POINT drop = {200, 150};
  jvqObject* o = DragFirstCellTo(bar, View(), drop);
  ASSERT_EQ(1, Page()->GetChildCount());
  EXPECT_NEAR(Logical(drop).x, Centre(o).x, 2);
  EXPECT_NEAR(Logical(drop).y, Centre(o).y, 2);
  EXPECT_EQ(1, View()->GetSelectedCount());
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());

  // A symbol of the symbol library lands at 1 / Scale; the same symbol in the shapes keeps
  // its scale.
  const std::string tree = g_root + "シンボル\\樹木A\\";
  MakeDir(g_root + "シンボル");
  MakeDir(tree);
  jvqObject* symbol = View()->MakeSymbolFromFile((BinDir() + "シンボル\\平面記号\\樹木.tqz").c_str());
  ASSERT_NE(nullptr, symbol);
  WriteQzl(tree + "tree.qzl", symbol->Clone());
  WriteQzl(star + "tree.qzl", symbol);
  WriteBytes(tree + "info.txt", "tree\r\n");
  WriteBytes(star + "info.txt", "tree\r\n");
  theApp.m_Settings.nSymbolScale = 50;
  theApp.m_Settings.nSymbolLastSelect = 3;
  Page()->DeleteChildren();
  Palette(32943);
  ASSERT_EQ(1, bar->GetListView()->GetItemCount());
  o = DragFirstCellTo(bar, View(), drop);
  ASSERT_NE(nullptr, o);
  EXPECT_DOUBLE_EQ(1.0 / 50, ((jvqSymbolObject*)o)->m_dDrawingScale);
  EXPECT_EQ(1, ((jvqSymbolObject*)o)->GetVectorShape()->GetOriginMark());
  Palette(32892);
  const double stored = ((jvqSymbolObject*)bar->GetListView()->GetItem(0)->m_pObject)->m_dDrawingScale;
  o = DragFirstCellTo(bar, View(), drop);
  EXPECT_DOUBLE_EQ(stored, ((jvqSymbolObject*)o)->m_dDrawingScale);
  EXPECT_NE(1.0 / 50, stored);
  EXPECT_EQ(2, ((jvqSymbolObject*)o)->GetVectorShape()->GetOriginMark());
  EXPECT_EQ(2, Page()->GetChildCount());
}

TEST_F(PalettesTest, FloorPlansAndPerspectivePictures) {
  const std::string plans = g_root + "間取り図\\";
  MakeDir(plans);
  const std::string good = ReadBytes(BinDir() + "間取り図\\2LDK.kxq");
  ASSERT_GT(good.size(), 200u);
  WriteBytes(plans + "a.kxq", good);
  WriteBytes(plans + "b.kxq", good.substr(0, good.size() / 3));
  WriteBytes(plans + "c.kxq", ReadBytes(BinDir() + "間取り図\\1K.kxq"));
  theApp.m_Settings.nSymbolScale = 200;
  {
    jvqObject* probe = NULL;
    EXPECT_TRUE(qvzMadorizuToolBar::LoadFloorPlanFile((plans + "a.kxq").c_str(), &probe, View()->GetDocument()));
    EXPECT_FALSE(qvzMadorizuToolBar::LoadFloorPlanFile((plans + "b.kxq").c_str(), &probe, View()->GetDocument()));
    delete probe;
  }
  Command(92);
  qvzMadorizuToolBar* plansBar = DYNAMIC_DOWNCAST(qvzMadorizuToolBar, CurrentBar());
  ASSERT_NE(nullptr, plansBar);
  std::vector<std::string> labels = Labels(plansBar);
  std::sort(labels.begin(), labels.end());
  EXPECT_EQ((std::vector<std::string>{"a", "c"}), labels);
  const POINT drop = {220, 180};
  jvqObject* o = DragFirstCellTo(plansBar, View(), drop);
  ASSERT_NE(nullptr, o);
  ASSERT_EQ(JVQ_OBJ_MADORIZU, o->GetClassCode());
  EXPECT_EQ(200, ((jvqMadorizuObject*)o)->GetScaleDenominator());
  EXPECT_NEAR(Logical(drop).x, Centre(o).x, 2);
  EXPECT_TRUE(o->GetState() & JVQ_STATE_SELECTED);

  // The perspective palette lists its bitmaps; a dragged one keeps its pixel-based size.
  const std::string pictures = g_root + "パース図\\";
  MakeDir(pictures);
  const std::string pictureBytes = Bitmap(40, 30);
  WriteBytes(pictures + "パース図.bmp", pictureBytes);
  WriteBytes(pictures + "broken.bmp", "BM");
  Command(91);
  qvzPerszuToolBar* persBar = DYNAMIC_DOWNCAST(qvzPerszuToolBar, CurrentBar());
  ASSERT_NE(nullptr, persBar);
  EXPECT_EQ((std::vector<std::string>{"パース図"}), Labels(persBar));
  jvqObject* listed = persBar->GetListView()->GetItem(0)->m_pObject;
  RECT before;
  listed->GetBoundRect(&before);
  o = DragFirstCellTo(persBar, View(), drop);
  ASSERT_NE(nullptr, o);
  EXPECT_EQ(JVQ_OBJ_IMAGE, o->GetClassCode());
  RECT after;
  o->GetBoundRect(&after);
  EXPECT_EQ(before.right - before.left, after.right - after.left);
  EXPECT_EQ(before.bottom - before.top, after.bottom - after.top);
  EXPECT_TRUE(o->GetState() & JVQ_STATE_SELECTED);

  // 32984 lists a picture written while the palette shows.
  WriteBytes(pictures + "second.bmp", pictureBytes);
  Command(32984);
  persBar = DYNAMIC_DOWNCAST(qvzPerszuToolBar, CurrentBar());
  ASSERT_NE(nullptr, persBar);
  EXPECT_EQ(2, persBar->GetListView()->GetItemCount());
  // The perspective palette keeps no order file.
  Command(ID_TOOL_SELECT);
  EXPECT_FALSE(Exists(pictures + "info.txt"));
}

}  // namespace

namespace {

// What the build put into the program folder: every category of the tables with its order
// file, each listed object readable with a 60 x 60 thumbnail; the floor plans and the scene.
TEST_F(PalettesTest, ShippedContent) {
  const std::string bin = BinDir();
  struct Library {
    const char* folder;
    const char* const* names;
    DWORD code;
  } libraries[] = {{"図形\\", ShapeCategoryNames, 0x5}, {"シンボル\\", SymbolCategoryNames, JVQ_OBJ_SYMBOL}};
  for (const Library& lib : libraries) {
    for (int i = 0; *lib.names[i]; i++) {
      const std::string folder = bin + lib.folder + lib.names[i] + "\\";
      CStringArray names;
      ASSERT_TRUE(ReadOrderFile((folder + "info.txt").c_str(), names)) << folder;
      EXPECT_GE(names.GetSize(), 1) << folder;
      for (int k = 0; k < names.GetSize(); k++) {
        jvqObject* o = NULL;
        CDib* thumb = NULL;
        const std::string path = folder + (LPCTSTR)names[k] + ".qzl";
        ASSERT_TRUE(ReadObjectFile(path.c_str(), &o, View()->GetDocument(), NULL, NULL, &thumb)) << path;
        EXPECT_EQ(lib.code, o->GetClassCode()) << path;
        ASSERT_NE(nullptr, thumb) << path;
        EXPECT_EQ(60, thumb->GetWidth());
        EXPECT_EQ(60, thumb->GetHeight());
        if (lib.code == JVQ_OBJ_SYMBOL) EXPECT_NE(nullptr, ((jvqSymbolObject*)o)->GetVectorShape()) << path;
        delete o;
        delete thumb;
      }
    }
  }
  CStringList categories;
  ReadCategoryList(categories, (bin + "お気に入り").c_str());
  ASSERT_EQ(1, categories.GetCount());
  CStringArray sample;
  ASSERT_TRUE(ReadOrderFile((bin + "お気に入り\\" + (LPCTSTR)categories.GetHead() + "\\info.txt").c_str(), sample));
  EXPECT_GE(sample.GetSize(), 1);
  for (const char* plan : {"2LDK", "3LDK", "1K"}) {
    jvqObject* o = NULL;
    EXPECT_TRUE(qvzMadorizuToolBar::LoadFloorPlanFile((bin + "間取り図\\" + plan + ".kxq").c_str(), &o,
                                                      View()->GetDocument()))
        << plan;
    delete o;
  }
  EXPECT_TRUE(Exists(bin + "パース図\\家.vqb"));
}

}  // namespace
