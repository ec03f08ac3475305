// "qvz.ini" read into the settings record and written back.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "qvzAppSettings.h"

namespace {

// The file as a table of section/key to text.
class TableStore : public qvzProfileStore {
 public:
  std::map<std::string, std::string> values;
  static std::string Key(LPCTSTR s, LPCTSTR e) { return std::string(s) + "/" + e; }
  int GetInt(LPCTSTR s, LPCTSTR e, int d) override {
    auto it = values.find(Key(s, e));
    return it == values.end() ? d : atoi(it->second.c_str());
  }
  CString GetString(LPCTSTR s, LPCTSTR e, LPCTSTR d) override {
    auto it = values.find(Key(s, e));
    return it == values.end() ? CString(d) : CString(it->second.c_str());
  }
  void WriteInt(LPCTSTR s, LPCTSTR e, int v) override { values[Key(s, e)] = std::to_string(v); }
  void WriteString(LPCTSTR s, LPCTSTR e, LPCTSTR v) override { values[Key(s, e)] = v; }
};

BOOL OnlyExisting(LPCTSTR p) { return CString(p) == "C:\\kept\\"; }

struct SettingsTest : ::testing::Test {
  void SetUp() override { theFolderExistsProc = OnlyExisting; }
  TableStore store;
  qvzAppSettings s;
  const CString app = "C:\\app\\";
};

TEST_F(SettingsTest, GridIntervalIsHalvedOnReadAndDoubledOnWrite) {
  struct { int stored, spacing, written; } cases[] = {{10, 5, 10}, {7, 3, 6}, {0, 0, 0}};
  for (auto c : cases) {
    store.values["Grid/Interval"] = std::to_string(c.stored);
    s.Load(store, app);
    EXPECT_EQ(s.nGridSpacing, c.spacing) << c.stored;
    s.Save(store);
    EXPECT_EQ(store.values["Grid/Interval"], std::to_string(c.written)) << c.stored;
  }
}

TEST_F(SettingsTest, MissingFileGivesDefaultsAndScaleZeroReadsAsHundred) {
  s.Load(store, app);
  EXPECT_EQ(s.nWindowStatus, 3);
  EXPECT_EQ(s.rcWindow.left, 50);
  EXPECT_EQ(s.rcWindow.bottom, 550);
  EXPECT_EQ(s.nAutoSaveInterval, 300000);
  EXPECT_EQ(s.nSymbolScale, 100);
  EXPECT_EQ(s.strAutoSavePath, app + "自動保存\\自動保存.vqd");
  store.values["Symbol/Scale"] = "0";
  s.Load(store, app);
  EXPECT_EQ(s.nSymbolScale, 100);
}

TEST_F(SettingsTest, DeletedFoldersFallBack) {
  store.values["Directory/Open"] = "C:\\gone\\";
  store.values["Directory/OpenImage"] = "C:\\gone\\";
  store.values["Directory/OpenMadori"] = "C:\\kept\\";
  s.Load(store, app);
  EXPECT_EQ(s.strOpenDir, "");
  EXPECT_EQ(s.strOpenImageDir, app);
  EXPECT_EQ(s.strOpenMadoriDir, "C:\\kept\\");
}

TEST_F(SettingsTest, FlagsAreStoredAsTheirBits) {
  s.nFitGrid = 8;
  s.nShowGrid = 128;
  s.nDrawPrintArea = 4096;
  s.Save(store);
  EXPECT_EQ(store.values["Grid/bFitGrid"], "8");
  EXPECT_EQ(store.values["Grid/bVisible"], "128");
  EXPECT_EQ(store.values["Print/DrawArea"], "4096");
}

TEST_F(SettingsTest, ClosingMinimisedStoresShownAtTheDefaultRectangle) {
  s.TakeWindowPlacement(2 /* minimised */, RECT{-32000, -32000, -31840, -31970});
  EXPECT_EQ(s.nWindowStatus, 5);
  EXPECT_EQ(s.rcWindow.left, 100);
  EXPECT_EQ(s.rcWindow.top, 100);
  EXPECT_EQ(s.rcWindow.right, 750);
  EXPECT_EQ(s.rcWindow.bottom, 550);
  // Maximised keeps its state and rectangle.
  s.TakeWindowPlacement(3 /* maximised */, RECT{-4, -4, 1028, 740});
  EXPECT_EQ(s.nWindowStatus, 3);
  EXPECT_EQ(s.rcWindow.right, 1028);
}

}  // namespace
