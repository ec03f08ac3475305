// The editing view's operations on large pictures, under Wine: texture_view_bench <megapixels>...
// Prints one line per operation and size: name, megapixels, best of N milliseconds.
#include "afxwin.h"

#include "DibFunctions.h"
#include "EditDIBView.h"
#include "Image.h"
#include "Patinor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("TextureViewBench") {}
};

static CBenchApp theApp;

namespace {

double Now()
{
    LARGE_INTEGER f, c;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

double Best(int repeats, const std::function<void()>& prepare, const std::function<void()>& run)
{
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        prepare();
        const double start = Now();
        run();
        best = std::min(best, Now() - start);
    }
    return best;
}

// A photo-like picture: gradients, waves and grain (the same recipe at every size).
CImage* MakePicture(int w, int h)
{
    BITMAPINFOHEADER model = {};
    model.biSize = sizeof(model);
    model.biPlanes = 1;
    BITMAPINFOHEADER* info = DibNewHeader24(&model, w, h);
    BYTE* bits = static_cast<BYTE*>(calloc(1, DibBytes24(w, h)));
    const DWORD stride = DibStride24(w);
    unsigned seed = 7;
    for (int y = 0; y < h; ++y) {
        BYTE* row = bits + static_cast<size_t>(stride) * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245 + 12345;
            const int grain = static_cast<int>((seed >> 16) % 9) - 4;
            row[3 * x] = static_cast<BYTE>(std::clamp(200 - 120 * y / h + grain, 0, 255));
            row[3 * x + 1] = static_cast<BYTE>(std::clamp(100 + static_cast<int>(60 * sin(x * 0.01)) + grain, 0, 255));
            row[3 * x + 2] = static_cast<BYTE>(std::clamp(80 + 150 * x / w + grain, 0, 255));
        }
    }
    CImage* image = new CImage;
    image->SetLayer(info, bits, 0);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    AfxWinInit(::GetModuleHandle(NULL), NULL, (LPTSTR) "", SW_SHOWNORMAL);
    AfxGetApp()->InitApplication();
    const int repeats = 3;
    CTextureWizard wizard;
    CEditDIBView* view = CTextureWizard::m_pDIBView;
    // A page-sized window for the view: 1000 x 700.
    CWnd page;
    page.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP | WS_VISIBLE, 0, 0, 1004, 704, NULL, NULL);
    CWnd holder;
    holder.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 1004, 704, page.m_hWnd, NULL);
    view->SetParent(&holder);
    view->SetWindowPos(NULL, 0, 0, 1004, 704, SWP_NOZORDER);
    view->ShowWindow(SW_SHOW);

    for (int i = 1; i < argc; ++i) {
        const double mp = atof(argv[i]);
        const int w = static_cast<int>(sqrt(mp * 1e6 * 4 / 3) + 0.5), h = w * 3 / 4;
        CImage* image = MakePicture(w, h);
        auto attach = [&] {
            view->DetachImage();
            view->SetImage(image);
        };
        const double paint = Best(repeats, [&] { view->DetachImage(); }, [&] {
            view->SetImage(image);
            view->UpdateWindow();
        });
        attach();
        view->UpdateWindow();
        const double rotate = Best(repeats, [] {}, [&] { view->RotateArbitrary(3000); });
        // Where the time of a turn goes: the pixels alone.
        const double rotateCore = Best(repeats, [] {}, [&] {
            BITMAPINFOHEADER* info;
            BYTE* bits;
            if (DibRotateArbitrary(image->GetInfo(0), image->GetBits(0), 3000, &info, &bits)) {
                free(info);
                free(bits);
            }
        });
        const double half = Best(repeats, [] {}, [&] { view->ResizeImage(w / 2, h / 2); });
        const double balance = Best(repeats, [] {}, [&] { view->SetColorBalance(20, -10, 5); });
        view->SetFitToWindow(TRUE);
        const double fit = Best(repeats, [&] { view->Invalidate(FALSE); }, [&] { view->UpdateWindow(); });
        view->SetFitToWindow(FALSE);
        printf("first-paint %.1f MP %d x %d %.1f ms\n", mp, w, h, paint);
        printf("rotate-30 %.1f MP %.1f ms\n", mp, rotate);
        printf("rotate-30-pixels-only %.1f MP %.1f ms\n", mp, rotateCore);
        printf("size-half %.1f MP %.1f ms\n", mp, half);
        printf("colour-balance %.1f MP %.1f ms\n", mp, balance);
        printf("fit-repaint %.1f MP %.1f ms\n", mp, fit);
        fflush(stdout);
        view->DetachImage();
        delete image;
    }
    view->SetParent(NULL);
    page.DestroyWindow();
    return 0;
}
