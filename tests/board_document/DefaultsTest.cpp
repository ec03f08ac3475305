// The defaults registry: the factory, applying prototypes, replacing them, the file.
#include <gtest/gtest.h>

#include "jvqImageFill.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BoardFixture.h"
#include "jvqObjectsFile.h"

namespace {

struct FactoryCase {
  int code;
  int made;  // class code of the object made, 0 for none
};

}  // namespace

TEST(Defaults, FactoryTestsBitsDerivedFirst) {
  const FactoryCase cases[] = {
      {JVQ_OBJ_BOARD, JVQ_OBJ_BOARD},         {JVQ_OBJ_PAGE, JVQ_OBJ_PAGE},
      {JVQ_OBJ_GROUP, JVQ_OBJ_GROUP},         {JVQ_OBJ_RECT, JVQ_OBJ_RECT},
      {JVQ_OBJ_ROUNDRECT, JVQ_OBJ_ROUNDRECT}, {JVQ_OBJ_ELLIPSE, JVQ_OBJ_ELLIPSE},
      {JVQ_OBJ_CHORD, JVQ_OBJ_CHORD},         {JVQ_OBJ_PIE, JVQ_OBJ_PIE},
      {JVQ_OBJ_ARC, JVQ_OBJ_ARC},             {JVQ_OBJ_POLYLINE, JVQ_OBJ_POLYLINE},
      {JVQ_OBJ_OLE, JVQ_OBJ_OLE},
      {JVQ_OBJ_IMAGE, JVQ_OBJ_IMAGE},
      {JVQ_OBJ_LINETEXT, JVQ_OBJ_LINETEXT},  // a leader text, never a group
      {JVQ_OBJ_BALLOON, JVQ_OBJ_BALLOON},    // a balloon, never a polyline
      {JVQ_OBJ_TEXT, JVQ_OBJ_TEXT},           {JVQ_OBJ_BANNER, JVQ_OBJ_BANNER},
      {0x10000, 0},           {1, 0},
  };
  for (const FactoryCase& c : cases) {
    std::unique_ptr<jvqObject> p(jvqObjectDefaults::CreateObject(c.code));
    EXPECT_EQ(c.made, p ? p->GetClassCode() : 0) << std::hex << c.code;
  }
  std::unique_ptr<jvqObject> arc(jvqObjectDefaults::CreateObject(JVQ_OBJ_ARC));
  EXPECT_EQ(0x151u, arc->GetState());
}

// Embedded objects come from the factory at 800 x 500 for the registry's document, and
// their prototype is the third, a frame with a solid outline and nothing inside.
TEST(Defaults, EmbeddedObjectFromFactoryAndPrototype) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  std::unique_ptr<jvqOleObject> o((jvqOleObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_OLE));
  RECT r;
  o->GetBoundRect(&r);
  EXPECT_EQ(800, r.right - r.left);
  EXPECT_EQ(500, r.bottom - r.top);
  EXPECT_EQ(0x311u, o->GetState());
  EXPECT_EQ(3, o->GetEditFlags());
  EXPECT_EQ(0, o->m_nItemIndex);
  EXPECT_EQ(d->GetDocument(), o->m_pDocument);
  EXPECT_EQ(nullptr, o->GetClientItem());
  ASSERT_EQ(JVQ_OBJ_OLE, d->GetAt(2)->GetClassCode());
  EXPECT_EQ(nullptr, d->GetAt(2)->GetFill());
  EXPECT_EQ(1, d->ApplyDefaults(o.get()));
  EXPECT_EQ(nullptr, o->GetFill());
  // A copy names the same item and keeps the unused words.
  o->m_nItemIndex = 4;
  o->m_nReserved2 = 9;
  std::unique_ptr<jvqOleObject> c((jvqOleObject*)o->Clone());
  EXPECT_EQ(JVQ_OBJ_OLE, c->GetClassCode());
  EXPECT_EQ(4, c->m_nItemIndex);
  EXPECT_EQ(RecordOf(o.get()), RecordOf(c.get()));
}

