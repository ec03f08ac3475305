#include <gtest/gtest.h>

#include <afx.h>
#include <afxcoll.h>

#include "afx_test_util.h"

class CSample : public CObject {
  DECLARE_SERIAL(CSample)
 public:
  CSample(LONG n = 0) : m_n(n) {}
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << m_n;
    else
      ar >> m_n;
  }
  LONG m_n;
};
IMPLEMENT_SERIAL(CSample, CObject, 1)

class CDerived : public CSample {
  DECLARE_SERIAL(CDerived)
 public:
  CDerived() {}
};
IMPLEMENT_SERIAL(CDerived, CSample, 1)

// Holds a child object and records the schema it read.
class CVersioned : public CObject {
  DECLARE_SERIAL(CVersioned)
 public:
  CVersioned() {}
  ~CVersioned() override { delete m_pChild; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_pChild;
    } else {
      m_nSchemaRead = ar.GetObjectSchema();
      ar >> m_pChild;
    }
  }
  CObject* m_pChild = NULL;
  UINT m_nSchemaRead = 0;
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)

class CNotSerial : public CObject {
  DECLARE_DYNCREATE(CNotSerial)
};
IMPLEMENT_DYNCREATE(CNotSerial, CObject)

static std::vector<BYTE> Concat(std::initializer_list<std::vector<BYTE>> parts) {
  std::vector<BYTE> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

static std::vector<BYTE> Text(const char* s) { return std::vector<BYTE>(s, s + strlen(s)); }

template <class F>
std::vector<BYTE> Store(F write) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  return FileBytes(file);
}

TEST(CArchiveTest, ScalarsAreLittleEndian) {
  auto bytes = Store([](CArchive& ar) {
    ar << (BYTE)0x12 << (WORD)0x3456 << (LONG)-2 << (DWORD)0x89ABCDEF << 1.5f << 2.0 << (short)-1 << 'c';
  });
  std::vector<BYTE> expected = {0x12, 0x56, 0x34, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89,
                                0x00, 0x00, 0xC0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0xFF, 'c'};
  EXPECT_EQ(expected, bytes);

  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  BYTE b;
  WORD w;
  LONG l;
  DWORD dw;
  float f;
  double d;
  short s;
  char c;
  ar >> b >> w >> l >> dw >> f >> d >> s >> c;
  EXPECT_EQ(0x12, b);
  EXPECT_EQ(0x3456, w);
  EXPECT_EQ(-2, l);
  EXPECT_EQ(0x89ABCDEFu, dw);
  EXPECT_EQ(1.5f, f);
  EXPECT_EQ(2.0, d);
  EXPECT_EQ(-1, s);
  EXPECT_EQ('c', c);
  EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> b; }));
}

TEST(CArchiveTest, StringLengthPrefixes) {
  struct Case {
    int length;
    std::vector<BYTE> prefix;
  } cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    CString s('q', c.length);
    auto bytes = Store([&](CArchive& ar) { ar << s; });
    ASSERT_EQ(c.prefix.size() + c.length, bytes.size()) << c.length;
    EXPECT_EQ(c.prefix, std::vector<BYTE>(bytes.begin(), bytes.begin() + c.prefix.size())) << c.length;
    EXPECT_TRUE(std::all_of(bytes.begin() + c.prefix.size(), bytes.end(), [](BYTE b) { return b == 'q'; }));

    CMemFile file;
    FillFile(file, bytes);
    CArchive ar(&file, CArchive::load);
    CString back("previous");
    ar >> back;
    EXPECT_EQ(s, back) << c.length;
  }
}

TEST(CArchiveTest, StringLengthBeyondTheFileIsRefused) {
  // Claims 2 GB, 5 MB and 300 bytes; each file holds a few bytes only.
  std::vector<std::vector<BYTE>> corrupt = {
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'},
      {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x50, 0x00, 'a'},
      {0xFF, 0x2C, 0x01, 'a', 'b', 'c'},
      {0x05, 'a', 'b'},
      {0xFF, 0x01},
  };
  for (const auto& bytes : corrupt) {
    CMemFile file;
    FillFile(file, bytes);
    CArchive ar(&file, CArchive::load);
    CString s;
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> s; }));
  }
}

TEST(CArchiveTest, ObjectAndClassTags) {
  CSample first(7), second(8);
  auto bytes = Store([&](CArchive& ar) {
    ar << &first;                // new class, new object
    ar << &second;               // known class, new object
    ar << &first;                // the first object again
    ar << (CObject*)NULL;        // null pointer
  });
  std::vector<BYTE> expected = Concat({
      {0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00},  // new class tag, schema 1, name length 7
      Text("CSample"),
      {0x07, 0x00, 0x00, 0x00},              // first.m_n
      {0x01, 0x80},                          // class index 1 (0x8000 | 1)
      {0x08, 0x00, 0x00, 0x00},              // second.m_n
      {0x02, 0x00},                          // object index 2
      {0x00, 0x00},                          // null
  });
  EXPECT_EQ(expected, bytes);

  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  CSample *a, *b, *c;
  CObject* d = &first;
  ar >> a >> b >> c >> d;
  ASSERT_NE(nullptr, a);
  ASSERT_NE(nullptr, b);
  EXPECT_EQ(7, a->m_n);
  EXPECT_EQ(8, b->m_n);
  EXPECT_EQ(a, c);
  EXPECT_EQ(nullptr, d);
  delete a;
  delete b;
}

