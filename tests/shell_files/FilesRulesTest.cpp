// Template names and sheet names, without a window.
#include <gtest/gtest.h>

#include "StandardSheets.h"
#include "TemplateNames.h"

TEST(TemplateNamesTest, EveryForbiddenCharacterIsRefusedAndDoubleByteTrailBytesAreNot) {
  for (const char* p = TEMPLATE_NAME_FORBIDDEN_CHARS; *p; p++) {
    char name[8] = {'a', *p, 'b', 0};
    EXPECT_TRUE(HasForbiddenTemplateChar(name)) << name;
  }
  // "ソ" and "表" end in the byte of a backslash; "|" hides in no Japanese character here.
  for (const char* ok : {"新 しい", "ソ表示", "plan", "計画1"}) EXPECT_FALSE(HasForbiddenTemplateChar(ok)) << ok;
  EXPECT_TRUE(HasForbiddenTemplateChar("ソ\\"));
}

TEST(StandardSheetsTest, SizesNameTheirSheetOrTheUserDefinedOne) {
  struct {
    int w, h;
    const char* text;
  } cases[] = {{2970, 4200, "A3(縦)"},
               {4200, 2970, "A3(横)"},
               {2570, 1820, "B5(横)"},
               {1005, 1509, "ユーザー定義用紙(100mm×150mm)"},
               {0, 0, "ユーザー定義用紙(0mm×0mm)"}};
  for (auto c : cases) EXPECT_EQ(SheetSizeText(c.w, c.h), c.text) << c.w << "x" << c.h;
}
