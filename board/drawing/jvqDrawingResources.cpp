#include "jvqDrawingResources.h"

#include <stdlib.h>
#include <string.h>

#include "jvqLineEnd.h"

// Constructed in this order, so destroyed at exit as font list, line-end list, default font.
CFont theDefaultGuiFont;
jvqOwningVector<jvqFontEntry> theFontList;
jvqDrawingResources theDrawingResources;

namespace {


int CharsetRank(BYTE cs) {
  switch (cs) {
    case SHIFTJIS_CHARSET: return 10015;
    case ANSI_CHARSET: return 10014;
    case SYMBOL_CHARSET: return 10013;
    case BALTIC_CHARSET: return 10012;
    case CHINESEBIG5_CHARSET: return 10011;
    case DEFAULT_CHARSET: return 10010;
    case EASTEUROPE_CHARSET: return 10009;
    case GB2312_CHARSET: return 10008;
    case GREEK_CHARSET: return 10007;
    case HANGUL_CHARSET: return 10006;
    case MAC_CHARSET: return 10005;
    case OEM_CHARSET: return 10004;
    case RUSSIAN_CHARSET: return 10003;
    case TURKISH_CHARSET: return 10002;
    default: return cs;
  }
}

int CompareFaces(const char* a, const char* b) {
  const unsigned char* p = (const unsigned char*)a;
  const unsigned char* q = (const unsigned char*)b;
  for (;; ++p, ++q) {
    if (*p != *q) return *p < *q ? -1 : 1;
    if (!*p) return 0;
  }
}

int __cdecl CompareFontEntries(const void* a, const void* b) {
  return CompareFaces(((const jvqFontEntry*)a)->lf.lfFaceName, ((const jvqFontEntry*)b)->lf.lfFaceName);
}

int AddFontFamily(const ENUMLOGFONTEXA* pLogFont, int nFontType, int nSource) {
  if (!pLogFont) return 1;
  const LOGFONTA& lf = pLogFont->elfLogFont;
  for (size_t i = 0; i < theFontList.size(); ++i) {
    jvqFontEntry* entry = theFontList[i];
    if (CompareFaces(entry->lf.lfFaceName, lf.lfFaceName) != 0) continue;
    if (CharsetRankDiff(entry->lf.lfCharSet, lf.lfCharSet) >= 0) return 1;
    delete entry;
    theFontList.erase(theFontList.begin() + i);
    break;
  }
  theFontList.push_back(new jvqFontEntry{lf, nFontType, nSource});
  return 1;
}

// The default printer's DC, as the print dialog would create it; NULL without a printer.
HDC CreateDefaultPrinterDC() {
  CWinApp* app = AfxGetApp();
  if (!app) return NULL;
  PRINTDLG pd = {};
  pd.lStructSize = sizeof pd;
  if (!app->GetPrinterDeviceDefaults(&pd) || !pd.hDevNames) return NULL;
  // The device handles belong to the application; only the DC is ours.
  DEVNAMES* names = (DEVNAMES*)::GlobalLock(pd.hDevNames);
  if (!names) return NULL;
  DEVMODE* mode = pd.hDevMode ? (DEVMODE*)::GlobalLock(pd.hDevMode) : NULL;
  const char* base = (const char*)names;
  HDC dc = ::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, base + names->wOutputOffset, mode);
  if (mode) ::GlobalUnlock(pd.hDevMode);
  ::GlobalUnlock(pd.hDevNames);
  return dc;
}

}  // namespace

int CharsetRankDiff(BYTE a, BYTE b) { return CharsetRank(a) - CharsetRank(b); }

int CALLBACK EnumScreenFontProc(ENUMLOGFONTEXA* pLogFont, NEWTEXTMETRICEXA*, int nFontType, LPARAM) {
  return AddFontFamily(pLogFont, nFontType, 0);
}

int CALLBACK EnumPrinterFontProc(ENUMLOGFONTEXA* pLogFont, NEWTEXTMETRICEXA*, int nFontType, LPARAM) {
  return AddFontFamily(pLogFont, nFontType, 1);
}

void SortFontList() {
  const size_t n = theFontList.size();
  if (n == 0) return;
  std::vector<jvqFontEntry> blocks;
  blocks.reserve(n);
  for (jvqFontEntry* e : theFontList) blocks.push_back(*e);
  qsort(blocks.data(), n, sizeof(jvqFontEntry), CompareFontEntries);
  theFontList.DeleteAll();
  for (const jvqFontEntry& e : blocks) theFontList.push_back(new jvqFontEntry(e));
}

void jvqDrawingResources::Init() {
  theDefaultGuiFont.DeleteObject();
  HGDIOBJ stock = ::GetStockObject(DEFAULT_GUI_FONT);
  if (!stock) stock = ::GetStockObject(SYSTEM_FONT);
  LOGFONTA lf;
  // A private copy of the stock font, so that deleting it never touches the stock object.
  if (stock && ::GetObjectA(stock, sizeof lf, &lf) == sizeof lf) theDefaultGuiFont.Attach(::CreateFontIndirectA(&lf));

  FillLineEndList();

  EnumFonts();
}

void jvqDrawingResources::EnumFonts() {
  theFontList.DeleteAll();

  LOGFONTA lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  HDC screen = ::GetWindowDC(NULL);
  int result = ::EnumFontFamiliesExA(screen, &lf, (FONTENUMPROCA)EnumScreenFontProc, 0, 0);
  ::ReleaseDC(NULL, screen);
  if (!result) return;

  HDC printer = CreateDefaultPrinterDC();
  if (printer) {
    result = ::EnumFontFamiliesExA(printer, &lf, (FONTENUMPROCA)EnumPrinterFontProc, 0, 0);
    ::DeleteDC(printer);
    if (!result) return;
  }
  SortFontList();
}

SIZE* GetMultiLineTextExtent(SIZE* out, CDC* dc, const char* text, CFont* font) {
  out->cx = out->cy = 0;
  if (!dc) return out;
  if (!text) text = "";
  CFont* use = font ? font : &theDefaultGuiFont;
  // An empty font object selects nothing; the DC's own font measures then.
  CFont* old = use->GetSafeHandle() ? dc->SelectObject(use) : NULL;
  HDC attrib = dc->m_hAttribDC;

  const char* p = text;
  for (;;) {
    const char* end = strstr(p, "\r\n");
    int len = end ? (int)(end - p) : (int)strlen(p);
    SIZE line = {0, 0};
    ::GetTextExtentPoint32A(attrib, p, len, &line);
    if (line.cx > out->cx) out->cx = line.cx;
    out->cy += line.cy;
    if (!end) break;
    p = end + 2;
  }

  if (old) dc->SelectObject(old);
  return out;
}
