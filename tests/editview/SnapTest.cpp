// The arithmetic of snapping and of the select tool's gestures.
#include <gtest/gtest.h>

#include "jvqSnap.h"
#include "jvqViewHost.h"
#include "qvzHelpers.h"

TEST(SnapTest, GridAtSpacing50) {
  const int cases[][2] = {{24, 0}, {25, 50}, {74, 50}, {75, 100}, {-30, 0}, {-80, -50}, {0, 0}, {50, 50}};
  for (const auto& c : cases) EXPECT_EQ(c[1], jvqSnapToStep(c[0], 50)) << c[0];
}

TEST(SnapTest, RulerMinorStep) {
  const int cases[][2] = {{1234, 1230}, {1235, 1240}, {-15, -10}, {-16, -10}, {-14, -10}, {-4, 0}};
  for (const auto& c : cases) EXPECT_EQ(c[1], jvqSnapToStep(c[0], 10)) << c[0];
}

TEST(SnapTest, GuidesOnlyWhenStrictlyNearerAndLastWins) {
  struct Case {
    int raw;
    std::vector<int> guides;
    int want;
  } cases[] = {
      {101, {103, 98}, 100},  // grid at distance 1: no guide is strictly nearer
      {102, {103, 98}, 103},  // guide 103 nearer than grid 100; 98 is not
      {102, {103, 101}, 101}, // both at distance 1: the later one wins
      {102, {}, 100},
  };
  for (const Case& c : cases) EXPECT_EQ(c.want, jvqSnapToGuides(c.raw, jvqSnapToStep(c.raw, 50), c.guides)) << c.raw;
}

TEST(SnapTest, SnapOffsetTakesTheSmallestCornerShiftLaterOnTies) {
  // Corners (left,top) (left,bottom) (right,bottom) (right,top).
  POINT corners[4] = {{12, 12}, {12, 80}, {70, 80}, {70, 12}};
  POINT snapped[4];
  for (int i = 0; i < 4; i++) snapped[i] = {jvqSnapToStep(corners[i].x, 50), jvqSnapToStep(corners[i].y, 50)};
  // Shifts: (-12,-12) (-12,20) (30,20) (30,-12): only the first has both no larger.
  SIZE s = jvqPickSnapOffset(corners, snapped);
  EXPECT_EQ(-12, s.cx);
  EXPECT_EQ(-12, s.cy);
  // Equal shifts everywhere: the last corner wins, giving the same value.
  POINT same[4] = {{10, 10}, {10, 10}, {10, 10}, {10, 10}};
  POINT on[4] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
  s = jvqPickSnapOffset(same, on);
  EXPECT_EQ(-10, s.cx);
  // A later corner that is smaller on one axis only does not replace.
  POINT c2[4] = {{3, 3}, {1, 9}, {9, 9}, {9, 9}};
  POINT z[4] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
  s = jvqPickSnapOffset(c2, z);
  EXPECT_EQ(-3, s.cx);
  EXPECT_EQ(-3, s.cy);
}

TEST(SnapTest, HandleCursorsOfTurnedRectangles) {
  struct Case {
    double angle;
    int index;
    BOOL rect;
    int want;
  } cases[] = {
      {0, 0, TRUE, JVQ_SIZE_NWSE},   {0, 1, TRUE, JVQ_SIZE_WE},   {0, 2, TRUE, JVQ_SIZE_NESW},
      {0, 3, TRUE, JVQ_SIZE_NS},     {180, 5, TRUE, JVQ_SIZE_WE}, {90, 1, TRUE, JVQ_SIZE_NS},
      {90, 3, TRUE, JVQ_SIZE_WE},    {45, 1, TRUE, JVQ_SIZE_NWSE}, {45, 0, TRUE, JVQ_SIZE_NS},
      {30, 0, FALSE, JVQ_SIZE_NWSE}, {30, 7, FALSE, JVQ_SIZE_NS}, {-90, 1, TRUE, JVQ_SIZE_NS},
      {90.7, 1, TRUE, JVQ_SIZE_NS},
  };
  for (const Case& c : cases) EXPECT_EQ(c.want, jvqHandleCursorKind(c.angle, c.index, c.rect)) << c.angle << " " << c.index;
  EXPECT_EQ(-1, jvqHandleCursorKind(0, 8, TRUE));
}

