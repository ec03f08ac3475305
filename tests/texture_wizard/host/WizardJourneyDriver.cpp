#include "WizardJourneyDriver.h"

#include "DibEditor.h"
#include "DibFunctions.h"
#include "EditDIBView.h"
#include "Image.h"
#include "Patinor.h"
#include "TestSourceScenario.h"
#include "Twain.h"
#include "afxtest/ScreenCapture.h"

#include <cstdio>
#include <cstring>

namespace {

CWizardJourneyDriver* g_driver = NULL;

// "ステップ" and a full-width digit.
std::string StepCaption(int step)
{
    const char digit[3] = {'\x82', static_cast<char>(0x4F + step), 0};
    return std::string("\x83\x58\x83\x65\x83\x62\x83\x76") + digit;
}

struct Search {
    std::string caption;   // part of the caption, or empty
    int control = 0;       // a child with this id, or 0
    HWND found = NULL;
};

BOOL CALLBACK FindWindowOfThread(HWND hWnd, LPARAM lParam)
{
    Search* s = reinterpret_cast<Search*>(lParam);
    if (!::IsWindowVisible(hWnd))
        return TRUE;
    char caption[256] = "";
    ::GetWindowTextA(hWnd, caption, sizeof(caption));
    if (!s->caption.empty() && strstr(caption, s->caption.c_str()) == NULL)
        return TRUE;
    if (s->control != 0 && ::GetDlgItem(hWnd, s->control) == NULL)
        return TRUE;
    s->found = hWnd;
    return FALSE;
}

HWND FindThreadWindow(const std::string& caption, int control)
{
    Search s;
    s.caption = caption;
    s.control = control;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindWindowOfThread, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND Page(int step)
{
    return FindThreadWindow(StepCaption(step), 2);
}

void Click(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Typed into a field: what it held goes, each character comes as the keyboard sends it,
// then Enter.
void Type(HWND dialog, int id, const char* text, bool enter)
{
    HWND field = ::GetDlgItem(dialog, id);
    ::SetFocus(field);
    ::SendMessageA(field, EM_SETSEL, 0, -1);
    ::SendMessageA(field, WM_CHAR, '\b', 0);
    for (const char* p = text; *p != '\0'; ++p)
        ::PostMessageA(field, WM_CHAR, static_cast<unsigned char>(*p), 1);
    if (enter) {
        ::PostMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
        ::PostMessageA(field, WM_KEYUP, VK_RETURN, 0xC0000001);
    }
}

std::string FieldText(HWND dialog, int id)
{
    char text[64] = "";
    ::GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

size_t TempResults()
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    size_t n = 0;
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA((std::string(folder) + "ttp*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do
            ++n;
        while (::FindNextFileA(h, &found));
        ::FindClose(h);
    }
    return n;
}

CImage* MakePicture(int w, int h)
{
    BITMAPINFOHEADER model = {};
    model.biSize = sizeof(model);
    model.biPlanes = 1;
    BITMAPINFOHEADER* info = DibNewHeader24(&model, w, h);
    BYTE* bits = static_cast<BYTE*>(calloc(1, DibBytes24(w, h)));
    const DWORD stride = DibStride24(w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            BYTE* p = bits + stride * (h - 1 - y) + 3 * x;
            // Bands and a diagonal: a turn or a wrong crop shows at once.
            p[0] = static_cast<BYTE>((x * 255) / w);
            p[1] = static_cast<BYTE>((y * 255) / h);
            p[2] = static_cast<BYTE>(((x + 2 * y) / 16) % 2 ? 220 : 40);
        }
    CImage* image = new CImage;
    image->SetLayer(info, bits, 0);
    image->SetLayer(info, bits, 1);
    return image;
}

bool SameBits(const BITMAPINFOHEADER* a, const BYTE* aBits, const BITMAPINFOHEADER* b, const BYTE* bBits)
{
    if (a == NULL || b == NULL || a->biWidth != b->biWidth || a->biHeight != b->biHeight || a->biBitCount != 24
        || b->biBitCount != 24)
        return false;
    const DWORD stride = DibStride24(a->biWidth);
    for (LONG y = 0; y < a->biHeight; ++y)
        if (memcmp(aBits + stride * y, bBits + stride * y, 3 * a->biWidth) != 0)
            return false;
    return true;
}

} // namespace

void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

CWizardJourneyDriver::CWizardJourneyDriver(int journey, const char* shot, HWND host)
    : m_nJourney(journey), m_shot(shot), m_hHost(host)
{
}

CWizardJourneyDriver::~CWizardJourneyDriver()
{
    if (m_nTimer != 0)
        ::KillTimer(NULL, m_nTimer);
    if (g_driver == this)
        g_driver = NULL;
    if (m_pSource != NULL) {
        m_pSource->SetLayer(NULL, NULL, 1);
        delete m_pSource;
    }
}

void CWizardJourneyDriver::Check(bool ok, const char* what)
{
    printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    fflush(stdout);
    m_nFailures += ok ? 0 : 1;
}

std::string CWizardJourneyDriver::Shot(const char* name) const
{
    const size_t slash = m_shot.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : m_shot.substr(0, slash + 1)) + name;
}

bool CWizardJourneyDriver::Prepare()
{
    m_nTempFilesBefore = TempResults();
    if (m_nJourney == 1 || m_nJourney == 3) {
        ::CreateDirectoryA("C:\\Work", NULL);
        m_picture = "C:\\Work\\journey.bmp";
        m_pSource = MakePicture(640, 480);
        return m_pSource->Save(m_picture.c_str(), FALSE, NULL) != FALSE;
    }
    if (m_nJourney == 2) {
        // Our source in the manager's slot for this kind of process; a 64-bit process uses
        // Wine's 64-bit manager of the system folder.
        char path[MAX_PATH], windows[MAX_PATH];
        ::GetModuleFileNameA(NULL, path, MAX_PATH);
        std::string source(path);
        source = source.substr(0, source.find_last_of('\\') + 1) + "sane.ds";
        ::GetWindowsDirectoryA(windows, MAX_PATH);
        const std::string slot = std::string(windows) + (sizeof(void*) == 4 ? "\\twain_32" : "\\twain_64");
        ::CreateDirectoryA(slot.c_str(), NULL);
        if (!::CopyFileA(source.c_str(), (slot + "\\sane.ds").c_str(), FALSE))
            return false;
        if (sizeof(void*) != 4) {
            static char system[MAX_PATH];
            ::GetSystemDirectoryA(system, MAX_PATH);
            CTwain::SetManagerFolder(system);
        }
        TestSourceScenario scenario;
        scenario.width = 200;
        scenario.height = 150;
        ::SetEnvironmentVariableA(TEST_SOURCE_SCENARIO_VAR, scenario.Format().c_str());
    }
    return true;
}

void CWizardJourneyDriver::Start()
{
    switch (m_nJourney) {
    case 1: Script1(); break;
    case 2: Script2(); break;
    case 3: Script3(); break;
    default: return;
    }
    g_driver = this;
    m_nTimer = ::SetTimer(NULL, 0, 150, Tick);
}

void CALLBACK CWizardJourneyDriver::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_driver != NULL)
        g_driver->Step();
}

