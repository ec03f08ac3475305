// The palettes' fixed tables and the file names dropped catalogue items are kept under.
#include <gtest/gtest.h>

#include <string>

#include "PaletteRules.h"

namespace {

TEST(PaletteRules, LibrariesOfTheKinds) {
  EXPECT_STREQ("シンボル\\", PaletteLibraryOf(1021).pszFolder);
  EXPECT_STREQ("Favorite", PaletteLibraryOf(1022).pszSection);
  EXPECT_STREQ("図形\\", PaletteLibraryOf(3009).pszFolder);
  EXPECT_STREQ("Shape", PaletteLibraryOf(1023).pszSection);  // any other kind: the shapes
  EXPECT_STREQ("星", ShapeCategoryNames[6]);
  EXPECT_STREQ("", ShapeCategoryNames[9]);
  EXPECT_STREQ("樹木A", SymbolCategoryNames[3]);
  EXPECT_STREQ("", SymbolCategoryNames[6]);
}

TEST(PaletteRules, FavoriteFileNames) {
  struct Case {
    std::string number;
    int room;
    std::string want;
  } cases[] = {
      {"ABC-123", 100, "ABC-123"},
      {"表-1", 100, "表-1"},          // 表's second byte is a backslash and stays
      {"ソファ", 100, "ソファ"},      // so is ソ's
      {"..\\..\\x", 100, "_.._x"},
      {"a/b", 100, "a_b"},
      {"a:b*c?\"<>|d", 100, "a_b_c_____d"},
      {"a\tb\x7F", 100, "a_b_"},
      {" .x. ", 100, "x"},
      {"", 100, "無題"},
      {"...", 100, "無題"},
      {"表表", 3, "表"},               // never cut inside a character
      {"ab\x95", 100, "ab_"},          // a lone lead byte at the end
  };
  for (const Case& c : cases) EXPECT_EQ(c.want, std::string(FavoriteFileName(c.number.c_str(), c.room))) << c.number;
  const std::string longNumber(300, '7');
  EXPECT_EQ(std::string(200, '7'), std::string(FavoriteFileName(longNumber.c_str(), 200)));
}

}  // namespace
