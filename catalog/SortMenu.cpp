#include "SortMenu.h"

std::vector<const char*> SortColumnCaptions(int kind)
{
    switch (kind) {
    case 1: return {"Vendaro名", "パス名"};
    case 2: return {"項目名"};
    case 3:
    case 5: return {"品番", "品名", "価格"};
    case 4: return {"検索条件名", "検索項目", "検索文字列", "検索方法", "パス名"};
    case 6: return {"パス名"};
    case 7: return {"ファイル名", "サイズ", "種類", "更新日時"};
    default: return {};
    }
}

UINT SortCommandId(int column, BOOL ascending)
{
    if (column >= 0 && column < 4)
        return ID_SORT_FIRST + 2 * column + (ascending ? 0 : 1);
    if (column == 4)
        return ascending ? ID_SORT_FIFTH_ASC : ID_SORT_FIFTH_DESC;
    return 0;
}

bool SortCommandFromId(UINT id, int& column, BOOL& ascending)
{
    if (id >= ID_SORT_FIRST && id <= ID_SORT_LAST) {
        column = static_cast<int>(id - ID_SORT_FIRST) / 2;
        ascending = (id - ID_SORT_FIRST) % 2 == 0;
        return true;
    }
    if (id == ID_SORT_FIFTH_ASC || id == ID_SORT_FIFTH_DESC) {
        column = 4;
        ascending = id == ID_SORT_FIFTH_ASC;
        return true;
    }
    return false;
}

std::vector<SortMenuEntry> BuildSortMenuEntries(int kind, const SortState& state)
{
    std::vector<SortMenuEntry> entries;
    const int checked = 2 * state.column + (state.bAscending ? 0 : 1);
    int i = 0;
    for (const char* caption : SortColumnCaptions(kind)) {
        for (BOOL asc : {TRUE, FALSE}) {
            SortMenuEntry e{CString(caption) + (asc ? "昇順" : "降順"), SortCommandId(i, asc),
                            static_cast<int>(entries.size()) == checked};
            entries.push_back(e);
        }
        ++i;
    }
    return entries;
}
