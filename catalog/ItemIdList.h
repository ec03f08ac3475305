// Shell item id lists of the folder tree: walking, measuring, allocating and joining them,
// ANSI paths parsed into them and their display names read back.
#pragma once

#include <windows.h>
#include <shlobj.h>

// The item after `item`; NULL at the terminator (or for NULL).
LPCITEMIDLIST NextItemId(LPCITEMIDLIST item);
// Bytes of the list including its 2-byte terminator; 0 for NULL.
UINT ItemIdListSize(LPCITEMIDLIST list);
// `size` zero-filled bytes from the shell allocator; NULL when it has none to give.
LPITEMIDLIST AllocItemIdList(IMalloc* malloc, UINT size);
// A new list of `parent` followed by `relative` (either may be NULL), from the shell
// allocator; the caller frees it there.
LPITEMIDLIST ConcatItemIdLists(IMalloc* malloc, LPCITEMIDLIST parent, LPCITEMIDLIST relative);
// The item id list of an ANSI path below the desktop folder (at most 260 characters), or NULL.
LPITEMIDLIST ParseDisplayName(IShellFolder* desktop, const char* path);
// The display name of `item` in `folder` as ANSI text in `buffer` (512 bytes); FALSE when the
// folder gives none (the buffer is then empty).
BOOL GetDisplayName(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags, char* buffer);
