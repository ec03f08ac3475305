#include <gtest/gtest.h>

#include <afx.h>

TEST(CRectTest, LayoutAndMembers) {
  static_assert(sizeof(CRect) == sizeof(RECT) && sizeof(CPoint) == sizeof(POINT) && sizeof(CSize) == sizeof(SIZE));
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(100, r.Width());
  EXPECT_EQ(50, r.Height());
  EXPECT_EQ(CPoint(10, 20), r.TopLeft());
  EXPECT_EQ(CPoint(110, 70), r.BottomRight());
  EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
  EXPECT_EQ(CSize(100, 50), r.Size());
  r.TopLeft() = CPoint(0, 0);
  EXPECT_EQ(CRect(0, 0, 110, 70), r);

  // Left and top edges belong to the rectangle, right and bottom do not.
  EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
  EXPECT_FALSE(r.PtInRect(CPoint(110, 10)));
  EXPECT_FALSE(r.PtInRect(CPoint(10, 70)));

  CRect flipped(50, 60, 10, 20);
  EXPECT_TRUE(flipped.IsRectEmpty());
  flipped.NormalizeRect();
  EXPECT_EQ(CRect(10, 20, 50, 60), flipped);
  EXPECT_TRUE(CRect().IsRectNull());
  EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());

  CRect a(0, 0, 10, 10), b(5, 5, 20, 20), c;
  EXPECT_TRUE(c.IntersectRect(&a, &b));
  EXPECT_EQ(CRect(5, 5, 10, 10), c);
  EXPECT_FALSE(c.IntersectRect(&a, CRect(10, 0, 20, 10)));  // touching edges do not overlap
  EXPECT_TRUE(c.IsRectNull());
  EXPECT_TRUE(c.UnionRect(&a, &b));
  EXPECT_EQ(CRect(0, 0, 20, 20), c);
  EXPECT_TRUE(c.UnionRect(&a, CRect(100, 100, 100, 200)));  // the empty one adds nothing
  EXPECT_EQ(a, c);
  EXPECT_EQ(CRect(5, 5, 10, 10), a & b);
  EXPECT_EQ(CRect(0, 0, 20, 20), a | b);
  EXPECT_TRUE(c.SubtractRect(&a, CRect(0, 0, 10, 4)));
  EXPECT_EQ(CRect(0, 4, 10, 10), c);
  EXPECT_TRUE(c.SubtractRect(&a, CRect(2, 2, 4, 4)));  // a hole leaves it whole
  EXPECT_EQ(a, c);

  CRect m(0, 0, 10, 10);
  m.InflateRect(2, 3);
  EXPECT_EQ(CRect(-2, -3, 12, 13), m);
  m.DeflateRect(2, 3);
  m.OffsetRect(5, -5);
  EXPECT_EQ(CRect(5, -5, 15, 5), m);
  m += CPoint(1, 1);
  m -= CSize(1, 1);
  EXPECT_EQ(CRect(5, -5, 15, 5), m);
  EXPECT_EQ(CRect(6, -4, 16, 6), m + CPoint(1, 1));
  EXPECT_TRUE(m.EqualRect(CRect(5, -5, 15, 5)));
  EXPECT_TRUE(m != a);
}

TEST(CPointSizeTest, Operators) {
  CPoint p(3, 4);
  p += CSize(1, 1);
  EXPECT_EQ(CPoint(4, 5), p);
  EXPECT_EQ(CSize(3, 3), p - CPoint(1, 2));
  EXPECT_EQ(CPoint(2, 3), p - CSize(2, 2));
  EXPECT_EQ(CPoint(-4, -5), -p);
  p.Offset(1, -1);
  EXPECT_EQ(CPoint(5, 4), p);
  EXPECT_EQ(CPoint(0xFFFF, 2).x, 0xFFFF);
  EXPECT_EQ(CPoint((DWORD)0x0002FFFF), CPoint(-1, 2));  // packed coordinates are signed
  CSize s(2, 3);
  EXPECT_EQ(CSize(4, 6), s + s);
  EXPECT_TRUE(CSize(1, 1) != s);
}

TEST(CTimeTest, FieldsAndFormat) {
  CTime t(2024, 2, 29, 13, 45, 30);
  EXPECT_EQ(2024, t.GetYear());
  EXPECT_EQ(2, t.GetMonth());
  EXPECT_EQ(29, t.GetDay());
  EXPECT_EQ(13, t.GetHour());
  EXPECT_EQ(45, t.GetMinute());
  EXPECT_EQ(30, t.GetSecond());
  EXPECT_EQ(5, t.GetDayOfWeek());  // Thursday
  EXPECT_STREQ("2024/02/29 13:45:30", t.Format("%Y/%m/%d %H:%M:%S"));
  CTime later = t + CTimeSpan(1, 2, 3, 4);
  CTimeSpan d = later - t;
  EXPECT_EQ(1, d.GetDays());
  EXPECT_EQ(2, d.GetHours());
  EXPECT_EQ(3, d.GetMinutes());
  EXPECT_EQ(4, d.GetSeconds());
  EXPECT_EQ(26 * 3600 + 3 * 60 + 4, d.GetTotalSeconds());
  EXPECT_STREQ("1 days 02:03:04 %", d.Format("%D days %H:%M:%S %%"));
  EXPECT_TRUE(later > t);
  EXPECT_STREQ("1970-01-01 00:00", CTime(0).FormatGmt("%Y-%m-%d %H:%M"));

  FILETIME ft;  // 2000-01-01 00:00:00 UTC
  ULONGLONG v = 946684800ULL * 10000000ULL + 116444736000000000ULL;
  ft.dwLowDateTime = (DWORD)v;
  ft.dwHighDateTime = (DWORD)(v >> 32);
  EXPECT_EQ(946684800, CTime(ft).GetTime());

  SYSTEMTIME st;
  ASSERT_TRUE(t.GetAsSystemTime(st));
  EXPECT_EQ(2024, st.wYear);
  EXPECT_EQ(t, CTime(st));
  EXPECT_EQ(CTime(2021, 6, 15, 10, 20, 30), CTime((WORD)((41 << 9) | (6 << 5) | 15), (WORD)((10 << 11) | (20 << 5) | 15)));
}
