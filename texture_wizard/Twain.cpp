#include "Twain.h"

#include <cstring>

namespace {

const char kWindowClass[] = "TWAIN_DS_Handler";
char g_szManagerFolder[MAX_PATH] = "";

TW_IDENTITY ApplicationIdentity()
{
    TW_IDENTITY id;
    memset(&id, 0, sizeof(id));
    id.Id = 0;
    id.Version.MajorNum = 1;
    id.Version.MinorNum = 0;
    id.Version.Language = TWLG_JAPANESE;
    id.Version.Country = TWCY_JAPAN;
    strcpy(id.Version.Info, "<?>");
    id.ProtocolMajor = 1;
    id.ProtocolMinor = 8;
    id.SupportedGroups = DG_CONTROL | DG_IMAGE;
    strcpy(id.Manufacturer, "<?>");
    strcpy(id.ProductFamily, "<?>");
    strcpy(id.ProductName, "<?>");
    return id;
}

// The module this code is in, which registers the hidden window's class.
HINSTANCE ThisModule()
{
    HMODULE module = NULL;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

} // namespace

void CTwain::SetManagerFolder(const char* folder)
{
    lstrcpynA(g_szManagerFolder, folder != NULL ? folder : "", MAX_PATH);
}

CTwain::CTwain()
    : m_hImage(NULL), m_hManager(NULL), m_bManagerOpen(FALSE), m_bSourceEnabled(FALSE), m_pEntry(NULL),
      m_AppId(ApplicationIdentity()), m_SourceId{}, m_UI{}, m_nLastResult(TWRC_SUCCESS), m_hHidden(NULL)
{
}

CTwain::~CTwain()
{
    if (m_bManagerOpen)
        CloseManager();
    if (m_hManager != NULL)
        UnloadManager();
    // A picture nobody took is freed with the object.
    if (m_hImage != NULL)
        ::GlobalFree(m_hImage);
}

BOOL CTwain::LoadManager(BOOL checkOnly)
{
    char path[MAX_PATH + 16];
    if (g_szManagerFolder[0] != '\0')
        lstrcpynA(path, g_szManagerFolder, MAX_PATH);
    else if (::GetWindowsDirectoryA(path, MAX_PATH) == 0)
        return FALSE;
    const size_t length = strlen(path);
    if (length == 0 || path[length - 1] != '\\')
        strcat(path, "\\");
    strcat(path, "TWAIN_32.DLL");
    m_hManager = ::LoadLibraryA(path);
    if (m_hManager == NULL)
        return FALSE;
    m_pEntry = reinterpret_cast<DSMENTRYPROC>(::GetProcAddress(m_hManager, MAKEINTRESOURCEA(1)));
    if (m_pEntry == NULL) {
        UnloadManager();
        return FALSE;
    }
    if (checkOnly)
        return TRUE;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ThisModule();
    wc.lpszClassName = kWindowClass;
    // A class left registered by an earlier acquisition serves as well.
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        UnloadManager();
        return FALSE;
    }
    m_hHidden = ::CreateWindowA(kWindowClass, "", 0, 0, 0, 0, 0, NULL, NULL, ThisModule(), NULL);
    if (m_hHidden == NULL) {
        UnloadManager();
        return FALSE;
    }
    return TRUE;
}

void CTwain::UnloadManager()
{
    if (m_hHidden != NULL) {
        ::DestroyWindow(m_hHidden);
        m_hHidden = NULL;
    }
    if (m_hManager != NULL) {
        ::FreeLibrary(m_hManager);
        m_hManager = NULL;
    }
    m_pEntry = NULL;
}

TW_UINT16 CTwain::CallManager(TW_IDENTITY* pDest, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData)
{
    if (m_pEntry == NULL)
        return m_nLastResult = TWRC_FAILURE;
    // The parent is given as the address of the window handle.
    if (DAT == DAT_PARENT && pData == NULL)
        pData = &m_hHidden;
    m_nLastResult = m_pEntry(&m_AppId, pDest, DG, DAT, MSG, pData);
    return m_nLastResult;
}