TEST(Defaults, ApplyReplaceAndCreateFromPrototype) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  const int n = d->GetCount();
  // The picture prototype stands second, without a picture, fill or line.
  ASSERT_GE(n, 2);
  EXPECT_EQ(JVQ_OBJ_IMAGE, d->GetAt(1)->GetClassCode());
  EXPECT_EQ(nullptr, d->GetAt(1)->GetFill());
  EXPECT_EQ(d->GetAt(1), d->FindPrototype(JVQ_OBJ_IMAGE));

  jvqPolylineObject poly(NULL);
  d->FindPrototype(JVQ_OBJ_POLYLINE)->m_dwState &= ~JVQ_STATE_FILLED;
  EXPECT_EQ(1, d->ApplyDefaults(&poly));
  EXPECT_FALSE(poly.GetState() & JVQ_STATE_FILLED);
  EXPECT_EQ(0, d->ApplyDefaults(NULL));

  jvqRectObject* r = new jvqRectObject();
  d->ReplacePrototype(r);
  EXPECT_EQ(n, d->GetCount());
  EXPECT_EQ(r, d->GetAt(n - 1));
  EXPECT_EQ(r, d->FindPrototype(JVQ_OBJ_RECT));
  jvqGroupObject* strange = new jvqGroupObject();
  strange->m_nClassCode = 0x7043;
  d->ReplacePrototype(strange);  // no such class: left to the caller
  EXPECT_EQ(n, d->GetCount());
  delete strange;

  std::unique_ptr<jvqObject> c(d->CreateFromPrototype(JVQ_OBJ_ELLIPSE));
  ASSERT_TRUE(c);
  EXPECT_EQ(JVQ_OBJ_ELLIPSE, c->GetClassCode());
  EXPECT_EQ(nullptr, d->CreateFromPrototype(0x7043));
  d->RemoveAll();
  d->CreatePrototypes();
}

TEST(Defaults, ObjectsFileRoundTripAndMissingClassesFilled) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  d->FindPrototype(JVQ_OBJ_RECT)->SetFill(new jvqSolidFill(RGB(1, 2, 3)));
  const std::string rect = RecordOf(d->FindPrototype(JVQ_OBJ_RECT));
  const char* path = "board_document_objects.tmp";
  ASSERT_TRUE(jvqSaveObjectsFile(path));
  d->RemoveAll();
  jvqLoadObjectsFile(path);
  EXPECT_EQ(rect, RecordOf(d->FindPrototype(JVQ_OBJ_RECT)));
  const int n = d->GetCount();

  // A file with the rectangle alone: every other class comes from the built-in ones.
  {
    FILE* f = fopen(path, "wb");
    int32_t head[3] = {91530, 1, 0};
    fwrite(head, 4, 2, f);
    fwrite(rect.data(), 1, rect.size(), f);
    fclose(f);
  }
  jvqLoadObjectsFile(path);
  EXPECT_EQ(n, d->GetCount());
  EXPECT_EQ(rect, RecordOf(d->FindPrototype(JVQ_OBJ_RECT)));
  EXPECT_NE(nullptr, d->FindPrototype(JVQ_OBJ_PAGE));

  // A count beyond the file, or no file at all.
  {
    FILE* f = fopen(path, "wb");
    int32_t head[2] = {91530, 0x7FFFFFFF};
    fwrite(head, 4, 2, f);
    fclose(f);
  }
  jvqLoadObjectsFile(path);
  EXPECT_EQ(n, d->GetCount());
  remove(path);
  jvqLoadObjectsFile(path);
  EXPECT_EQ(n, d->GetCount());
}

