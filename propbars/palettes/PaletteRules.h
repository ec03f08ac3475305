// What the palettes decide without a window: the fixed category tables of the shape and
// symbol libraries, the library of a palette kind, and the file name a dropped catalogue
// item is kept under.
#pragma once

#include "afx.h"

#define PALETTE_KIND_SHAPES 3009
#define PALETTE_KIND_SYMBOLS 1021
#define PALETTE_KIND_FAVORITES 1022
#define PALETTE_KIND_FLOORPLANS 1023
#define PALETTE_KIND_PERSPECTIVE 1024

// Each ended by an empty string.
extern const char* const ShapeCategoryNames[10];
extern const char* const SymbolCategoryNames[7];

// The library a palette kind lists: 1021 symbols, 1022 favourites, any other the shapes.
struct PaletteLibrary {
  const char* pszFolder;   // under the program folder, ending in a backslash
  const char* pszSection;  // of the remembered category ("LastSelect")
};
PaletteLibrary PaletteLibraryOf(int nKind);

// The base name a dropped catalogue item is kept under: the item number with the bytes a
// file name cannot hold (\ / : * ? " < > | and control bytes) replaced by "_", double-byte
// characters kept whole, leading and trailing dots and spaces removed, cut (never inside a
// double-byte character) to at most nMaxBytes; "無題" when nothing is left.
CString FavoriteFileName(LPCTSTR lpszNumber, int nMaxBytes);