void CWizardJourneyDriver::Step()
{
    // An action may run a modal loop of its own (a message box): no tick inside a tick.
    if (m_bInTick || m_nNext >= m_actions.size())
        return;
    m_bInTick = true;
    if (m_actions[m_nNext]()) {
        ++m_nNext;
        m_nWaits = 0;
    } else if (++m_nWaits > 200) {
        printf("FAIL action %u never came about; giving up\n", static_cast<unsigned>(m_nNext));
        ++m_nFailures;
        m_nNext = m_actions.size();
        // Leave the wizard: whatever is up is cancelled.
        for (int step = 1; step <= 4; ++step)
            if (HWND page = Page(step))
                ::PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
    }
    m_bInTick = false;
}

void CWizardJourneyDriver::Script1()
{
    HWND* page = new HWND(NULL);
    auto waitPage = [this, page](int step) {
        return [this, page, step] {
            *page = Page(step);
            if (*page == NULL)
                return false;
            // One more tick so that the page's own start-up is done.
            return m_nWaits > 2;
        };
    };
    m_actions = {
        waitPage(1),
        [this, page] {
            m_bHostDisabled = !::IsWindowEnabled(m_hHost);
            Check(m_bHostDisabled, "the host's window is disabled while the pages are up");
            Click(*page, 12324);
            return true;
        },
        [this] {
            // The file dialog: its file-name box, in the folder it opened.
            HWND dialog = FindThreadWindow("", 0x47C);
            if (dialog == NULL)
                dialog = FindThreadWindow("", 0x480);
            if (dialog == NULL)
                return false;
            char folder[MAX_PATH] = "";
            ::SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
            printf("     the file dialog opened in %s\n", folder);
            Check(_stricmp(folder, "C:\\Work") == 0, "the file dialog opens in C:\\Work");
            HWND name = ::GetDlgItem(dialog, 0x47C);
            HWND edit = name != NULL ? ::FindWindowExA(name, NULL, "Edit", NULL) : ::GetDlgItem(dialog, 0x480);
            ::SetWindowTextA(edit != NULL ? edit : name, "journey.bmp");
            Click(dialog, IDOK);
            return true;
        },
        waitPage(2),
        [page] {
            Click(*page, 1027); // 右90度回転
            return true;
        },
        [page] {
            // 画像の一部を使用する, as the automatic radio button leaves it when clicked.
            ::SendDlgItemMessageA(*page, 1101, BM_SETCHECK, BST_UNCHECKED, 0);
            ::SendDlgItemMessageA(*page, 1030, BM_SETCHECK, BST_CHECKED, 0);
            Click(*page, 1030);
            return true;
        },
        [this, page] {
            if (m_nWaits < 3)
                return false;
            CEditDIBView* view = CTextureWizard::m_pDIBView;
            Check(view->m_nAngle == 27000, "右90度回転 turns the picture a quarter clockwise");
            Check(view->m_bRangeBoxShown != FALSE, "画像の一部を使用する shows the range box");
            // The box the view offers on the turned 480 x 640 picture: 640 x 480 at most,
            // 10 pixels in.
            const RECT box = view->m_rcRange;
            printf("     the range box is (%ld, %ld, %ld, %ld)\n", box.left, box.top, box.right, box.bottom);
            Check(box.left == 10 && box.top == 10 && box.right == 470 && box.bottom == 490,
                  "the range box is (10, 10, 470, 490)");
            Check(SaveScreenBmp(Shot("angle.bmp").c_str()), "picture of the angle page with its box");
            Click(*page, 12324);
            return true;
        },
        waitPage(3),
        [page] {
            Type(*page, 1061, "230", true);
            return true;
        },
        [this, page] {
            if (m_nWaits < 3)
                return false;
            Check(FieldText(*page, 1062) == "240", "width 230 keeps the aspect: height 240");
            const BITMAPINFOHEADER* info = CTextureWizard::m_pDIBView->GetWorkingInfo();
            Check(info->biWidth == 230 && info->biHeight == 240, "Enter resizes the picture to 230 x 240");
            Click(*page, 12324);
            return true;
        },
        waitPage(4),
        [page] {
            Type(*page, 1028, "20", true);
            return true;
        },
        [this, page] {
            if (m_nWaits < 3)
                return false;
            Click(*page, 12325); // 画像取り込み
            return true;
        },
    };
}

