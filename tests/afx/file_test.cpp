#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <afx.h>

#include "afx_test_util.h"

namespace {

// A fresh folder for each test, removed afterwards.
class CFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = std::string("afx_core_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir_ / "readonly.txt", std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  CString Path(const char* name) const { return (dir_ / name).string().c_str(); }

  void WriteFile(const char* name, const std::string& data) {
    CFile f(Path(name), CFile::modeCreate | CFile::modeWrite);
    f.Write(data.data(), (UINT)data.size());
    f.Close();
  }

  std::filesystem::path dir_;
};

}  // namespace

TEST_F(CFileTest, WriteReadSeekAndLength) {
  CFile f;
  ASSERT_TRUE(f.Open(Path("a.bin"), CFile::modeCreate | CFile::modeReadWrite));
  f.Write("0123456789", 10);
  EXPECT_EQ(10u, f.GetLength());
  EXPECT_EQ(10u, f.GetPosition());
  EXPECT_EQ(3, f.Seek(3, CFile::begin));
  char buf[4] = {};
  EXPECT_EQ(3u, f.Read(buf, 3));
  EXPECT_STREQ("345", buf);
  EXPECT_EQ(8, f.Seek(-2, CFile::end));
  EXPECT_EQ(2u, f.Read(buf, 3));  // short read at the end
  EXPECT_EQ(0u, f.Read(buf, 3));
  f.SetLength(4);
  EXPECT_EQ(4u, f.GetLength());
  EXPECT_EQ(CString("a.bin"), f.GetFileName());
  EXPECT_EQ(CString("a"), f.GetFileTitle());
  EXPECT_EQ(Path("a.bin").Right(5), f.GetFilePath().Right(5));
  f.Close();
  EXPECT_EQ((UINT)CFile::hFileNull, f.m_hFile);

  // modeNoTruncate keeps the contents.
  CFile g(Path("a.bin"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeRead);
  EXPECT_EQ(4u, g.GetLength());
}

TEST_F(CFileTest, ErrorsCarryTheirCauses) {
  CFileException e;
  CFile f;
  EXPECT_FALSE(f.Open(Path("missing.txt"), CFile::modeRead, &e));
  EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
  EXPECT_EQ(Path("missing.txt"), e.m_strFileName);

  EXPECT_FALSE(f.Open(Path("no_folder/x.txt"), CFile::modeRead, &e));
  EXPECT_EQ(CFileException::badPath, e.m_cause);
  EXPECT_FALSE(f.Open(Path("no_folder/x.txt"), CFile::modeCreate | CFile::modeWrite, &e));
  EXPECT_EQ(CFileException::badPath, e.m_cause);

  // A folder cannot be opened as a file.
  std::filesystem::create_directory(dir_ / "sub");
  EXPECT_FALSE(f.Open(Path("sub"), CFile::modeRead, &e));
  EXPECT_EQ(CFileException::accessDenied, e.m_cause);

  // The constructor throws the same cause.
  EXPECT_EQ(CFileException::fileNotFound, FileCause([&] { CFile g(Path("missing.txt"), CFile::modeRead); }));

  // Writing a file opened for reading.
  WriteFile("r.txt", "abc");
  CFile r(Path("r.txt"), CFile::modeRead);
  EXPECT_EQ(CFileException::accessDenied, FileCause([&] { r.Write("x", 1); }));
  // A seek before the start.
  EXPECT_EQ(CFileException::badSeek, FileCause([&] { r.Seek(-10, CFile::begin); }));
#ifndef _WIN32
  // A full disk.
  CFile full("/dev/full", CFile::modeWrite);
  EXPECT_EQ(CFileException::diskFull, FileCause([&] { full.Write("x", 1); }));
#endif
}

TEST_F(CFileTest, ShareModes) {
  CFileException e;
  {
    CFile first(Path("shared.txt"), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CFile second;
    EXPECT_FALSE(second.Open(Path("shared.txt"), CFile::modeRead | CFile::shareDenyNone, &e));
    EXPECT_EQ(CFileException::sharingViolation, e.m_cause);
    // An open file can be neither removed nor renamed.
    EXPECT_EQ(CFileException::sharingViolation, FileCause([&] { CFile::Remove(Path("shared.txt")); }));
    EXPECT_EQ(CFileException::sharingViolation, FileCause([&] { CFile::Rename(Path("shared.txt"), Path("moved.txt")); }));
  }
  {
    // Readers that allow reading share the file; a writer is refused while they read.
    CFile r1(Path("shared.txt"), CFile::modeRead | CFile::shareDenyWrite);
    CFile r2;
    EXPECT_TRUE(r2.Open(Path("shared.txt"), CFile::modeRead | CFile::shareDenyWrite, &e));
    CFile w;
    EXPECT_FALSE(w.Open(Path("shared.txt"), CFile::modeWrite | CFile::shareDenyNone, &e));
    EXPECT_EQ(CFileException::sharingViolation, e.m_cause);
  }
  // Closed again: everything is allowed.
  CFile::Rename(Path("shared.txt"), Path("moved.txt"));
  CFile::Remove(Path("moved.txt"));
}

TEST_F(CFileTest, RemoveRenameAndStatus) {
  WriteFile("old.txt", "12345");
  CFileStatus status;
  ASSERT_TRUE(CFile::GetStatus(Path("old.txt"), status));
  EXPECT_EQ(5, status.m_size);
  EXPECT_EQ(0, status.m_attribute & CFile::directory);
  EXPECT_GT(status.m_mtime.GetTime(), 0);
  EXPECT_NE(nullptr, strstr(status.m_szFullName, "old.txt"));
  EXPECT_FALSE(CFile::GetStatus(Path("nothing.txt"), status));

  CFile::Rename(Path("old.txt"), Path("new.txt"));
  EXPECT_FALSE(CFile::GetStatus(Path("old.txt"), status));
  EXPECT_TRUE(CFile::GetStatus(Path("new.txt"), status));
  EXPECT_EQ(CFileException::fileNotFound, FileCause([&] { CFile::Rename(Path("old.txt"), Path("x.txt")); }));
  WriteFile("other.txt", "o");
  // An existing target is not replaced.
  EXPECT_EQ(CFileException::accessDenied, FileCause([&] { CFile::Rename(Path("new.txt"), Path("other.txt")); }));

  CFile::Remove(Path("new.txt"));
  EXPECT_FALSE(CFile::GetStatus(Path("new.txt"), status));
  EXPECT_EQ(CFileException::fileNotFound, FileCause([&] { CFile::Remove(Path("new.txt")); }));

  std::filesystem::create_directory(dir_ / "d");
  ASSERT_TRUE(CFile::GetStatus(Path("d"), status));
  EXPECT_NE(0, status.m_attribute & CFile::directory);
}

TEST_F(CFileTest, StdioFileTextMode) {
  {
    CStdioFile f(Path("t.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    f.WriteString("one\ntwo\n表\n");
    f.WriteString("last");
  }
  CFile raw(Path("t.txt"), CFile::modeRead);
  std::vector<BYTE> bytes = FileBytes(raw);
  std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ("one\r\ntwo\r\n\x95\x5C\r\nlast", text);
  raw.Close();

  CStdioFile f(Path("t.txt"), CFile::modeRead | CFile::typeText);
  CString line;
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_STREQ("one", line);
  char buf[16];
  EXPECT_STREQ("two\n", f.ReadString(buf, sizeof(buf)));
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_STREQ("表", line);
  EXPECT_TRUE(f.ReadString(line));
  EXPECT_STREQ("last", line);
  EXPECT_FALSE(f.ReadString(line));
  EXPECT_EQ(nullptr, f.ReadString(buf, sizeof(buf)));

  // Binary mode leaves line ends alone.
  {
    CStdioFile b(Path("b.txt"), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    b.WriteString("a\r\nb\n");
  }
  CStdioFile b(Path("b.txt"), CFile::modeRead | CFile::typeBinary);
  EXPECT_EQ(5u, b.GetLength());
  EXPECT_TRUE(b.ReadString(line));
  EXPECT_STREQ("a\r", line);

  CStdioFile missing;
  CFileException e;
  EXPECT_FALSE(missing.Open(Path("none.txt"), CFile::modeRead | CFile::typeText, &e));
  EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
}

TEST_F(CFileTest, FindFileListsMatches) {
  WriteFile("a.vqd", "1");
  WriteFile("B.VQD", "22");
  WriteFile("c.txt", "333");
  std::filesystem::create_directory(dir_ / "sub.vqd");
  CFileFind finder;
  BOOL more = finder.FindFile(Path("*.vqd"));
  std::vector<std::string> names;
  int dirs = 0;
  while (more) {
    more = finder.FindNextFile();
    names.push_back((LPCTSTR)finder.GetFileName());
    if (finder.IsDirectory()) ++dirs;
    if (finder.GetFileName() == "B.VQD") {
      EXPECT_EQ(2u, finder.GetLength());
      EXPECT_EQ(CString("B"), finder.GetFileTitle());
      EXPECT_EQ(Path("B.VQD"), finder.GetFilePath());
    }
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"B.VQD", "a.vqd", "sub.vqd"}), names);
  EXPECT_EQ(1, dirs);
  EXPECT_FALSE(finder.FindFile(Path("*.none")));
}

TEST(CMemFileTest, GrowsAndReadsBack) {
  CMemFile f(16);
  std::vector<BYTE> data(1000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = (BYTE)i;
  for (size_t i = 0; i < data.size(); i += 100) f.Write(&data[i], 100);
  EXPECT_EQ(1000u, f.GetLength());
  EXPECT_EQ(data, FileBytes(f));
  f.SeekToBegin();
  BYTE buf[10];
  EXPECT_EQ(10u, f.Read(buf, 10));
  EXPECT_EQ(9, buf[9]);
  EXPECT_EQ(995, f.Seek(-5, CFile::end));
  EXPECT_EQ(5u, f.Read(buf, 10));
  EXPECT_EQ(0u, f.Read(buf, 10));
  // Past the end, a write leaves zeros in the gap.
  f.Seek(1010, CFile::begin);
  f.Write("z", 1);
  EXPECT_EQ(1011u, f.GetLength());
  f.Seek(1005, CFile::begin);
  f.Read(buf, 6);
  EXPECT_EQ(0, buf[0]);
  EXPECT_EQ('z', buf[5]);
  f.SetLength(3);
  EXPECT_EQ(3u, f.GetLength());
  EXPECT_EQ(3u, f.GetPosition());
  EXPECT_EQ(CFileException::badSeek, FileCause([&] { f.Seek(-4, CFile::current); }));
  EXPECT_EQ(-1, f.Seek(0, 7));
}

TEST(CMemFileTest, AttachedBuffer) {
  BYTE buffer[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  CMemFile fixed(buffer, sizeof(buffer));
  EXPECT_EQ(8u, fixed.GetLength());
  BYTE b[8];
  EXPECT_EQ(8u, fixed.Read(b, 8));
  fixed.SeekToBegin();
  fixed.Write("ab", 2);
  EXPECT_EQ('a', buffer[0]);
  // A fixed buffer cannot grow.
  fixed.SeekToEnd();
  bool thrown = false;
  try {
    fixed.Write("x", 1);
  } catch (CMemoryException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  EXPECT_EQ(buffer, fixed.Detach());

  CMemFile grown(4);
  grown.Write("abcdefghij", 10);
  BYTE* p = grown.Detach();
  EXPECT_EQ(0, memcmp(p, "abcdefghij", 10));
  EXPECT_EQ(0u, grown.GetLength());
  free(p);
}

TEST_F(CFileTest, ArchiveOverDiskFile) {
  {
    CFile f(Path("doc.bin"), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&f, CArchive::store);
    for (int i = 0; i < 3000; ++i) ar << CString('a' + i % 26, i % 300) << (DWORD)i;
    ar.Close();
    f.Close();
  }
  {
    CFile f(Path("doc.bin"), CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    for (int i = 0; i < 3000; ++i) {
      CString s;
      DWORD n;
      ar >> s >> n;
      ASSERT_EQ(CString('a' + i % 26, i % 300), s);
      ASSERT_EQ((DWORD)i, n);
    }
    BYTE b;
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> b; }));
  }
  // A length prefix larger than the rest of the file.
  {
    CFile f(Path("bad.bin"), CFile::modeCreate | CFile::modeWrite);
    BYTE bytes[] = {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40, 'x'};
    f.Write(bytes, sizeof(bytes));
  }
  CFile f(Path("bad.bin"), CFile::modeRead);
  CArchive ar(&f, CArchive::load);
  CString s;
  EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> s; }));
}
