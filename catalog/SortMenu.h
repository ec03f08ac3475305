// The 並び替え submenu of the right pane: two items per column of the list kind, the current
// sort state checked.
#pragma once

#include <afx.h>

#include <vector>

enum {
    ID_SORT_FIRST = 32806,  // 32806 + 2i ascending, 32807 + 2i descending for columns 0 to 3
    ID_SORT_LAST = 32813,
    // The fifth column of the saved-search list: 32814/32815 are the search commands.
    ID_SORT_FIFTH_ASC = 32818,
    ID_SORT_FIFTH_DESC = 32819,
};

struct SortState {
    BOOL bAscending = TRUE;
    int column = 0;
};

struct SortMenuEntry {
    CString caption;
    UINT id;
    bool checked;
};

// Column captions of a list kind (1 to 7); empty for an unknown kind.
std::vector<const char*> SortColumnCaptions(int kind);
// The command id of a column and direction, 0 past the columns the ids cover.
UINT SortCommandId(int column, BOOL ascending);
// The column and direction of a sort command; false for an id that is none.
bool SortCommandFromId(UINT id, int& column, BOOL& ascending);
std::vector<SortMenuEntry> BuildSortMenuEntries(int kind, const SortState& state);
