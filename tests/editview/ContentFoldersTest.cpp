// The content folders' rules on a temporary tree: categories, order files, free names.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "qvzContentFolders.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(ContentFolderPath, SeparatorIsReadByCharacters) {
  struct Case {
    const char* path;
    BOOL ends;
  } cases[] = {
      {"C:\\a\\", TRUE},
      {"C:\\a", FALSE},
      {"\\", FALSE},  // too short to count
      {"", FALSE},
      {"C:\\\x95\x5C", FALSE},           // 表: its second byte is a backslash
      {"C:\\\x95\x5C\\", TRUE},          // 表 then a real separator
      {"C:\\\x82\x9A\\", TRUE},          // ｚ: a trail byte in the lead-byte range
  };
  for (const Case& c : cases) EXPECT_EQ(qvzEndsWithSeparator(c.path), c.ends) << c.path;
  EXPECT_EQ(CString(qvzFolderPrefix("C:\\\x95\x5C")), CString("C:\\\x95\x5C\\"));
  EXPECT_EQ(CString(qvzFolderPrefix("C:\\a\\")), CString("C:\\a\\"));
}

TEST(ContentFolderOrder, BlankLinesAndMissingEndsGiveTheSameNames) {
  const std::string clean = "A\r\n\x95\x5C\r\nb\r\n";
  const std::string messy = "\r\nA\r\n\r\n\x95\x5C\nb";
  for (const std::string& bytes : {clean, messy}) {
    CStringArray names;
    ParseOrderFile(bytes.data(), bytes.size(), names);
    ASSERT_EQ(names.GetSize(), 3) << bytes;
    EXPECT_EQ(names[0], CString("A"));
    EXPECT_EQ(names[1], CString("\x95\x5C"));
    EXPECT_EQ(names[2], CString("b"));
  }
  CStringArray none;
  ParseOrderFile("", 0, none);
  EXPECT_EQ(none.GetSize(), 0);
}

// A reorder of what was shown keeps the names that did not load where they stood.
TEST(ContentFolderOrder, MergeKeepsUnloadedNamesInPlace) {
  struct Case {
    std::vector<const char*> file, shown, want;
  } cases[] = {
      {{"a", "gone", "b", "c"}, {"c", "a", "b"}, {"c", "gone", "a", "b"}},
      {{"a", "b"}, {"a", "b"}, {"a", "b"}},
      {{"x", "a"}, {"a", "new"}, {"x", "a", "new"}},
      {{"a", "a", "b"}, {"b", "a"}, {"b", "a", "a"}},
      {{}, {"a"}, {"a"}},
  };
  for (const Case& c : cases) {
    CStringArray file, shown, out;
    for (const char* n : c.file) file.Add(n);
    for (const char* n : c.shown) shown.Add(n);
    MergeOrderNames(file, shown, out);
    std::string got, want;
    for (int i = 0; i < out.GetSize(); i++) got += std::string((LPCTSTR)out[i]) + ",";
    for (const char* n : c.want) want += std::string(n) + ",";
    EXPECT_EQ(want, got);
  }
}

