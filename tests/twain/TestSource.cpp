// "Patinor Test Source": a TWAIN data source for the tests. It keeps the states 4 to 7 as
// the standard orders them (a triplet out of order fails with a sequence error), logs every
// triplet and its result, and does what the scenario in the environment says.
#include "TestSourceScenario.h"
#include "TwainTypes.h"

#include <cstdio>
#include <cstring>

namespace {

HINSTANCE g_module = NULL;
int g_state = 3;
TW_IDENTITY g_self = {};
TW_IDENTITY g_app = {};
TW_UINT16 g_condition = TWCC_SUCCESS;
TW_UINT16 g_queued = MSG_NULL; // a signal not yet taken through the manager
int g_left = 0;                // transfers left, this one included
HWND g_window = NULL;
TestSourceScenario g_scenario;

const char kWindowClass[] = "PatinorTestSourceWindow";
const UINT_PTR kSignalTimer = 1;

TestSourceScenario CurrentScenario()
{
    char text[256] = "";
    ::GetEnvironmentVariableA(TEST_SOURCE_SCENARIO_VAR, text, sizeof(text));
    return TestSourceScenario::Parse(text);
}

void Log(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_UINT16 rc)
{
    char path[MAX_PATH] = "";
    if (::GetEnvironmentVariableA(TEST_SOURCE_LOG_VAR, path, sizeof(path)) == 0)
        return;
    FILE* f = fopen(path, "a");
    if (f == NULL)
        return;
    fprintf(f, "%lu/%u/0x%04x -> %u state %d\n", static_cast<unsigned long>(dg), dat, msg, rc, g_state);
    fclose(f);
}

TW_UINT16 Fail(TW_UINT16 condition)
{
    g_condition = condition;
    return TWRC_FAILURE;
}

void Signal(TW_UINT16 message)
{
    if (message == MSG_XFERREADY)
        g_state = 6;
    // Through the manager's own channel when it has one; otherwise the next event the
    // application passes in carries it.
    typedef TW_UINT16(WINAPI * Entry)(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
    HMODULE manager = ::GetModuleHandleA("twain_32.dll");
    Entry entry = manager != NULL ? reinterpret_cast<Entry>(::GetProcAddress(manager, "DSM_Entry")) : NULL;
    if (entry != NULL && entry(&g_self, &g_app, DG_CONTROL, DAT_NULL, message, NULL) == TWRC_SUCCESS)
        return;
    g_queued = message;
    ::PostMessageA(g_window, WM_NULL, 0, 0);
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kSignalTimer) {
        ::KillTimer(hWnd, kSignalTimer);
        if (g_state == 5)
            Signal(g_scenario.answer == TestSourceScenario::CLOSE ? MSG_CLOSEDSREQ : MSG_XFERREADY);
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void CloseWindow()
{
    if (g_window != NULL) {
        ::DestroyWindow(g_window);
        g_window = NULL;
    }
}

HGLOBAL MakePicture(const TestSourceScenario& s)
{
    const int entries = TestSourceTableSize(s.depth);
    const DWORD stride = ((static_cast<DWORD>(s.depth) * s.width + 31) / 32) * 4;
    const DWORD size = sizeof(BITMAPINFOHEADER) + 4 * entries + stride * s.height;
    HGLOBAL handle = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (handle == NULL)
        return NULL;
    BITMAPINFOHEADER* info = static_cast<BITMAPINFOHEADER*>(::GlobalLock(handle));
    info->biSize = sizeof(BITMAPINFOHEADER);
    info->biWidth = s.width;
    info->biHeight = s.topDown ? -s.height : s.height;
    info->biPlanes = 1;
    info->biBitCount = static_cast<WORD>(s.depth);
    info->biCompression = BI_RGB;
    info->biSizeImage = stride * s.height;
    info->biClrUsed = entries;
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info + 1);
    for (int i = 0; i < entries; ++i) {
        // The colour of index i is the colour of the first pixel that uses it.
        const COLORREF c = RGB(i * 12 + 3, 255 - i * 9, (i * 37) & 255);
        table[i].rgbRed = GetRValue(c);
        table[i].rgbGreen = GetGValue(c);
        table[i].rgbBlue = GetBValue(c);
    }
    BYTE* bits = reinterpret_cast<BYTE*>(table + entries);
    for (int y = 0; y < s.height; ++y) {
        BYTE* row = bits + stride * (s.topDown ? y : s.height - 1 - y);
        for (int x = 0; x < s.width; ++x) {
            const COLORREF c = TestSourceColour(s.depth, x, y);
            switch (s.depth) {
            case 1:
            case 4:
            case 8: {
                const int index = (x / 3 + y / 2) % entries;
                if (s.depth == 8)
                    row[x] = static_cast<BYTE>(index);
                else if (s.depth == 4)
                    row[x / 2] |= static_cast<BYTE>(x % 2 == 0 ? index << 4 : index);
                else
                    row[x / 8] |= static_cast<BYTE>(index << (7 - x % 8));
                break;
            }
            case 16: {
                const WORD v = static_cast<WORD>(((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3));
                row[2 * x] = static_cast<BYTE>(v);
                row[2 * x + 1] = static_cast<BYTE>(v >> 8);
                break;
            }
            default: {
                const int bytes = s.depth / 8;
                row[bytes * x] = GetBValue(c);
                row[bytes * x + 1] = GetGValue(c);
                row[bytes * x + 2] = GetRValue(c);
                break;
            }
            }
        }
    }
    ::GlobalUnlock(handle);
    return handle;
}

void Describe(TW_IDENTITY* id)
{
    const TW_UINT32 keep = id->Id;
    memset(id, 0, sizeof(*id));
    id->Id = keep;
    id->Version.MajorNum = 1;
    id->Version.Language = TWLG_JAPANESE;
    id->Version.Country = TWCY_JAPAN;
    strcpy(id->Version.Info, "1.0");
    id->ProtocolMajor = 1;
    id->ProtocolMinor = 9;
    id->SupportedGroups = DG_CONTROL | DG_IMAGE;
    strcpy(id->Manufacturer, "Patinor");
    strcpy(id->ProductFamily, "Test");
    strcpy(id->ProductName, TEST_SOURCE_NAME);
}

TW_UINT16 Control(TW_IDENTITY* origin, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    switch (dat) {
    case DAT_IDENTITY:
        if (msg == MSG_GET) {
            Describe(static_cast<TW_IDENTITY*>(data));
            return TWRC_SUCCESS;
        }
        if (msg == MSG_OPENDS) {
            if (g_state != 3)
                return Fail(TWCC_SEQERROR);
            if (CurrentScenario().refuseOpen)
                return Fail(TWCC_BUMMER);
            g_self = *static_cast<TW_IDENTITY*>(data);
            Describe(&g_self);
            if (origin != NULL)
                g_app = *origin;
            g_state = 4;
            return TWRC_SUCCESS;
        }
        if (msg == MSG_CLOSEDS) {
            if (g_state != 4)
                return Fail(TWCC_SEQERROR);
            CloseWindow();
            g_state = 3;
            return TWRC_SUCCESS;
        }
        break;
    case DAT_USERINTERFACE:
        if (msg == MSG_ENABLEDS) {
            if (g_state != 4)
                return Fail(TWCC_SEQERROR);
            g_scenario = CurrentScenario();
            g_left = 1 + (g_scenario.pending > 0 ? g_scenario.pending : 0);
            g_queued = MSG_NULL;
            const bool shown = g_scenario.windowMs > 0;
            g_window = ::CreateWindowA(kWindowClass, TEST_SOURCE_NAME, shown ? WS_OVERLAPPEDWINDOW | WS_VISIBLE : 0,
                                       60, 60, shown ? 240 : 0, shown ? 120 : 0, NULL, NULL, g_module, NULL);
            if (g_window == NULL)
                return Fail(TWCC_LOWMEMORY);
            g_state = 5;
            ::SetTimer(g_window, kSignalTimer, shown ? g_scenario.windowMs : 20, NULL);
            return TWRC_SUCCESS;
        }
        if (msg == MSG_DISABLEDS) {
            if (g_state != 5)
                return Fail(TWCC_SEQERROR);
            CloseWindow();
            g_state = 4;
            return TWRC_SUCCESS;
        }
        break;
    case DAT_EVENT:
        if (msg == MSG_PROCESSEVENT) {
            if (g_state < 5)
                return Fail(TWCC_SEQERROR);
            TW_EVENT* event = static_cast<TW_EVENT*>(data);
            event->TWMessage = g_queued;
            if (g_queued == MSG_NULL)
                return TWRC_NOTDSEVENT;
            g_queued = MSG_NULL;
            return TWRC_DSEVENT;
        }
        break;
    case DAT_PENDINGXFERS: {
        TW_PENDINGXFERS* pending = static_cast<TW_PENDINGXFERS*>(data);
        if (msg == MSG_ENDXFER) {
            if (g_state != 7 && g_state != 6)
                return Fail(TWCC_SEQERROR);
            if (g_left > 0)
                --g_left;
            pending->Count = static_cast<TW_UINT16>(g_left);
            g_state = g_left > 0 ? 6 : 5;
            return TWRC_SUCCESS;
        }
        if (msg == MSG_RESET) {
            if (g_state != 6)
                return Fail(TWCC_SEQERROR);
            g_left = 0;
            pending->Count = 0;
            g_state = 5;
            return TWRC_SUCCESS;
        }
        if (msg == MSG_GET) {
            if (g_state < 4)
                return Fail(TWCC_SEQERROR);
            pending->Count = static_cast<TW_UINT16>(g_left);
            return TWRC_SUCCESS;
        }
        break;
    }
    case DAT_STATUS:
        if (msg == MSG_GET) {
            static_cast<TW_STATUS*>(data)->ConditionCode = g_condition;
            g_condition = TWCC_SUCCESS;
            return TWRC_SUCCESS;
        }
        break;
    }
    return Fail(TWCC_BADPROTOCOL);
}

TW_UINT16 Image(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (dat != DAT_IMAGENATIVEXFER || msg != MSG_GET)
        return Fail(TWCC_BADPROTOCOL);
    if (g_state != 6)
        return Fail(TWCC_SEQERROR);
    switch (g_scenario.answer) {
    case TestSourceScenario::CANCEL:
        g_state = 7;
        return TWRC_CANCEL;
    case TestSourceScenario::FAIL:
        return Fail(TWCC_BUMMER);
    default:
        break;
    }
    HGLOBAL picture = MakePicture(g_scenario);
    if (picture == NULL)
        return Fail(TWCC_LOWMEMORY);
    *static_cast<TW_MEMREF*>(data) = picture;
    char path[MAX_PATH] = "";
    if (::GetEnvironmentVariableA(TEST_SOURCE_LOG_VAR, path, sizeof(path)) != 0)
        if (FILE* f = fopen(path, "a")) {
            fprintf(f, "handle %p\n", picture);
            fclose(f);
        }
    g_state = 7;
    return TWRC_XFERDONE;
}

} // namespace

extern "C" __declspec(dllexport) TW_UINT16 WINAPI DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData)
{
    const TW_UINT16 rc = DG == DG_CONTROL ? Control(pOrigin, DAT, MSG, pData)
        : DG == DG_IMAGE                  ? Image(DAT, MSG, pData)
                                          : Fail(TWCC_BADPROTOCOL);
    // Events are many; only those that carry a signal are worth a line.
    if (!(DAT == DAT_EVENT && rc == TWRC_NOTDSEVENT))
        Log(DG, DAT, MSG, rc);
    return rc;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kWindowClass;
        ::RegisterClassA(&wc);
    }
    return TRUE;
}
