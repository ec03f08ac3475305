#include "ItemIdList.h"

#include <cstring>

LPCITEMIDLIST NextItemId(LPCITEMIDLIST item)
{
    if (!item || item->mkid.cb == 0)
        return nullptr;
    auto next = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(item) + item->mkid.cb);
    return next->mkid.cb ? next : nullptr;
}

UINT ItemIdListSize(LPCITEMIDLIST list)
{
    if (!list)
        return 0;
    UINT size = sizeof(USHORT);
    for (LPCITEMIDLIST i = list; i && i->mkid.cb; i = NextItemId(i))
        size += i->mkid.cb;
    return size;
}

LPITEMIDLIST AllocItemIdList(IMalloc* malloc, UINT size)
{
    if (!malloc || size == 0)
        return nullptr;
    void* p = malloc->Alloc(size);
    if (p)
        std::memset(p, 0, size);
    return static_cast<LPITEMIDLIST>(p);
}

LPITEMIDLIST ConcatItemIdLists(IMalloc* malloc, LPCITEMIDLIST parent, LPCITEMIDLIST relative)
{
    // Each list's own bytes without its terminator, then one terminator.
    const UINT a = parent ? ItemIdListSize(parent) - sizeof(USHORT) : 0;
    const UINT b = relative ? ItemIdListSize(relative) - sizeof(USHORT) : 0;
    LPITEMIDLIST out = AllocItemIdList(malloc, a + b + sizeof(USHORT));
    if (!out)
        return nullptr;
    if (a)
        std::memcpy(out, parent, a);
    if (b)
        std::memcpy(reinterpret_cast<BYTE*>(out) + a, relative, b);
    return out;
}

LPITEMIDLIST ParseDisplayName(IShellFolder* desktop, const char* path)
{
    if (!desktop || !path)
        return nullptr;
    WCHAR wide[MAX_PATH] = {};
    if (!::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, path, -1, wide, MAX_PATH))
        return nullptr;
    ULONG eaten = 0;
    LPITEMIDLIST list = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide, &eaten, &list, nullptr)))
        return nullptr;
    return list;
}

BOOL GetDisplayName(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags, char* buffer)
{
    buffer[0] = '\0';
    STRRET ret{};
    if (!folder || FAILED(folder->GetDisplayNameOf(item, flags, &ret)))
        return FALSE;
    const int size = 512;
    switch (ret.uType) {
    case STRRET_WSTR:
        ::WideCharToMultiByte(CP_ACP, 0, ret.pOleStr, -1, buffer, size, nullptr, nullptr);
        buffer[size - 1] = '\0';
        ::CoTaskMemFree(ret.pOleStr);
        break;
    case STRRET_OFFSET:
        lstrcpynA(buffer, reinterpret_cast<const char*>(item) + ret.uOffset, size);
        break;
    case STRRET_CSTR:
        lstrcpynA(buffer, ret.cStr, size);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}
