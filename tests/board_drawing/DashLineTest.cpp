#include <gtest/gtest.h>

#include "CDashLine.h"

namespace {

BezierCurve Straight(double len) { return {{0, 0}, {len / 3, 0}, {2 * len / 3, 0}, {len, 0}}; }

TEST(BezierCurve, ParamAtLengthUsesTheDash) {
  BezierCurve c = Straight(100);
  int remaining = 30;
  double t = c.ParamAtLength(remaining);
  EXPECT_EQ(0, remaining);
  EXPECT_NEAR(0.3, t, 0.01);
  BezierCurve piece = c.SplitAt(t);
  POINT p[4];
  piece.ToPoints(p);
  EXPECT_NEAR(30, p[3].x, 1);
  EXPECT_NEAR(30, c.P0.x, 1);
  EXPECT_EQ(100, c.P3.x);
}

TEST(BezierCurve, ShorterCurveIsUsedWhole) {
  BezierCurve c = Straight(40);
  int remaining = 100;
  double t = c.ParamAtLength(remaining);
  EXPECT_DOUBLE_EQ(1.0, t);
  EXPECT_EQ(60, remaining);
  EXPECT_EQ(0, theBezierDepth);
}

TEST(BezierCurve, HalvesMeetInTheMiddle) {
  BezierCurve c = {{0, 0}, {0, 100}, {100, 100}, {100, 0}}, l, r;
  c.Halve(l, r);
  EXPECT_DOUBLE_EQ(50, l.P3.x);
  EXPECT_DOUBLE_EQ(75, l.P3.y);
  EXPECT_DOUBLE_EQ(l.P3.x, r.P0.x);
}

}  // namespace
