// The arithmetic of the thumbnail grid, apart from the windows that paint it: cell placement,
// caption stacking and fitting, picture fitting and the cell order.
#pragma once

#include <afx.h>

#include <functional>
#include <vector>

struct ThumbGrid {
    int columns = 0;
    int rows = 0;
    CSize scroll;  // the scroll sizes the grid needs
};

// The grid for `count` cells in a client area `clientWidth` wide. Columns are added rather
// than let the scroll height reach 65535 pixels.
ThumbGrid ThumbGridFor(int count, int clientWidth, CSize cell, CSize margin);

// Cell `index` (0-based, in display order) of a grid of `columns` columns.
CRect ThumbCellRect(int index, int columns, CSize cell, CSize margin);

// The picture area of a cell whose inner rectangle is `inner` and, below it, the rectangles of
// the visible captions of the given heights, stacked downwards.
CRect ThumbCaptionLayout(const CRect& inner, const std::vector<int>& heights, std::vector<CRect>& captions);

// Width in pixels of the first `bytes` bytes of a text.
using TextMeasurer = std::function<int(const char* text, int bytes)>;

// What a caption `width` pixels wide shows of `text`: the text itself when it is narrower,
// else the longest prefix of whole characters that fits with "..." after it.
CString FitCaptionText(const char* text, int width, const TextMeasurer& measure);

// The size a picture of `picture` is drawn at in an area of `area`: fitted, keeping its aspect,
// unless it already has the area's size or has no width or height.
CSize FitPictureSize(CSize picture, CSize area);

// Top-left corner of `size` centred in `area`.
CPoint CentreInArea(const CRect& area, CSize size);

// The frame around a cell's picture area with room for three caption lines of `lineHeight`.
CRect ThumbFrameRect(const CRect& pictureArea, int lineHeight, int margin);

// The digits of a price text, in order, as a number; 0 without digits.
double ParsePriceDigits(const char* text);

// Cell order, -1, 0 or 1. `kind` is the cell's tree-node flags (0 for a file). Folder cells
// come first in both directions; folder and drive cells (any bit of 0x300) by their text,
// other folder kinds by kind; equal kinds by text.
int CompareThumbCaptions(unsigned kindA, const char* a, unsigned kindB, const char* b, bool ascending);
// Empty texts first in both directions, then by the digits of the price.
int CompareThumbPrices(const char* a, const char* b, bool ascending);
// Empty texts first in both directions, then by size: "KB" and "MB" as thousands and millions,
// a non-digit suffix dropped.
int CompareThumbSizes(const char* a, const char* b, bool ascending);

// Where the detail form's preview draws a picture of `picture` in a pane of `client`: fitted
// into the pane less one pixel all round, centred. Empty without a drawable picture.
CRect PreviewPictureRect(CSize picture, CSize client);

// The caption lines of a further picture's text: CR LF or a lone CR ends a line; a lone LF
// ends the line before it and starts the next; the text's last character always stays.
std::vector<CString> SplitPictureCaption(const char* text);

// The three captions of an item cell: 品番, then 種類 (drawings) or 品名, then the price with
// its suffix (`priceText` already formatted) or empty without a price or suffix.
class yqItem;
std::vector<CString> ItemCellCaptions(const yqItem& item, const char* priceText);