BOOL CTwain::OpenManager()
{
    if (CallManager(NULL, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, NULL) == TWRC_SUCCESS)
        m_bManagerOpen = TRUE;
    return m_bManagerOpen;
}

BOOL CTwain::CloseManager()
{
    if (CallManager(NULL, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, NULL) == TWRC_SUCCESS)
        m_bManagerOpen = FALSE;
    return !m_bManagerOpen;
}

BOOL CTwain::OpenSource()
{
    TW_IDENTITY chosen;
    memset(&chosen, 0, sizeof(chosen));
    CallManager(NULL, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &chosen);
    if (CallManager(NULL, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen) != TWRC_SUCCESS)
        return FALSE;
    m_SourceId = chosen;
    if (CallManager(NULL, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &m_SourceId) != TWRC_SUCCESS)
        return FALSE;
    m_UI.ShowUI = TRUE;
    m_UI.ModalUI = FALSE;
    m_UI.hParent = m_hHidden;
    if (CallManager(&m_SourceId, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &m_UI) != TWRC_SUCCESS) {
        CallManager(NULL, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_SourceId);
        return FALSE;
    }
    m_bSourceEnabled = TRUE;
    return TRUE;
}

BOOL CTwain::Acquire()
{
    if (m_hImage != NULL) {
        ::GlobalFree(m_hImage);
        m_hImage = NULL;
    }
    if (!OpenSource())
        return FALSE;
    // Sleeps until a message comes instead of polling: the source's window may stay up
    // for as long as the user likes.
    while (m_bSourceEnabled) {
        if (!PumpOne())
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
    }
    return TRUE;
}

BOOL CTwain::PumpOne()
{
    MSG msg;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        return FALSE;
    if (msg.message == WM_QUIT) {
        // Not ours to take: the quit goes back for the application's loop, and the source
        // is let go.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        CloseSource();
        return TRUE;
    }
    if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CTwain::PreTranslateMessage(MSG* pMsg)
{
    if (m_bSourceEnabled) {
        TW_EVENT event;
        event.pEvent = pMsg;
        event.TWMessage = MSG_NULL;
        CallManager(&m_SourceId, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
        const TW_UINT16 result = m_nLastResult;
        if (event.TWMessage == MSG_XFERREADY)
            TransferImage();
        else if (event.TWMessage == MSG_CLOSEDSREQ)
            CloseSource();
        if (result == TWRC_DSEVENT)
            return TRUE;
        return FALSE;
    }
    return m_nLastResult == TWRC_DSEVENT;
}

void CTwain::TransferImage()
{
    TW_MEMREF handle = NULL;
    const TW_UINT16 result = CallManager(&m_SourceId, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
    if (result == TWRC_XFERDONE) {
        m_hImage = static_cast<HGLOBAL>(handle);
        TW_PENDINGXFERS pending = {0, 0};
        CallManager(&m_SourceId, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
        // One picture per run: what else the source holds is dropped.
        if (m_nLastResult != TWRC_SUCCESS || pending.Count != 0)
            ResetPending();
    } else {
        m_hImage = NULL;
        if (result == TWRC_CANCEL) {
            TW_PENDINGXFERS pending = {0, 0};
            CallManager(&m_SourceId, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
            if (m_nLastResult != TWRC_SUCCESS || pending.Count != 0)
                ResetPending();
        } else {
            ResetPending();
        }
    }
    CloseSource();
}

void CTwain::ResetPending()
{
    TW_PENDINGXFERS pending = {0, 0};
    CallManager(&m_SourceId, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
}

void CTwain::CloseSource()
{
    m_UI.ShowUI = 255;
    const TW_UINT16 disabled = CallManager(&m_SourceId, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &m_UI);
    if (disabled != TWRC_SUCCESS) {
        // A source still holding transfers refuses; end them and ask once more.
        ResetPending();
        CallManager(&m_SourceId, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &m_UI);
    }
    // Closed whatever the source says, so that the loop always ends.
    CallManager(NULL, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_SourceId);
    m_bSourceEnabled = FALSE;
}

BOOL CTwain::IsAvailable()
{
    const BOOL found = LoadManager(TRUE);
    UnloadManager();
    return found;
}
