#include "VendaroExplorerApp.h"

#include <afxreplace.h>

#include <memory>

#include "BrowserGeometry.h"
#include "ConfigFile.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "YQVDoc.h"
#include "resource.h"
#include "yqByteStream.h"

UINT CF_VENDAROEXPLORER = 0;
CTreePosition g_lastTreePosition;

namespace {

const UINT kIconIds[16] = {136, 134, 135, 138, 137, 142, 140, 149, 147, 148, 146, 145, 155, 156, 154, 158};

CString ModuleFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileName(nullptr, path, MAX_PATH);
    char drive[_MAX_DRIVE], dir[_MAX_DIR];
    _splitpath(path, drive, dir, nullptr, nullptr);
    return CString(drive) + dir;
}

unsigned DriveTypeOf(const char* root) { return ::GetDriveType(root); }

template <class T>
void DeleteAll(std::vector<T*>& v)
{
    for (T* p : v)
        delete p;
    v.clear();
}

}  // namespace

BEGIN_MESSAGE_MAP(CVendaroExplorerApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CVendaroExplorerApp::CVendaroExplorerApp() = default;

UINT RegisterVendaroClipboardFormat()
{
    CF_VENDAROEXPLORER = static_cast<WORD>(::RegisterClipboardFormat("VendaroExplorer"));
    return CF_VENDAROEXPLORER;
}

BOOL CheckDisplayColors()
{
    HDC dc = ::GetDC(nullptr);
    const int bits = ::GetDeviceCaps(dc, PLANES) * ::GetDeviceCaps(dc, BITSPIXEL);
    ::ReleaseDC(nullptr, dc);
    if (bits > 8)
        return TRUE;
    ::MessageBox(nullptr, "表示色数が２５６色以下の表示モードでは使用できません。", "Vendaro Explorer", MB_ICONERROR);
    return FALSE;
}

CVendaroExplorerApp* GetVendaroApp() { return static_cast<CVendaroExplorerApp*>(AfxGetApp()); }

BOOL CVendaroExplorerApp::InitInstance()
{
    m_hInstanceMapping = nullptr;
    m_pInstanceView = nullptr;
    m_hInstanceMapping =
        ::CreateFileMapping(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(int32_t), "VendaroExplorer");
    if (!m_hInstanceMapping)
        return FALSE;
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    m_pInstanceView = static_cast<HWND*>(::MapViewOfFile(m_hInstanceMapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!m_pInstanceView) {
        ::CloseHandle(m_hInstanceMapping);
        m_hInstanceMapping = nullptr;
        return FALSE;
    }
    if (existed) {
        // The mapping holds the handle as 32 bits, as every build of the browser writes it.
        HWND first = reinterpret_cast<HWND>(static_cast<uintptr_t>(*reinterpret_cast<uint32_t*>(m_pInstanceView)));
        if (first && ::IsWindow(first)) {
            if (::IsIconic(first))
                ::ShowWindow(first, SW_RESTORE);
            ::SetForegroundWindow(first);
        }
        ::UnmapViewOfFile(m_pInstanceView);
        ::CloseHandle(m_hInstanceMapping);
        m_pInstanceView = nullptr;
        m_hInstanceMapping = nullptr;
        return FALSE;
    }
    ::OleInitialize(nullptr);

    const CString folder = ModuleFolder();
    m_strHistoryPath = folder + "HISTORY.DAT";
    m_strConfigPath = folder + "CONFIG.DAT";

    m_imageListSmall.Create(16, 16, ILC_MASK | ILC_COLORDDB, 64, 32);
    m_imageListLarge.Create(32, 32, ILC_MASK | ILC_COLORDDB, 64, 32);
    for (UINT id : kIconIds) {
        HICON small = static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_ICON, 16, 16, LR_SHARED));
        ImageList_AddIcon(m_imageListSmall.m_hImageList, small);
        HICON large = static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_ICON, 32, 32, LR_SHARED));
        ImageList_AddIcon(m_imageListLarge.m_hImageList, large);
    }

    LOGFONT lf{};
    ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
    lf.lfHeight = -12;
    m_font.CreateFontIndirect(&lf);

    LoadProfile();
    LoadStdProfileSettings(4);
    ReadConfig();

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CYQVDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CLeftView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo) || !m_pMainWnd)
        return FALSE;

    *reinterpret_cast<uint32_t*>(m_pInstanceView) =
        static_cast<uint32_t>(reinterpret_cast<uintptr_t>(m_pMainWnd->GetSafeHwnd()));

    int show = SW_SHOW;
    if (m_nShowState == 4)
        show = SW_MINIMIZE;
    else if (m_nShowState == 8)
        show = SW_SHOWMAXIMIZED;
    if (show == SW_SHOWMAXIMIZED) {
        // Maximised over the stored place, so that restoring returns there.
        WINDOWPLACEMENT wp{sizeof wp};
        ::GetWindowPlacement(m_pMainWnd->GetSafeHwnd(), &wp);
        wp.rcNormalPosition = m_rcProfileWindow;
        wp.showCmd = SW_SHOWMAXIMIZED;
        ::SetWindowPlacement(m_pMainWnd->GetSafeHwnd(), &wp);
    } else {
        m_pMainWnd->ShowWindow(show);
    }
    m_pMainWnd->UpdateWindow();

    auto* frame = static_cast<CMainFrame*>(m_pMainWnd);
    frame->SetStatusText("Vendaroデータ読み込み中...");
    frame->InitialLoad();
    return TRUE;
}

