// The printer arithmetic that needs no printer: the paper table, the nearest paper and the
// printable offset.
#include "jvqPrinter.h"

#include <cstdlib>

namespace {
struct PaperRow {
  short code;
  short cx, cy;
};
// Metric papers in 0.1 mm; the inch papers converted at 254 per inch, rounded.
const PaperRow kPapers[] = {
    {1, 2159, 2794},   {3, 2794, 4318},   {4, 4318, 2794},   {5, 2159, 3556},   {6, 1397, 2159},
    {7, 1842, 2667},   {8, 2970, 4200},   {9, 2100, 2970},   {10, 2100, 2970},  {11, 1480, 2100},
    {12, 2570, 3640},  {13, 1820, 2570},  {14, 2159, 3302},  {15, 2150, 2750},  {16, 2540, 3556},
    {17, 2794, 4318},  {18, 2159, 2794},  {19, 984, 2254},   {20, 1048, 2413},  {21, 1143, 2635},
    {22, 1207, 2794},  {23, 1270, 2921},  {24, 4318, 5588},  {25, 5588, 8636},  {26, 8636, 11176},
    {27, 1100, 2200},  {28, 1620, 2290},  {29, 3240, 4580},  {30, 2290, 3240},  {31, 1140, 1620},
    {32, 1140, 2290},  {33, 2500, 3530},  {34, 1760, 2500},  {35, 1760, 1250},  {36, 1100, 2300},
    {37, 984, 1905},   {38, 921, 1651},   {39, 3778, 2794},  {40, 2159, 3048},  {41, 2159, 3302},
    {42, 2500, 3530},  {43, 1000, 1480},  {44, 2286, 2794},  {45, 2540, 2794},  {46, 3810, 2794},
    {47, 2200, 2200},  {52, 2969, 4572},  {53, 2355, 3223},  {55, 2100, 2970},  {57, 2270, 3560},
    {58, 3050, 4870},  {59, 2159, 3223},  {60, 2100, 3300},  {61, 1480, 2100},  {62, 1820, 2570},
    {63, 3220, 4450},  {64, 1740, 2350},  {65, 2010, 2760},  {67, 2970, 4200},  {68, 3220, 4450},
    {69, 2000, 1480},  {70, 1050, 1480},  {71, 2400, 3320},  {72, 2160, 2770},  {73, 1200, 2350},
    {74, 900, 2050},   {75, 2794, 2159},  {76, 4200, 2970},  {77, 2970, 2100},  {78, 2100, 1480},
    {79, 3640, 2570},  {80, 2570, 1820},  {81, 1480, 1000},  {82, 1480, 2000},  {83, 1480, 1050},
    {84, 3320, 2400},  {85, 2770, 2160},  {86, 2350, 1200},  {87, 2050, 900},   {88, 1280, 1820},
    {89, 1820, 1280},  {90, 3048, 2794},  {91, 1050, 2340},  {92, 2340, 1050},  {93, 1460, 2150},
    {94, 970, 1510},   {95, 970, 1510},   {96, 1020, 1650},  {97, 1020, 1760},  {98, 1250, 1760},
    {99, 1100, 2080},  {100, 1100, 2200}, {101, 1200, 2300}, {102, 1600, 2300}, {103, 1200, 3090},
    {104, 2290, 3240}, {105, 3240, 4580}, {106, 2150, 1460}, {107, 1510, 970},  {108, 1510, 970},
    {109, 1650, 1020}, {110, 1760, 1020}, {111, 1760, 1250}, {112, 2080, 1100}, {113, 2200, 1100},
    {114, 2300, 1200}, {115, 2300, 1600}, {116, 3090, 1200}, {117, 3240, 2290}, {118, 4580, 3240},
};

// Index of the paper whose area is nearest to the sheet's; ties go to the later paper.
template <class AreaOf>
int Nearest(long long sheetArea, int n, AreaOf areaOf) {
  int best = 0;
  long long bestDiff = -1;
  for (int i = 0; i < n; i++) {
    const long long d = std::llabs(sheetArea - areaOf(i));
    if (bestDiff < 0 || d <= bestDiff) {
      best = i;
      bestDiff = d;
    }
  }
  return best;
}

// The printer is turned whenever the paper's shape differs from the sheet's.
BOOL Landscape(const SIZE* pSheet, SIZE paper) {
  return pSheet->cx >= pSheet->cy ? paper.cx <= paper.cy : paper.cy <= paper.cx;
}
}  // namespace

SIZE* jvqPrinter::PaperSizeFromCode(SIZE* pOut, short nCode) {
  pOut->cx = pOut->cy = 0;
  for (const PaperRow& r : kPapers)
    if (r.code == nCode) {
      pOut->cx = r.cx;
      pOut->cy = r.cy;
      break;
    }
  return pOut;
}

jvqPaperChoice jvqPrinter::ChoosePaper(const SIZE* pSheet, const POINT* pSizes, int nSizes, const WORD* pCodes,
                                       int nCodes) {
  jvqPaperChoice c = {};
  c.bLandscape = pSheet->cx >= pSheet->cy;
  const long long area = (long long)pSheet->cx * pSheet->cy;
  if (pSizes && nSizes > 0) {
    const int i = Nearest(area, nSizes, [&](int k) { return (long long)pSizes[k].x * pSizes[k].y; });
    c.size.cx = pSizes[i].x;
    c.size.cy = pSizes[i].y;
    c.bLandscape = Landscape(pSheet, c.size);
    // A size the printer names no code for leaves the paper as it is.
    if (pCodes && i < nCodes) {
      c.bHasCode = TRUE;
      c.nCode = (short)pCodes[i];
    }
  } else if (pCodes && nCodes > 0) {
    SIZE s;
    const int i = Nearest(area, nCodes, [&](int k) {
      PaperSizeFromCode(&s, (short)pCodes[k]);
      return (long long)s.cx * s.cy;
    });
    c.bHasCode = TRUE;
    c.nCode = (short)pCodes[i];
    PaperSizeFromCode(&c.size, c.nCode);
    c.bLandscape = Landscape(pSheet, c.size);
  }
  return c;
}

BOOL jvqPrinter::CalcPrintOffset(const jvqPrinterMetrics& m, POINT* pOut) {
  pOut->x = pOut->y = 0;
  if (m.nHorzSize <= 0 || m.nVertSize <= 0) return FALSE;
  const int ppmmX = m.nHorzRes / m.nHorzSize, ppmmY = m.nVertRes / m.nVertSize;
  if (ppmmX <= 0 || ppmmY <= 0) return FALSE;
  pOut->x = m.nPhysOffsetX * 10 / ppmmX;
  pOut->y = m.nPhysOffsetY * 10 / ppmmY;
  return TRUE;
}

int jvqPrinter::PixelsPerCM(int nRes, int nSizeMM) { return nSizeMM > 0 ? nRes * 10 / nSizeMM : 0; }
