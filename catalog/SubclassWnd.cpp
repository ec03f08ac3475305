#include "SubclassWnd.h"

IMPLEMENT_DYNAMIC(CSubclassWnd, CWnd)

CSubclassWnd::CSubclassWnd() = default;

CSubclassWnd::~CSubclassWnd()
{
    if (m_hWndHooked)
        Hook(nullptr);
}

BOOL CSubclassWnd::Hook(CWnd* wnd)
{
    if (wnd) {
        m_pWndHooked = wnd;
        m_hWndHooked = wnd->GetSafeHwnd();
        CSubclassWndMap::Get().Add(m_hWndHooked, this);
    } else {
        CSubclassWndMap::Get().Remove(this);
        m_pWndHooked = nullptr;
        m_hWndHooked = nullptr;
        m_pOldWndProc = nullptr;
    }
    return TRUE;
}

LRESULT CSubclassWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pNext)
        return m_pNext->WindowProc(message, wParam, lParam);
    return ::CallWindowProc(m_pOldWndProc, m_hWndHooked, message, wParam, lParam);
}

LRESULT CSubclassWnd::CallDefault()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return CSubclassWnd::WindowProc(msg.message, msg.wParam, msg.lParam);
}

CSubclassWndMap& CSubclassWndMap::Get()
{
    static CSubclassWndMap map;
    return map;
}

CSubclassWnd* CSubclassWndMap::Lookup(HWND hwnd)
{
    void* hook = nullptr;
    return hwnd && CMapPtrToPtr::Lookup(hwnd, hook) ? static_cast<CSubclassWnd*>(hook) : nullptr;
}

void CSubclassWndMap::Add(HWND hwnd, CSubclassWnd* hook)
{
    CSubclassWnd* first = Lookup(hwnd);
    hook->m_pNext = first;
    SetAt(hwnd, hook);
    if (first) {
        hook->m_pOldWndProc = first->m_pOldWndProc;
    } else {
        hook->m_pOldWndProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassWndProc)));
    }
}

void CSubclassWndMap::Remove(CSubclassWnd* hook)
{
    HWND hwnd = hook->m_hWndHooked;
    CSubclassWnd* first = Lookup(hwnd);
    if (!first)
        return;
    if (first == hook) {
        if (hook->m_pNext) {
            SetAt(hwnd, hook->m_pNext);
        } else {
            RemoveKey(hwnd);
            ::SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->m_pOldWndProc));
        }
        return;
    }
    for (CSubclassWnd* p = first; p; p = p->m_pNext)
        if (p->m_pNext == hook) {
            p->m_pNext = hook->m_pNext;
            break;
        }
}

void CSubclassWndMap::RemoveAll(HWND hwnd)
{
    while (CSubclassWnd* hook = Lookup(hwnd)) {
        hook->Hook(nullptr);
        if (Lookup(hwnd) == hook)  // never loop on a hook that could not be removed
            RemoveKey(hwnd);
    }
}

LRESULT CALLBACK SubclassWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG& last = AfxGetThreadState()->m_lastSentMsg;
    const MSG saved = last;
    last.hwnd = hwnd;
    last.message = message;
    last.wParam = wParam;
    last.lParam = lParam;
    CSubclassWndMap& map = CSubclassWndMap::Get();
    CSubclassWnd* first = map.Lookup(hwnd);
    LRESULT result = 0;
    if (!first) {
        result = ::DefWindowProc(hwnd, message, wParam, lParam);
    } else if (message == WM_NCDESTROY) {
        WNDPROC previous = first->m_pOldWndProc;
        map.RemoveAll(hwnd);
        result = ::CallWindowProc(previous, hwnd, message, wParam, lParam);
    } else {
        result = first->WindowProc(message, wParam, lParam);
    }
    last = saved;
    return result;
}
