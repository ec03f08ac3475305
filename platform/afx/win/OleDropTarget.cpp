// A window that accepts drops from this or another process. The data object is held from
// the drag's entry to its leave or drop; a view gets the calls through its own handlers.
#include "afxole.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

CView* ViewOf(CWnd* pWnd) {
  return (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) ? static_cast<CView*>(pWnd) : NULL;
}

// The receiver's answer within what the source allows.
DWORD Allowed(DROPEFFECT dropEffect, DWORD dwAllowed) {
  const DWORD scroll = dropEffect & DROPEFFECT_SCROLL;
  dropEffect &= ~DROPEFFECT_SCROLL;
  if ((dropEffect & dwAllowed) != dropEffect) dropEffect = DROPEFFECT_NONE;
  return dropEffect | scroll;
}

}  // namespace

COleDropTarget::COleDropTarget() : m_hWnd(NULL), m_dropEffect(DROPEFFECT_NONE), m_dwScrollSince(0), m_bScrolled(FALSE) {
  m_xDropTarget.m_pThis = this;
}

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
  if (pWnd == NULL || !::IsWindow(pWnd->m_hWnd) || m_hWnd != NULL) return FALSE;
  // Keeps the object from going away while the platform holds it.
  if (FAILED(::CoLockObjectExternal(&m_xDropTarget, TRUE, FALSE))) return FALSE;
  if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, &m_xDropTarget))) {
    ::CoLockObjectExternal(&m_xDropTarget, FALSE, FALSE);
    return FALSE;
  }
  m_hWnd = pWnd->m_hWnd;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (m_hWnd == NULL) return;
  ::RevokeDragDrop(m_hWnd);
  ::CoLockObjectExternal(&m_xDropTarget, FALSE, TRUE);
  m_hWnd = NULL;
  m_dataObject.Release();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  CView* pView = ViewOf(pWnd);
  return pView ? pView->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  CView* pView = ViewOf(pWnd);
  return pView ? pView->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  CView* pView = ViewOf(pWnd);
  return pView ? pView->OnDrop(pDataObject, dropEffect, point) : FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                    DROPEFFECT dropList, CPoint point) {
  CView* pView = ViewOf(pWnd);
  return pView ? pView->OnDropEx(pDataObject, dropDefault, dropList, point) : (DROPEFFECT)-1;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd) {
  if (CView* pView = ViewOf(pWnd)) pView->OnDragLeave();
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point) {
  CView* pView = ViewOf(pWnd);
  if (pView == NULL) return DROPEFFECT_NONE;
  const DROPEFFECT e = pView->OnDragScroll(dwKeyState, point);
  // DROPEFFECT_SCROLL asks for the default: the view scrolls while the point stays in a band
  // along its edges, and hears of the drag everywhere else.
  if (e != DROPEFFECT_SCROLL) return e;
  CRect client;
  pWnd->GetClientRect(&client);
  CRect inner = client;
  const int inset = (int)::GetProfileInt("windows", "DragScrollInset", DD_DEFSCROLLINSET);
  inner.DeflateRect(inset, inset);
  UINT code = MAKEWORD(0xFF, 0xFF);
  if (client.PtInRect(point) && !inner.PtInRect(point)) {
    const BYTE h = point.x < inner.left ? SB_LINEUP : point.x >= inner.right ? SB_LINEDOWN : 0xFF;
    const BYTE v = point.y < inner.top ? SB_LINEUP : point.y >= inner.bottom ? SB_LINEDOWN : 0xFF;
    code = MAKEWORD(h, v);
    if (!pView->OnScroll(code, 0, FALSE)) code = MAKEWORD(0xFF, 0xFF);
  }
  if (code == MAKEWORD(0xFF, 0xFF)) {
    m_dwScrollSince = 0;
    if (m_bScrolled) {
      // Back from scrolling: the view hears of the drag as if it came in now.
      m_bScrolled = FALSE;
      if (m_dataObject.m_lpDataObject != NULL) OnDragEnter(pWnd, &m_dataObject, dwKeyState, point);
    }
    return DROPEFFECT_NONE;
  }
  // A pointer passing through the band does not scroll; one that stays does, a line a call.
  const DWORD now = ::GetTickCount() | 1;
  if (m_dwScrollSince == 0) m_dwScrollSince = now;
  if (now - m_dwScrollSince >= (DWORD)::GetProfileInt("windows", "DragScrollDelay", DD_DEFSCROLLDELAY)) {
    pView->OnScroll(code, 0, TRUE);
    m_bScrolled = TRUE;
  }
  if ((dwKeyState & (MK_CONTROL | MK_SHIFT)) == (MK_CONTROL | MK_SHIFT)) return DROPEFFECT_SCROLL | DROPEFFECT_LINK;
  if (dwKeyState & MK_CONTROL) return DROPEFFECT_SCROLL | DROPEFFECT_COPY;
  if (dwKeyState & (MK_ALT | MK_SHIFT)) return DROPEFFECT_SCROLL | DROPEFFECT_MOVE;
  return DROPEFFECT_SCROLL;
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const {
  POINT p = {pt.x, pt.y};
  ::ScreenToClient(m_hWnd, &p);
  return CPoint(p.x, p.y);
}

STDMETHODIMP COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *ppv = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::AddRef() { return m_pThis->ExternalAddRef(); }
STDMETHODIMP_(ULONG) COleDropTarget::XDropTarget::Release() { return m_pThis->ExternalRelease(); }

STDMETHODIMP COleDropTarget::XDropTarget::DragEnter(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect) {
  COleDropTarget* t = m_pThis;
  if (pdwEffect == NULL) return E_INVALIDARG;
  const DWORD dwAllowed = *pdwEffect;
  *pdwEffect = DROPEFFECT_NONE;
  CWnd* pWnd = CWnd::FromHandle(t->m_hWnd);
  if (pWnd == NULL || pDataObj == NULL) return E_UNEXPECTED;
  pDataObj->AddRef();
  t->m_dataObject.Attach(pDataObj, TRUE);
  try {
    const CPoint point = t->ClientPoint(pt);
    t->m_dwScrollSince = 0;
    t->m_bScrolled = FALSE;
    DROPEFFECT e = t->OnDragScroll(pWnd, grfKeyState, point);
    // Coming in over the band, the view hears of the drag once the point leaves it.
    if (e & DROPEFFECT_SCROLL) t->m_bScrolled = TRUE;
    else e = t->OnDragEnter(pWnd, &t->m_dataObject, grfKeyState, point);
    t->m_dropEffect = *pdwEffect = Allowed(e, dwAllowed);
  } catch (CException* ex) {
    ex->Delete();
  }
  return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect) {
  COleDropTarget* t = m_pThis;
  if (pdwEffect == NULL) return E_INVALIDARG;
  const DWORD dwAllowed = *pdwEffect;
  *pdwEffect = DROPEFFECT_NONE;
  CWnd* pWnd = CWnd::FromHandle(t->m_hWnd);
  if (pWnd == NULL || t->m_dataObject.m_lpDataObject == NULL) return S_OK;
  try {
    const CPoint point = t->ClientPoint(pt);
    DROPEFFECT e = t->OnDragScroll(pWnd, grfKeyState, point);
    if (!(e & DROPEFFECT_SCROLL)) e = t->OnDragOver(pWnd, &t->m_dataObject, grfKeyState, point);
    t->m_dropEffect = *pdwEffect = Allowed(e, dwAllowed);
  } catch (CException* ex) {
    ex->Delete();
  }
  return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::DragLeave() {
  COleDropTarget* t = m_pThis;
  CWnd* pWnd = CWnd::FromHandle(t->m_hWnd);
  try {
    if (pWnd != NULL) t->OnDragLeave(pWnd);
  } catch (CException* ex) {
    ex->Delete();
  }
  t->m_dataObject.Release();
  return S_OK;
}

STDMETHODIMP COleDropTarget::XDropTarget::Drop(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, LPDWORD pdwEffect) {
  COleDropTarget* t = m_pThis;
  if (pdwEffect == NULL) return E_INVALIDARG;
  const DWORD dwAllowed = *pdwEffect;
  *pdwEffect = DROPEFFECT_NONE;
  CWnd* pWnd = CWnd::FromHandle(t->m_hWnd);
  if (pWnd == NULL || pDataObj == NULL) {
    t->m_dataObject.Release();
    return E_UNEXPECTED;
  }
  // The drop's own data object is the one to read, whatever the entry saw.
  pDataObj->AddRef();
  t->m_dataObject.Attach(pDataObj, TRUE);
  try {
    const CPoint point = t->ClientPoint(pt);
    const DROPEFFECT dropDefault =
        Allowed(t->OnDragOver(pWnd, &t->m_dataObject, grfKeyState, point), dwAllowed) & ~DROPEFFECT_SCROLL;
    DROPEFFECT e = t->OnDropEx(pWnd, &t->m_dataObject, dropDefault, dwAllowed, point);
    if (e == (DROPEFFECT)-1) e = (dropDefault != DROPEFFECT_NONE && t->OnDrop(pWnd, &t->m_dataObject, dropDefault, point)) ? dropDefault : DROPEFFECT_NONE;
    *pdwEffect = Allowed(e, dwAllowed) & ~DROPEFFECT_SCROLL;
  } catch (CException* ex) {
    ex->Delete();
  }
  t->m_dataObject.Release();
  return S_OK;
}
