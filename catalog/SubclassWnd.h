// Sees every message of a window that other code owns: the window's procedure is replaced
// while it has hooks, and its hooks form a chain, newest first.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>

class CSubclassWnd : public CObject {
    DECLARE_DYNAMIC(CSubclassWnd)
public:
    CSubclassWnd();
    // Unhooks a hooked object, so that no map entry outlives it.
    ~CSubclassWnd() override;

    // Hooks the window, or with NULL unhooks. Always TRUE.
    BOOL Hook(CWnd* wnd);
    // The next hook's, or the window's previous procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The base WindowProc (next hook or previous procedure) with the message being handled now.
    LRESULT CallDefault();

    CWnd* m_pWndHooked = nullptr;
    WNDPROC m_pOldWndProc = nullptr;
    CSubclassWnd* m_pNext = nullptr;
    // The handle hooked: the CWnd object may be detached from it before the window goes.
    HWND m_hWndHooked = nullptr;
};

// Window handle -> the newest hook of that window; one per process.
class CSubclassWndMap : public CMapPtrToPtr {
public:
    CSubclassWndMap() : CMapPtrToPtr(10) {}
    static CSubclassWndMap& Get();
    CSubclassWnd* Lookup(HWND hwnd);
    void Add(HWND hwnd, CSubclassWnd* hook);
    void Remove(CSubclassWnd* hook);
    void RemoveAll(HWND hwnd);
};

LRESULT CALLBACK SubclassWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
