#include <gtest/gtest.h>

#include <afx.h>
#include <afxcoll.h>
#include <afxtempl.h>

#include "afx_test_util.h"

class CItem : public CObject {
  DECLARE_SERIAL(CItem)
 public:
  CItem(int n = 0) : m_n(n) {}
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring())
      ar << (LONG)m_n;
    else {
      LONG n;
      ar >> n;
      m_n = n;
    }
  }
  int m_n;
};
IMPLEMENT_SERIAL(CItem, CObject, 1)

template <class T>
std::vector<BYTE> StoreObject(T& o) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  o.Serialize(ar);
  ar.Close();
  return FileBytes(file);
}

template <class T>
void LoadObject(T& o, const std::vector<BYTE>& bytes) {
  CMemFile file;
  FillFile(file, bytes);
  CArchive ar(&file, CArchive::load);
  o.Serialize(ar);
}

TEST(CArrayTest, GrowInsertRemove) {
  CArray<CString, LPCTSTR> a;
  EXPECT_EQ(0, a.GetSize());
  EXPECT_EQ(-1, a.GetUpperBound());
  a.Add("b");
  a.Add("d");
  a.InsertAt(0, "a");
  a.InsertAt(2, "c");
  a.SetAtGrow(5, "f");
  ASSERT_EQ(6, a.GetSize());
  EXPECT_STREQ("a", a[0]);
  EXPECT_STREQ("c", a[2]);
  EXPECT_STREQ("", a[4]);
  EXPECT_STREQ("f", a.GetAt(5));
  a.RemoveAt(1, 2);
  EXPECT_EQ(4, a.GetSize());
  EXPECT_STREQ("d", a[1]);
  a.RemoveAt(3, 100);
  EXPECT_EQ(3, a.GetSize());
  // Adding an element of the array itself while it grows.
  for (int i = 0; i < 50; ++i) a.Add(a[0]);
  EXPECT_STREQ("a", a[52]);
  a.RemoveAll();
  EXPECT_EQ(0, a.GetSize());

  CArray<int, int> n;
  n.SetSize(3);
  EXPECT_EQ(0, n[2]);
  n[1] = 5;
  CArray<int, int> m;
  m.Copy(n);
  m.Append(n);
  EXPECT_EQ(6, m.GetSize());
  EXPECT_EQ(5, m[4]);
  m.InsertAt(1, &n);
  EXPECT_EQ(9, m.GetSize());
  EXPECT_EQ(5, m[2]);
  EXPECT_EQ(m.GetData()[2], 5);
}

TEST(CListTest, PositionsAndSearch) {
  CStringList l;
  l.AddTail("b");
  l.AddHead("a");
  POSITION pc = l.AddTail("c");
  l.InsertBefore(pc, "b2");
  l.InsertAfter(pc, "d");
  std::string all;
  for (POSITION pos = l.GetHeadPosition(); pos;) all += (LPCTSTR)l.GetNext(pos);
  EXPECT_EQ("abb2cd", all);
  all.clear();
  for (POSITION pos = l.GetTailPosition(); pos;) all += (LPCTSTR)l.GetPrev(pos);
  EXPECT_EQ("dcb2ba", all);
  EXPECT_EQ(pc, l.Find("c"));
  EXPECT_EQ(nullptr, l.Find("zz"));
  EXPECT_STREQ("b2", l.GetAt(l.FindIndex(2)));
  EXPECT_EQ(nullptr, l.FindIndex(5));
  l.RemoveAt(pc);
  EXPECT_EQ(4, l.GetCount());
  EXPECT_STREQ("a", l.RemoveHead());
  EXPECT_STREQ("d", l.RemoveTail());
  EXPECT_STREQ("b", l.GetHead());
  EXPECT_STREQ("b2", l.GetTail());
  l.RemoveAll();
  EXPECT_TRUE(l.IsEmpty());

  CPtrList p;
  int x, y;
  p.AddTail(&x);
  p.AddTail(&y);
  EXPECT_EQ(p.GetTailPosition(), p.Find(&y));
  CTypedPtrList<CPtrList, int*> typed;
  typed.AddTail(&x);
  int* first = typed.GetHead();
  EXPECT_EQ(&x, first);
}