// A prototype's picture fill names an image-pool entry of the run that wrote the file: the
// prototype gets its class's built-in fill instead.
TEST(Defaults, APrototypesPictureFillBecomesTheBuiltInFill) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  jvqFill* builtIn = d->FindPrototype(JVQ_OBJ_RECT)->GetFill();
  const DWORD builtInFlags = builtIn ? builtIn->m_dwFlags : 0;
  d->FindPrototype(JVQ_OBJ_RECT)->SetFill(new jvqImageFill(NULL, NULL));
  d->FindPrototype(JVQ_OBJ_ELLIPSE)->SetFill(new jvqSolidFill(RGB(1, 2, 3)));
  const char* path = "board_document_objects_picture.tmp";
  ASSERT_TRUE(jvqSaveObjectsFile(path));
  d->RemoveAll();
  ASSERT_TRUE(jvqLoadObjectsFile(path));
  jvqFill* f = d->FindPrototype(JVQ_OBJ_RECT)->GetFill();
  EXPECT_EQ(builtInFlags, f ? f->m_dwFlags : 0);
  EXPECT_FALSE(f && (f->m_dwFlags & FILL_IMAGE));
  // Other fills stay as written.
  ASSERT_NE(nullptr, d->FindPrototype(JVQ_OBJ_ELLIPSE)->GetFill());
  EXPECT_TRUE(d->FindPrototype(JVQ_OBJ_ELLIPSE)->GetFill()->m_dwFlags & FILL_SOLID);
  remove(path);
  d->RemoveAll();
  d->CreatePrototypes();
}

// A prototype whose fill kind has no painter yet fails the load, and the registry keeps
// every prototype it had.
TEST(Defaults, ObjectsFileWithAnUnbuiltFillKindChangesNothing) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  d->FindPrototype(JVQ_OBJ_RECT)->SetFill(new jvqSolidFill(RGB(1, 2, 3)));
  const char* path = "board_document_objects_fill.tmp";
  ASSERT_TRUE(jvqSaveObjectsFile(path));
  std::string good;
  {
    FILE* f = fopen(path, "rb");
    ASSERT_NE(nullptr, f);
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) good.append(buf, n);
    fclose(f);
  }
  std::vector<std::string> bad;
  for (const UnbuiltFillKind& k : UnbuiltFillKinds()) {
    for (bool dropBody : {false, true}) {
      bad.push_back(WithFillFlags(good, d->FindPrototype(JVQ_OBJ_RECT), k.flags, dropBody));
      ASSERT_FALSE(bad.back().empty()) << k.kind;
    }
  }
  d->FindPrototype(JVQ_OBJ_RECT)->SetFill(new jvqSolidFill(RGB(7, 8, 9)));
  auto records = [&] {
    std::vector<std::string> out;
    for (int i = 0; i < d->GetCount(); i++) out.push_back(RecordOf(d->GetAt(i)));
    return out;
  };
  const std::vector<std::string> before = records();
  jvqObject* rect = d->FindPrototype(JVQ_OBJ_RECT);
  for (size_t i = 0; i < bad.size(); i++) {
    const std::string kind = std::string(UnbuiltFillKinds()[i / 2].kind) + (i % 2 ? " without a body" : "");
    FILE* f = fopen(path, "wb");
    fwrite(bad[i].data(), 1, bad[i].size(), f);
    fclose(f);
    EXPECT_FALSE(jvqLoadObjectsFile(path)) << kind;
    EXPECT_EQ(rect, d->FindPrototype(JVQ_OBJ_RECT)) << kind;
    EXPECT_EQ(before, records()) << kind;
  }
  remove(path);
  d->RemoveAll();
  d->CreatePrototypes();
}


// The program folder's "objects" as the build ships it: the built-in prototypes, record for
// record, so that a first start and a later one begin alike.
TEST(Defaults, TheShippedObjectsFileHoldsTheBuiltInPrototypes) {
#ifdef _WIN32
  char exe[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, exe, MAX_PATH);
  std::string path(exe);
  path = path.substr(0, path.find_last_of("\\/") + 1) + "objects";
  if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no " << path;
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  std::vector<std::string> builtIn;
  for (int i = 0; i < d->GetCount(); i++) builtIn.push_back(RecordOf(d->GetAt(i)));
  d->RemoveAll();
  ASSERT_TRUE(jvqLoadObjectsFile(path.c_str()));
  std::vector<std::string> shipped;
  for (int i = 0; i < d->GetCount(); i++) shipped.push_back(RecordOf(d->GetAt(i)));
  EXPECT_EQ(builtIn, shipped);
#else
  GTEST_SKIP() << "the program folder is made by the Windows builds";
#endif
}
