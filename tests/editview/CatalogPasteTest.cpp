// The catalogue paste: items built as bytes, laid out by layout files written and read by the
// settings themselves.
#include <memory>

#include "Dib.h"
#include "JpegWriter.h"
#include "ViewFixture.h"
#include "jvqGroupObject.h"
#include "jvqObjectCodes.h"
#include "jvqTextObject.h"
#include "qvzCatalogItem.h"
#include "qvzCatalogPasteSettings.h"

namespace {

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  ::GetTempPath(MAX_PATH, dir);
  return std::string(dir) + name;
}

jvqTextObject* LayoutText(const char* text, int top) {
  const RECT r = {100, top, 600, top + 60};
  jvqTextObject* t = jvqTextObject::MakeDefault(NULL, &r);
  t->SetText(text);
  return t;
}

std::string ItemBlock(const std::string& picture, const std::string& number, const std::string& info) {
  return picture + '\0' + "key" + '\0' + number + '\0' + "椅子" + '\0' + "" + '\0' + info + '\0';
}

std::vector<std::string> Texts(jvqGroupObject* g) {
  std::vector<std::string> out;
  for (int i = 0; i < g->GetChildCount(); i++)
    if (g->GetChild(i)->GetClassCode() == JVQ_OBJ_TEXT) out.push_back((LPCTSTR)qvzCatalogPasteSettings::TextOf((jvqTextObject*)g->GetChild(i)));
  return out;
}

class CatalogPasteTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    m_page->m_Children.RemoveAll();
    CDib dib;
    ASSERT_TRUE(dib.Create(40, 30, 24));
    m_bmp = TempPath("qvz-cat.bmp");
    m_jpg = TempPath("qvz-cat.JPG");
    m_jpeg = TempPath("qvz-cat.jpeg");
    m_layout = TempPath("qvz-yq.qzl");
    ASSERT_TRUE(dib.Write(m_bmp.c_str()));
    CString error;
    ASSERT_TRUE(WriteDibAsJpeg(dib.GetHandle(), 90, m_jpg.c_str(), &error));
    ASSERT_TRUE(WriteDibAsJpeg(dib.GetHandle(), 90, m_jpeg.c_str(), &error));
    m_settings.m_pDocument = m_doc;
  }
  void TearDown() override {
    for (const std::string& f : {m_bmp, m_jpg, m_jpeg, m_layout}) ::DeleteFile(f.c_str());
    ViewTest::TearDown();
  }
  // A layout file of these texts (top to bottom as given by their tops) and chosen fields.
  void WriteLayout(std::vector<jvqTextObject*> texts, std::vector<CString> fields) {
    qvzCatalogPasteSettings s;
    for (jvqTextObject* t : s.m_Texts) delete t;
    s.m_Texts = texts;
    s.m_Fields = fields;
    s.m_pDocument = m_doc;
    ASSERT_TRUE(s.SaveLayout(m_layout.c_str()));
  }
  jvqGroupObject* Build(const std::string& block) {
    return m_settings.BuildItemObject(block.data(), block.size(), m_layout.c_str());
  }
  std::string m_bmp, m_jpg, m_jpeg, m_layout;
  qvzCatalogPasteSettings m_settings;
};

// The chosen fields become texts of label and value, stacked 1 mm below the picture on its
// left edge; of two texts for one field the upper one serves; the picture comes last.
TEST_F(CatalogPasteTest, BuildsTheItemFromItsLayout) {
  WriteLayout({LayoutText("価格 ", 300), LayoutText("品番：", 100), LayoutText("品番（下）", 500),
               LayoutText("品名　", 200), LayoutText("スペック", 400)},
              {"品番", "品名", "価格", "スペック"});
  std::unique_ptr<jvqGroupObject> g(
      Build(ItemBlock(m_bmp, "ABC-1", "■価格 12,000円\r\n二行目\r\n幅 40\r\n\r\n高さ 30")));
  ASSERT_TRUE(g);
  // Read back top to bottom, each field once.
  ASSERT_EQ(4u, m_settings.m_Fields.size());
  EXPECT_EQ(CString("品番"), m_settings.m_Fields[0]);
  EXPECT_EQ(CString("スペック"), m_settings.m_Fields[3]);
  EXPECT_EQ((std::vector<std::string>{"：ABC-1", "　椅子", " 12,000円", "幅 40\r\n高さ 30\r\n"}), Texts(g.get()));
  ASSERT_EQ(5, g->GetChildCount());
  jvqObject* pic = g->GetChild(4);
  EXPECT_EQ(JVQ_OBJ_IMAGE, pic->GetClassCode());
  RECT p, first, c;
  pic->GetBoundRect(&p);
  g->GetChild(0)->GetBoundRect(&first);
  EXPECT_EQ(p.left, first.left);
  EXPECT_EQ(p.bottom + 10, first.top);
  // The frame fits the value with room for two more characters.
  EXPECT_GT(first.right - first.left, 0);
  g->GetBoundRect(&c);
  EXPECT_NEAR(0, (c.left + c.right) / 2, 1);
  EXPECT_NEAR(0, (c.top + c.bottom) / 2, 1);
  EXPECT_TRUE(g->m_dwState & JVQ_STATE_SELECTED);
}

