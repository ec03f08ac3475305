// Object files as the view writes them (exact bytes, replacement of a longer file, the
// thumbnail), placing a library object, and the favourites commands in a temporary tree.
#include <fstream>
#include <sstream>

#include "../board_pictures/PictureFixture.h"
#include "Dib.h"
#include "ViewFixture.h"
#include "jvqFileHeader.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqSolidFill.h"
#include "qvzContentFolders.h"
#include "qvzObjectFileReader.h"

namespace {

void Put32(std::string& s, int32_t v) { s.append(reinterpret_cast<const char*>(&v), 4); }

std::string Text(const char* s) {
  std::string out;
  Put32(out, (int32_t)strlen(s) + 1);
  out.append(s, strlen(s) + 1);
  return out;
}

std::string FileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

std::string TempDir(const char* name) {
  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  std::string d = std::string(dir) + name + "\\";
  ::CreateDirectory(d.c_str(), NULL);
  return d;
}

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile((dir + "*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::string n = fd.cFileName;
      if (n == "." || n == "..") continue;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(dir + n + "\\");
      else ::DeleteFile((dir + n).c_str());
    } while (::FindNextFile(h, &fd));
    ::FindClose(h);
  }
  ::RemoveDirectory(dir.c_str());
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream f(path, std::ios::binary);
  f << text;
}

class ObjectFileTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_page->m_Children.RemoveAll();
    m_dir = TempDir("qvz-objectfiles");
  }
  void TearDown() override {
    RemoveTree(m_dir);
    ViewTest::TearDown();
  }
  // The record of an object as Store writes it at a version.
  std::string Record(jvqObject* o, int nVersion) {
    jvqFileHeader header;
    header.m_nVersion = nVersion;
    header.m_pDocument = m_doc;
    header.m_pImagePool = m_doc->GetImagePool();
    CMemFile mem;
    EXPECT_TRUE(o->Store(&mem, &header));
    const DWORD n = (DWORD)mem.GetLength();
    BYTE* p = mem.Detach();
    std::string bytes(reinterpret_cast<const char*>(p), n);
    free(p);
    return bytes;
  }
  CDib* SmallDib() {
    CDib* d = new CDib;
    EXPECT_TRUE(d->Create(2, 2, 24));
    d->SetColor(1, 0, RGB(255, 0, 0));
    return d;
  }
  std::string Expected(jvqObject* o, int nVersion, const char* name, const char* comment) {
    std::unique_ptr<CDib> d(SmallDib());
    std::string s;
    Put32(s, nVersion);
    s += "image";
    Put32(s, (int32_t)d->GetSize());
    s.append(reinterpret_cast<const char*>(d->GetBI()), d->GetSize());
    return s + Record(o, nVersion) + Text(name) + Text(comment);
  }
  std::string m_dir;
};

