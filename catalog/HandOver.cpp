#include "HandOver.h"

#include <BaseImage.h>
#include <afxole.h>

#include <cstring>
#include <memory>
#include <string>

#include "HandOverBlocks.h"
#include "VendaroExplorerApp.h"
#include "yqItem.h"

namespace {

CPendingDrag g_pendingDrag;

HGLOBAL ToGlobal(const std::string& bytes)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes.size());
    if (!h)
        return nullptr;
    void* p = ::GlobalLock(h);
    memcpy(p, bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    return h;
}

BOOL PutOnClipboard(UINT format, const std::string& bytes)
{
    HGLOBAL h = ToGlobal(bytes);
    if (!h)
        return FALSE;
    if (!::SetClipboardData(format, h)) {
        ::GlobalFree(h);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL SetClipboardHDrop(const char* path)
{
    std::unique_ptr<CBaseImage> image(CBaseImage::CreateFromPath(path));
    if (!image || !image->SetClipboard())
        return FALSE;
    return PutOnClipboard(CF_HDROP, BuildHDropBlock({CString(path)}));
}

BOOL SetClipboardItemHDrop(const yqItem& item) { return SetClipboardHDrop(item.m_strPicturePath); }

BOOL SetClipboardImageFile(const char* path)
{
    if (!SetClipboardHDrop(path))
        return FALSE;
    std::string block;
    AppendPlainFileBlock(block, path);
    block.push_back('\0');
    return PutOnClipboard(CF_VENDAROEXPLORER, block);
}

BOOL SetClipboardItem(const yqItem& item)
{
    if (!SetClipboardItemHDrop(item))
        return FALSE;
    std::string block;
    AppendCatalogItemBlock(block, item);
    block.push_back('\0');
    return PutOnClipboard(CF_VENDAROEXPLORER, block);
}

BOOL SetClipboardRows(const std::vector<CString>& paths, const std::string* privateBlock)
{
    if (paths.empty())
        return FALSE;
    BOOL ok = PutOnClipboard(CF_HDROP, BuildHDropBlock(paths));
    if (privateBlock)
        ok = PutOnClipboard(CF_VENDAROEXPLORER, *privateBlock) && ok;
    if (paths.size() == 1) {
        std::unique_ptr<CBaseImage> image(CBaseImage::CreateFromPath(paths.front()));
        if (image)
            image->SetClipboard();
    }
    return ok;
}

BOOL StartBoardDesigner()
{
    STARTUPINFO si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    char commandLine[] = "QVZ.EXE";
    if (!::CreateProcess(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        AfxMessageBox("Zenboraの起動に失敗しました。", MB_ICONSTOP);
        return FALSE;
    }
    ::WaitForInputIdle(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return TRUE;
}

int AddDragFilePath(const char* path)
{
    g_pendingDrag.AddFilePath(path);
    return 1;
}

int AddDragItem(const yqItem& item)
{
    g_pendingDrag.AddItem(item);
    return 1;
}

BOOL TakeDragBlocks(HGLOBAL& privateBlock, HGLOBAL& hdrop)
{
    privateBlock = hdrop = nullptr;
    std::string priv, files;
    bool hasPrivate = false;
    if (!g_pendingDrag.Take(priv, hasPrivate, files))
        return FALSE;
    if (hasPrivate)
        privateBlock = ToGlobal(priv);
    hdrop = ToGlobal(files);
    return hdrop != nullptr;
}

// ---- OLE drags ----

DWORD DoDragDropPending(COleDropSource* source)
{
    HGLOBAL privateBlock = nullptr, hdrop = nullptr;
    if (!TakeDragBlocks(privateBlock, hdrop))
        return DROPEFFECT_NONE;
    COleDataSource data;
    if (privateBlock)
        data.CacheGlobalData(static_cast<CLIPFORMAT>(CF_VENDAROEXPLORER), privateBlock);
    data.CacheGlobalData(CF_HDROP, hdrop);
    return data.DoDragDrop(DROPEFFECT_COPY, nullptr, source);
}

DWORD DoDragDropFile(const char* path, COleDropSource* source)
{
    HGLOBAL hdrop = ToGlobal(BuildHDropBlock({CString(path)}));
    if (!hdrop)
        return DROPEFFECT_NONE;
    COleDataSource data;
    data.CacheGlobalData(CF_HDROP, hdrop);
    return data.DoDragDrop(DROPEFFECT_COPY, nullptr, source);
}
