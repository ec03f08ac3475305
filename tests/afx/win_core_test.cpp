#include <gtest/gtest.h>

#include <filesystem>

#include <afx.h>

#include "afx_test_util.h"

extern "C" int __cdecl _getmbcp(void);  // <mbctype.h> clashes with the C++ headers

TEST(IniProfileTest, ReadsAndWritesSettings) {
  std::filesystem::path path = std::filesystem::temp_directory_path() / "afx_core_profile.ini";
  std::filesystem::remove(path);
  CIniProfile profile(path.string().c_str());
  EXPECT_STREQ("def", profile.GetString("Settings", "Name", "def"));
  EXPECT_STREQ("", profile.GetString("Settings", "Name"));
  EXPECT_EQ(7u, profile.GetInt("Settings", "Count", 7));
  EXPECT_TRUE(profile.WriteString("Settings", "Name", "表示"));
  EXPECT_TRUE(profile.WriteInt("Settings", "Count", -3));
  EXPECT_STREQ("表示", profile.GetString("Settings", "Name", "def"));
  EXPECT_EQ((UINT)-3, profile.GetInt("Settings", "Count", 7));
  CString longValue('v', 6000);
  EXPECT_TRUE(profile.WriteString("Long", "Value", longValue));
  EXPECT_EQ(longValue, profile.GetString("Long", "Value"));
  EXPECT_TRUE(profile.WriteString("Settings", "Name", NULL));
  EXPECT_STREQ("gone", profile.GetString("Settings", "Name", "gone"));
  EXPECT_TRUE(profile.WriteString("Settings", NULL, NULL));
  EXPECT_EQ(5u, profile.GetInt("Settings", "Count", 5));
  std::filesystem::remove(path);
}

TEST(ResourceChainTest, HandlesAndMissingStrings) {
  HINSTANCE exe = ::GetModuleHandleA(NULL);
  EXPECT_EQ(exe, AfxGetResourceHandle());
  HINSTANCE k32 = ::GetModuleHandleA("kernel32.dll");
  AfxSetResourceHandle(k32);
  EXPECT_EQ(k32, AfxGetResourceHandle());
  AfxSetResourceHandle(exe);
  // A resource no module has: the resource handle is the answer.
  EXPECT_EQ(exe, AfxFindResourceHandle(MAKEINTRESOURCEA(4000), (LPCTSTR)RT_STRING));
  CString s("before");
  EXPECT_FALSE(s.LoadString(65000));
  EXPECT_TRUE(s.IsEmpty());
  // user32 holds a string table: once it joins the chain, its strings are found through it.
  HINSTANCE user32 = ::GetModuleHandleA("user32.dll");
  char direct[256] = {};
  UINT id = 0;
  for (UINT i = 1; i < 2000 && !direct[0]; ++i)
    if (::LoadStringA(user32, i, direct, sizeof(direct)) > 0) id = i;
  if (id != 0) {
    EXPECT_FALSE(s.LoadString(id));
    EXPECT_TRUE(AfxAddResourceModule(user32));
    EXPECT_FALSE(AfxAddResourceModule(user32)); // already there
    EXPECT_FALSE(AfxAddResourceModule(NULL));
    EXPECT_TRUE(s.LoadString(id));
    EXPECT_STREQ(direct, s);
    EXPECT_STREQ(direct, CString(MAKEINTRESOURCEA(id)));
    AfxRemoveResourceModule(user32);
    EXPECT_FALSE(s.LoadString(id));
  }
}

TEST(CSharedFileTest, DetachesGlobalMemory) {
  CSharedFile f(GMEM_MOVEABLE | GMEM_DDESHARE, 16);
  f.Write("0123456789abcdefXYZ", 19);
  EXPECT_EQ(19u, f.GetLength());
  HGLOBAL h = f.Detach();
  ASSERT_NE(nullptr, h);
  EXPECT_GE(::GlobalSize(h), 19u);
  const char* p = (const char*)::GlobalLock(h);
  EXPECT_EQ(0, memcmp(p, "0123456789abcdefXYZ", 19));
  ::GlobalUnlock(h);

  CSharedFile g;
  g.SetHandle(h);
  char buf[4] = {};
  EXPECT_EQ(3u, g.Read(buf, 3));
  EXPECT_STREQ("012", buf);
  g.Close();  // frees the block
}

TEST(MbcsRuntimeTest, CodePageIs932) {
  EXPECT_EQ(932, _getmbcp());
  EXPECT_EQ(NULL, _mbschr((const unsigned char*)"表", '\\'));
}