void CWizardJourneyDriver::Script2()
{
    HWND* page = new HWND(NULL);
    m_actions = {
        [this] {
            // The manager's selection: our source by name, then OK.
            HWND dialog = FindThreadWindow("", IDOK);
            HWND list = dialog != NULL ? ::FindWindowExA(dialog, NULL, "ListBox", NULL) : NULL;
            if (list == NULL)
                return false;
            const LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(TEST_SOURCE_NAME));
            if (index == LB_ERR)
                return false;
            ::SendMessageA(list, LB_SETCURSEL, index, 0);
            ::RedrawWindow(dialog, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            Check(SaveScreenBmp(Shot("select.bmp").c_str()), "picture of the manager's selection listing our source");
            Click(dialog, IDOK);
            return true;
        },
        [this, page] {
            *page = Page(1);
            if (*page == NULL || m_nWaits < 3)
                return false;
            Check(!::IsWindowVisible(::GetDlgItem(*page, 12323)), "the angle page is step 1, without Back");
            Check(::GetDlgItem(*page, 1059) != NULL, "step 1 of the scanner wizard is the angle page");
            // The range choice carries over from the image wizard run before (only an input
            // page resets it): the whole picture, as the user would pick it.
            ::SendDlgItemMessageA(*page, 1030, BM_SETCHECK, BST_UNCHECKED, 0);
            ::SendDlgItemMessageA(*page, 1101, BM_SETCHECK, BST_CHECKED, 0);
            Click(*page, 1101);
            Click(*page, 12324);
            return true;
        },
        [page, this] {
            *page = Page(2);
            if (*page == NULL || m_nWaits < 3)
                return false;
            Click(*page, 12324);
            return true;
        },
        [page, this] {
            *page = Page(3);
            if (*page == NULL || m_nWaits < 3)
                return false;
            Click(*page, 12325);
            return true;
        },
    };
}

