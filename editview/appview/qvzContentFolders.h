// The content folders beside the program (favourites, shapes, symbols): the folder path
// rule, file tests, the favourite categories, order files and free file names. The view's
// favourite commands, the palettes and the organiser all go through these, so the folders
// look the same to each of them.
#pragma once

#include "afx.h"
#include "afxcoll.h"

// The program's folder, ending in a backslash.
CString qvzGetProgramFolder();

// TRUE when the path ends in a separator: its last character (read from the start, so the
// second byte of a double-byte character never counts) is a single-byte backslash.
BOOL qvzEndsWithSeparator(LPCTSTR lpszPath);
// The folder with a backslash appended unless it already ends in one.
CString qvzFolderPrefix(LPCTSTR lpszFolder);

// TRUE when the file status of the path can be read.
BOOL FileExists(LPCTSTR lpszPath);

// A category name that names one folder inside the favourites: not empty, without "\\",
// "/" or "..". Deleting a category removes its folder's files, so no other name is used.
BOOL qvzIsValidCategoryName(LPCTSTR lpszName);

// The favourite categories in their order: the lines of "info.txt" in the favourites folder
// that name an entry of that folder, or, when that file cannot be opened for reading and
// writing, every sub-folder in multi-byte order. Never fails.
void ReadCategoryList(CStringList& list);
void ReadCategoryList(CStringList& list, LPCTSTR lpszFavoritesFolder);

// Writes the folder's "info.txt" from its ".qzl" files in multi-byte order: 1, or 0 for a
// null folder, a folder without object files (the old order file is kept) or an order file
// that cannot be written.
int RebuildFolderIndex(LPCTSTR lpszFolder);

// base + n for the first n after nStart (up to 10000) whose file with the extension is not in
// the folder; NULL when every number is taken or the folder is null. The result lives in a
// buffer of the function until the next call.
LPCTSTR MakeUniqueFileName(LPCTSTR lpszFolder, LPCTSTR lpszBase, LPCTSTR lpszExtension, int nStart);

// The names of an order file's bytes, in order: split at line ends (CR LF or LF, never
// inside a double-byte character), empty lines left out.
void ParseOrderFile(const char* pData, size_t nSize, CStringArray& names);
// The names of an order file; FALSE when it cannot be read.
BOOL ReadOrderFile(LPCTSTR lpszPath, CStringArray& names);
// The order file's names after a reorder of the shown ones: the places of the names that
// were shown take the shown names in their new order, the names that did not load keep
// their places, and shown names the file did not have come last.
void MergeOrderNames(const CStringArray& fileNames, const CStringArray& shownNames, CStringArray& out);
