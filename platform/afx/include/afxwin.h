// The framework's window layer: command targets and message maps, windows, the
// application and its threads, frames, documents and views, and the GDI wrappers.
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxres.h"

#include <commctrl.h>
#include <shellapi.h>


class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CGdiObject;
class CPen;
class CBrush;
class CFont;
class CBitmap;
class CPalette;
class CRgn;
class CMenu;
class CWinThread;
class CWinApp;
class CDocTemplate;
class CDocument;
class CView;
class CFrameWnd;
class CScrollBar;
class CListBox;
class CRecentFileList;
struct CCreateContext;

// The platform lets GetSafeHwnd and friends be called through a null pointer; an empty asm
// keeps the compiler from assuming `this` is never null.
inline bool _AfxIsNull(const void* p) {
  asm("" : "+r"(p));
  return p == nullptr;
}

// The member of that name takes one argument.
#undef GetNextWindow

#ifndef afx_msg
#define afx_msg
#endif

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Messages a child gets back from its parent carry this offset.
#define WM_REFLECT_BASE 0xBC00

// Command notification codes for OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_EVENT ((UINT)(-100))

/////////////////////////////////////////////////////////////////////////////
// Message maps. Each entry carries a thunk built by the entry macro that calls the
// handler with its own signature, so the compiler checks every handler.

struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

struct AFX_CTLCOLOR {
  HWND hWnd;
  HDC hDC;
  UINT nCtlType;
};

// What a thunk gets: the message, its parameters, the command id, command extra
// (CCmdUI*, AFX_NOTIFY*), and where the handler's result goes.
struct AFX_MSGCALL {
  UINT nMessage;
  WPARAM wParam;
  LPARAM lParam;
  UINT nID;
  void* pExtra;
  LRESULT lResult;
};

typedef BOOL (*AFX_PMSG)(CCmdTarget*, AFX_MSGCALL&);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message, WM_COMMAND, WM_NOTIFY, or a reflected one
  UINT nCode;     // control or notification code (low word compared)
  UINT nID;       // first command or control id
  UINT nLastID;   // last id of a range
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pmf;
};

#define DECLARE_MESSAGE_MAP()                         \
 protected:                                           \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
  virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                   \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                       \
    typedef theClass ThisClass;                                                  \
    typedef baseClass TheBaseClass;                                              \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                  \
  { 0, 0, 0, 0, nullptr }                                                  \
  }                                                                        \
  ;                                                                        \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, \
                                        &_messageEntries[0]};              \
  return &messageMap;                                                      \
  }

// A thunk: _p is the target as the map's class, _c the call.
#define AFX_THUNK(...)                                        \
  [](CCmdTarget* _pT, AFX_MSGCALL& _c) -> BOOL {              \
    ThisClass* _p = static_cast<ThisClass*>(_pT);             \
    (void)_c;                                                 \
    __VA_ARGS__                                               \
  }

#define AFX_WM_ENTRY(msg, ...) {(UINT)(msg), 0, 0, 0, AFX_THUNK(__VA_ARGS__)},

// Commands and their update handlers
#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(WORD)(id), (UINT)(WORD)(id), AFX_THUNK(_p->memberFxn(); return TRUE;)},
#define ON_COMMAND_EX(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(WORD)(id), (UINT)(WORD)(id), AFX_THUNK(return _p->memberFxn(_c.nID);)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                              \
  {WM_COMMAND, CN_COMMAND, (UINT)(WORD)(id), (UINT)(WORD)(idLast),           \
   AFX_THUNK(_p->memberFxn(_c.nID); return TRUE;)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(WORD)(id), (UINT)(WORD)(idLast), AFX_THUNK(return _p->memberFxn(_c.nID);)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                     \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(WORD)(id), (UINT)(WORD)(id),        \
   AFX_THUNK(_p->memberFxn(static_cast<CCmdUI*>(_c.pExtra)); return TRUE;)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                       \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(WORD)(id), (UINT)(WORD)(idLast),    \
   AFX_THUNK(_p->memberFxn(static_cast<CCmdUI*>(_c.pExtra)); return TRUE;)},

