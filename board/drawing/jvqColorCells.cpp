#include "jvqColorCells.h"

#include "jvqSolidFill.h"

#ifndef VK_LEFT
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#endif

const jvqNamedColor theColorCells[kColorCellCount] = {
    {0x000000, "Black"},      {0x002AA5, "Brown"},        {0x404000, "Dark Olive Green"},
    {0x005500, "Dark Green"}, {0x5E0000, "Dark Teal"},    {0x8B0000, "Dark blue"},
    {0x82004B, "Indigo"},     {0x282828, "Dark grey"},    {0x00008B, "Dark red"},
    {0x2068FF, "Orange"},     {0x008B8B, "Dark yellow"},  {0x009300, "Green"},
    {0x8E8E38, "Teal"},       {0xFF0000, "Blue"},         {0xC07B7B, "Blue-grey"},
    {0x666666, "Grey - 40"},  {0x0000FF, "Red"},          {0x5BADFF, "Light orange"},
    {0x32CD32, "Lime"},       {0x71B33C, "Sea green"},    {0xD4FF7F, "Aqua"},
    {0xC09E7D, "Light blue"}, {0x800080, "Violet"},       {0x7F7F7F, "Grey - 50"},
    {0xCBC0FF, "Pink"},       {0x00D7FF, "Gold"},         {0x00FFFF, "Yellow"},
    {0x00FF00, "Bright green"}, {0xD0E040, "Turquoise"},  {0xFFFFC0, "Skyblue"},
    {0x480048, "Plum"},       {0xC0C0C0, "Light grey"},   {0xE1E4FF, "Rose"},
    {0x8CB4D2, "Tan"},        {0xE0FFFF, "Light yellow"}, {0x98FB98, "Pale green "},
    {0xEEEEAF, "Pale turquoise"}, {0x8B8368, "Pale blue"}, {0xFAE6E6, "Lavender"},
    {0xFFFFFF, "White"},
};

int jvqInitialColorCell(const jvqFill* pValue, BOOL bCustomCell, BOOL bTextCell) {
  if (pValue == NULL) return COLORCELL_NONE;
  const DWORD f = pValue->GetFlags();
  if (f & (FILL_GRADIENT | FILL_TEXTURE | FILL_PATTERN)) return bTextCell ? COLORCELL_TEXT : COLORCELL_NONE;
  if (!(f & FILL_SOLID)) return COLORCELL_NONE;
  const COLORREF c = ((const jvqSolidFill*)pValue)->GetColor();
  for (int i = 0; i < kColorCellCount; i++)
    if (theColorCells[i].crColor == c) return i;
  return bCustomCell ? COLORCELL_CUSTOM : COLORCELL_NONE;
}

int jvqMoveColorCell(UINT nKey, int nCell, BOOL bCustom, BOOL bText) {
  const int last = kColorCellCount - 1;
  // Leaving the grid before its first cell, and after its last.
  const int before = bCustom ? COLORCELL_CUSTOM : bText ? COLORCELL_TEXT : last;
  const int after = bText ? COLORCELL_TEXT : bCustom ? COLORCELL_CUSTOM : 0;
  if (nCell == COLORCELL_NONE) {
    if (nKey == VK_LEFT || nKey == VK_UP) nCell = 0;
    if (nKey == VK_RIGHT || nKey == VK_DOWN) return after;
  }
  if (nCell == COLORCELL_CUSTOM) {
    if (nKey == VK_LEFT || nKey == VK_UP) return bText ? COLORCELL_TEXT : last;
    if (nKey == VK_RIGHT || nKey == VK_DOWN) return 0;
    return nCell;
  }
  if (nCell == COLORCELL_TEXT) {
    if (nKey == VK_LEFT || nKey == VK_UP) return last;
    if (nKey == VK_RIGHT || nKey == VK_DOWN) return bCustom ? COLORCELL_CUSTOM : 0;
    return nCell;
  }
  if (nCell < 0 || nCell > last) return nCell;
  switch (nKey) {
    case VK_LEFT: return nCell == 0 ? before : nCell - 1;
    case VK_UP: return nCell < kColorCellColumns ? before : nCell - kColorCellColumns;
    case VK_RIGHT: return nCell == last ? after : nCell + 1;
    case VK_DOWN: return nCell + kColorCellColumns > last ? after : nCell + kColorCellColumns;
  }
  return nCell;
}