TEST_F(ObjectFileTest, FilesHoldTheFixedLayoutAndPicturesTravelEmbedded) {
  jvqRectObject* rect = AddRect(100, 100, 500, 400);
  rect->SetFill(new jvqSolidFill(RGB(10, 20, 30)));
  jvqImagePool* pool = m_doc->GetImagePool();
  jvqImageObject* pic = new jvqImageObject(pool, NULL, &m_view->m_Mapping);
  ASSERT_TRUE(pic->SetPicture(pool, MakePicture(8, 6), FALSE));
  const RECT r = {500, 500, 900, 800};
  pic->SetRect(&r, &m_view->m_Mapping, 0x311);
  m_page->AddChild(pic);
  // A rectangle painted with a picture: the class bits alone would leave a bare pool id.
  jvqRectObject* painted = AddRect(100, 600, 400, 900);
  painted->SetFill(pic->GetImageFill()->Clone());
  struct Case {
    jvqObject* o;
    int version;
  } cases[] = {{rect, 91530}, {pic, 91100}, {painted, 91100}};
  const std::string path = m_dir + "a.qzl";
  for (const Case& c : cases) {
    ASSERT_TRUE(qvzView::WriteObjectFile(path.c_str(), c.o, m_doc, "名前", "コメント", SmallDib()));
    EXPECT_EQ(Expected(c.o, c.version, "名前", "コメント"), FileBytes(path)) << c.version;
    jvqObject* back = NULL;
    CString name, comment;
    ASSERT_TRUE(ReadObjectFile(path.c_str(), &back, m_doc, &name, &comment, NULL));
    EXPECT_EQ(c.o->GetClassCode(), back->GetClassCode());
    EXPECT_STREQ("名前", name);
    delete back;
  }
  // A shorter file over a longer one leaves no old tail.
  ASSERT_TRUE(qvzView::WriteObjectFile(path.c_str(), pic, m_doc, std::string(200, 'x').c_str(), "long", SmallDib()));
  ASSERT_TRUE(qvzView::WriteObjectFile(path.c_str(), rect, m_doc, "s", "c", SmallDib()));
  EXPECT_EQ(Expected(rect, 91530, "s", "c"), FileBytes(path));
  // Failures write nothing and say so.
  const std::string missing = m_dir + "no-such-folder\\b.qzl";
  EXPECT_FALSE(qvzView::WriteObjectFile(missing.c_str(), rect, m_doc, "n", "c", SmallDib()));
  EXPECT_FALSE(qvzView::WriteObjectFile((m_dir + "c.qzl").c_str(), rect, m_doc, NULL, "c", SmallDib()));
  EXPECT_FALSE(FileExists((m_dir + "c.qzl").c_str()));
  EXPECT_FALSE(qvzView::WriteObjectFile("", rect, m_doc, "n", "c", SmallDib()));
}

// The rows and columns of a picture that are not white.
static RECT InkBounds(const CDib& d) {
  RECT r = {d.GetWidth(), d.GetHeight(), -1, -1};
  for (int y = 0; y < d.GetHeight(); y++)
    for (int x = 0; x < d.GetWidth(); x++)
      if ((d.GetColor(x, y) & 0xFFFFFF) != 0xFFFFFF) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  return r;
}

TEST_F(ObjectFileTest, ThumbnailsFitAt95PercentCentredOnWhite) {
  jvqRectObject* tall = AddRect(1000, 200, 1100, 1200);
  tall->SetFill(new jvqSolidFill(RGB(0, 0, 0)));
  POINT before;
  tall->GetCenter(&before);
  std::unique_ptr<CDib> d(qvzView::RenderObjectThumbnail(m_view, tall, 60, 60));
  ASSERT_TRUE(d);
  EXPECT_EQ(60, d->GetWidth());
  RECT ink = InkBounds(*d);
  EXPECT_NEAR(57, ink.bottom - ink.top, 1);
  EXPECT_NEAR(ink.left, 60 - ink.right, 1);
  EXPECT_EQ(0xFFFFFFu, d->GetColor(0, 30) & 0xFFFFFF);
  POINT after;
  tall->GetCenter(&after);
  EXPECT_EQ(before.x, after.x);
  EXPECT_EQ(before.y, after.y);
  // A horizontal line: its length alone sets the size.
  jvqPolylineObject* line = AddPolyline({P(100, 300), P(900, 300)});
  line->m_dwState |= JVQ_STATE_OPEN;
  d.reset(qvzView::RenderObjectThumbnail(m_view, line, 60, 60));
  ASSERT_TRUE(d);
  ink = InkBounds(*d);
  EXPECT_NEAR(57, ink.right - ink.left, 2);
  EXPECT_EQ(nullptr, qvzView::RenderObjectThumbnail(NULL, line, 60, 60));
  EXPECT_EQ(nullptr, qvzView::RenderObjectThumbnail(m_view, line, 0, 60));
}

