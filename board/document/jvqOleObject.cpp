#include "jvqOleObject.h"

#include <cstdint>

#include "afxarch.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "jvqDocument.h"
#endif

jvqOleObject::jvqOleObject(const RECT* pRect, int nItemIndex, jvqViewMapping* pView, jvqDocument* pDocument)
    : jvqFrameObject(pRect, pView, 0x311),
      m_nReserved1(0),
      m_nReserved2(0),
      m_nItemIndex(nItemIndex),
      m_pDocument(pDocument) {
  m_nClassCode |= 0x80;
  m_nEditFlags = 3;
}

jvqOleObject::jvqOleObject(const jvqOleObject& src)
    : jvqFrameObject(src),
      m_nReserved1(src.m_nReserved1),
      m_nReserved2(src.m_nReserved2),
      m_nItemIndex(src.m_nItemIndex),
      m_pDocument(src.m_pDocument) {
  m_nClassCode |= 0x80;
  m_nEditFlags = 3;
}

jvqObject* jvqOleObject::Clone() { return new jvqOleObject(*this); }


BOOL jvqOleObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  if (!jvqRectObject::Load(pFile, pHeader)) return FALSE;
  try {
    int32_t v[3];
    if (pFile->Read(v, sizeof v) != sizeof v) return FALSE;
    m_nReserved1 = v[0];
    m_nReserved2 = v[1];
    m_nItemIndex = v[2];
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqOleObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  if (!jvqObject::Store(pFile, pHeader)) return FALSE;
  try {
    const int32_t v[3] = {m_nReserved1, m_nReserved2, m_nItemIndex};
    pFile->Write(v, sizeof v);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

void jvqOleObject::Serialize(CArchive& ar, jvqDocument* pDocument) {
  ar.Flush();
  jvqObject::Serialize(ar, pDocument);
  ar.Flush();
}

#ifdef JVQ_HAVE_GDI

COleClientItem* jvqOleObject::GetClientItem() { return m_pDocument ? m_pDocument->GetOleItem(m_nItemIndex) : NULL; }

void jvqOleObject::SetSizeFromItem(COleClientItem* pItem) {
  SIZE ext;
  if (pItem == NULL || !pItem->GetExtent(&ext)) return;
  const RECT r = {0, 0, ext.cx / 10, ext.cy / 10};
  SetFrameRect(&r);
  Recalc();
}

BOOL jvqOleObject::IsOnScreen(CDC* pDC) {
  if ((m_dwState & (JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE)) != (JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE)) return FALSE;
  RECT r;
  GetOutline()->GetBoundRect(&r);
  const int w = m_LineStyle.GetWidth();
  ::InflateRect(&r, w, w);
  return pDC->RectVisible(&r);
}

void jvqOleObject::Draw(CDC* pDC) {
  if (!IsOnScreen(pDC)) return;
  // An object whose item is missing shows nothing at all on screen.
  COleClientItem* pItem = GetClientItem();
  if (pItem == NULL) return;
  for (jvqObject* h : m_ResizeHandles.m_items) h->m_dwState |= JVQ_STATE_VISIBLE;
  jvqFrameObject::Draw(pDC);
  RECT r;
  GetHandlePointBounds(&r);
  pItem->Draw(pDC, &r, DVASPECT_CONTENT);
}

void jvqOleObject::Render(CDC* pDC) {
  if (!IsOnScreen(pDC)) return;
  jvqFrameObject::Render(pDC);
  // Printed, an object whose item is missing still shows where it was.
  if (COleClientItem* pItem = GetClientItem()) {
    RECT r;
    GetHandlePointBounds(&r);
    pItem->Draw(pDC, &r);
  }
}

void jvqOleObject::Invalidate() {
  // The whole view: an item may draw outside its frame while its server changes it.
  if (m_pView == NULL || !m_pView->HasOwnerWindow()) return;
  HWND hWnd = m_pView->m_pOwnerWnd->GetSafeHwnd();
  ::InvalidateRect(hWnd, NULL, FALSE);
  ::UpdateWindow(hWnd);
}

void jvqOleObject::Deactivate() {
  // Whichever item is active in this object's window, not necessarily this object's own.
  if (m_pDocument == NULL || m_pView == NULL || m_pView->m_pOwnerWnd == NULL) return;
  COleClientItem* pActive = m_pDocument->GetInPlaceActiveItem(m_pView->m_pOwnerWnd);
  if (pActive != NULL && (CWnd*)pActive->m_pView == m_pView->m_pOwnerWnd) pActive->Deactivate();
}

#else

COleClientItem* jvqOleObject::GetClientItem() { return NULL; }
void jvqOleObject::SetSizeFromItem(COleClientItem*) {}

BOOL jvqOleObject::IsOnScreen(CDC*) { return FALSE; }
void jvqOleObject::Draw(CDC*) {}
void jvqOleObject::Render(CDC*) {}
void jvqOleObject::Invalidate() {}
void jvqOleObject::Deactivate() {}

#endif
