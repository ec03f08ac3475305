// Handing items and pictures to the board designer: the clipboard writers, the pending drag
// blocks and the start of "QVZ.EXE".
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

class yqItem;

// The caller has opened and emptied the clipboard and closes it afterwards.
BOOL SetClipboardHDrop(const char* path);
BOOL SetClipboardItemHDrop(const yqItem& item);
BOOL SetClipboardImageFile(const char* path);
BOOL SetClipboardItem(const yqItem& item);
// Rows of a list: CF_HDROP with every path, the private block when given (closed by the
// caller), and with exactly one path the picture itself when it can be read.
BOOL SetClipboardRows(const std::vector<CString>& paths, const std::string* privateBlock);

// Starts the board designer and waits until it takes input; FALSE after telling the user
// that it could not be started.
BOOL StartBoardDesigner();
// The paste-to-board sequence: start the board designer, then fill the clipboard (owner:
// `owner`) with `fill`. Nothing goes to the clipboard when the start fails.
template <class Fill>
BOOL PasteToBoard(CWnd* owner, Fill fill)
{
    if (!StartBoardDesigner())
        return FALSE;
    if (!::OpenClipboard(owner ? owner->GetSafeHwnd() : nullptr))
        return FALSE;
    ::EmptyClipboard();
    fill();
    ::CloseClipboard();
    return TRUE;
}

// Pending drag blocks, consumed by the drag that ends them.
int AddDragFilePath(const char* path);
int AddDragItem(const yqItem& item);
// Closes the pending blocks for the drop; TRUE and the two global blocks when something was
// added (private block NULL for files only), FALSE when nothing is pending.
BOOL TakeDragBlocks(HGLOBAL& privateBlock, HGLOBAL& hdrop);

// OLE drags of the pending blocks (or of one file), offering DROPEFFECT_COPY with the caller's
// drop source; the drop effect. Nothing pending starts no drag and gives DROPEFFECT_NONE.
class COleDropSource;
DWORD DoDragDropPending(COleDropSource* source);
DWORD DoDragDropFile(const char* path, COleDropSource* source);
