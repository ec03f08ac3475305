#include "PaletteRules.h"

#include <string.h>

#include "afxmbs.h"

const char* const ShapeCategoryNames[10] = {"タイトル", "コーナー", "吹き出し", "円", "四角",
                                            "多角",     "星",       "矢印",     "装飾", ""};
const char* const SymbolCategoryNames[7] = {"水廻り", "家具等", "車", "樹木A", "樹木B", "方位", ""};

PaletteLibrary PaletteLibraryOf(int nKind) {
  if (nKind == PALETTE_KIND_SYMBOLS) return {"シンボル\\", "Symbol"};
  if (nKind == PALETTE_KIND_FAVORITES) return {"お気に入り\\", "Favorite"};
  return {"図形\\", "Shape"};
}

CString FavoriteFileName(LPCTSTR lpszNumber, int nMaxBytes) {
  CString out;
  const unsigned char* p = (const unsigned char*)(lpszNumber ? lpszNumber : "");
  while (*p) {
    if (AfxIsLeadByte(*p) && p[1] >= 0x40 && p[1] != 0x7F && p[1] <= 0xFC) {
      if (out.GetLength() + 2 > nMaxBytes) break;
      out += (char)p[0];
      out += (char)p[1];
      p += 2;
      continue;
    }
    if (out.GetLength() + 1 > nMaxBytes) break;
    // A lone lead byte would join whatever follows it into another character.
    const BOOL bad = *p < 0x20 || *p == 0x7F || AfxIsLeadByte(*p) || strchr("\\/:*?\"<>|", *p) != NULL;
    out += bad ? '_' : (char)*p;
    p++;
  }
  // Windows drops trailing dots and spaces itself; leading ones make hidden or odd names.
  int start = 0;
  while (start < out.GetLength() && (out[start] == '.' || out[start] == ' ')) start++;
  out = out.Mid(start);
  while (!out.IsEmpty() && (out[out.GetLength() - 1] == '.' || out[out.GetLength() - 1] == ' '))
    out = out.Left(out.GetLength() - 1);
  if (out.IsEmpty()) out = "無題";
  return out;
}
