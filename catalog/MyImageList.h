// An image list that copies system icons into itself once each: the shell's icon index is
// mapped to the list's own.
#pragma once

#include <afxcmn.h>

#include <shellapi.h>

#include <vector>

class CMyImageList : public CImageList {
    DECLARE_DYNCREATE(CMyImageList)
public:
    // The list's index of the item's system icon (a path, or an item id list with SHGFI_PIDL);
    // -1 when the shell gives none.
    int AddShellIcon(LPCSTR pathOrIdList, UINT flags);
    // Makes room for system index i: max(i + 1, 128) entries at first, then 64 more (or i + 1
    // when that is not enough); new entries are -1.
    static void GrowIndexMap(std::vector<int>& map, int i);
    const std::vector<int>& GetIndexMap() const { return m_indexMap; }

private:
    std::vector<int> m_indexMap;
};
