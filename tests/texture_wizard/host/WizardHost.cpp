// A host of the texture wizard as the board designer runs it: it constructs the wizard of
// the type asked for, runs DisplayWizard, takes the BMP GetDataFileName names through the
// picture library, shows it, and destroys the wizard. It logs the result, the path, the
// size and a checksum of the pixels, and whether the file is gone after destruction.
//
//   WizardHost.exe [edit|scanner] [--journey 1|2|3] [screen.bmp]
//
// Before a scanner run it posts itself a command and logs whether it ran while the wizard
// was open. With --journey it drives the pages itself with posted input (journeys 1 to 3
// of the wizard), checks each step and leaves pictures of the screen beside screen.bmp.
#include "afxwin.h"

#include "DibImage.h"
#include "Patinor.h"
#include "WizardJourneyDriver.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const UINT kProbeCommand = 0x8101;

class CHostWindow : public CWnd
{
public:
    CDibImage m_picture;
    BOOL m_bHasPicture = FALSE;
    int m_nProbeRuns = 0;
    BOOL m_bWizardOpen = FALSE;
    int m_nProbeRunsWhileOpen = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kProbeCommand) {
            ++m_nProbeRuns;
            if (m_bWizardOpen)
                ++m_nProbeRunsWhileOpen;
            return TRUE;
        }
        return CWnd::OnCommand(wParam, lParam);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            CDC* dc = BeginPaint(&ps);
            CRect client;
            GetClientRect(&client);
            dc->FillSolidRect(&client, RGB(255, 255, 255));
            if (m_bHasPicture)
                m_picture.Draw(dc, CPoint(10, 10));
            EndPaint(&ps);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CWizardHostApp : public CWinApp
{
public:
    CWizardHostApp() : CWinApp("WizardHost") {}
    BOOL InitInstance() override;
    int Run() override;

    int m_nExit = 0;
};

CWizardHostApp theApp;

// The pixels' sum, weighted by place, of a 24-bit bottom-up DIB.
unsigned long Checksum(const BITMAPINFOHEADER* info, const BYTE* bits)
{
    const int stride = ((info->biWidth * info->biBitCount + 31) / 32) * 4;
    unsigned long sum = 0;
    for (int y = 0; y < info->biHeight; ++y)
        for (int x = 0; x < info->biWidth * 3; ++x)
            sum = sum * 31 + bits[static_cast<size_t>(stride) * y + x];
    return sum;
}

BOOL CWizardHostApp::InitInstance()
{
    CHostWindow* host = new CHostWindow;
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    if (!host->CreateEx(0, cls, "WizardHost", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 700, 560, NULL, NULL))
        return FALSE;
    m_pMainWnd = host;
    host->UpdateWindow();
    return TRUE;
}

// One run of the wizard as the host makes it; the number of failed checks.
int RunWizard(CHostWindow* host, WizardType type, int journey, const char* shot)
{
    CWizardJourneyDriver driver(journey, shot, host->m_hWnd);
    if (!driver.Prepare()) {
        printf("FAIL journey %d could not be prepared\n", journey);
        return 1;
    }
    host->m_nProbeRuns = host->m_nProbeRunsWhileOpen = 0;
    if (type == WIZARD_TYPE_SCANNER)
        host->PostMessage(WM_COMMAND, kProbeCommand, 0);

    CString path;
    int result;
    bool slotsFilled = false;
    {
        CTextureWizard wizard(type);
        host->m_bWizardOpen = TRUE;
        driver.Start();
        result = wizard.DisplayWizard();
        host->m_bWizardOpen = FALSE;
        path = wizard.GetDataFileName();
        printf("result %s\n", result == IDOK ? "IDOK" : result == IDCANCEL ? "IDCANCEL" : "other");
        printf("path %s\n", path.IsEmpty() ? "(none)" : static_cast<const char*>(path));
        host->m_bHasPicture = FALSE;
        if (result == IDOK && host->m_picture.Read(path)) {
            const BITMAPINFOHEADER* info = host->m_picture.GetBI();
            const BYTE* bits = reinterpret_cast<const BYTE*>(info) + info->biSize + info->biClrUsed * 4;
            printf("size %ld x %ld, %d bits\n", info->biWidth, info->biHeight, info->biBitCount);
            printf("checksum %08lx\n", Checksum(info, bits));
            host->m_bHasPicture = TRUE;
            host->Invalidate();
            host->UpdateWindow();
            driver.Finished(result, info, bits);
        } else {
            driver.Finished(result, NULL, NULL);
        }
    }
    for (int i = 0; i < 4; ++i)
        slotsFilled = slotsFilled || CTextureWizard::GetDIBData(i) != NULL;
    printf("slots %s after destruction\n", slotsFilled ? "still filled" : "freed");
    const bool gone = path.IsEmpty() || ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
    printf("file %s after destruction\n", gone ? "gone" : "still there");
    if (type == WIZARD_TYPE_SCANNER) {
        PumpPendingMessages();
        const bool ranWhileOpen = host->m_nProbeRunsWhileOpen > 0;
        printf("posted command ran %s\n", ranWhileOpen ? "while the wizard was open"
                                          : host->m_nProbeRuns > 0 ? "after the wizard"
                                                                   : "never");
        if (journey != 0)
            driver.Check(ranWhileOpen, "the host's posted command ran while the wizard was open");
    }
    return driver.Failures() + (gone ? 0 : 1) + (slotsFilled ? 1 : 0);
}

int CWizardHostApp::Run()
{
    CHostWindow* host = static_cast<CHostWindow*>(m_pMainWnd);
    const char* kind = NULL;
    const char* shot = "screen.bmp";
    int journey = -1;
    for (int i = 1; i < __argc; ++i) {
        if (strcmp(__argv[i], "--journey") == 0 && i + 1 < __argc)
            journey = atoi(__argv[++i]);
        else if (strcmp(__argv[i], "edit") == 0 || strcmp(__argv[i], "scanner") == 0)
            kind = __argv[i];
        else
            shot = __argv[i];
    }
    int failures = 0;
    if (kind == NULL && journey < 0) {
        // As the journey runner starts it: the three journeys, one after the other.
        for (int j = 1; j <= 3; ++j) {
            printf("journey %d\n", j);
            failures += RunWizard(host, j == 2 ? WIZARD_TYPE_SCANNER : WIZARD_TYPE_EDIT, j, shot);
        }
    } else {
        const bool scanner = journey == 2 || (kind != NULL && strcmp(kind, "scanner") == 0);
        failures = RunWizard(host, scanner ? WIZARD_TYPE_SCANNER : WIZARD_TYPE_EDIT, journey < 0 ? 0 : journey, shot);
    }
    printf("%d failed\n", failures);
    fflush(stdout);
    m_pMainWnd->DestroyWindow();
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int, char**)
{
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    if (!AfxGetApp()->InitApplication() || !AfxGetApp()->InitInstance())
        return 3;
    return AfxGetApp()->Run();
}