int CVendaroExplorerApp::ExitInstance()
{
    FreeLists();
    if (m_pInstanceView)
        ::UnmapViewOfFile(m_pInstanceView);
    if (m_hInstanceMapping)
        ::CloseHandle(m_hInstanceMapping);
    m_pInstanceView = nullptr;
    m_hInstanceMapping = nullptr;
    return CWinApp::ExitInstance();
}

void CVendaroExplorerApp::ReadConfig()
{
    m_bBusy = TRUE;
    CWaitCursor wait;
    std::vector<unsigned char> bytes;
    if (yqReadWholeFile(m_strConfigPath, bytes)) {
        CConfigHead head;
        head.rcWindow = m_rcConfigWindow;
        head.nSplitterWidth = m_nSplitterWidth;
        head.nShowState = m_nShowState;
        CConfigFile::Read(bytes.data(), bytes.size(), head, m_cacheEntries, m_searchConditions, m_imageSearches,
                          m_registeredDirs);
        m_rcConfigWindow = head.rcWindow;
        m_nSplitterWidth = head.nSplitterWidth;
        m_nShowState = head.nShowState;
    }
    m_bBusy = FALSE;
}

void CVendaroExplorerApp::WriteConfig()
{
    m_bBusy = TRUE;
    CWaitCursor wait;
    CConfigHead head;
    head.rcWindow = m_rcConfigWindow;
    head.nSplitterWidth = m_nSplitterWidth;
    head.nShowState = m_nShowState;
    if (CWnd* main = m_pMainWnd) {
        main->GetWindowRect(&head.rcWindow);
        if (auto* frame = dynamic_cast<CMainFrame*>(main))
            head.nSplitterWidth = frame->GetTreePaneWidth(head.nSplitterWidth);
        WINDOWPLACEMENT wp{sizeof wp};
        if (main->GetSafeHwnd() && ::GetWindowPlacement(main->GetSafeHwnd(), &wp))
            head.nShowState = ShowStateFromShowCmd(wp.showCmd);
    }
    m_rcConfigWindow = head.rcWindow;
    m_nSplitterWidth = head.nSplitterWidth;
    m_nShowState = head.nShowState;

    // Entries made in this run get their blocks appended now; the list keeps its own values.
    std::vector<std::unique_ptr<CCatalogCacheEntry>> written;
    std::vector<CCatalogCacheEntry*> records;
    CYQVDoc* doc = CYQVDoc::GetActive();
    for (CCatalogCacheEntry* e : m_cacheEntries) {
        if (!e->m_bNeedsWriting) {
            records.push_back(e);
            continue;
        }
        auto copy = std::make_unique<CCatalogCacheEntry>(*e);
        yqCatalog* catalog = doc ? doc->FindCatalog(e->m_strRoot) : nullptr;
        int offset = -1, size = 0;
        if (!catalog || !catalog->SaveToCache(m_strHistoryPath, offset, size)) {
            // No block: a negative offset, so no later start restores another catalogue's.
            offset = -1;
            size = 0;
        }
        copy->m_nCacheOffset = offset;
        copy->m_nCacheSize = size;
        records.push_back(copy.get());
        written.push_back(std::move(copy));
    }
    std::vector<unsigned char> content =
        CConfigFile::Write(head, records, m_searchConditions, m_imageSearches, m_registeredDirs);
    std::vector<unsigned char> old;
    yqReadWholeFile(m_strConfigPath, old);
    // The older file's tail stays behind the lists, and the file is replaced whole.
    content = CConfigFile::Overlay(content, old);
    AfxReplaceFileData(m_strConfigPath, content.data(), content.size());
    m_bBusy = FALSE;
}

