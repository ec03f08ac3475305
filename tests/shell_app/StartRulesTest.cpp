// The start-up's rules without a window: utility functions, start modes and hand-over, font
// lists, the browser command.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "qvzHelpers.h"
#include "qvzFontLists.h"
#include "qvzStartMode.h"
#include "qvzWebBrowser.h"

namespace {

// 表 and ソ end in the byte "\" (0x5C) as their second byte.
const char kHyo[] = "\x95\x5C";
const char kSo[] = "\x83\x5C";

TEST(AppUtility, ReverseFindCharMbcsSkipsSecondBytesAndIndexZero) {
  struct { std::string text; int found; } cases[] = {
      {std::string("a\\b\\c"), 3},
      {std::string("a\\") + kHyo, 1},      // the 0x5C of 表 is no separator
      {std::string("x") + kSo + "\\", 3},  // a real one after ソ is
      {std::string("\\abc"), -1},          // index 0 never reported
      {std::string(kHyo), -1},
      {std::string(""), -1},
  };
  for (auto& c : cases) EXPECT_EQ(c.found, ReverseFindCharMbcs(c.text.c_str(), '\\')) << c.text;
  EXPECT_EQ(-1, ReverseFindCharMbcs(NULL, '\\'));
}

TEST(AppUtility, DirectoryExistsOnFoldersNamedWithASecondByteBackslash) {
  namespace fs = std::filesystem;
  const fs::path base = fs::temp_directory_path() / ("qvz_direxists_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::remove_all(base);
  // Folders named 表 and ソ (their Shift-JIS bytes on the native build, the file system's own
  // spelling through the ANSI calls on Windows).
#ifdef _WIN32
  const std::string sep = "\\";
#else
  const std::string sep = "/";
#endif
  const std::string hyo = base.string() + sep + kHyo, so = base.string() + sep + kSo;
  fs::create_directories(base);
#ifdef _WIN32
  ASSERT_TRUE(::CreateDirectoryA(hyo.c_str(), NULL));
  ASSERT_TRUE(::CreateDirectoryA(so.c_str(), NULL));
#else
  ASSERT_TRUE(fs::create_directory(hyo));
  ASSERT_TRUE(fs::create_directory(so));
#endif
  EXPECT_TRUE(DirectoryExists(hyo.c_str()));  // its last byte is not taken for a separator
  EXPECT_TRUE(DirectoryExists(so.c_str()));
  EXPECT_TRUE(DirectoryExists((hyo + "\\").c_str()));
  EXPECT_TRUE(DirectoryExists((base.string() + "\\").c_str()));
  EXPECT_FALSE(DirectoryExists((base.string() + sep + "none").c_str()));
  FILE* f = fopen((base.string() + sep + "file.txt").c_str(), "w");
  ASSERT_TRUE(f);
  fclose(f);
  EXPECT_FALSE(DirectoryExists((base.string() + sep + "file.txt").c_str()));
  EXPECT_FALSE(DirectoryExists(""));
  EXPECT_FALSE(DirectoryExists(NULL));
#ifdef _WIN32
  ::RemoveDirectoryA(hyo.c_str());
  ::RemoveDirectoryA(so.c_str());
#endif
  fs::remove_all(base);
}

TEST(AppUtility, NormalizeAngleTurnsTheSense) {
  struct { int in, out; } cases[] = {{0, 0}, {90, 270}, {30, 330}, {360, 0}, {270, 90}, {-30, 30}, {800, 280}};
  for (auto c : cases) EXPECT_EQ(c.out, NormalizeAngle(c.in)) << c.in;
}

struct Counted {
  int refs = 2;
  unsigned long Release() { return (unsigned long)--refs; }
};

TEST(AppUtility, ReleaseInterfaceEmptiesTheVariable) {
  Counted c;
  Counted* p = &c;
  EXPECT_EQ(1u, ReleaseInterface(p));
  EXPECT_EQ(nullptr, p);
  EXPECT_EQ(0u, ReleaseInterface(p));
  EXPECT_EQ(1, c.refs);
}

TEST(StartMode, DocumentPathsMustNameABoard) {
  struct { const char* path; bool board; } cases[] = {
      {"x.vqd", true}, {"x.VqD", true}, {"C:\\boards\\plan.VQD", true}, {".vqd", true},
      {"a.txt", false}, {"abc", false}, {"C:\\a.vqd\\abc", false}, {"C:vqd", false},
      {"dir/x.vqd.bak", false}, {"", false},
  };
  for (auto c : cases) EXPECT_EQ(c.board, IsBoardDocumentPath(c.path) != FALSE) << c.path;
}

TEST(StartMode, FirstParameterChoosesTheModeExactly) {
  EXPECT_EQ(qvzStartHandOver, ChooseStartMode("B"));
  EXPECT_EQ(qvzStartHandOver, ChooseStartMode("b"));
  EXPECT_EQ(qvzStartFloorPlan, ChooseStartMode("M"));
  EXPECT_EQ(qvzStartPerspective, ChooseStartMode("T"));
  for (const char* p : {"m", "t", "", "x.vqd", "Embedding", "BB"}) EXPECT_EQ(qvzStartPlain, ChooseStartMode(p)) << p;
  EXPECT_TRUE(IsTemplatePath("C:\\t\\a.tqf"));
  EXPECT_TRUE(IsTemplatePath(".TQF"));
  EXPECT_FALSE(IsTemplatePath("tqf"));
  EXPECT_FALSE(IsTemplatePath("a.tqz"));
}

TEST(StartMode, SecondStartHandsOverItsModeOrAPathThatFits) {
  EXPECT_EQ(qvzHandOverFloorPlan, ChooseHandOver("M", ""));
  EXPECT_EQ(qvzHandOverPerspective, ChooseHandOver("T", ""));
  EXPECT_EQ(qvzHandOverNothing, ChooseHandOver("", ""));
  EXPECT_EQ(qvzHandOverOpenPath, ChooseHandOver("x.vqd", "x.vqd"));
  const CString fits = CString('a', 515) + ".vqd";  // 519 bytes and the NUL
  EXPECT_EQ(qvzHandOverOpenPath, ChooseHandOver(fits, fits));
  const CString over = CString('a', 516) + ".vqd";
  EXPECT_EQ(qvzHandOverPathTooLong, ChooseHandOver(over, over));
}

TEST(FontLists, TrueTypeListLeavesOutSystemRenmenDeviceAndPrinterFaces) {
  struct { const char* face; int type, source; bool truetype, all; } cases[] = {
      {"ＭＳ ゴシック", 4, 0, true, true},
      {"System", 4, 0, false, false},
      {"HG正楷書体連綿", 4, 0, false, true},
      {"連綿体", 6, 0, false, true},
      {"Courier", 1, 0, false, true},     // raster
      {"Printer Gothic", 4, 1, false, true},  // only on the printer
      {"system", 4, 0, true, true},        // only the exact name is left out
  };
  for (auto c : cases) {
    EXPECT_EQ(c.truetype, BelongsInTrueTypeList(c.face, c.type, c.source) != FALSE) << c.face;
    EXPECT_EQ(c.all, BelongsInAllFontList(c.face) != FALSE) << c.face;
  }
}

TEST(WebBrowser, AddressTakesThePlaceOfPercentOneOrFollowsTheCommand) {
  const CString url = "http://h/p/";
  struct { const char* command; const char* built; } cases[] = {
      {"\"C:\\ie\\iexplore.exe\" \"%1\"", "\"C:\\ie\\iexplore.exe\" \"http://h/p/\""},
      {"C:\\b\\browse.exe \"%1\" -new", "C:\\b\\browse.exe \"http://h/p/\""},
      {"C:\\b\\browse.exe %1", "C:\\b\\browse.exe http://h/p/"},
      {"C:\\b\\browse.exe", "C:\\b\\browse.exe http://h/p/"},
  };
  for (auto c : cases) EXPECT_STREQ(c.built, (LPCTSTR)BuildBrowserCommand(c.command, url)) << c.command;
}

TEST(WebBrowser, WinExecResultsBecomeCodesWithTheirMessages) {
  struct { unsigned int result; int code; const char* message; } cases[] = {
      {0, 3, "メモリまたはリソースが不足しているため、\r\nページを表示できません。"},
      {2, 4, "ＷＥＢブラウザが見つからないため、\r\nページを表示できません。"},
      {3, 5, "ＷＥＢブラウザが見つからないため、\r\nページを表示できません。"},
      {11, 6, "ＷＥＢブラウザが破損しているため、\r\nページを表示できません。"},
      {31, 7, "ページを表示できません。"},
      {32, 0, nullptr},
      {33, 0, nullptr},
  };
  for (auto c : cases) {
    EXPECT_EQ(c.code, BrowserCodeFromWinExec(c.result)) << c.result;
    if (c.message) EXPECT_STREQ(c.message, BrowserFailureMessage(c.code));
  }
  EXPECT_STREQ("ＷＥＢブラウザがインストールされていないため、\r\nページを表示できません。", BrowserFailureMessage(1));
  EXPECT_STREQ(BrowserFailureMessage(1), BrowserFailureMessage(2));
}

}  // namespace