// Control notifications through WM_COMMAND
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(WORD)(id), (UINT)(WORD)(id), AFX_THUNK(_p->memberFxn(); return TRUE;)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                          \
  {WM_COMMAND, (UINT)(WORD)(wNotifyCode), (UINT)(WORD)(id), (UINT)(WORD)(idLast),     \
   AFX_THUNK(_p->memberFxn(_c.nID); return TRUE;)},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
  {WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AFX_THUNK(_p->memberFxn(); return TRUE;)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
  {WM_COMMAND + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0, AFX_THUNK(return _p->memberFxn();)},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_ERRSPACE(id, memberFxn) ON_CONTROL(EN_ERRSPACE, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_ERRSPACE(id, memberFxn) ON_CONTROL(CBN_ERRSPACE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_ERRSPACE(id, memberFxn) ON_CONTROL(LBN_ERRSPACE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// WM_NOTIFY
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                           \
  {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(WORD)(id), (UINT)(WORD)(id),            \
   AFX_THUNK(AFX_NOTIFY* _n = static_cast<AFX_NOTIFY*>(_c.pExtra);                       \
             _p->memberFxn(_n->pNMHDR, _n->pResult); return TRUE;)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                             \
  {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(WORD)(id), (UINT)(WORD)(idLast),        \
   AFX_THUNK(AFX_NOTIFY* _n = static_cast<AFX_NOTIFY*>(_c.pExtra);                       \
             _p->memberFxn(_c.nID, _n->pNMHDR, _n->pResult); return TRUE;)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                        \
  {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(WORD)(id), (UINT)(WORD)(id),            \
   AFX_THUNK(AFX_NOTIFY* _n = static_cast<AFX_NOTIFY*>(_c.pExtra);                       \
             return _p->memberFxn(_c.nID, _n->pNMHDR, _n->pResult);)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                          \
  {WM_NOTIFY, (UINT)(WORD)(wNotifyCode), (UINT)(WORD)(id), (UINT)(WORD)(idLast),        \
   AFX_THUNK(AFX_NOTIFY* _n = static_cast<AFX_NOTIFY*>(_c.pExtra);                       \
             return _p->memberFxn(_c.nID, _n->pNMHDR, _n->pResult);)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                       \
  {WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0,                        \
   AFX_THUNK(AFX_NOTIFY* _n = static_cast<AFX_NOTIFY*>(_c.pExtra);                       \
             _p->memberFxn(_n->pNMHDR, _n->pResult); return TRUE;)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                    \
  {WM_NOTIFY + WM_REFLECT_BASE, (UINT)(WORD)(wNotifyCode), 0, 0,                        \
   AFX_THUNK(AFX_NOTIFY* _n = static_cast<AFX_NOTIFY*>(_c.pExtra);                       \
             return _p->memberFxn(_n->pNMHDR, _n->pResult);)},

// User messages
#define ON_MESSAGE(message, memberFxn) \
  AFX_WM_ENTRY(message, _c.lResult = _p->memberFxn(_c.wParam, _c.lParam); return TRUE;)
#define ON_THREAD_MESSAGE(message, memberFxn) \
  AFX_WM_ENTRY(message, _p->memberFxn(_c.wParam, _c.lParam); return TRUE;)

// Window messages with the platform's handler signatures
#define AFX_PT(l) CPoint((int)(short)LOWORD(l), (int)(short)HIWORD(l))
#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, _c.lResult = _p->OnCreate(reinterpret_cast<LPCREATESTRUCT>(_c.lParam)); return TRUE;)
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, _p->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, _p->OnNcDestroy(); return TRUE;)
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, _p->OnClose(); return TRUE;)
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, _p->OnPaint(); return TRUE;)
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, _p->OnNcPaint(); return TRUE;)
#define ON_WM_ERASEBKGND() AFX_WM_ENTRY(WM_ERASEBKGND, _c.lResult = _p->OnEraseBkgnd(CDC::FromHandle((HDC)_c.wParam)); return TRUE;)
#define ON_WM_SIZE() AFX_WM_ENTRY(WM_SIZE, _p->OnSize((UINT)_c.wParam, (int)(short)LOWORD(_c.lParam), (int)(short)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_MOVE() AFX_WM_ENTRY(WM_MOVE, _p->OnMove((int)(short)LOWORD(_c.lParam), (int)(short)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, _p->OnTimer((UINT)_c.wParam); return TRUE;)
#define ON_WM_LBUTTONDOWN() AFX_WM_ENTRY(WM_LBUTTONDOWN, _p->OnLButtonDown((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_LBUTTONUP() AFX_WM_ENTRY(WM_LBUTTONUP, _p->OnLButtonUp((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_ENTRY(WM_LBUTTONDBLCLK, _p->OnLButtonDblClk((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_RBUTTONDOWN() AFX_WM_ENTRY(WM_RBUTTONDOWN, _p->OnRButtonDown((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_RBUTTONUP() AFX_WM_ENTRY(WM_RBUTTONUP, _p->OnRButtonUp((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_RBUTTONDBLCLK() AFX_WM_ENTRY(WM_RBUTTONDBLCLK, _p->OnRButtonDblClk((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_MBUTTONDOWN() AFX_WM_ENTRY(WM_MBUTTONDOWN, _p->OnMButtonDown((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_MBUTTONUP() AFX_WM_ENTRY(WM_MBUTTONUP, _p->OnMButtonUp((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_MOUSEMOVE() AFX_WM_ENTRY(WM_MOUSEMOVE, _p->OnMouseMove((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_MOUSEWHEEL() AFX_WM_ENTRY(WM_MOUSEWHEEL, _c.lResult = _p->OnMouseWheel((UINT)LOWORD(_c.wParam), (short)HIWORD(_c.wParam), AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_NCLBUTTONDOWN() AFX_WM_ENTRY(WM_NCLBUTTONDOWN, _p->OnNcLButtonDown((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WM_ENTRY(WM_NCLBUTTONDBLCLK, _p->OnNcLButtonDblClk((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_NCMOUSEMOVE() AFX_WM_ENTRY(WM_NCMOUSEMOVE, _p->OnNcMouseMove((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, _c.lResult = (LRESULT)_p->OnNcHitTest(AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_NCCALCSIZE() AFX_WM_ENTRY(WM_NCCALCSIZE, _p->OnNcCalcSize((BOOL)_c.wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(_c.lParam)); return TRUE;)
#define ON_WM_KEYDOWN() AFX_WM_ENTRY(WM_KEYDOWN, _p->OnKeyDown((UINT)_c.wParam, (UINT)LOWORD(_c.lParam), (UINT)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_KEYUP() AFX_WM_ENTRY(WM_KEYUP, _p->OnKeyUp((UINT)_c.wParam, (UINT)LOWORD(_c.lParam), (UINT)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_CHAR() AFX_WM_ENTRY(WM_CHAR, _p->OnChar((UINT)_c.wParam, (UINT)LOWORD(_c.lParam), (UINT)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_SYSKEYDOWN() AFX_WM_ENTRY(WM_SYSKEYDOWN, _p->OnSysKeyDown((UINT)_c.wParam, (UINT)LOWORD(_c.lParam), (UINT)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_SYSKEYUP() AFX_WM_ENTRY(WM_SYSKEYUP, _p->OnSysKeyUp((UINT)_c.wParam, (UINT)LOWORD(_c.lParam), (UINT)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_SYSCHAR() AFX_WM_ENTRY(WM_SYSCHAR, _p->OnSysChar((UINT)_c.wParam, (UINT)LOWORD(_c.lParam), (UINT)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_SETCURSOR() AFX_WM_ENTRY(WM_SETCURSOR, _c.lResult = _p->OnSetCursor(CWnd::FromHandle((HWND)_c.wParam), (UINT)LOWORD(_c.lParam), (UINT)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_HSCROLL() AFX_WM_ENTRY(WM_HSCROLL, _p->OnHScroll((UINT)LOWORD(_c.wParam), (UINT)(short)HIWORD(_c.wParam), (CScrollBar*)CWnd::FromHandle((HWND)_c.lParam)); return TRUE;)
#define ON_WM_VSCROLL() AFX_WM_ENTRY(WM_VSCROLL, _p->OnVScroll((UINT)LOWORD(_c.wParam), (UINT)(short)HIWORD(_c.wParam), (CScrollBar*)CWnd::FromHandle((HWND)_c.lParam)); return TRUE;)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, _p->OnSetFocus(CWnd::FromHandle((HWND)_c.wParam)); return TRUE;)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, _p->OnKillFocus(CWnd::FromHandle((HWND)_c.wParam)); return TRUE;)
#define ON_WM_CTLCOLOR()                                                                 \
  AFX_WM_ENTRY(WM_CTLCOLOR, AFX_CTLCOLOR* _cc = reinterpret_cast<AFX_CTLCOLOR*>(_c.lParam); \
               _c.lResult = (LRESULT)_p->OnCtlColor(CDC::FromHandle(_cc->hDC),              \
                                                    CWnd::FromHandle(_cc->hWnd), _cc->nCtlType); \
               return TRUE;)
#define ON_WM_CTLCOLOR_REFLECT()                                                         \
  AFX_WM_ENTRY(WM_CTLCOLOR + WM_REFLECT_BASE,                                            \
               AFX_CTLCOLOR* _cc = reinterpret_cast<AFX_CTLCOLOR*>(_c.lParam);              \
               _c.lResult = (LRESULT)_p->CtlColor(CDC::FromHandle(_cc->hDC), _cc->nCtlType); \
               return TRUE;)
#define ON_WM_DRAWITEM() AFX_WM_ENTRY(WM_DRAWITEM, _p->OnDrawItem((int)_c.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(_c.lParam)); _c.lResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() AFX_WM_ENTRY(WM_MEASUREITEM, _p->OnMeasureItem((int)_c.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(_c.lParam)); _c.lResult = TRUE; return TRUE;)
#define ON_WM_DRAWITEM_REFLECT() AFX_WM_ENTRY(WM_DRAWITEM + WM_REFLECT_BASE, _p->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(_c.lParam)); _c.lResult = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() AFX_WM_ENTRY(WM_MEASUREITEM + WM_REFLECT_BASE, _p->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(_c.lParam)); _c.lResult = TRUE; return TRUE;)
#define ON_WM_HSCROLL_REFLECT() AFX_WM_ENTRY(WM_HSCROLL + WM_REFLECT_BASE, _p->HScroll((UINT)LOWORD(_c.wParam), (UINT)(short)HIWORD(_c.wParam)); return TRUE;)
#define ON_WM_VSCROLL_REFLECT() AFX_WM_ENTRY(WM_VSCROLL + WM_REFLECT_BASE, _p->VScroll((UINT)LOWORD(_c.wParam), (UINT)(short)HIWORD(_c.wParam)); return TRUE;)
#define ON_WM_PARENTNOTIFY_REFLECT() AFX_WM_ENTRY(WM_PARENTNOTIFY + WM_REFLECT_BASE, _p->ParentNotify((UINT)LOWORD(_c.wParam), _c.lParam); return TRUE;)
#define ON_WM_COMPAREITEM() AFX_WM_ENTRY(WM_COMPAREITEM, _c.lResult = _p->OnCompareItem((int)_c.wParam, reinterpret_cast<LPCOMPAREITEMSTRUCT>(_c.lParam)); return TRUE;)
#define ON_WM_DELETEITEM() AFX_WM_ENTRY(WM_DELETEITEM, _p->OnDeleteItem((int)_c.wParam, reinterpret_cast<LPDELETEITEMSTRUCT>(_c.lParam)); _c.lResult = TRUE; return TRUE;)
#define ON_WM_CHARTOITEM() AFX_WM_ENTRY(WM_CHARTOITEM, _c.lResult = _p->OnCharToItem((UINT)LOWORD(_c.wParam), (CListBox*)CWnd::FromHandle((HWND)_c.lParam), (UINT)HIWORD(_c.wParam)); return TRUE;)
#define ON_WM_VKEYTOITEM() AFX_WM_ENTRY(WM_VKEYTOITEM, _c.lResult = _p->OnVKeyToItem((UINT)LOWORD(_c.wParam), (CListBox*)CWnd::FromHandle((HWND)_c.lParam), (UINT)HIWORD(_c.wParam)); return TRUE;)
#define ON_WM_COMPAREITEM_REFLECT() AFX_WM_ENTRY(WM_COMPAREITEM + WM_REFLECT_BASE, _c.lResult = _p->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(_c.lParam)); return TRUE;)
#define ON_WM_DELETEITEM_REFLECT() AFX_WM_ENTRY(WM_DELETEITEM + WM_REFLECT_BASE, _p->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(_c.lParam)); _c.lResult = TRUE; return TRUE;)
#define ON_WM_CHARTOITEM_REFLECT() AFX_WM_ENTRY(WM_CHARTOITEM + WM_REFLECT_BASE, _c.lResult = _p->CharToItem((UINT)LOWORD(_c.wParam), (UINT)HIWORD(_c.wParam)); return TRUE;)
#define ON_WM_VKEYTOITEM_REFLECT() AFX_WM_ENTRY(WM_VKEYTOITEM + WM_REFLECT_BASE, _c.lResult = _p->VKeyToItem((UINT)LOWORD(_c.wParam), (UINT)HIWORD(_c.wParam)); return TRUE;)
#define ON_WM_MBUTTONDBLCLK() AFX_WM_ENTRY(WM_MBUTTONDBLCLK, _p->OnMButtonDblClk((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_NCLBUTTONUP() AFX_WM_ENTRY(WM_NCLBUTTONUP, _p->OnNcLButtonUp((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_NCRBUTTONDOWN() AFX_WM_ENTRY(WM_NCRBUTTONDOWN, _p->OnNcRButtonDown((UINT)_c.wParam, AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_DEVICECHANGE() AFX_WM_ENTRY(WM_DEVICECHANGE, _c.lResult = _p->OnDeviceChange((UINT)_c.wParam, (DWORD_PTR)_c.lParam); return TRUE;)
#define ON_WM_INITMENU() AFX_WM_ENTRY(WM_INITMENU, _p->OnInitMenu(CMenu::FromHandle((HMENU)_c.wParam)); return TRUE;)
#define ON_WM_INITMENUPOPUP() AFX_WM_ENTRY(WM_INITMENUPOPUP, _p->OnInitMenuPopup(CMenu::FromHandle((HMENU)_c.wParam), (UINT)LOWORD(_c.lParam), (BOOL)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_MENUSELECT() AFX_WM_ENTRY(WM_MENUSELECT, _p->OnMenuSelect((UINT)LOWORD(_c.wParam), (UINT)HIWORD(_c.wParam), (HMENU)_c.lParam); return TRUE;)
#define ON_WM_CONTEXTMENU() AFX_WM_ENTRY(WM_CONTEXTMENU, _p->OnContextMenu(CWnd::FromHandle((HWND)_c.wParam), AFX_PT(_c.lParam)); return TRUE;)
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, _p->OnDropFiles((HDROP)_c.wParam); return TRUE;)
#define ON_WM_GETMINMAXINFO() AFX_WM_ENTRY(WM_GETMINMAXINFO, _p->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(_c.lParam)); return TRUE;)
#define ON_WM_SHOWWINDOW() AFX_WM_ENTRY(WM_SHOWWINDOW, _p->OnShowWindow((BOOL)_c.wParam, (UINT)_c.lParam); return TRUE;)
#define ON_WM_ACTIVATE() AFX_WM_ENTRY(WM_ACTIVATE, _p->OnActivate((UINT)LOWORD(_c.wParam), CWnd::FromHandle((HWND)_c.lParam), (BOOL)HIWORD(_c.wParam)); return TRUE;)
#define ON_WM_ACTIVATEAPP() AFX_WM_ENTRY(WM_ACTIVATEAPP, _p->OnActivateApp((BOOL)_c.wParam, (DWORD)_c.lParam); return TRUE;)
#define ON_WM_MOUSEACTIVATE() AFX_WM_ENTRY(WM_MOUSEACTIVATE, _c.lResult = _p->OnMouseActivate(CWnd::FromHandle((HWND)_c.wParam), (UINT)LOWORD(_c.lParam), (UINT)HIWORD(_c.lParam)); return TRUE;)
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY(WM_SYSCOMMAND, _p->OnSysCommand((UINT)_c.wParam, _c.lParam); return TRUE;)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, _p->OnEnable((BOOL)_c.wParam); return TRUE;)
#define ON_WM_CANCELMODE() AFX_WM_ENTRY(WM_CANCELMODE, _p->OnCancelMode(); return TRUE;)
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY(WM_CAPTURECHANGED, _p->OnCaptureChanged(CWnd::FromHandle((HWND)_c.lParam)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, _p->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(_c.lParam)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, _p->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(_c.lParam)); return TRUE;)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, _c.lResult = (LRESULT)_p->OnGetDlgCode(); return TRUE;)
#define ON_WM_QUERYNEWPALETTE() AFX_WM_ENTRY(WM_QUERYNEWPALETTE, _c.lResult = _p->OnQueryNewPalette(); return TRUE;)
#define ON_WM_PALETTECHANGED() AFX_WM_ENTRY(WM_PALETTECHANGED, _p->OnPaletteChanged(CWnd::FromHandle((HWND)_c.wParam)); return TRUE;)
#define ON_WM_QUERYENDSESSION() AFX_WM_ENTRY(WM_QUERYENDSESSION, _c.lResult = _p->OnQueryEndSession(); return TRUE;)
#define ON_WM_ENDSESSION() AFX_WM_ENTRY(WM_ENDSESSION, _p->OnEndSession((BOOL)_c.wParam); return TRUE;)
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, _p->OnSysColorChange(); return TRUE;)
#define ON_WM_SETTINGCHANGE() AFX_WM_ENTRY(WM_SETTINGCHANGE, _p->OnSettingChange((UINT)_c.wParam, reinterpret_cast<LPCTSTR>(_c.lParam)); return TRUE;)
#define ON_WM_COPYDATA() AFX_WM_ENTRY(WM_COPYDATA, _c.lResult = _p->OnCopyData(CWnd::FromHandle((HWND)_c.wParam), reinterpret_cast<COPYDATASTRUCT*>(_c.lParam)); return TRUE;)
#define ON_WM_PARENTNOTIFY() AFX_WM_ENTRY(WM_PARENTNOTIFY, _p->OnParentNotify((UINT)LOWORD(_c.wParam), _c.lParam); return TRUE;)
#define ON_WM_CHILDACTIVATE() AFX_WM_ENTRY(WM_CHILDACTIVATE, _p->OnChildActivate(); return TRUE;)
#define ON_WM_QUERYDRAGICON() AFX_WM_ENTRY(WM_QUERYDRAGICON, _c.lResult = (LRESULT)_p->OnQueryDragIcon(); return TRUE;)
#define ON_WM_NCACTIVATE() AFX_WM_ENTRY(WM_NCACTIVATE, _c.lResult = _p->OnNcActivate((BOOL)_c.wParam); return TRUE;)
#define ON_WM_NCCREATE() AFX_WM_ENTRY(WM_NCCREATE, _c.lResult = _p->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(_c.lParam)); return TRUE;)
#define ON_WM_HELPINFO() AFX_WM_ENTRY(WM_HELP, _c.lResult = _p->OnHelpInfo(reinterpret_cast<HELPINFO*>(_c.lParam)); return TRUE;)
#define ON_WM_SIZING() AFX_WM_ENTRY(WM_SIZING, _p->OnSizing((UINT)_c.wParam, reinterpret_cast<LPRECT>(_c.lParam)); _c.lResult = TRUE; return TRUE;)
#define ON_WM_MOVING() AFX_WM_ENTRY(WM_MOVING, _p->OnMoving((UINT)_c.wParam, reinterpret_cast<LPRECT>(_c.lParam)); _c.lResult = TRUE; return TRUE;)
#define ON_WM_ENTERIDLE() AFX_WM_ENTRY(WM_ENTERIDLE, _p->OnEnterIdle((UINT)_c.wParam, CWnd::FromHandle((HWND)_c.lParam)); return TRUE;)
#define ON_WM_TIMECHANGE() AFX_WM_ENTRY(WM_TIMECHANGE, _p->OnTimeChange(); return TRUE;)
#define ON_WM_DEVMODECHANGE() AFX_WM_ENTRY(WM_DEVMODECHANGE, _p->OnDevModeChange(reinterpret_cast<LPTSTR>(_c.lParam)); return TRUE;)
#define ON_WM_FONTCHANGE() AFX_WM_ENTRY(WM_FONTCHANGE, _p->OnFontChange(); return TRUE;)

/////////////////////////////////////////////////////////////////////////////
// CCmdTarget

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget();
  ~CCmdTarget() override;

  // Routes a command (nCode CN_COMMAND, CN_UPDATE_COMMAND_UI, a control code, or
  // MAKELONG(code, WM_NOTIFY)) through this target's map chain.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

  // The map entry of this object's maps for a window message, or NULL.
  const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage) const;

  // The count of references to the object's OLE interfaces, 1 at construction; the last
  // release calls OnFinalRelease, which deletes the object.
  DWORD InternalAddRef();
  DWORD InternalRelease();
  DWORD ExternalAddRef() { return InternalAddRef(); }
  DWORD ExternalRelease() { return InternalRelease(); }
  virtual void OnFinalRelease();
  long m_dwRef;

 protected:
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

/////////////////////////////////////////////////////////////////////////////
// CCmdUI: one user-interface item (menu item, button, pane) being updated.

class CCmdUI {
 public:
  CCmdUI();
  virtual ~CCmdUI() = default;

  UINT m_nID;
  UINT m_nIndex;
  CMenu* m_pMenu;
  CMenu* m_pSubMenu;
  CMenu* m_pParentMenu;
  CWnd* m_pOther;
  BOOL m_bEnableChanged;
  BOOL m_bContinueRouting;
  UINT m_nIndexMax;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCTSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Asks pTarget for an update; with no handler and bDisableIfNoHndler, an item whose
  // command nobody handles is disabled. TRUE when a handler ran.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Records what an update handler did, without touching any item.
class CTestCmdUI : public CCmdUI {
 public:
  CTestCmdUI();
  void Enable(BOOL bOn) override;
  void SetCheck(int nCheck) override;
  void SetRadio(BOOL bOn) override;
  void SetText(LPCTSTR lpszText) override;
  BOOL m_bEnabled;
};

#include "afxwin_gdi.h"
#include "afxwin_wnd.h"
#include "afxwin_app.h"
#include "afxwin_doc.h"
#include "afxwin_dlg.h"
