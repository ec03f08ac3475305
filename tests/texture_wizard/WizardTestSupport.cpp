#include "WizardTestSupport.h"

#include "DibFunctions.h"

#include <cstdlib>

CImage* MakeImage(int w, int h, const std::function<COLORREF(int, int)>& colour)
{
    BITMAPINFOHEADER model = {};
    model.biSize = sizeof(model);
    BITMAPINFOHEADER* info = DibNewHeader24(&model, w, h);
    BYTE* bits = static_cast<BYTE*>(calloc(1, DibBytes24(w, h)));
    const DWORD stride = DibStride24(w);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF c = colour(x, y);
            BYTE* p = bits + stride * (h - 1 - y) + 3 * x;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    CImage* image = new CImage;
    image->SetLayer(info, bits, 0);
    return image;
}

COLORREF WorkingPixel(const CEditDIBView& view, int x, int y)
{
    const BITMAPINFOHEADER* info = view.GetWorkingInfo();
    const BYTE* p = view.GetWorkingBits() + DibStride24(info->biWidth) * (info->biHeight - 1 - y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

COLORREF ReadPixel(HWND hWnd, int x, int y)
{
    ::UpdateWindow(hWnd);
    HDC hDC = ::GetDC(hWnd);
    const COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return cr;
}

BOOL CRecordingPage::CreatePage(int width, int height)
{
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(0, cls, "page", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width + 20, height + 20, NULL, NULL))
        return FALSE;
    // The view's client edge takes 2 pixels each side.
    return m_holder.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, width + 4, height + 4,
                             m_hWnd, (HMENU)1070);
}

void CRecordingPage::Attach(CEditDIBView* pView)
{
    m_pView = pView;
    pView->SetParent(&m_holder);
    CRect client;
    m_holder.GetClientRect(&client);
    pView->SetWindowPos(NULL, 0, 0, client.Width(), client.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pView->ShowWindow(SW_SHOW);
    pView->UpdateWindow();
}

void CRecordingPage::Detach()
{
    if (m_pView == NULL)
        return;
    m_pView->ShowWindow(SW_HIDE);
    ::SetParent(m_pView->m_hWnd, ::GetDesktopWindow());
    m_pView = NULL;
}

LRESULT CRecordingPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WZM_UNDOSET && message <= WZM_ZOOMCHANGED) {
        m_messages.push_back(RecordedMessage{message, wParam, lParam});
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<UINT> CRecordingPage::Messages() const
{
    std::vector<UINT> ids;
    for (const RecordedMessage& m : m_messages)
        ids.push_back(m.message);
    return ids;
}

const RecordedMessage* CRecordingPage::Last(UINT message) const
{
    for (auto it = m_messages.rbegin(); it != m_messages.rend(); ++it)
        if (it->message == message)
            return &*it;
    return NULL;
}

namespace {

void SendKey(WORD vk, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = flags;
    ::SendInput(1, &in, sizeof(INPUT));
}

} // namespace

void KeyDown(WORD vk)
{
    SendKey(vk, 0);
}

void KeyUp(WORD vk)
{
    SendKey(vk, KEYEVENTF_KEYUP);
}

void PressKey(WORD vk)
{
    KeyDown(vk);
    KeyUp(vk);
}

void CtrlKey(WORD vk)
{
    BYTE state[256];
    ::GetKeyboardState(state);
    const BYTE ctrl = state[VK_CONTROL];
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    HWND focus = ::GetFocus();
    ::PostMessage(focus, WM_KEYDOWN, vk, 1);
    ::PostMessage(focus, WM_KEYUP, vk, 0xC0000001);
    PumpPending();
    ::GetKeyboardState(state);
    state[VK_CONTROL] = ctrl;
    ::SetKeyboardState(state);
}

void Click(CWnd& dialog, UINT id)
{
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog.m_hWnd, id)));
}

bool Enabled(CWnd& dialog, UINT id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, id)) != FALSE;
}

void TypeText(CWnd& dialog, UINT id, const char* text)
{
    HWND control = ::GetDlgItem(dialog.m_hWnd, id);
    ::SetFocus(control);
    ::SetWindowTextA(control, text);
}
