// The arithmetic of the fill pop-ups, apart from any window: which tab a fill opens on,
// where the pop-up goes, where the colour and sample cells lie, and how the sample pages
// of a library are counted and scrolled.
#pragma once

#include "afx.h"

// Tabs of the fill pop-ups.
enum {
  FILLTAB_NONE = -1,
  FILLTAB_COLOR = 0,
  FILLTAB_GRADIENT = 1,
  FILLTAB_TEXTURE = 2,
  FILLTAB_PATTERN = 3,
  FILLTAB_FILE = 4,
};

// The tab for a fill (bHasFill FALSE for transparent) of the kind flags given; a texture
// with a file path goes to the file tab in the picture variant only.
int ChooseFillTab(BOOL bHasFill, DWORD dwFlags, BOOL bImageVariant, BOOL bHasFilePath);

// The pop-up's top-left: under the button's bottom-left corner, shifted left to end at the
// screen's right edge, or above the button when it would pass the bottom.
POINT PlaceFillPopup(const RECT& rcButton, SIZE popup, SIZE screen);

// Colour palette page: 5 rows of 8 cells of 20 pixels over the client, the other-colours
// button below them (sized by its caption's text extent) and the transparent button at its
// right.
const int kPaletteRows = 5;
const int kPaletteColumns = 8;
const int kPaletteCell = 20;
RECT PaletteCellRect(const RECT& rcClient, SIZE szCaption, int nRow, int nColumn);
RECT PaletteOtherColorsRect(const RECT& rcClient, SIZE szCaption);
RECT PaletteTransparentRect(const RECT& rcClient, SIZE szCaption);
// The first cell of the palette with exactly this colour; FALSE and (-1, -1) when none has it.
BOOL FindPaletteColor(COLORREF crColor, int* pRow, int* pColumn);

// Texture and pattern pages: 2 rows of 4 cells of 45 pixels, eight entries to a page.
const int kSampleRows = 2;
const int kSampleColumns = 4;
const int kSampleCell = 45;
const int kSamplesPerPage = kSampleRows * kSampleColumns;
RECT SampleCellRect(const RECT& rcClient, int nRow, int nColumn);
int SamplePageCount(int nEntries);
int SamplePageOf(int nIndex);
int SampleCellOf(int nIndex);
// The page a scroll-bar code leads to from page nPos (nThumb for SB_THUMBPOSITION), or -1
// when the page stays as it is.
int SampleScrollTarget(int nCode, int nPos, int nThumb, int nPages);
