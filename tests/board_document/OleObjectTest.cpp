// Embedded objects and their items: sizing from the item's extent, the server's closes,
// in-place position changes, and what an object without item shows.
#include <gtest/gtest.h>

#include <memory>

#include "BoardFixture.h"
#include "DocumentTestApp.h"
#include "jvqOleItem.h"
#include "jvqViewMapping.h"
#include "qvzDocument.h"

namespace {

// An item whose extent the test sets; no server behind it.
class ExtentItem : public jvqOleItem {
 public:
  ExtentItem(jvqDocument* d, jvqOleObject* o) : jvqOleItem(d, o) {}
  BOOL GetExtent(LPSIZE lpSize, DVASPECT) override {
    if (!m_bHasExtent) return FALSE;
    *lpSize = m_extent;
    return TRUE;
  }
  SIZE m_extent = {2540, 1270};
  BOOL m_bHasExtent = TRUE;
};

// Frames move only for objects of a view: a mapping at 100 %, one unit to the pixel.
jvqViewMapping* TestMapping() {
  static jvqViewMapping m;
  m.m_dZoom = 100;
  return &m;
}

class CountingOleObject : public jvqOleObject {
 public:
  CountingOleObject(const RECT* r, jvqDocument* d) : jvqOleObject(r, 0, TestMapping(), d) {}
  void Invalidate() override { m_nInvalidated++; }
  int m_nInvalidated = 0;
};

RECT Bounds(jvqObject* o) {
  RECT r;
  o->GetBoundRect(&r);
  return r;
}

}  // namespace

TEST(OleObject, SizeFromTheItemsExtentInTenthsOfAMillimetre) {
  qvzDocument d;
  d.OnNewDocument();
  struct Case {
    SIZE extent;
    int w, h;
  };
  const Case cases[] = {{{2540, 1270}, 254, 127}, {{15, 9}, 1, 0}};
  for (const Case& c : cases) {
    const RECT start = {300, 400, 1100, 900};
    CountingOleObject o(&start, &d);
    ExtentItem item(&d, &o);
    item.m_extent = c.extent;
    o.SetSizeFromItem(&item);
    const RECT r = Bounds(&o);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(c.w, r.right - r.left);
    EXPECT_EQ(c.h, r.bottom - r.top);
    item.m_bHasExtent = FALSE;  // no extent: the frame stays
    o.SetSizeFromItem(&item);
    const RECT after = Bounds(&o);
    EXPECT_TRUE(::EqualRect(&r, &after));
  }
}

TEST(OleObject, FirstCloseResizesKeepingLeftAndTopLaterClosesDoNot) {
  qvzDocument d;
  d.OnNewDocument();
  const RECT start = {300, 400, 554, 600};  // the item's width already, another height
  CountingOleObject o(&start, &d);
  ExtentItem item(&d, &o);
  item.m_bOpened = TRUE;
  item.OnChange(OLE_CLOSED, 0);
  RECT r = Bounds(&o);
  EXPECT_EQ(300, r.left);
  EXPECT_EQ(400, r.top);
  EXPECT_EQ(254, r.right - r.left);
  EXPECT_EQ(127, r.bottom - r.top);
  EXPECT_FALSE(item.m_bOpened);
  EXPECT_FALSE(item.m_bFirstClose);
  EXPECT_EQ(1, o.m_nInvalidated);
  item.m_extent = SIZE{5000, 5000};
  item.OnChange(OLE_CLOSED, 0);
  const RECT after = Bounds(&o);
  EXPECT_TRUE(::EqualRect(&r, &after));
  // Changes of view, state and aspect redraw; saves and renames do not.
  o.m_nInvalidated = 0;
  for (OLE_NOTIFICATION n : {OLE_CHANGED, OLE_SAVED, OLE_RENAMED, OLE_CHANGED_STATE, OLE_CHANGED_ASPECT})
    item.OnChange(n, 0);
  EXPECT_EQ(3, o.m_nInvalidated);
  // Without an owner nothing changes.
  ExtentItem orphan(&d, NULL);
  EXPECT_FALSE(orphan.UpdateExtent());
  item.m_bHasExtent = FALSE;
  EXPECT_FALSE(item.UpdateExtent());
}

TEST(OleObject, InPlaceMoveEqualToTheBoundsNeitherRedrawsNorMarksModified) {
  qvzDocument d;
  d.OnNewDocument();
  const RECT start = {300, 400, 554, 527};
  CountingOleObject o(&start, &d);
  ExtentItem item(&d, &o);
  d.SetModifiedFlag(FALSE);
  // Positions come in device units of the view: the object stands where one converts to.
  const RECT dev = {100, 100, 200, 150};
  RECT hp = dev;
  TestMapping()->RectToLogical(&hp);
  o.SetFrameRect(&hp);
  o.GetHandlePointBounds(&hp);
  d.SetModifiedFlag(FALSE);
  EXPECT_TRUE(item.OnChangeItemPosition(CRect(dev)));
  EXPECT_EQ(0, o.m_nInvalidated);
  EXPECT_FALSE(d.IsModified());
  const RECT moved = {dev.left + 10, dev.top + 20, dev.right + 10, dev.bottom + 20};
  EXPECT_TRUE(item.OnChangeItemPosition(CRect(moved)));
  EXPECT_EQ(2, o.m_nInvalidated);
  EXPECT_TRUE(d.IsModified());
  RECT expected = moved;
  TestMapping()->RectToLogical(&expected);
  o.GetHandlePointBounds(&hp);
  EXPECT_TRUE(::EqualRect(&hp, &expected));
}

// An index beyond the items: nothing on screen, the outline in print.
TEST(OleObject, WithoutItemNothingOnScreenOutlineInPrint) {
  qvzDocument d;
  d.OnNewDocument();
  const RECT r = {10, 10, 90, 60};
  jvqOleObject o(&r, 7, TestMapping(), &d);
  o.m_LineStyle = theSolidLineStyle;
  ASSERT_EQ(nullptr, o.GetClientItem());
  auto inked = [&](bool print) {
    HDC hScreen = ::GetDC(NULL);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(hScreen));
    HBITMAP bmp = ::CreateCompatibleBitmap(hScreen, 100, 100);
    ::ReleaseDC(NULL, hScreen);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, bmp);
    dc.FillSolidRect(0, 0, 100, 100, RGB(255, 255, 255));
    if (print)
      o.Render(&dc);
    else
      o.Draw(&dc);
    int n = 0;
    for (int y = 0; y < 100; y++)
      for (int x = 0; x < 100; x++)
        if (dc.GetPixel(x, y) != RGB(255, 255, 255)) n++;
    ::SelectObject(dc.m_hDC, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc.Detach());
    return n;
  };
  EXPECT_EQ(0, inked(false));
  EXPECT_GT(inked(true), 200);
}
