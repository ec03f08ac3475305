#include <gtest/gtest.h>

#include <afx.h>

// Shift-JIS characters whose trail byte is '\\' (0x5C) or a letter.
static const char kHyou[] = "表";     // 95 5C
static const char kSo[] = "ソ";       // 83 5C
static const char kA[] = "あ";        // 82 A0
static const char kZenA[] = "Ａ";     // 82 60

TEST(CStringTest, LiteralsAreShiftJis) {
  ASSERT_EQ(2u, strlen(kHyou));
  EXPECT_EQ(0x95, (BYTE)kHyou[0]);
  EXPECT_EQ(0x5C, (BYTE)kHyou[1]);
}

TEST(CStringTest, CopiesShareUntilWritten) {
  CString a("abc");
  CString b(a);
  EXPECT_EQ((LPCTSTR)a, (LPCTSTR)b);
  b.SetAt(0, 'x');
  EXPECT_STREQ("abc", a);
  EXPECT_STREQ("xbc", b);
  CString c;
  c = a;
  c += "d";
  EXPECT_STREQ("abc", a);
  EXPECT_STREQ("abcd", c);
  // Self-referencing append.
  c += c;
  EXPECT_STREQ("abcdabcd", c);
  c = (LPCTSTR)c + 4;
  EXPECT_STREQ("abcd", c);
}

TEST(CStringTest, NullAndEmpty) {
  CString s((LPCSTR)NULL);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_STREQ("", s);
  s = "x";
  s.Empty();
  EXPECT_EQ(0, s.GetLength());
  EXPECT_TRUE(afxEmptyString.IsEmpty());
  EXPECT_EQ(CString('-', 3), "---");
  EXPECT_EQ(CString("abcdef", 3), "abc");
}

TEST(CStringTest, GetBufferReleaseBuffer) {
  CString s("hello");
  CString shared(s);
  LPTSTR p = s.GetBuffer(20);
  strcpy(p, "a longer text");
  s.ReleaseBuffer();
  EXPECT_STREQ("a longer text", s);
  EXPECT_EQ(13, s.GetLength());
  EXPECT_STREQ("hello", shared);  // the copy was not written through

  p = s.GetBuffer(0);
  s.ReleaseBuffer(3);
  EXPECT_STREQ("a l", s);

  // A length beyond the buffer is cut to the buffer.
  CString t;
  p = t.GetBuffer(4);
  memcpy(p, "wxyz", 4);
  t.ReleaseBuffer(100);
  EXPECT_EQ(4, t.GetLength());
  EXPECT_STREQ("wxyz", t);

  CString u;
  p = u.GetBufferSetLength(3);
  memcpy(p, "abc", 3);
  u.ReleaseBuffer();
  EXPECT_STREQ("abc", u);
}

TEST(CStringTest, LockedBufferIsNotShared) {
  CString s("abc");
  LPTSTR p = s.LockBuffer();
  CString copy(s);
  p[0] = 'x';
  EXPECT_STREQ("abc", copy);
  s.UnlockBuffer();
  EXPECT_STREQ("xbc", s);
}

TEST(CStringTest, FindNeverMatchesInsideDoubleByteCharacter) {
  CString s = CString(kHyou) + "\\" + kSo + "a";
  // 95 5C | 5C | 83 5C | 61
  EXPECT_EQ(2, s.Find('\\'));
  EXPECT_EQ(2, s.Find("\\"));
  EXPECT_EQ(2, s.ReverseFind('\\'));
  EXPECT_EQ(-1, CString(kHyou).Find('\\'));
  EXPECT_EQ(-1, CString(kHyou).Find("\\"));
  EXPECT_EQ(-1, CString(kHyou).ReverseFind('\\'));
  EXPECT_EQ(0, s.Find(kHyou));
  EXPECT_EQ(3, s.Find(kSo));
  EXPECT_EQ(5, s.Find('a'));
  // The trail byte of Ａ (82 60) is '`'; of あ (82 A0) not ASCII.
  CString z = CString(kZenA) + "`";
  EXPECT_EQ(2, z.Find('`'));
  EXPECT_EQ(2, z.FindOneOf("`x"));
  // A search for a trail-byte sequence starting mid-character fails.
  EXPECT_EQ(-1, CString(kHyou).Find("\\"));
  EXPECT_EQ(-1, (CString("x") + kHyou).Find("\x5C"));
  // Starting positions count bytes but land on character boundaries.
  EXPECT_EQ(2, s.Find('\\', 1));
  EXPECT_EQ(-1, s.Find('\\', 3));
  EXPECT_EQ(-1, s.Find('a', 99));
}

