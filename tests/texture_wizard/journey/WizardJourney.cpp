// A host program's journey through the wizard's editing view: it constructs the wizard (so
// the view is the library's own), shows a generated 800 x 600 photo-like picture in a
// maximised page and drives it with synthetic input. Each step is checked; the screen is
// saved as journey.bmp at the end (argument 1 names another file).
#include "afxwin.h"

#include "EditDIBView.h"
#include "Image.h"
#include "Patinor.h"
#include "ViewZoom.h"
#include "WizardPage.h"
#include "afxtest/ScreenCapture.h"
#include "afxtest/ThreadPump.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "DibFunctions.h"

class CJourneyApp : public CWinApp
{
public:
    CJourneyApp() : CWinApp("WizardJourney") {}
};

static CJourneyApp theApp;

namespace {

int failures = 0;

void Check(bool ok, const char* what)
{
    printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    fflush(stdout);
    failures += ok ? 0 : 1;
}

// Sky with a sun, hills in two greens, a lake, a red-roofed house and soft grain: enough
// edges and gradients to show zoom, boxes and resampling.
CImage* MakePhoto(int w, int h)
{
    BITMAPINFOHEADER model = {};
    model.biSize = sizeof(model);
    model.biPlanes = 1;
    BITMAPINFOHEADER* info = DibNewHeader24(&model, w, h);
    BYTE* bits = static_cast<BYTE*>(calloc(1, DibBytes24(w, h)));
    const DWORD stride = DibStride24(w);
    unsigned seed = 12345;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double r, g, b;
            const double hill1 = h * 0.55 + 40 * sin(x * 0.012) + 25 * sin(x * 0.031 + 1);
            const double hill2 = h * 0.70 + 30 * sin(x * 0.02 + 2);
            const double sun = hypot(x - w * 0.78, y - h * 0.2);
            if (y < hill1) {
                r = 90 + 100.0 * y / h;
                g = 140 + 90.0 * y / h;
                b = 235;
                if (sun < 45) {
                    r = 255, g = 235, b = 150;
                } else if (sun < 70) {
                    const double t = (sun - 45) / 25;
                    r = r * t + 255 * (1 - t), g = g * t + 225 * (1 - t), b = b * t + 170 * (1 - t);
                }
            } else if (y < hill2) {
                r = 70, g = 140 - 30.0 * (y - hill1) / h, b = 60;
            } else {
                r = 40, g = 105, b = 45;
            }
            if (y > h * 0.78 && x > w * 0.1 && x < w * 0.45)
                r = 60, g = 110 + 20 * sin(y * 0.3), b = 190;
            if (x > w * 0.55 && x < w * 0.70 && y > h * 0.58 && y < h * 0.74)
                r = 235, g = 225, b = 200;
            if (x > w * 0.53 && x < w * 0.72 && y > h * 0.50 && y <= h * 0.58 && std::abs(x - w * 0.625) < (y - h * 0.50) * 1.7)
                r = 180, g = 40, b = 35;
            seed = seed * 1103515245 + 12345;
            const int grain = static_cast<int>((seed >> 16) % 9) - 4;
            BYTE* p = bits + stride * (h - 1 - y) + 3 * x;
            p[0] = static_cast<BYTE>(std::min(255.0, std::max(0.0, b + grain)));
            p[1] = static_cast<BYTE>(std::min(255.0, std::max(0.0, g + grain)));
            p[2] = static_cast<BYTE>(std::min(255.0, std::max(0.0, r + grain)));
        }
    }
    CImage* image = new CImage;
    image->SetLayer(info, bits, 0);
    return image;
}

// Injected input reaches the queue a little later: let it arrive and be handled.
void Settle()
{
    for (int i = 0; i < 6; ++i) {
        ::Sleep(15);
        PumpPending();
    }
}

void Mouse(DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    ::SendInput(1, &in, sizeof(INPUT));
}

void MoveTo(POINT screen)
{
    ::SetCursorPos(screen.x, screen.y);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(INPUT));
    Settle();
}