void CWizardJourneyDriver::Script3()
{
    HWND* page = new HWND(NULL);
    auto question = [](int answer) {
        return [answer] {
            // The cancel question: a message box of this thread with Yes and No.
            HWND box = FindThreadWindow("", IDNO);
            if (box == NULL || ::GetDlgItem(box, IDYES) == NULL)
                return false;
            ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
            return true;
        };
    };
    m_actions = {
        [page, this] {
            *page = Page(1);
            if (*page == NULL || m_nWaits < 3)
                return false;
            Click(*page, 12324);
            return true;
        },
        [] {
            HWND dialog = FindThreadWindow("", 0x47C);
            if (dialog == NULL)
                dialog = FindThreadWindow("", 0x480);
            if (dialog == NULL)
                return false;
            HWND name = ::GetDlgItem(dialog, 0x47C);
            HWND edit = name != NULL ? ::FindWindowExA(name, NULL, "Edit", NULL) : ::GetDlgItem(dialog, 0x480);
            ::SetWindowTextA(edit != NULL ? edit : name, "journey.bmp");
            Click(dialog, IDOK);
            return true;
        },
        [page, this] {
            *page = Page(2);
            if (*page == NULL || m_nWaits < 3)
                return false;
            Click(*page, 12324);
            return true;
        },
        [page, this] {
            *page = Page(3);
            if (*page == NULL || m_nWaits < 3)
                return false;
            ::PostMessageA(*page, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        question(IDNO),
        [page, this] {
            if (m_nWaits < 3)
                return false;
            Check(::IsWindowVisible(*page) != FALSE, "No keeps the size page");
            ::PostMessageA(*page, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        question(IDYES),
    };
}

void CWizardJourneyDriver::Finished(int result, const BITMAPINFOHEADER* info, const BYTE* bits)
{
    if (m_nJourney == 0)
        return;
    Check(m_nNext == m_actions.size(), "every step of the journey was taken");
    if (m_nJourney == 1) {
        Check(result == IDOK, "画像取り込み ends the wizard with IDOK");
        Check(info != NULL && info->biWidth == 230 && info->biHeight == 240, "the BMP is 230 x 240");
        // The core's turn, crop, resample and balance, in that order.
        BITMAPINFOHEADER *turned = NULL, *sized = NULL, *balanced = NULL;
        BYTE *turnedBits = NULL, *sizedBits = NULL, *balancedBits = NULL;
        DibRotateQuarter(m_pSource->GetInfo(0), m_pSource->GetBits(0), 3, &turned, &turnedBits);
        CImage turnedImage;
        turnedImage.SetLayer(turned, turnedBits, 0);
        turnedImage.SetLayer(turned, turnedBits, 1);
        CImage cut(turnedImage, RECT{10, 10, 470, 490});
        turnedImage.SetLayer(NULL, NULL, 1);
        DibResample(cut.GetInfo(0), cut.GetBits(0), 230, 240, &sized, &sizedBits);
        DibColorBalance(sized, sizedBits, 20, 0, 0, &balanced, &balancedBits);
        Check(SameBits(info, bits, balanced, balancedBits), "the BMP equals the core's turn, crop, resample and balance");
        free(sized);
        free(sizedBits);
        free(balanced);
        free(balancedBits);
    } else if (m_nJourney == 2) {
        Check(result == IDOK, "画像取り込み ends the scanner wizard with IDOK");
        bool same = info != NULL && info->biWidth == 200 && info->biHeight == 150;
        const DWORD stride = DibStride24(200);
        for (int y = 0; same && y < 150; ++y)
            for (int x = 0; same && x < 200; ++x) {
                const BYTE* p = bits + stride * (149 - y) + 3 * x;
                same = RGB(p[2], p[1], p[0]) == TestSourceColour(24, x, y);
            }
        Check(same, "the BMP equals the source's 200 x 150 pattern exactly");
    } else if (m_nJourney == 3) {
        Check(result == IDCANCEL, "Cancel, No, then Yes ends the wizard with IDCANCEL");
        Check(TempResults() == m_nTempFilesBefore, "no ttp file was made");
    }
    if (m_nJourney == 1)
        Check(SaveScreenBmp(m_shot.c_str()), "picture of the host showing the result");
}