TEST(SnapTest, AlignVertex) {
  // One neighbour: the axis where the neighbour is nearer is taken from it.
  POINT p = jvqAlignToNeighbour({100, 40}, {0, 0});
  EXPECT_EQ(100, p.x);
  EXPECT_EQ(0, p.y);
  p = jvqAlignToNeighbour({10, 40}, {0, 0});
  EXPECT_EQ(0, p.x);
  EXPECT_EQ(40, p.y);
  p = jvqAlignToNeighbour({30, 30}, {0, 0});  // a tie aligns x
  EXPECT_EQ(0, p.x);
  // Two neighbours: the one strictly nearest coordinate snaps; ties leave the point.
  p = jvqAlignBetween({52, 47}, {0, 0}, {50, 100});
  EXPECT_EQ(50, p.x);
  EXPECT_EQ(47, p.y);
  p = jvqAlignBetween({52, 3}, {0, 0}, {100, 100});
  EXPECT_EQ(52, p.x);
  EXPECT_EQ(0, p.y);
  p = jvqAlignBetween({5, 5}, {0, 0}, {100, 100});
  EXPECT_EQ(5, p.x);
  EXPECT_EQ(5, p.y);
}

TEST(SnapTest, FloorPlanScaleSteps) {
  ASSERT_EQ(32, theScaleStepCount);
  ASSERT_EQ(67, theFineScaleStepCount);
  for (int i = 1; i < theFineScaleStepCount; i++) EXPECT_LT(theFineScaleSteps[i - 1], theFineScaleSteps[i]);
  EXPECT_EQ(10000, theFineScaleSteps[66]);
  // A plan 13700 wide drawn 100 wide: 1:137 shows 135.
  EXPECT_EQ(135, jvqScaleDenominator(100, 1.0, 13700));
  const int k = jvqNearestScaleStep(theScaleSteps, theScaleStepCount, 135);
  EXPECT_EQ(130, theScaleSteps[k]);
  EXPECT_EQ(120, theScaleSteps[k - 1]);
  EXPECT_EQ(140, theScaleSteps[k + 1]);
  const int f = jvqNearestScaleStep(theFineScaleSteps, theFineScaleStepCount, 135);
  EXPECT_EQ(130, theFineScaleSteps[f - 1]);
  EXPECT_EQ(135, theFineScaleSteps[f]);
  EXPECT_EQ(140, theFineScaleSteps[f + 1]);
  // Rounding to fives; the far ends; a picture without size is never a divisor.
  const int r[][2] = {{137, 135}, {138, 140}, {132, 130}, {133, 135}, {140, 140}};
  for (const auto& c : r) EXPECT_EQ(c[1], jvqRoundScale(c[0]));
  EXPECT_EQ(0, jvqNearestScaleStep(theScaleSteps, theScaleStepCount, 1));
  EXPECT_EQ(31, jvqNearestScaleStep(theScaleSteps, theScaleStepCount, 50000));
  EXPECT_EQ(0, jvqScaleDenominator(0, 1.0, 13700));
  EXPECT_EQ(0, jvqScaleDenominator(100, 0.0, 13700));
  EXPECT_EQ(0, jvqScaleDenominator(100, 1.0, 0));
  const int c3[3] = {120, 130, 140};
  EXPECT_EQ(130, jvqNearestOf3(135, c3));  // the earlier of two equally near
  EXPECT_EQ(120, jvqNearestOf3(100, c3));
}

TEST(SnapTest, ShellHelpers) {
  const int a[][2] = {{0, 0}, {90, 270}, {270, 90}, {360, 0}, {-90, 90}, {450, 270}, {1000, 80}};
  for (const auto& c : a) EXPECT_EQ(c[1], NormalizeAngle(c[0])) << c[0];
  struct Counted {
    static int& Dtors() {
      static int n = 0;
      return n;
    }
    ~Counted() { Dtors()++; }
  };
  std::vector<Counted*> v;
  v.reserve(8);
  for (int i = 0; i < 3; i++) v.push_back(new Counted);
  EXPECT_EQ(1, FreePtrVector(v));
  EXPECT_TRUE(v.empty());
  EXPECT_GE(v.capacity(), 8u);
  EXPECT_EQ(0, Counted::Dtors());  // plain delete: no destructor runs
}

TEST(SnapTest, WithoutAHostQuestionsAreCancelled) {
  jvqViewHost* host = jvqGetViewHost();
  ASSERT_NE(nullptr, host);
  EXPECT_EQ(7, host->MessageBox("?", 4));  // MB_YESNO: IDNO
  EXPECT_EQ(2, host->MessageBox("?", 3));  // MB_YESNOCANCEL: IDCANCEL
  EXPECT_EQ(-1, host->GetFavoriteCategory());
  struct Fake : jvqViewHost {
    int MessageBox(LPCTSTR, UINT) override { return 6; }
  } fake;
  EXPECT_EQ(nullptr, jvqSetViewHost(&fake));
  EXPECT_EQ(6, jvqGetViewHost()->MessageBox("?", 4));
  jvqSetViewHost(nullptr);
  static int calls = 0;
  jvqKeyDownProc old = theKeyDownProc;
  theKeyDownProc = [](int vk) -> BOOL { calls++; return vk == 18; };
  EXPECT_TRUE(jvqIsKeyDown(18));
  EXPECT_FALSE(jvqIsKeyDown(17));
  EXPECT_EQ(2, calls);
  theKeyDownProc = old;
}
