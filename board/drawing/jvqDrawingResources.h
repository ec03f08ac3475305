// Drawing resources shared by the whole program: the default GUI font, the line-end list,
// the list of available font families, and the measure of multi-line text.
#pragma once

#include <afxwin.h>

#include <vector>

#include "jvqLineEnd.h"
#include "jvqOwningVector.h"

// One font family as the enumeration gave it, copied whole.
struct jvqFontEntry {
  LOGFONTA lf;      // the face name is lf.lfFaceName, the character set lf.lfCharSet
  int nFontType;    // RASTER_FONTTYPE, DEVICE_FONTTYPE, TRUETYPE_FONTTYPE as GDI combines them
  int nSource;      // 0 found on the screen, 1 on the default printer
};

class jvqDrawingResources {
 public:
  virtual ~jvqDrawingResources() {}

  // Once at start-up, before any window: the default GUI font, the line ends, the font list.
  void Init();
  // Rebuilds theFontList from the screen and the default printer.
  void EnumFonts();
};

extern CFont theDefaultGuiFont;
extern jvqOwningVector<jvqFontEntry> theFontList;
extern jvqDrawingResources theDrawingResources;

// rank(a) - rank(b): Shift-JIS first, then ANSI, symbol and the others in their fixed order.
int CharsetRankDiff(BYTE a, BYTE b);

// Enumeration callbacks: keep one entry per face name, the most preferred character set.
int CALLBACK EnumScreenFontProc(ENUMLOGFONTEXA* pLogFont, NEWTEXTMETRICEXA* pMetric, int nFontType, LPARAM lParam);
int CALLBACK EnumPrinterFontProc(ENUMLOGFONTEXA* pLogFont, NEWTEXTMETRICEXA* pMetric, int nFontType, LPARAM lParam);

// Sorts theFontList by face name, byte by byte.
void SortFontList();

// The size of a text of one or more lines split at "\r\n", measured with font (the default
// GUI font when NULL) on dc's attribute DC: the widest line and the sum of the line heights.
SIZE* GetMultiLineTextExtent(SIZE* out, CDC* dc, const char* text, CFont* font);
