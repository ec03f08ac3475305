#include "jvqOleItem.h"

#include "jvqDocument.h"
#include "jvqOleObject.h"
#include "jvqViewMapping.h"

IMPLEMENT_SERIAL(jvqOleItem, COleClientItem, 0)

void (*jvqOleItem::s_pfnItemClosed)(jvqOleItem*) = NULL;

jvqOleItem::jvqOleItem(jvqDocument* pDocument, jvqOleObject* pOwner)
    : COleClientItem(pDocument), m_bOpened(FALSE), m_bFirstClose(TRUE), m_pOwner(pOwner) {}

void jvqOleItem::OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) {
  COleClientItem::OnChange(nCode, dwParam);
  if (m_pOwner == NULL) return;
  switch (nCode) {
    case OLE_CHANGED:
    case OLE_CHANGED_STATE:
    case OLE_CHANGED_ASPECT: m_pOwner->Invalidate(); break;
    case OLE_CLOSED:
      if (s_pfnItemClosed) s_pfnItemClosed(this);
      if (m_bFirstClose) {
        UpdateExtent();
        m_bFirstClose = FALSE;
      }
      m_bOpened = FALSE;
      m_pOwner->Invalidate();
      break;
    default: break;
  }
}

BOOL jvqOleItem::UpdateExtent() {
  SIZE ext;
  if (m_pOwner == NULL || !GetExtent(&ext)) return FALSE;
  const int w = ext.cx / 10, h = ext.cy / 10;
  RECT r;
  m_pOwner->GetBoundRect(&r);
  if (r.right - r.left == w && r.bottom - r.top == h) return FALSE;
  r.right = r.left + w;
  r.bottom = r.top + h;
  m_pOwner->SetFrameRect(&r);
  m_pOwner->Recalc();
  return TRUE;
}

namespace {

// The mapping's device units run over the whole scrollable page; the view's client area
// starts at its scroll position.
CPoint ScrollOf(jvqViewMapping* pMapping) {
  CScrollView* pView =
      pMapping && pMapping->HasOwnerWindow() ? DYNAMIC_DOWNCAST(CScrollView, pMapping->m_pOwnerWnd) : NULL;
  return pView ? pView->GetDeviceScrollPosition() : CPoint(0, 0);
}

}  // namespace

void jvqOleItem::OnGetItemPosition(CRect& rPosition) {
  rPosition.SetRectEmpty();
  if (m_pOwner == NULL) return;
  RECT r;
  m_pOwner->GetHandlePointBounds(&r);
  if (m_pOwner->m_pView) {
    m_pOwner->m_pView->RectToDevice(&r);
    const CPoint scroll = ScrollOf(m_pOwner->m_pView);
    ::OffsetRect(&r, -scroll.x, -scroll.y);
  }
  rPosition = r;
}

BOOL jvqOleItem::OnChangeItemPosition(const CRect& rectPos) {
  if (m_pOwner != NULL) {
    RECT r = rectPos;
    if (m_pOwner->m_pView) {
      const CPoint scroll = ScrollOf(m_pOwner->m_pView);
      ::OffsetRect(&r, scroll.x, scroll.y);
      m_pOwner->m_pView->RectToLogical(&r);
    }
    RECT now;
    m_pOwner->GetHandlePointBounds(&now);
    if (!::EqualRect(&r, &now)) {
      m_pOwner->Invalidate();
      m_pOwner->SetFrameRect(&r);
      m_pOwner->Invalidate();
      if (GetDocument()) GetDocument()->SetModifiedFlag(TRUE);
    }
  }
  return COleClientItem::OnChangeItemPosition(rectPos);
}
