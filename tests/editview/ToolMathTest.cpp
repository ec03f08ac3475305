// The arithmetic of the creation, rotate, zoom and vertex tools.
#include <gtest/gtest.h>

#include "ZoomComboTexts.h"
#include "jvqToolMath.h"
#include "qvzHelpers.h"

static bool Same(RECT a, RECT b) { return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom; }

TEST(ToolMathTest, ShiftSquareStaysInTheDraggedQuadrant) {
  struct Case {
    POINT a, b;
    RECT want;
  } cases[] = {
      {{0, 0}, {30, -50}, {0, -50, 50, 0}},
      {{0, 0}, {-60, 20}, {-60, 0, 0, 60}},
      {{100, 100}, {60, 180}, {20, 100, 100, 180}},
      {{0, 0}, {40, 40}, {0, 0, 40, 40}},     // a tie takes the vertical distance
      {{0, 0}, {-30, 0}, {-30, -30, 0, 0}},   // dy 0: the direction of dx
      {{0, 0}, {0, 25}, {0, 0, 25, 25}},      // dx 0: the direction of dy
  };
  for (const Case& c : cases) {
    RECT r = MakeSquareRect(c.a, c.b);
    EXPECT_TRUE(Same(c.want, r)) << c.b.x << "," << c.b.y << " -> " << r.left << "," << r.top << "," << r.right << ","
                                 << r.bottom;
  }
}

TEST(ToolMathTest, PointOnEllipseFollowsThePointersAngle) {
  RECT rc = {0, 0, 200, 100};
  struct Case {
    POINT p, want;
  } cases[] = {
      {{100, -500}, {100, 0}},   // straight up: the top of the ellipse
      {{900, 50}, {200, 50}},    // right
      {{100, 700}, {100, 100}},  // down
      {{-5, 50}, {0, 50}},       // left
  };
  for (const Case& c : cases) {
    POINT p = PointOnEllipseAtAngle(rc, c.p);
    EXPECT_NEAR(c.want.x, p.x, 1) << c.p.x << "," << c.p.y;
    EXPECT_NEAR(c.want.y, p.y, 1) << c.p.x << "," << c.p.y;
  }
}

TEST(ToolMathTest, RotationStepsAndCaption) {
  EXPECT_EQ(30, jvqRotationStep(37, FALSE));
  EXPECT_EQ(35, jvqRotationStep(37, TRUE));
  EXPECT_EQ(345, jvqRotationStep(-1, FALSE));
  EXPECT_EQ(0, jvqRotationStep(360, FALSE));
  // Turned by 10 and dragged 50 further: 60, which the status shows as 300.
  EXPECT_EQ(300, NormalizeAngle(jvqRotationStep(10 + 50, FALSE)));
}

TEST(ToolMathTest, ZoomStepsWithinTheTable) {
  int hi, lo;
  jvqZoomLimits(ZoomComboTexts, &hi, &lo);
  EXPECT_EQ(400, hi);
  EXPECT_EQ(25, lo);
  const int cases[][3] = {{120, 150, 100}, {63, 75, 50}, {100, 150, 75}, {400, 400, 200}, {25, 50, 25},
                          {500, 400, 400}, {10, 25, 25}};
  for (const auto& c : cases) {
    EXPECT_EQ(c[1], jvqStepZoom(ZoomComboTexts, c[0], TRUE)) << c[0];
    EXPECT_EQ(c[2], jvqStepZoom(ZoomComboTexts, c[0], FALSE)) << c[0];
  }
}

TEST(ToolMathTest, ZoomForAFrameFillsTheClientWithinTheLimits) {
  const SIZE client = {800, 600};
  EXPECT_EQ(200, jvqZoomForRect(SIZE{400, 150}, client, 100, 400, 25));
  EXPECT_EQ(400, jvqZoomForRect(SIZE{80, 60}, client, 100, 400, 25));
  // A frame larger than the client zooms out, never below the lower limit.
  EXPECT_EQ(50, jvqZoomForRect(SIZE{1600, 1200}, client, 100, 400, 25));
  EXPECT_EQ(25, jvqZoomForRect(SIZE{16000, 12000}, client, 100, 400, 25));
  // Without area it is a click, never a division by zero.
  EXPECT_EQ(0, jvqZoomForRect(SIZE{0, 300}, client, 100, 400, 25));
  EXPECT_EQ(0, jvqZoomForRect(SIZE{300, 0}, client, 100, 400, 25));
}

TEST(ToolMathTest, VertexToleranceIsTheLineWidthAtLeast16Pixels) {
  const int cases[][2] = {{5, 16}, {16, 16}, {17, 17}, {20, 20}, {0, 16}};
  for (const auto& c : cases) EXPECT_EQ(c[1], jvqVertexTolerance(c[0])) << c[0];
}
