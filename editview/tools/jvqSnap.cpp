#include "jvqSnap.h"

#include <stdlib.h>

int jvqSnapToStep(int v, int s) {
  if (s <= 0) return v;
  int r = v % s;
  int g = v - r;
  if (r >= s / 2) g += s;
  return g;
}

int jvqSnapToGuides(int v, int g, const std::vector<int>& guides) {
  int result = g;
  int dg = abs(g - v);
  for (int p : guides)
    if (abs(p - v) < dg) result = p;
  return result;
}

SIZE jvqPickSnapOffset(const POINT corners[4], const POINT snapped[4]) {
  SIZE best = {snapped[0].x - corners[0].x, snapped[0].y - corners[0].y};
  for (int i = 1; i < 4; i++) {
    int dx = snapped[i].x - corners[i].x, dy = snapped[i].y - corners[i].y;
    if (abs(dx) <= abs(best.cx) && abs(dy) <= abs(best.cy)) {
      best.cx = dx;
      best.cy = dy;
    }
  }
  return best;
}

int jvqHandleCursorKind(double dAngle, int nIndex, BOOL bRectFamily) {
  if (nIndex < 0 || nIndex > 7) return -1;
  int a = (int)dAngle;
  if (bRectFamily && a % 180 != 0) {
    static const int kOffset[8] = {315, 270, 225, 180, 135, 90, 45, 0};
    int c = ((a + kOffset[nIndex] + 360) % 360 + 360) % 360;
    if (c <= 23 || (c >= 159 && c <= 203) || c >= 339) return JVQ_SIZE_NS;
    if ((c >= 24 && c <= 68) || (c >= 204 && c <= 248)) return JVQ_SIZE_NESW;
    if ((c >= 69 && c <= 113) || (c >= 249 && c <= 293)) return JVQ_SIZE_WE;
    return JVQ_SIZE_NWSE;
  }
  static const int kByIndex[4] = {JVQ_SIZE_NWSE, JVQ_SIZE_WE, JVQ_SIZE_NESW, JVQ_SIZE_NS};
  return kByIndex[nIndex % 4];
}

POINT jvqAlignToNeighbour(POINT pt, POINT ref) {
  POINT r = pt;
  if (abs(ref.y - pt.y) >= abs(ref.x - pt.x))
    r.x = ref.x;
  else
    r.y = ref.y;
  return r;
}

POINT jvqAlignBetween(POINT pt, POINT prev, POINT next) {
  const int d[4] = {abs(next.x - pt.x), abs(prev.x - pt.x), abs(next.y - pt.y), abs(prev.y - pt.y)};
  for (int i = 0; i < 4; i++) {
    bool smallest = true;
    for (int j = 0; j < 4; j++)
      if (j != i && d[j] <= d[i]) smallest = false;
    if (!smallest) continue;
    POINT r = pt;
    if (i == 0) r.x = next.x;
    if (i == 1) r.x = prev.x;
    if (i == 2) r.y = next.y;
    if (i == 3) r.y = prev.y;
    return r;
  }
  return pt;
}

const int theScaleSteps[] = {10,  15,  20,  30,  40,   50,   60,   70,   80,   90,   100,
                             110, 120, 130, 140, 150,  200,  300,  400,  500,  600,  800,
                             1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000};
const int theScaleStepCount = sizeof(theScaleSteps) / sizeof(theScaleSteps[0]);

const int theFineScaleSteps[] = {
    10,  15,  20,  25,  30,  35,  40,  45,  50,  55,  60,  65,  70,  75,  80,  85,  90,
    95,  100, 110, 120, 125, 130, 135, 140, 145, 150, 155, 160, 165, 170, 175, 180, 185,
    190, 195, 200, 250, 300, 350, 400, 450, 500, 550, 600, 700, 800, 900, 1000, 1500, 2000,
    2500, 3000, 3500, 4000, 4500, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 8500, 9000, 9500, 10000};
const int theFineScaleStepCount = sizeof(theFineScaleSteps) / sizeof(theFineScaleSteps[0]);
static_assert(sizeof(theFineScaleSteps) / sizeof(theFineScaleSteps[0]) == 67, "fine scale steps");

int jvqRoundScale(int n) {
  int r = n % 5;
  if (r < 0) r += 5;
  return r <= 2 ? n - r : n - r + 5;
}

int jvqScaleDenominator(int nBoundWidth, double dWidthRatio, int nPlanWidth) {
  if (dWidthRatio == 0.0 || nPlanWidth == 0) return 0;
  int nPicture = (int)(nBoundWidth / dWidthRatio);
  if (nPicture == 0) return 0;
  return jvqRoundScale((int)(1.0 / ((double)nPicture / nPlanWidth)));
}

int jvqNearestScaleStep(const int* pSteps, int nCount, int n) {
  if (nCount <= 0) return -1;
  int best = nCount - 1;
  for (int i = 0; i < nCount; i++)
    if (abs(pSteps[i] - n) < abs(pSteps[best] - n)) best = i;
  return best;
}

int jvqNearestOf3(int v, const int c[3]) {
  int best = c[0];
  for (int i = 1; i < 3; i++)
    if (abs(c[i] - v) < abs(best - v)) best = c[i];
  return best;
}
