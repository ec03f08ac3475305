#include "StandardSheets.h"

const StandardSheet STANDARD_SHEETS[STANDARD_SHEET_COUNT + 1] = {
    {"A2(縦)", 4200, 5940}, {"A2(横)", 5940, 4200}, {"A3(縦)", 2970, 4200}, {"A3(横)", 4200, 2970},
    {"A4(縦)", 2100, 2970}, {"A4(横)", 2970, 2100}, {"B3(縦)", 3640, 5150}, {"B3(横)", 5150, 3640},
    {"B4(縦)", 2570, 3640}, {"B4(横)", 3640, 2570}, {"B5(縦)", 1820, 2570}, {"B5(横)", 2570, 1820},
    {NULL, 0, 0},
};

const char* const USER_SHEET_NAME = "ユーザー定義";

int FindStandardSheet(int cx, int cy) {
  for (int i = 0; i < STANDARD_SHEET_COUNT; i++)
    if (STANDARD_SHEETS[i].cx == cx && STANDARD_SHEETS[i].cy == cy) return i;
  return STANDARD_SHEET_USER;
}

CString SheetSizeText(int nWidth, int nHeight) {
  const int i = FindStandardSheet(nWidth, nHeight);
  if (i != STANDARD_SHEET_USER) return STANDARD_SHEETS[i].pszName;
  CString text;
  text.Format("ユーザー定義用紙(%dmm×%dmm)", nWidth / 10, nHeight / 10);
  return text;
}