TEST_F(ObjectFileTest, InsertObjectAtPlacesACopyAndKeepsAValidTool) {
  RECT rc = {0, 0, 200, 100};
  jvqRectObject library(&rc, &m_view->m_Mapping, 0x311);
  const int step = theUndoManager.GetCurrentStep();
  const POINT at = Dev(P(1000, 800));
  m_view->InsertObjectAt(&library, at.x, at.y);
  ASSERT_EQ(1u, Shown().size());
  POINT c;
  Shown()[0]->GetCenter(&c);
  EXPECT_NEAR(1000, c.x, 2);
  EXPECT_NEAR(800, c.y, 2);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
  EXPECT_EQ(TOOLID_SELECT, ToolId());
  Click(P(3000, 2500));  // the tool in place answers the mouse
  Command(ID_EDIT_UNDO);
  EXPECT_TRUE(Shown().empty());
}

class FavoritesTest : public ObjectFileTest {
 protected:
  void SetUp() override {
    ObjectFileTest::SetUp();
    for (const char* c : {"家具", "植物"}) ::CreateDirectory((m_dir + c).c_str(), NULL);
    WriteText(m_dir + "info.txt", "家具\r\n植物\r\n");
    m_view->m_strFavoritesFolder = m_dir.c_str();
    m_view->ReloadFavoriteCategories();
  }
  std::string Folder(const char* c) { return m_dir + c + "\\"; }
  std::string Order(const char* c) { return FileBytes(Folder(c) + "info.txt"); }
  bool Exists(const std::string& p) { return ::GetFileAttributes(p.c_str()) != INVALID_FILE_ATTRIBUTES; }
  void Register(int nCategory) {
    m_page->m_Children.RemoveAll();
    m_view->Select(AddRect(100, 100, 400, 300), FALSE);
    Command(QVZ_FAVORITE_REGISTER_FIRST + nCategory);
  }
  void SelectFavorite(const char* c, const char* name) {
    m_host.m_strFavoriteFolder = Folder(c);
    m_host.m_strFavoriteName = name;
  }
};

TEST_F(FavoritesTest, RegisteredFavoritesAreNumberedAndListedInOrder) {
  ASSERT_EQ(2, m_view->m_FavoriteCategories.GetCount());
  for (int i = 0; i < 3; i++) Register(0);
  EXPECT_EQ("新規1\r\n新規2\r\n新規3\r\n", Order("家具"));
  for (const char* n : {"新規1", "新規2", "新規3"}) EXPECT_TRUE(Exists(Folder("家具") + n + ".qzl")) << n;
  EXPECT_EQ(TOOLID_FAVORITE, ToolId());
  EXPECT_EQ(Folder("家具"), m_host.m_strFavoriteFolder);
  EXPECT_EQ("新規3", m_host.m_strFavoriteName);
  EXPECT_EQ(0, AfxGetApp()->GetProfileInt("Favorite", "LastSelect", -1));
  // The last item asks for a new category; cancel writes nothing.
  Register(2);
  EXPECT_FALSE(Exists(m_dir + "新規1.qzl"));
  m_host.m_strNewCategory = "植物";
  Register(2);
  EXPECT_EQ("新規1\r\n", Order("植物"));
}