// The folders are Windows folders: "\\" is their separator.
#ifdef _WIN32
class ContentFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ::GetTempPath(MAX_PATH, temp);
    root_ = std::string(temp) + "qvzfolders" + std::to_string(::GetCurrentProcessId());
    Remove(root_);
    MakeDir(root_);
  }
  void TearDown() override { Remove(root_); }

  std::string Path(const std::string& rel) const {
    std::string p = root_ + "\\" + rel;
    for (char& c : p)
      if (c == '/') c = '\\';
    return p;
  }
  void MakeDir(const std::string& p) {
    ::CreateDirectory(p.c_str(), NULL);
  }
  void Write(const std::string& rel, const std::string& bytes) {
    FILE* f = fopen(Path(rel).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
  std::string Read(const std::string& rel) {
    std::string bytes;
    FILE* f = fopen(Path(rel).c_str(), "rb");
    if (!f) return "<missing>";
    char buf[256];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    fclose(f);
    return bytes;
  }
  void SetReadOnly(const std::string& rel) {
    ::SetFileAttributes(Path(rel).c_str(), FILE_ATTRIBUTE_READONLY);
  }
  static void Remove(const std::string& p) {
    std::string pattern = p + "\\*";
    WIN32_FIND_DATA fd;
    HANDLE h = ::FindFirstFile(pattern.c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        std::string child = p + "\\" + name;
        ::SetFileAttributes(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(child);
        else
          ::DeleteFile(child.c_str());
      } while (::FindNextFile(h, &fd));
      ::FindClose(h);
    }
    ::RemoveDirectory(p.c_str());
  }
  static std::vector<std::string> Names(const CStringList& list) {
    std::vector<std::string> v;
    for (POSITION pos = list.GetHeadPosition(); pos;) v.push_back((LPCTSTR)list.GetNext(pos));
    return v;
  }
  std::string root_;
};

TEST_F(ContentFolders, CategoriesFollowTheOrderFileAndSkipWhatIsGone) {
  MakeDir(Path("fav"));
  for (const char* d : {"zeta", "alpha", "\x95\x5C"}) MakeDir(Path(std::string("fav/") + d));
  Write("fav/info.txt", "zeta\r\ndeleted\r\n\r\n\x95\x5C\r\n");
  CStringList list;
  list.AddTail("stale");
  ReadCategoryList(list, Path("fav").c_str());
  EXPECT_EQ(Names(list), (std::vector<std::string>{"zeta", "\x95\x5C"}));  // alpha is not named
}

TEST_F(ContentFolders, WithoutAWritableOrderFileTheFoldersComeSorted) {
  MakeDir(Path("fav"));
  for (const char* d : {"zeta", "Alpha", "\x95\x5C", "beta"}) MakeDir(Path(std::string("fav/") + d));
  Write("fav/loose.qzl", "x");
  CStringList list;
  ReadCategoryList(list, Path("fav").c_str());
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "beta", "zeta", "\x95\x5C"}));

  Write("fav/info.txt", "beta\r\n");
  SetReadOnly("fav/info.txt");
  ReadCategoryList(list, Path("fav").c_str());
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "beta", "zeta", "\x95\x5C"}));

  CStringList empty;
  ReadCategoryList(empty, Path("nowhere").c_str());
  EXPECT_EQ(empty.GetCount(), 0);
}

TEST_F(ContentFolders, RebuiltIndexListsObjectFilesOfEitherCase) {
  MakeDir(Path("cat"));
  EXPECT_EQ(RebuildFolderIndex(Path("cat").c_str()), 0);
  EXPECT_EQ(Read("cat/info.txt"), "<missing>");
  Write("cat/info.txt", "old\r\n");
  EXPECT_EQ(RebuildFolderIndex(Path("cat").c_str()), 0);
  EXPECT_EQ(Read("cat/info.txt"), "old\r\n");  // no object files: the old order stays

  Write("cat/b.qzl", "x");
  Write("cat/A.QZL", "x");
  Write("cat/notes.txt", "x");
  MakeDir(Path("cat/dir.qzl"));
  EXPECT_EQ(RebuildFolderIndex(Path("cat").c_str()), 1);
  EXPECT_EQ(Read("cat/info.txt"), "A\r\nb\r\n");
  EXPECT_EQ(RebuildFolderIndex(NULL), 0);
}

TEST_F(ContentFolders, UniqueNamesCountOnFromTheStart) {
  MakeDir(Path("cat"));
  Write("cat/\x90\x56\x8B\x4B" "1.qzl", "x");  // 新規1
  Write("cat/\x90\x56\x8B\x4B" "2.qzl", "x");
  LPCTSTR name = MakeUniqueFileName(Path("cat").c_str(), "\x90\x56\x8B\x4B", "qzl", 0);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(CString(name), CString("\x90\x56\x8B\x4B" "3"));

  Write("cat/x10000.qzl", "x");
  EXPECT_EQ(MakeUniqueFileName(Path("cat").c_str(), "x", "qzl", 9999), nullptr);
  EXPECT_EQ(MakeUniqueFileName(Path("cat").c_str(), "x", "qzl", 10000), nullptr);
  EXPECT_EQ(MakeUniqueFileName(NULL, "x", "qzl", 0), nullptr);
  EXPECT_EQ(CString(MakeUniqueFileName(Path("cat").c_str(), "x", "qzl", 9998)), CString("x9999"));
}

TEST_F(ContentFolders, FileExistsNeverRaises) {
  Write("f.qzl", "x");
  EXPECT_TRUE(FileExists(Path("f.qzl").c_str()));
  EXPECT_TRUE(FileExists(root_.c_str()));
  EXPECT_FALSE(FileExists(Path("g.qzl").c_str()));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(NULL));
}

#endif

}  // namespace
