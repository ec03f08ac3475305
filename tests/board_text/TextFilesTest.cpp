// Boards of texts, leader texts, titles and balloons written at every file version and
// opened again; the prototype file with the four text prototypes.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "afxarch.h"
#include "jvqBalloonObject.h"
#include "jvqBannerObject.h"
#include "jvqBoard.h"
#include "jvqBoardStream.h"
#include "jvqEllipticObject.h"
#include "jvqLineTextObject.h"
#include "jvqObjectDefaults.h"
#include "jvqObjectsFile.h"
#include "jvqPage.h"
#include "jvqRoundRectObject.h"
#include "jvqTextObject.h"
#include "TextBoard.h"
#include "TextFixtures.h"

namespace {

std::string Record(jvqObject* p) {
  const Bytes b = StoreBytes(*p);
  return std::string(b.begin(), b.end());
}

std::string WriteStream(jvqBoard* b, int nVersion) {
  jvqFileHeader h;
  h.m_nVersion = nVersion;
  CMemFile f;
  {
    CArchive ar(&f, CArchive::store);
    jvqBoardStream::Write(ar, &h, b, NULL);
    ar.Close();
  }
  std::string s((size_t)f.GetLength(), '\0');
  f.SeekToBegin();
  f.Read(&s[0], (UINT)s.size());
  return s;
}

std::unique_ptr<jvqBoard> ReadStream(const std::string& bytes) {
  CMemFile f((BYTE*)bytes.data(), (UINT)bytes.size());
  std::unique_ptr<jvqBoard> b(new jvqBoard(NULL));
  jvqFileHeader h;
  CArchive ar(&f, CArchive::load);
  CDib* pThumb = NULL;
  jvqBoardStream::Read(ar, &h, b.get(), &pThumb);
  ar.Close();
  return b;
}

TEST(TextFiles, EveryVersionOpensAndIsWrittenAgainAtTheCurrentOne) {
  std::unique_ptr<jvqBoard> b(MakeTextBoard());
  const std::string current = WriteStream(b.get(), 91530);
  const int n = b->GetPage(0)->GetChildCount();
  for (int version : {91000, 91100, 91200, 91300, 91400, 91510, 91530}) {
    SCOPED_TRACE(version);
    std::unique_ptr<jvqBoard> r;
    try {
      r = ReadStream(WriteStream(b.get(), version));
    } catch (CException* e) {
      e->Delete();
      FAIL() << "did not open";
    }
    ASSERT_EQ(n, r->GetPage(0)->GetChildCount());
    for (int i = 0; i < n; i++) {
      jvqObject* p = r->GetPage(0)->GetChild(i);
      EXPECT_EQ(b->GetPage(0)->GetChild(i)->GetClassCode(), p->GetClassCode()) << i;
    }
    // Titles lose their option value below 91530, and the first version the text colours.
    if (version == 91530) EXPECT_EQ(current, WriteStream(r.get(), 91530));
    jvqBannerObject* title = (jvqBannerObject*)r->GetPage(0)->GetChild(4);
    EXPECT_EQ(version >= 91530 ? 5 : 0, title->GetBannerStyle()->m_nOption);
    EXPECT_EQ(RGB(5, 0, 0), title->GetBannerStyle()->m_crText);
    jvqTextObject* text = (jvqTextObject*)r->GetPage(0)->GetChild(12);
    EXPECT_EQ(version > 91000 ? RGB(0, 0, 200) : 0u, text->GetTextFill()->m_crText);
    EXPECT_STREQ("見本の文\r\n二行目\tタブ", text->GetTextFill()->m_strText);
    EXPECT_EQ(JVQ_TEXT_VERTICAL, ((jvqTextObject*)r->GetPage(0)->GetChild(13))->GetTextFill()->m_Attributes.direction);
  }
}

TEST(TextFiles, PrototypeFileKeepsTheFourTextPrototypes) {
  jvqObjectDefaults* d = jvqObjectDefaults::GetObjectDefaults();
  d->RemoveAll();
  d->CreatePrototypes();
  ((jvqTextObject*)d->FindPrototype(JVQ_OBJ_TEXT))->GetTextFill()->m_crText = RGB(1, 2, 3);
  ((jvqBannerObject*)d->FindPrototype(JVQ_OBJ_BANNER))->GetBannerStyle()->m_nOption = 4;
  std::string before[4];
  const int codes[4] = {JVQ_OBJ_TEXT, JVQ_OBJ_LINETEXT, JVQ_OBJ_BALLOON, JVQ_OBJ_BANNER};
  for (int i = 0; i < 4; i++) before[i] = Record(d->FindPrototype(codes[i]));
  const char* path = "board_text_objects.tmp";
  ASSERT_TRUE(jvqSaveObjectsFile(path));
  d->RemoveAll();
  EXPECT_TRUE(jvqLoadObjectsFile(path));
  for (int i = 0; i < 4; i++) {
    ASSERT_NE(nullptr, d->FindPrototype(codes[i])) << i;
    EXPECT_EQ(before[i], Record(d->FindPrototype(codes[i]))) << i;
  }
  std::remove(path);
}

}  // namespace
