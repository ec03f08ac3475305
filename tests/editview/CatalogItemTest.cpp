// A catalogue item block read as bytes, and the field texts the paste makes of it.
#include <gtest/gtest.h>

#include <string>

#include "qvzCatalogItem.h"

namespace {

std::string Block(std::initializer_list<std::string> strings) {
  std::string b;
  for (const std::string& s : strings) b += s + '\0';
  return b;
}

TEST(CatalogItem, FieldsFromTheSixStrings) {
  const std::string b = Block({"C:\\cat\\chair.BMP", "key", "ABC-1", "椅子", "x",
                               "■価格 12,000円\r\n説明\r\n幅 40cm\r\n\r\n\r\r\n高さ 80cm"});
  qvzCatalogItem item;
  ASSERT_TRUE(ReadCatalogItem(b.data(), b.size(), &item));
  EXPECT_STREQ("C:\\cat\\chair.BMP", item.strPicture);
  EXPECT_STREQ("ABC-1", CatalogFieldValue(item, "品番"));
  EXPECT_STREQ("椅子", CatalogFieldValue(item, "品名"));
  EXPECT_STREQ("12,000円", CatalogFieldValue(item, "価格"));
  EXPECT_STREQ("幅 40cm\r\n高さ 80cm\r\n", CatalogFieldValue(item, "スペック"));
  EXPECT_STREQ("", CatalogFieldValue(item, "色"));
  // No price line: no price.
  const std::string plain = Block({"a.bmp", "", "", "", "", "価格 500円"});
  ASSERT_TRUE(ReadCatalogItem(plain.data(), plain.size(), &item));
  EXPECT_STREQ("", item.strPrice);
}

TEST(CatalogItem, ABlockWithoutItsSixTerminatorsIsRefused) {
  const std::string b = Block({"a.bmp", "k", "n", "m", "x", "info"});
  qvzCatalogItem item;
  for (size_t cut = 0; cut < b.size(); cut++)
    EXPECT_FALSE(ReadCatalogItem(b.data(), cut, &item)) << cut;
  EXPECT_TRUE(ReadCatalogItem(b.data(), b.size(), &item));
  EXPECT_FALSE(ReadCatalogItem(NULL, 10, &item));
}

TEST(CatalogItem, StartsWithAndStripFieldName) {
  struct Case {
    const char *text, *name;
    BOOL starts;
    const char* stripped;
  } cases[] = {
      {"品番：", "品番", TRUE, "："},
      {"品番", "品番", TRUE, ""},
      {"■価格 12,000円", "■価格 ", TRUE, "12,000円"},
      {"旧品番", "品番", FALSE, "番"},  // held elsewhere: still cut by the name's length
      {"品名", "品番", FALSE, ""},
      {"", "品番", FALSE, ""},
      {"品番", "", TRUE, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.starts, StartsWith(c.text, c.name)) << c.text;
    EXPECT_STREQ(c.stripped, StripFieldName(c.text, c.name)) << c.text;
  }
  // The layout's label in front of the value: 品番： and ABC-1.
  EXPECT_STREQ("：ABC-1", StripFieldName("品番：", "品番") + "ABC-1");
}

TEST(CatalogItem, PicturesByTheirLastFourCharacters) {
  for (const char* ok : {"a.JPG", "b.bmp", "c.Dib", "d.rle", "e.wmf", "f.png", "g.TIF", "h.dxf"})
    EXPECT_TRUE(IsPastablePicture(ok)) << ok;
  for (const char* no : {"a.jpeg", "b.tiff", "c.gif", "jpg", "", "a.emf"}) EXPECT_FALSE(IsPastablePicture(no)) << no;
}

}  // namespace