TEST_F(CatalogPasteTest, PicturesByTheirEnding) {
  WriteLayout({LayoutText("品番：", 100)}, {"品番"});
  std::unique_ptr<jvqGroupObject> jpg(Build(ItemBlock(m_jpg, "A", "")));
  ASSERT_TRUE(jpg);
  EXPECT_EQ(2, jpg->GetChildCount());
  EXPECT_EQ(nullptr, Build(ItemBlock(m_jpeg, "A", "")));
  // A picture that does not load, and a block cut short, build nothing.
  EXPECT_EQ(nullptr, Build(ItemBlock(TempPath("qvz-none.bmp"), "A", "")));
  const std::string cut = ItemBlock(m_bmp, "A", "");
  EXPECT_EQ(nullptr, Build(cut.substr(0, cut.size() - 1)));
}

// A layout matching no chosen field pastes the bare picture; a layout file that cannot be read
// keeps the layout in memory.
TEST_F(CatalogPasteTest, PastesTheBarePictureWithoutTexts) {
  WriteLayout({LayoutText("メモ", 100)}, {"品番"});
  std::unique_ptr<jvqGroupObject> g(Build(ItemBlock(m_bmp, "A", "")));
  ASSERT_TRUE(g);
  EXPECT_EQ(1, g->GetChildCount());
  EXPECT_TRUE(m_settings.m_Fields.empty());
  const size_t texts = m_settings.m_Texts.size();
  EXPECT_FALSE(m_settings.LoadLayout(TempPath("qvz-missing.qzl").c_str()));
  EXPECT_EQ(texts, m_settings.m_Texts.size());

  // Through the view: placed alone, centred, selected, one undo step.
  // The program folder's layout steps aside for this one.
  const CString shipped = qvzCatalogPasteSettings::LayoutPath(), aside = shipped + ".test";
  ::MoveFileEx(shipped, aside, MOVEFILE_REPLACE_EXISTING);
  ::CopyFile(m_layout.c_str(), shipped, FALSE);
  const std::string block = ItemBlock(m_bmp, "A", "");
  const int step = theUndoManager.GetCurrentStep();
  EXPECT_EQ(1, m_settings.PasteItem(m_doc, block.data(), block.size(), P(1500, 900)));
  ::DeleteFile(shipped);
  ::MoveFileEx(aside, shipped, MOVEFILE_REPLACE_EXISTING);
  ASSERT_EQ(1u, Shown().size());
  EXPECT_EQ(JVQ_OBJ_IMAGE, Shown()[0]->GetClassCode());
  EXPECT_TRUE(Shown()[0]->m_dwState & JVQ_STATE_SELECTED);
  POINT c;
  Shown()[0]->GetCenter(&c);
  EXPECT_NEAR(1500, c.x, 1);
  EXPECT_NEAR(900, c.y, 1);
  EXPECT_EQ(step + 1, theUndoManager.GetCurrentStep());
  Command(ID_EDIT_UNDO);
  EXPECT_TRUE(Shown().empty());
}

// The layout the build ships: every field chosen, in table order, one text each, stacked.
TEST_F(CatalogPasteTest, TheShippedLayoutChoosesEveryField) {
  ASSERT_TRUE(m_settings.LoadLayout(qvzCatalogPasteSettings::LayoutPath()));
  ASSERT_EQ(4u, m_settings.m_Fields.size());
  ASSERT_EQ(4u, m_settings.m_Texts.size());
  const char* const texts[] = {"品番：", "品名：", "価格：", "スペック："};
  for (int i = 0; i < 4; i++) {
    EXPECT_EQ(CString(CATALOG_FIELD_NAMES[i]), m_settings.m_Fields[i]);
    EXPECT_EQ(std::string(texts[i]), (LPCTSTR)qvzCatalogPasteSettings::TextOf(m_settings.m_Texts[i]));
  }
  RECT a, b;
  m_settings.m_Texts[0]->GetBoundRect(&a);
  m_settings.m_Texts[1]->GetBoundRect(&b);
  EXPECT_EQ(a.bottom, b.top);
  // No file at the test's own layout path: the layout in memory serves.
  std::unique_ptr<jvqGroupObject> g(Build(ItemBlock(m_bmp, "ABC-1", "■価格 12,000円")));
  ASSERT_TRUE(g);
  EXPECT_EQ((std::vector<std::string>{"：ABC-1", "：椅子", "：12,000円", "："}), Texts(g.get()));
}

}  // namespace
