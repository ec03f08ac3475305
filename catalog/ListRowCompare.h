// The report list's row order, over the texts of two rows' columns.
#pragma once

#include <afx.h>

struct ListRowTexts {
    CString name;    // column 0
    CString column;  // the sort column
    CString type;    // column 2 (種類 in file lists)
};

// A row of a picture file: its 種類 ends with "ファイル".
bool IsFileRowType(const char* type);

// -1, 0 or 1. `column` is the sort column, `itemList` tells the list of catalogue items
// (whose column 2 is the price). File rows come after other rows ascending and before them
// descending, whatever the column.
int CompareListRows(const ListRowTexts& a, const ListRowTexts& b, int column, bool itemList, bool ascending);