TEST(CStringTest, ReplaceAndRemoveKeepDoubleByteCharacters) {
  CString s = CString(kHyou) + "\\x\\";
  EXPECT_EQ(2, s.Replace('\\', '/'));
  EXPECT_EQ(CString(kHyou) + "/x/", s);

  CString t = CString(kHyou) + "\\" + kHyou;
  EXPECT_EQ(1, t.Replace("\\", "\\\\"));
  EXPECT_EQ(CString(kHyou) + "\\\\" + kHyou, t);
  EXPECT_EQ(2, t.Remove('\\'));
  EXPECT_EQ(CString(kHyou) + kHyou, t);

  CString u("a-b-c");
  EXPECT_EQ(2, u.Replace("-", ""));
  EXPECT_STREQ("abc", u);
  EXPECT_EQ(0, u.Replace("", "x"));
  EXPECT_EQ(1, u.Replace("abc", "longer text"));
  EXPECT_STREQ("longer text", u);
}

TEST(CStringTest, CaseChangesLeaveTrailBytesAlone) {
  CString s = CString("ab") + kZenA + kHyou + "Cd";
  s.MakeUpper();
  EXPECT_EQ(CString("AB") + kZenA + kHyou + "CD", s);
  // Ａ is 82 60: lowering must not touch 0x60 nor raise anything inside it.
  CString t = CString("X") + kZenA + "Y" + "\x83\x41";  // ア is 83 41: trail byte 'A'
  t.MakeLower();
  EXPECT_EQ(CString("x") + kZenA + "y" + "\x83\x41", t);
  EXPECT_NE(0, CString("\x83\x41").CompareNoCase("\x83\x61"));
  EXPECT_EQ(0, CString("ABC").CompareNoCase("abc"));
}

TEST(CStringTest, TrimAndSpan) {
  CString s(" \t abc \r\n");
  s.TrimLeft();
  s.TrimRight();
  EXPECT_STREQ("abc", s);
  // ソ ends in 0x5C: trimming '\\' leaves it whole.
  CString t = CString(kSo) + "\\\\";
  t.TrimRight('\\');
  EXPECT_EQ(CString(kSo), t);
  CString u = CString("xx") + kA + "xx";
  u.TrimLeft('x');
  u.TrimRight("x");
  EXPECT_EQ(CString(kA), u);

  CString digits("123abc");
  EXPECT_STREQ("123", digits.SpanIncluding("0123456789"));
  EXPECT_STREQ("123", digits.SpanExcluding("abc"));
  CString j = CString(kHyou) + "\\";
  EXPECT_STREQ("", j.SpanIncluding("\\"));
  EXPECT_EQ(CString(kHyou), j.SpanExcluding("\\"));
}