void CVendaroExplorerApp::LoadProfile()
{
    m_strProgramDir = ModuleFolder();
    free(const_cast<char*>(m_pszProfileName));
    m_pszProfileName = _strdup(m_strProgramDir + "yqe.ini");
    HDC ic = ::CreateIC("DISPLAY", nullptr, nullptr, nullptr);
    const int horz = ::GetDeviceCaps(ic, HORZRES), vert = ::GetDeviceCaps(ic, VERTRES);
    ::DeleteDC(ic);
    m_rcProfileWindow.left = GetProfileInt("Window", "left", horz - 420);
    m_rcProfileWindow.top = GetProfileInt("Window", "top", 0);
    m_rcProfileWindow.right = GetProfileInt("Window", "right", horz);
    m_rcProfileWindow.bottom = GetProfileInt("Window", "bottom", vert - 27);
    g_lastTreePosition.strCurrentFolder = GetProfileString("LeftView", "CurrentFolder", "");
    g_lastTreePosition.strCurrentText = GetProfileString("LeftView", "CurrentText", "");
    g_lastTreePosition.strRootText = GetProfileString("LeftView", "RootText", "");
}

BOOL CVendaroExplorerApp::SaveProfile()
{
    CWnd* main = m_pMainWnd;
    if (!main || !main->GetSafeHwnd())
        return FALSE;
    WINDOWPLACEMENT wp{sizeof wp};
    ::GetWindowPlacement(main->GetSafeHwnd(), &wp);
    WriteProfileInt("Window", "left", wp.rcNormalPosition.left);
    WriteProfileInt("Window", "top", wp.rcNormalPosition.top);
    WriteProfileInt("Window", "right", wp.rcNormalPosition.right);
    WriteProfileInt("Window", "bottom", wp.rcNormalPosition.bottom);

    CTreePosition pos;
    CLeftView* tree = nullptr;
    if (auto* frame = dynamic_cast<CMainFrame*>(main))
        tree = frame->GetLeftView();
    if (tree && tree->GetPosition(pos)) {
        WriteProfileString("LeftView", "CurrentFolder", pos.strCurrentFolder);
        WriteProfileString("LeftView", "CurrentText", pos.strCurrentText);
        WriteProfileString("LeftView", "RootText", pos.strRootText);
    }
    g_lastTreePosition = pos;
    return TRUE;
}

void CVendaroExplorerApp::FreeLists()
{
    DeleteAll(m_cacheEntries);
    DeleteAll(m_searchConditions);
    DeleteAll(m_imageSearches);
    m_registeredDirs.clear();
}

int CVendaroExplorerApp::GetCacheEntryOffset(int i) const
{
    return i >= 0 && i < static_cast<int>(m_cacheEntries.size()) ? m_cacheEntries[i]->m_nCacheOffset : -1;
}

int CVendaroExplorerApp::GetCacheEntrySize(int i) const
{
    return i >= 0 && i < static_cast<int>(m_cacheEntries.size()) ? m_cacheEntries[i]->m_nCacheSize : 0;
}

CString CVendaroExplorerApp::GetCacheEntryTitle(int i) const
{
    return i >= 0 && i < static_cast<int>(m_cacheEntries.size()) ? m_cacheEntries[i]->m_strTitle : CString();
}

int CVendaroExplorerApp::GetDriveIconIndex(const char* path) { return DriveIconIndex(path, DriveTypeOf); }

void CVendaroExplorerApp::OnAppAbout()
{
    CDialog about(IDD_ABOUTBOX);
    about.DoModal();
}

BOOL IsDriveReady(const char* root)
{
    DWORD a, b, c, d;
    return ::GetDiskFreeSpace(root, &a, &b, &c, &d);
}

int FormatPrice(int value, CString& out)
{
    char number[16];
    wsprintf(number, "%d", value);
    const LCID lcid = ::GetUserDefaultLCID();
    char buf[16];
    auto digit = [&](LCTYPE type) {
        ::GetLocaleInfo(lcid, type, buf, sizeof buf);
        return static_cast<UINT>(buf[0] - '0');
    };
    char decimalSep[16] = {}, thousandSep[16] = {};
    CURRENCYFMT fmt{};
    fmt.NumDigits = digit(LOCALE_ICURRDIGITS);
    fmt.LeadingZero = digit(LOCALE_ILZERO);
    fmt.Grouping = digit(LOCALE_SMONGROUPING);
    ::GetLocaleInfo(lcid, LOCALE_SMONDECIMALSEP, decimalSep, sizeof decimalSep);
    ::GetLocaleInfo(lcid, LOCALE_SMONTHOUSANDSEP, thousandSep, sizeof thousandSep);
    fmt.lpDecimalSep = decimalSep;
    fmt.lpThousandSep = thousandSep;
    fmt.NegativeOrder = digit(LOCALE_INEGCURR);
    fmt.PositiveOrder = digit(LOCALE_ICURRENCY);
    fmt.lpCurrencySymbol = const_cast<char*>("");
    char result[32] = {};
    ::GetCurrencyFormat(lcid, 0, number, &fmt, result, sizeof result);
    out = result;
    return 1;
}