TEST(CArchiveTest, BigIndexForm) {
  // Past 0x7FFE entries, tags are 0x7FFF followed by a DWORD.
  const int n = 0x7FFF;
  std::vector<CSample> objects(n);
  auto bytes = Store([&](CArchive& ar) {
    for (auto& o : objects) ar << &o;
    ar << &objects[n - 1];  // index 0x8000 (class is 1, objects 2..0x8000)
    ar << &objects[0];      // index 2
  });
  std::vector<BYTE> tail(bytes.end() - 8, bytes.end());
  std::vector<BYTE> expected = {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00, 0x02, 0x00};
  EXPECT_EQ(expected, tail);

  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  std::vector<CObject*> read(n);
  for (auto& p : read) ar >> p;
  CObject *last, *firstAgain;
  ar >> last >> firstAgain;
  EXPECT_EQ(read[n - 1], last);
  EXPECT_EQ(read[0], firstAgain);
  for (auto* p : read) delete p;
}

TEST(CArchiveTest, SchemaMismatchRaisesBadSchema) {
  CSample s(1);
  auto bytes = Store([&](CArchive& ar) { ar << &s; });
  bytes[2] = 0x02;  // schema 2 where the class has 1
  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  CObject* p = NULL;
  EXPECT_EQ(CArchiveException::badSchema, ArchiveCause([&] { ar >> p; }));
  EXPECT_EQ(nullptr, p);
}

TEST(CArchiveTest, VersionableSchemaIsPassedToSerialize) {
  CVersioned v;
  v.m_pChild = new CSample(5);
  auto bytes = Store([&](CArchive& ar) { ar << &v; });
  EXPECT_EQ(0x02, bytes[2]);  // the schema without the versionable flag
  bytes[2] = 0x01;            // an older file
  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  CVersioned* back = NULL;
  ar >> back;
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(1u, back->m_nSchemaRead);
  ASSERT_TRUE(back->m_pChild && back->m_pChild->IsKindOf(RUNTIME_CLASS(CSample)));
  EXPECT_EQ(5, ((CSample*)back->m_pChild)->m_n);
  delete back;
}

TEST(CArchiveTest, TruncatedArchiveRaisesEndOfFile) {
  CVersioned v;
  v.m_pChild = new CSample(5);
  CString text("some text");
  auto bytes = Store([&](CArchive& ar) { ar << &v << text << (DWORD)9; });
  for (size_t cut = 0; cut < bytes.size(); ++cut) {
    CMemFile file;
    FillFile(file, std::vector<BYTE>(bytes.begin(), bytes.begin() + cut));
    CArchive ar(&file, CArchive::load);
    int cause = ArchiveCause([&] {
      CObject* p = NULL;
      CString s;
      DWORD dw;
      ar >> p;
      delete p;  // only reached when the object was complete
      ar >> s >> dw;
    });
    EXPECT_EQ(CArchiveException::endOfFile, cause) << "cut at " << cut;
  }
}

TEST(CArchiveTest, CorruptTagsAreRefused) {
  CSample s(3);
  auto good = Store([&](CArchive& ar) { ar << &s; });
  struct Case {
    const char* what;
    std::vector<BYTE> bytes;
    int cause;
  } cases[] = {
      {"unknown class name", Concat({{0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00}, Text("CNobody"), {0, 0, 0, 0}}),
       CArchiveException::badClass},
      {"class name too long", {0xFF, 0xFF, 0x01, 0x00, 0xFF, 0x00, 'x'}, CArchiveException::badClass},
      {"class index never defined", {0x05, 0x80, 0, 0, 0, 0}, CArchiveException::badIndex},
      {"object index never defined", {0x09, 0x00}, CArchiveException::badIndex},
      // An object tag that names the class entry (1) rather than an object.
      {"object index naming a class", Concat({good, {0x01, 0x00}}), CArchiveException::badIndex},
      // A class tag that names the object entry (2).
      {"class index naming an object", Concat({good, {0x02, 0x80, 0, 0, 0, 0}}), CArchiveException::badIndex},
  };
  for (const Case& c : cases) {
    CMemFile file;
    FillFile(file, c.bytes);
    CArchive ar(&file, CArchive::load);
    std::vector<CObject*> read;
    int cause = ArchiveCause([&] {
      for (;;) {
        CObject* p;
        ar >> p;
        read.push_back(p);
      }
    });
    EXPECT_EQ(c.cause, cause) << c.what;
    for (auto* p : read) delete p;
  }
}

