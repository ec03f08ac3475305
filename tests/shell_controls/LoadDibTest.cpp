// Pictures from "DIB" resources: read back pixel for pixel, NULL for missing, empty or
// broken ones, and no temporary file left behind.
#include <gtest/gtest.h>

#include "ControlsTest.h"
#include "Dib.h"
#include "LoadDibFromResource.h"

namespace {

int CountTempFiles() {
  char szDir[MAX_PATH];
  ::GetTempPath(MAX_PATH, szDir);
  CString strPattern = CString(szDir) + "bkg*.tmp";
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile(strPattern, &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do n++;
  while (::FindNextFile(h, &fd));
  ::FindClose(h);
  return n;
}

TEST(LoadDibFromResource, ReadsTheResourcePixelForPixel) {
  const int nBefore = CountTempFiles();
  CDib* pDib = LoadDibFromResource("PROBE", "DIB");
  ASSERT_NE(pDib, nullptr);
  ASSERT_EQ(pDib->GetWidth(), 7);
  ASSERT_EQ(pDib->GetHeight(), 5);
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 7; x++)
      EXPECT_EQ(pDib->GetColor(x, y), RGB(x * 36, y * 60, (x * 7 + y * 13) % 256)) << x << "," << y;
  delete pDib;
  EXPECT_EQ(CountTempFiles(), nBefore);
}

TEST(LoadDibFromResource, MissingEmptyOrBrokenGiveNull) {
  const int nBefore = CountTempFiles();
  EXPECT_EQ(LoadDibFromResource("NOSUCH", "DIB"), nullptr);
  EXPECT_EQ(LoadDibFromResource("PROBE", "NOTYPE"), nullptr);
  EXPECT_EQ(LoadDibFromResource("EMPTY", "DIB"), nullptr);
  EXPECT_EQ(LoadDibFromResource("NOTBMP", "DIB"), nullptr);
  EXPECT_EQ(CountTempFiles(), nBefore);
}

}  // namespace
