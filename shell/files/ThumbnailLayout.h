// The picture dialog's thumbnail arithmetic without a window: where a picture goes in its
// cell, how the list scrolls and where the keys move the selection, which names a filter
// takes, and how a name is shortened.
#pragma once

#include <functional>

#include "afx.h"
#include "afxcoll.h"

#ifndef _WIN32
// The system's scroll requests and keys, for the host build.
enum { SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBPOSITION, SB_THUMBTRACK, SB_TOP, SB_BOTTOM, SB_ENDSCROLL };
enum { VK_PRIOR = 0x21, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN };
#endif

// Cells: 110 x 142 pixels, 112 apart across and 146 down, four to a row.
#define THUMBNAIL_COLUMNS 4
#define THUMBNAIL_ROW_HEIGHT 146
#define THUMBNAIL_BOX 106

// Rows further than this from the top row wait parked this far away: a window's place
// holds no more than 32,767 pixels, and no screen is this tall.
#define THUMBNAIL_PARK_ROWS 32

// The cell of file number n within the list while row nTopRow is at its top; cells of
// rows far from it parked THUMBNAIL_PARK_ROWS rows above or below.
RECT ThumbnailCellRect(int n, int nTopRow = 0);
// Where a raster picture of w x h is drawn in its cell: scaled into the 106-pixel box at
// (2, 6) when larger, else at its own size. An empty rectangle for a zero-size picture.
RECT ThumbnailPictureRect(int w, int h);

// The scroll position after a scroll-bar request (SB_*), with the last request and its
// remembered thumb position; the position unchanged when nothing moves.
int ThumbnailScrollTarget(UINT nCode, int nPos, int nMin, int nMax, UINT nLastCode, int nLastTrack);
// The item the key moves the selection to from item i of n; -1 when the key moves
// nothing (outside the items), -2 when it is not one of the list's keys.
int ThumbnailKeyTarget(UINT nVirtKey, int i, int n);

// TRUE when the extension (last four characters of a name) equals the last four characters
// of one of the patterns of the filter's pair number nIndex (from 1), ignoring case.
BOOL MatchesPictureFilter(int nIndex, LPCTSTR lpszFilter, LPCTSTR lpszExt);
// The last four characters of a name, as the filter compares them.
CString PictureExtension(const CString& strName);
// Names in ascending order regardless of case.
void SortPictureNames(CStringArray& names);
// The name as it fits: whole characters dropped from its end, followed by "...", until
// fits says yes; "..." alone when nothing of it fits.
CString ShortenThumbnailName(const CString& strName, const std::function<BOOL(const CString&)>& fits);
// The folder as the list keeps it: no trailing backslash unless it ends a double-byte character.
CString ThumbnailFolder(const CString& strFolder);