POINT Centre(HWND hWnd)
{
    RECT r;
    ::GetWindowRect(hWnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickAt(POINT screen)
{
    MoveTo(screen);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Settle();
    Mouse(MOUSEEVENTF_LEFTUP);
    Settle();
}

void Drag(POINT from, POINT to, int steps)
{
    MoveTo(from);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Settle();
    for (int i = 1; i <= steps; ++i)
        MoveTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    Mouse(MOUSEEVENTF_LEFTUP);
    Settle();
}

void Key(WORD vk, DWORD flags = 0)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = flags;
    ::SendInput(1, &in, sizeof(INPUT));
}

void Press(WORD vk)
{
    Key(vk);
    Key(vk, KEYEVENTF_KEYUP);
    Settle();
}

// Ctrl with a key: Wine takes the modifier state of injected keys back from the X server,
// so Ctrl is put into the thread's key state while the key is read.
void CtrlPress(WORD vk)
{
    BYTE state[256];
    ::GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    Press(vk);
    ::GetKeyboardState(state);
    state[VK_CONTROL] = 0;
    ::SetKeyboardState(state);
}


class CJourneyPage : public CWizardPage
{
public:
    CJourneyPage(CImage* image, const char* shot) : CWizardPage(500), m_pImage(image), m_shot(shot) {}

    BOOL OnInitDialog() override
    {
        CWizardPage::OnInitDialog();
        SaveControlRects(m_table);
        AttachView();
        m_pView->SetImage(m_pImage);
        SetButtonImages();
        RunWhenIdle([this] { Journey(); }, 300);
        return TRUE;
    }

    void Journey()
    {
        CEditDIBView* view = m_pView;
        CRect window;
        GetWindowRect(&window);
        Check(IsZoomed() && window.Width() >= ::GetSystemMetrics(SM_CXSCREEN), "the first resizable page opens maximised");
        PumpUntil([&] { return view->m_nZoom != 0 && ZoomMultiplier(view->m_nZoom) + ZoomDivisor(view->m_nZoom) > 2; });
        const UINT first = view->m_nZoom;
        printf("     automatic zoom %u:%u\n", ZoomMultiplier(first), ZoomDivisor(first));

        const HWND zoomIn = ::GetDlgItem(m_hWnd, IDC_WIZ_ZOOMIN);
        ClickAt(Centre(zoomIn));
        ClickAt(Centre(zoomIn));
        Check(view->m_nZoom == ZoomInStep(ZoomInStep(first)), "zoom in twice");

        ClickAt(Centre(::GetDlgItem(m_hWnd, IDC_WIZ_FIT)));
        Check(view->m_bFitToWindow != FALSE, "fit to the window");

        // 1/2 from the list: open it, step to the entry, take it.
        const HWND list = ::GetDlgItem(m_hWnd, IDC_WIZ_ZOOMLIST);
        ClickAt(Centre(list));
        const int current = static_cast<int>(::SendMessage(list, CB_GETCURSEL, 0, 0));
        for (int i = current; i < 4; ++i)
            Press(VK_DOWN);
        for (int i = current; i > 4; --i)
            Press(VK_UP);
        Press(VK_RETURN);
        PumpUntil([&] { return view->m_nZoom == MakeZoom(1, 2); });
        Check(view->m_nZoom == MakeZoom(1, 2) && !view->m_bFitToWindow, "1/2 from the zoom list");

        // The size page's boxes: proportional range box snapping to powers of two.
        view->ShowRangeBox(TRUE, FALSE, 1, 1);
        PumpPending();
        const RECT before = view->m_rcRange;
        printf("     range box %ld,%ld,%ld,%ld\n", before.left, before.top, before.right, before.bottom);
        CPoint corner = view->ImageToClient(CPoint(before.right - 2, before.bottom - 2));
        corner -= view->GetScrollPos();
        POINT from = corner;
        view->ClientToScreen(&from);
        // To 200 picture pixels wide: snaps to 256.
        const CPoint target = view->ImageToClient(CPoint(before.left + 200, before.top + 180)) - view->GetScrollPos();
        POINT to = target;
        view->ClientToScreen(&to);
        Check(::WindowFromPoint(from) == view->m_hWnd, "the range box's corner is in the view");
        Drag(from, to, 6);
        PumpPending();
        Check(view->m_rcRange.right - view->m_rcRange.left == 256 && view->m_rcRange.bottom - view->m_rcRange.top == 128,
              "the corner dragged to 200 x 180 snaps to 256 x 128");
        Check(view->GetWorkingInfo()->biWidth == 256, "the picture is resampled to the box on release");

        // Past the right edge of the view: the box stops at the view (512 at most).
        const RECT mid = view->m_rcRange;
        corner = view->ImageToClient(CPoint(mid.right - 2, mid.bottom - 2)) - view->GetScrollPos();
        from = corner;
        view->ClientToScreen(&from);
        CRect client;
        view->GetClientRect(&client);
        POINT past = {client.right + 40, corner.y};
        view->ClientToScreen(&past);
        Drag(from, past, 8);
        PumpPending();
        printf("     after the drag past the edge %ld,%ld,%ld,%ld\n", view->m_rcRange.left, view->m_rcRange.top,
               view->m_rcRange.right, view->m_rcRange.bottom);
        Check(view->m_rcRange.right - view->m_rcRange.left == 512, "dragged past the right edge: 512 wide");

        // Ctrl+Z takes back the last drag.
        ::SetFocus(::GetDlgItem(m_hWnd, IDC_WIZ_NEXT));
        CtrlPress('Z');
        PumpPending();
        Check(view->m_rcRange.right - view->m_rcRange.left == 256 && !view->m_bHasUndo, "Ctrl+Z reverts the drag");
        Check(::IsWindowEnabled(::GetDlgItem(m_hWnd, IDC_WIZ_REVERT)) == FALSE, "revert is disabled again");

        MoveTo(POINT{5, 5});
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpPending();
        ::Sleep(200);
        PumpPending();
        Check(SaveScreenBmp(m_shot), "screenshot saved");
        view->ShowRangeBox(FALSE, FALSE, 0, 0);
        EndDialog(IDOK);
    }

    void ArrangeControls() override
    {
        MoveControls(m_frameTable);
        MoveControls(m_table);
    }

    CImage* m_pImage;
    const char* m_shot;
    // The page's own layout: the view grows with the window, the size text follows its foot.
    LayoutEntry m_table[3] = {{IDC_WIZ_VIEW, ANCHOR_SIZE_X | ANCHOR_SIZE_Y, {}}, {IDC_WIZ_SIZETEXT, ANCHOR_MOVE_Y, {}},
                              {-1, 0, {}}};
};

} // namespace

int main(int argc, char** argv)
{
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    AfxGetApp()->InitApplication();
    const char* shot = argc > 1 && argv[1][0] != '-' ? argv[1] : "journey.bmp";
    {
        CTextureWizard wizard;
        Check(CTextureWizard::m_pDIBView != NULL, "the wizard made its view");
        CImage* photo = MakePhoto(800, 600);
        CTextureWizard::SetDIBData(photo, 0);
        CWizardResourceScope scope;
        CJourneyPage page(photo, shot);
        Check(page.DoModal() == IDOK, "the page ran");
        CTextureWizard::m_pDIBView->DetachImage();
    }
    printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