TEST(CStringTest, ExtractionClampsRanges) {
  CString s("abcdef");
  EXPECT_STREQ("cd", s.Mid(2, 2));
  EXPECT_STREQ("cdef", s.Mid(2));
  EXPECT_STREQ("", s.Mid(10));
  EXPECT_STREQ("abcdef", s.Mid(-3));
  EXPECT_STREQ("ab", s.Left(2));
  EXPECT_STREQ("abcdef", s.Left(99));
  EXPECT_STREQ("", s.Left(-1));
  EXPECT_STREQ("ef", s.Right(2));
  EXPECT_STREQ("abcdef", s.Right(99));
  EXPECT_EQ(8, s.Insert(3, "XY"));
  EXPECT_STREQ("abcXYdef", s);
  EXPECT_EQ(6, s.Delete(3, 2));
  EXPECT_STREQ("abcdef", s);
  EXPECT_EQ(3, s.Delete(3, 100));
  CString r = CString("a") + kHyou + "b";
  r.MakeReverse();
  EXPECT_EQ(CString("b") + kHyou + "a", r);
}

TEST(CStringTest, ComparisonIsByUnsignedBytes) {
  EXPECT_LT(CString("a").Compare("b"), 0);
  EXPECT_GT(CString(kHyou).Compare("z"), 0);  // 0x95 above ASCII
  EXPECT_TRUE(CString("abc") == "abc");
  EXPECT_TRUE("abc" == CString("abc"));
  EXPECT_TRUE(CString("abc") != CString("abd"));
  EXPECT_TRUE(CString("abc") < CString("abd"));
  EXPECT_TRUE(CString("ab") < "abc");
  EXPECT_EQ(0, CString("same").Collate("same"));
  EXPECT_LT(CString("a").Collate("b"), 0);
}

TEST(CStringTest, Format) {
  CString s;
  s.Format("%d-%s-%05.1f-%c", 42, "x", 3.14159, 'z');
  EXPECT_STREQ("42-x-003.1-z", s);
  CString big;
  big.Format("%s%s", CString('a', 3000).operator LPCTSTR(), kHyou);
  EXPECT_EQ(3002, big.GetLength());
  s.Format("%s", (LPCTSTR)s);  // formatting from itself
  EXPECT_STREQ("42-x-003.1-z", s);
  // A CString argument passed as it is stands for its text.
  CString word("ab");
  s.Format("%s-%d-%s", word, 3, kHyou);
  EXPECT_EQ(CString("ab-3-") + kHyou, s);
}

TEST(CStringTest, FormatStringsReplacesPlaceholders) {
  CString s;
  LPCTSTR args[] = {"one", "two"};
  AfxFormatStrings(s, "%2 and %1, %3%%", args, 2);
  EXPECT_STREQ("two and one, %%", s);
}

TEST(MbsTest, RuntimeFunctionsStepByCharacters) {
  const unsigned char* h = (const unsigned char*)kHyou;
  EXPECT_EQ(NULL, _mbschr(h, '\\'));
  EXPECT_EQ(NULL, _mbsrchr(h, '\\'));
  unsigned char both[8];
  strcpy((char*)both, kHyou);
  strcat((char*)both, "\\");
  EXPECT_EQ(both + 2, _mbschr(both, '\\'));
  EXPECT_EQ(both + 2, _mbsrchr(both, '\\'));
  EXPECT_EQ(NULL, _mbsstr(h, (const unsigned char*)"\\"));
  EXPECT_EQ(2u, _mbslen(both));
  EXPECT_EQ(both + 2, _mbsinc(both));
  EXPECT_EQ(both, _mbsdec(both, both + 2));
  EXPECT_NE(0, _ismbblead(0x95));
  EXPECT_EQ(0, _ismbblead(0x5C));
  EXPECT_EQ(0, _ismbblead(0xA0));  // half-width katakana range
  EXPECT_NE(0, _ismbblead(0xE0));
  EXPECT_EQ(0, _mbscmp((const unsigned char*)"abc", (const unsigned char*)"abc"));
  EXPECT_LT(_mbscmp((const unsigned char*)"abc", (const unsigned char*)"abd"), 0);
  EXPECT_NE(0, _mbscmp((const unsigned char*)"Abc", (const unsigned char*)"abc"));
  EXPECT_EQ(0, _mbsicmp((const unsigned char*)"Abc", (const unsigned char*)"aBC"));
}
