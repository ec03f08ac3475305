// The source side of a drag: which button drops, which cancels, and when the drag starts.
#include "afxole.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

COleDropSource::COleDropSource() : m_bDragStarted(FALSE), m_dwButtonDrop(MK_LBUTTON), m_dwButtonCancel(MK_RBUTTON) {
  m_xDropSource.m_pThis = this;
  ::SetRectEmpty(&m_rectStartDrag);
}

BOOL COleDropSource::OnBeginDrag(CWnd*) {
  // The button held now drops; the other one cancels.
  const BOOL bRight = (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) && !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000);
  m_dwButtonDrop = bRight ? MK_RBUTTON : MK_LBUTTON;
  m_dwButtonCancel = bRight ? MK_LBUTTON : MK_RBUTTON;
  m_bDragStarted = FALSE;
  if (::IsRectEmpty(&m_rectStartDrag)) {
    m_bDragStarted = TRUE;
    return TRUE;
  }
  const int vkDrop = bRight ? VK_RBUTTON : VK_LBUTTON;
  for (;;) {
    if (::GetAsyncKeyState(VK_ESCAPE) & 0x8000) return FALSE;
    if (!(::GetAsyncKeyState(vkDrop) & 0x8000)) return FALSE;
    POINT pt;
    ::GetCursorPos(&pt);
    if (!::PtInRect(&m_rectStartDrag, pt)) break;
    ::Sleep(10);
  }
  m_bDragStarted = TRUE;
  return TRUE;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
  if (bEscapePressed || (dwKeyState & m_dwButtonCancel)) {
    m_bDragStarted = FALSE;
    return DRAGDROP_S_CANCEL;
  }
  if (!(dwKeyState & m_dwButtonDrop)) return m_bDragStarted ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
  return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }

STDMETHODIMP COleDropSource::XDropSource::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropSource) {
    *ppv = static_cast<IDropSource*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) COleDropSource::XDropSource::AddRef() { return m_pThis->ExternalAddRef(); }
STDMETHODIMP_(ULONG) COleDropSource::XDropSource::Release() { return m_pThis->ExternalRelease(); }

STDMETHODIMP COleDropSource::XDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) {
  return m_pThis->QueryContinueDrag(bEscapePressed, dwKeyState);
}

STDMETHODIMP COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect) { return m_pThis->GiveFeedback(dwEffect); }
