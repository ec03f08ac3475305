// A stand-in for the board designer in the browser's hand-over tests, built as QVZ.EXE: it
// starts as the board designer does (one instance; a second start restores the first and
// ends) and writes every clipboard change to "clipboard.log" beside itself: each format's
// id, name, size and bytes in hex. An OLE drop on its window goes to "drop.log" the same way.
// The clipboard listener needs the Vista interface.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#undef WINVER
#define WINVER 0x0600
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <string>

namespace {

std::string LogPath(const char* name = "clipboard.log")
{
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.find_last_of('\\') + 1) + name;
}

void LogFormat(FILE* f, UINT fmt, HGLOBAL h)
{
    char name[128] = "";
    ::GetClipboardFormatNameA(fmt, name, sizeof name);
    SIZE_T size = h ? ::GlobalSize(h) : 0;
    const unsigned char* p = h ? static_cast<const unsigned char*>(::GlobalLock(h)) : nullptr;
    fprintf(f, "format %u %s %lu ", fmt, name[0] ? name : "-", static_cast<unsigned long>(p ? size : 0));
    for (SIZE_T i = 0; p && i < size && i < 4096; ++i)
        fprintf(f, "%02x", p[i]);
    fprintf(f, "\n");
    if (p)
        ::GlobalUnlock(h);
}

// Takes every drop as a copy and logs each format the data object offers in global memory.
class DropLogger : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (riid == IID_IUnknown || riid == IID_IDropTarget) {
            *out = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_refs; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override
    {
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        *effect &= DROPEFFECT_COPY;
        FILE* f = fopen(LogPath("drop.log").c_str(), "ab");
        if (!f)
            return S_OK;
        fprintf(f, "drop\n");
        IEnumFORMATETC* formats = nullptr;
        if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, &formats)) && formats) {
            FORMATETC fe;
            while (formats->Next(1, &fe, nullptr) == S_OK) {
                if (!(fe.tymed & TYMED_HGLOBAL))
                    continue;
                fe.tymed = TYMED_HGLOBAL;
                STGMEDIUM medium{};
                if (SUCCEEDED(data->GetData(&fe, &medium))) {
                    LogFormat(f, fe.cfFormat, medium.hGlobal);
                    ::ReleaseStgMedium(&medium);
                }
            }
            formats->Release();
        }
        fprintf(f, "end\n");
        fclose(f);
        return S_OK;
    }

private:
    ULONG m_refs = 1;
};

DropLogger g_dropLogger;

void DumpClipboard(HWND hwnd)
{
    if (!::OpenClipboard(hwnd))
        return;
    FILE* f = fopen(LogPath().c_str(), "ab");
    if (f) {
        fprintf(f, "change\n");
        for (UINT fmt = ::EnumClipboardFormats(0); fmt; fmt = ::EnumClipboardFormats(fmt)) {
            HANDLE h = ::GetClipboardData(fmt);
            // Only global-memory formats have bytes to show.
            const bool global = h && fmt != CF_BITMAP && fmt != CF_ENHMETAFILE && fmt != CF_PALETTE &&
                                fmt != CF_METAFILEPICT;
            LogFormat(f, fmt, global ? h : nullptr);
        }
        fprintf(f, "end\n");
        fclose(f);
    }
    ::CloseClipboard();
}


LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CLIPBOARDUPDATE:
        DumpClipboard(hwnd);
        return 0;
    case WM_DESTROY:
        ::RevokeDragDrop(hwnd);
        ::RemoveClipboardFormatListener(hwnd);
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show)
{
    HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 8, "QvzReceiverInstance");
    if (!mapping)
        return 1;
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    auto* view = static_cast<HWND*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!view)
        return 1;
    if (existed) {
        HWND first = *view;
        if (first && ::IsWindow(first)) {
            if (::IsIconic(first))
                ::ShowWindow(first, SW_RESTORE);
            ::SetForegroundWindow(first);
        }
        return 0;
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.lpszClassName = "QvzReceiverWnd";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&wc);
    HWND hwnd = ::CreateWindowA("QvzReceiverWnd", "Zenbora", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                inst, nullptr);
    if (!hwnd)
        return 1;
    *view = hwnd;
    ::OleInitialize(nullptr);
    ::RegisterDragDrop(hwnd, &g_dropLogger);
    ::AddClipboardFormatListener(hwnd);
    ::ShowWindow(hwnd, show);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ::OleUninitialize();
    ::UnmapViewOfFile(view);
    ::CloseHandle(mapping);
    return 0;
}