TEST(CMapTest, LookupRemoveAndIterate) {
  CMapStringToString m;
  m["one"] = "1";
  m.SetAt("two", "2");
  m.SetAt("one", "uno");
  EXPECT_EQ(2, m.GetCount());
  CString v;
  EXPECT_TRUE(m.Lookup("one", v));
  EXPECT_STREQ("uno", v);
  EXPECT_FALSE(m.Lookup("three", v));
  EXPECT_TRUE(m.RemoveKey("two"));
  EXPECT_FALSE(m.RemoveKey("two"));
  m.SetAt(NULL, "empty key");  // a NULL key is the empty string
  EXPECT_TRUE(m.Lookup("", v));
  EXPECT_STREQ("empty key", v);
  EXPECT_TRUE(m.RemoveKey(""));

  CMapWordToPtr w;
  int values[100];
  for (WORD i = 0; i < 100; ++i) w.SetAt(i, &values[i]);
  int seen = 0;
  POSITION pos = w.GetStartPosition();
  while (pos) {
    WORD key;
    void* p;
    w.GetNextAssoc(pos, key, p);
    EXPECT_EQ(&values[key], p);
    ++seen;
  }
  EXPECT_EQ(100, seen);

  CTypedPtrMap<CMapStringToPtr, CString, int*> typed;
  typed.SetAt("k", &values[3]);
  int* found = NULL;
  EXPECT_TRUE(typed.Lookup("k", found));
  EXPECT_EQ(&values[3], found);

  CMapPtrToPtr pp;
  pp[&values[1]] = &values[2];
  void* out = NULL;
  EXPECT_TRUE(pp.Lookup(&values[1], out));
  EXPECT_EQ(&values[2], out);
  pp.RemoveAll();
  EXPECT_FALSE(pp.Lookup(&values[1], out));
}

TEST(CollectionSerializeTest, CountsAndElements) {
  CDWordArray dw;
  dw.Add(1);
  dw.Add(0x01020304);
  std::vector<BYTE> expected = {0x02, 0x00, 1, 0, 0, 0, 4, 3, 2, 1};
  EXPECT_EQ(expected, StoreObject(dw));

  CStringArray sa;
  sa.Add("ab");
  sa.Add("");
  expected = {0x02, 0x00, 0x02, 'a', 'b', 0x00};
  EXPECT_EQ(expected, StoreObject(sa));
  CStringArray sa2;
  LoadObject(sa2, StoreObject(sa));
  ASSERT_EQ(2, sa2.GetSize());
  EXPECT_STREQ("ab", sa2[0]);

  CObArray oa;
  CItem a(1), b(2);
  oa.Add(&a);
  oa.Add(&b);
  oa.Add(&a);
  CObArray oa2;
  LoadObject(oa2, StoreObject(oa));
  ASSERT_EQ(3, oa2.GetSize());
  EXPECT_EQ(oa2[0], oa2[2]);
  EXPECT_EQ(2, ((CItem*)oa2[1])->m_n);
  delete oa2[0];
  delete oa2[1];

  CMapStringToString m;
  m["k"] = "v";
  CMapStringToString m2;
  LoadObject(m2, StoreObject(m));
  CString v;
  EXPECT_TRUE(m2.Lookup("k", v));
  EXPECT_STREQ("v", v);

  CStringList sl;
  sl.AddTail("x");
  sl.AddTail("yy");
  CStringList sl2;
  LoadObject(sl2, StoreObject(sl));
  EXPECT_EQ(2, sl2.GetCount());
  EXPECT_STREQ("yy", sl2.GetTail());

  // A count of 0xFFFF or more uses the long form.
  CByteArray big;
  big.SetSize(0x10000);
  auto bytes = StoreObject(big);
  std::vector<BYTE> head(bytes.begin(), bytes.begin() + 6);
  expected = {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00};
  EXPECT_EQ(expected, head);
  EXPECT_EQ(6u + 0x10000u, bytes.size());
}