TEST(CArchiveTest, RequestedClassIsChecked) {
  CSample s(3);
  CDerived d;
  auto bytes = Store([&](CArchive& ar) { ar << &s << &d; });
  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  EXPECT_EQ(CArchiveException::badClass, ArchiveCause([&] { ar.ReadObject(RUNTIME_CLASS(CDerived)); }));

  CMemFile file2;
  FillFile(file2, bytes);
  CArchive ar2(&file2, CArchive::load);
  CObject* p1 = ar2.ReadObject(RUNTIME_CLASS(CSample));
  CObject* p2 = ar2.ReadObject(RUNTIME_CLASS(CSample));  // a derived class is accepted
  EXPECT_TRUE(p2->IsKindOf(RUNTIME_CLASS(CDerived)));
  delete p1;
  delete p2;
}

TEST(CArchiveTest, NonSerializableClassIsNotSupported) {
  CNotSerial o;
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  bool thrown = false;
  try {
    ar << &o;
  } catch (CNotSupportedException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
  ar.Abort();
}

TEST(CArchiveTest, SerializeClassWritesAndChecksTheClass) {
  auto bytes = Store([](CArchive& ar) {
    ar.SerializeClass(RUNTIME_CLASS(CSample));
    ar.SerializeClass(RUNTIME_CLASS(CSample));
  });
  std::vector<BYTE> expected = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00}, Text("CSample"), {0x01, 0x80}});
  EXPECT_EQ(expected, bytes);
  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  ar.SerializeClass(RUNTIME_CLASS(CSample));
  EXPECT_EQ(1u, ar.GetObjectSchema());
  EXPECT_EQ((UINT)-1, ar.GetObjectSchema());
  EXPECT_EQ(CArchiveException::badClass, ArchiveCause([&] { ar.SerializeClass(RUNTIME_CLASS(CDerived)); }));
}

TEST(CArchiveTest, FlushGivesUnreadBytesBackToTheFile) {
  auto bytes = Store([](CArchive& ar) { ar << (DWORD)1 << (DWORD)2 << (DWORD)3; });
  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  DWORD a;
  ar >> a;
  ar.Flush();
  EXPECT_EQ(4u, file.GetPosition());
  DWORD direct;
  file.Read(&direct, 4);  // the caller reads a record straight from the file
  EXPECT_EQ(2u, direct);
  DWORD c;
  ar >> c;
  EXPECT_EQ(3u, c);
  EXPECT_TRUE(ar.IsLoading());
  EXPECT_FALSE(ar.IsStoring());
  EXPECT_EQ(&file, ar.GetFile());
}

TEST(CArchiveTest, StoringFlushPutsBytesInOrder) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar << (WORD)0x0101;
  ar.Flush();
  BYTE raw = 0x55;
  file.Write(&raw, 1);
  ar << (WORD)0x0202;
  ar.Close();
  std::vector<BYTE> expected = {0x01, 0x01, 0x55, 0x02, 0x02};
  EXPECT_EQ(expected, FileBytes(file));
  EXPECT_EQ(CArchiveException::writeOnly, ArchiveCause([&] {
              CMemFile f2;
              CArchive a2(&f2, CArchive::store);
              BYTE b;
              a2 >> b;
            }));
}

TEST(CArchiveTest, LargeBlocksAndLines) {
  std::vector<BYTE> block(10000);
  for (size_t i = 0; i < block.size(); ++i) block[i] = (BYTE)(i * 7);
  auto bytes = Store([&](CArchive& ar) {
    ar << (BYTE)1;
    ar.Write(block.data(), (UINT)block.size());
    ar.WriteString("first line\r\nsecond\nthird");
  });
  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  BYTE b;
  ar >> b;
  std::vector<BYTE> back(block.size());
  EXPECT_EQ(block.size(), ar.Read(back.data(), (UINT)back.size()));
  EXPECT_EQ(block, back);
  CString line;
  EXPECT_TRUE(ar.ReadString(line));
  EXPECT_STREQ("first line", line);
  char buf[8];
  EXPECT_STREQ("second", ar.ReadString(buf, 7));
  EXPECT_TRUE(ar.ReadString(line));
  EXPECT_STREQ("third", line);
  EXPECT_FALSE(ar.ReadString(line));
  EXPECT_EQ(nullptr, ar.ReadString(buf, 7));
}

TEST(CArchiveTest, CollectionCountsAreBoundedByTheFile) {
  // CDWordArray claiming 0x10000000 elements, CStringArray claiming 60000 strings.
  std::vector<std::vector<BYTE>> corrupt = {
      {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10, 1, 2, 3, 4},
      {0x60, 0xEA, 0x00},
  };
  {
    CMemFile file;
    FillFile(file, corrupt[0]);
    CArchive ar(&file, CArchive::load);
    CDWordArray a;
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { a.Serialize(ar); }));
  }
  {
    CMemFile file;
    FillFile(file, corrupt[1]);
    CArchive ar(&file, CArchive::load);
    CStringArray a;
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { a.Serialize(ar); }));
  }
}

TEST(CArchiveTest, TimesAreFourBytes) {
  auto bytes = Store([](CArchive& ar) { ar << CTime(0x12345678) << CTimeSpan(60); });
  std::vector<BYTE> expected = {0x78, 0x56, 0x34, 0x12, 60, 0, 0, 0};
  EXPECT_EQ(expected, bytes);
}