TEST_F(FavoritesTest, MovingAFavorite) {
  Register(0);
  Register(0);
  Register(1);
  // A clash gives "_2"; the source leaves only once the copy stands.
  SelectFavorite("家具", "新規1");
  Command(QVZ_FAVORITE_MOVE_FIRST + 1);
  EXPECT_FALSE(Exists(Folder("家具") + "新規1.qzl"));
  EXPECT_TRUE(Exists(Folder("植物") + "新規1_2.qzl"));
  EXPECT_EQ("新規2\r\n", Order("家具"));
  EXPECT_EQ("新規1\r\n新規1_2\r\n", Order("植物"));
  // Within its own category nothing happens.
  SelectFavorite("家具", "新規2");
  Command(QVZ_FAVORITE_MOVE_FIRST + 0);
  EXPECT_EQ("新規2\r\n", Order("家具"));
  // A copy that fails keeps the source and both lists.
  HANDLE h = ::CreateFile((Folder("家具") + "新規2.qzl").c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                          0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  Command(QVZ_FAVORITE_MOVE_FIRST + 1);
  ::CloseHandle(h);
  EXPECT_TRUE(Exists(Folder("家具") + "新規2.qzl"));
  EXPECT_EQ("新規2\r\n", Order("家具"));
  EXPECT_EQ("新規1\r\n新規1_2\r\n", Order("植物"));
}

TEST_F(FavoritesTest, ReorderDeleteAndRename) {
  for (int i = 0; i < 3; i++) Register(0);
  SelectFavorite("家具", "新規1");
  EXPECT_EQ(0, Probe(m_view, QVZ_FAVORITE_UP).bEnabled);
  Command(QVZ_FAVORITE_UP);
  EXPECT_EQ("新規1\r\n新規2\r\n新規3\r\n", Order("家具"));
  SelectFavorite("家具", "新規3");
  EXPECT_EQ(0, Probe(m_view, QVZ_FAVORITE_BOTTOM).bEnabled);
  Command(QVZ_FAVORITE_TOP);
  EXPECT_EQ("新規3\r\n新規1\r\n新規2\r\n", Order("家具"));
  Command(QVZ_FAVORITE_DOWN);
  EXPECT_EQ("新規1\r\n新規3\r\n新規2\r\n", Order("家具"));
  // Delete asks first.
  m_host.m_nAnswer = IDNO;
  Command(QVZ_FAVORITE_DELETE);
  ASSERT_EQ(1u, m_host.m_messages.size());
  EXPECT_EQ("新規3をお気に入りから削除します。よろしいですか?", m_host.m_messages[0]);
  EXPECT_TRUE(Exists(Folder("家具") + "新規3.qzl"));
  m_host.m_nAnswer = IDYES;
  Command(QVZ_FAVORITE_DELETE);
  EXPECT_FALSE(Exists(Folder("家具") + "新規3.qzl"));
  EXPECT_EQ("新規1\r\n新規2\r\n", Order("家具"));
  EXPECT_EQ("新規2", m_host.m_strFavoriteName);  // the next one takes the selection
  // Rename refuses a name whose file exists.
  m_host.m_strRename = "新規1";
  Command(QVZ_FAVORITE_RENAME);
  EXPECT_TRUE(Exists(Folder("家具") + "新規2.qzl"));
  EXPECT_EQ("新規1\r\n新規2\r\n", Order("家具"));
  m_host.m_strRename = "ソファ";
  Command(QVZ_FAVORITE_RENAME);
  EXPECT_FALSE(Exists(Folder("家具") + "新規2.qzl"));
  EXPECT_TRUE(Exists(Folder("家具") + "ソファ.qzl"));
  EXPECT_EQ("新規1\r\nソファ\r\n", Order("家具"));
}

TEST_F(FavoritesTest, OleObjectsAreRefused) {
  jvqGroupObject* g = new jvqGroupObject();
  RECT rc = {0, 0, 100, 100};
  jvqRectObject* ole = new jvqRectObject(&rc, &m_view->m_Mapping, 0x311);
  ole->m_nClassCode = JVQ_OBJ_OLE;
  g->AddChild(ole);
  g->m_dwState = 0x311;
  m_page->AddChild(g);
  m_view->Select(g, FALSE);
  Command(QVZ_FAVORITE_REGISTER_FIRST);
  ASSERT_EQ(1u, m_host.m_messages.size());
  EXPECT_EQ("OLEオブジェクトを含むグループオブジェクトはお気に入りに登録することはできません。", m_host.m_messages[0]);
  EXPECT_FALSE(Exists(Folder("家具") + "新規1.qzl"));
}

}  // namespace
