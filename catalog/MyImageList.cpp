#include "MyImageList.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CMyImageList, CImageList)

void CMyImageList::GrowIndexMap(std::vector<int>& map, int i)
{
    if (i < static_cast<int>(map.size()))
        return;
    const size_t size = map.empty() ? static_cast<size_t>(std::max(i + 1, 128))
                                    : std::max(map.size() + 64, static_cast<size_t>(i) + 1);
    map.resize(size, -1);
}

int CMyImageList::AddShellIcon(LPCSTR pathOrIdList, UINT flags)
{
    SHFILEINFOA info{};
    HIMAGELIST system = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA(pathOrIdList, 0, &info, sizeof info, flags | SHGFI_SYSICONINDEX));
    if (!system || info.iIcon < 0)
        return -1;
    const int i = info.iIcon;
    GrowIndexMap(m_indexMap, i);
    if (m_indexMap[i] == -1) {
        HICON icon = ImageList_GetIcon(system, i, ILD_NORMAL);
        if (!icon)
            return -1;
        m_indexMap[i] = ImageList_ReplaceIcon(m_hImageList, -1, icon);
        ::DestroyIcon(icon);
    }
    return m_indexMap[i];
}
