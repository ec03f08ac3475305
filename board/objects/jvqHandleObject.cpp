#include "jvqHandleObject.h"

#include "jvqFill.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

jvqHandleObject::jvqHandleObject() : m_ptCenter{0, 0} {
  m_nClassCode = JVQ_OBJ_HANDLE;
  m_pParent = NULL;
}

jvqHandleObject::jvqHandleObject(const jvqHandleObject& src)
    : jvqRectObject(src), m_ptCenter(src.m_ptCenter) {
  m_nClassCode = src.m_nClassCode;
  m_FramePoints = src.m_FramePoints;
}

jvqObject* jvqHandleObject::Clone() {
  jvqHandleObject* p = new jvqHandleObject(*this);
  p->Recalc();
  return p;
}

BOOL jvqHandleObject::Attach(POINT* pCenter, jvqViewMapping* pView, jvqObject* pOwner, DWORD dwKind) {
  m_nClassCode |= (int)dwKind;
  m_ptCenter = *pCenter;
  RECT rcEmpty = {0, 0, 0, 0};
  if (!SetRect(&rcEmpty, pView, JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE) || pOwner == NULL) return FALSE;
  m_pParent = pOwner;
  SetFill(NULL);
  m_FramePoints = m_GeometryData;
  return TRUE;
}

BOOL jvqHandleObject::IsInactive() const {
  return (m_dwState & JVQ_STATE_TOOLMODE) || (m_pParent && (m_pParent->m_dwState & JVQ_STATE_LOCKED));
}

void jvqHandleObject::SetBox(const RECT& rc) {
  BOOL bCreated = m_GeometryData.GetCount() != 4;
  const POINT pts[4] = {{rc.left, rc.top}, {rc.left, rc.bottom}, {rc.right, rc.bottom}, {rc.right, rc.top}};
  m_GeometryData.SetPoints(pts, 4);
  if (bCreated) m_FramePoints = m_GeometryData;
}

void jvqHandleObject::Recalc() {
  RECT rc = {0, 0, 0, 0};
  if (m_pView) {
#ifdef JVQ_HAVE_GDI
    jvqMappingDC dc(m_pView);
    POINT c = m_ptCenter;
    dc.m_dc.LPtoDP(&c, 1);
#else
    POINT c = m_ptCenter;
#endif
    rc.left = c.x - JVQ_MARKER_SIZE / 2;
    rc.right = rc.left + JVQ_MARKER_SIZE;
    rc.top = c.y - JVQ_MARKER_SIZE / 2;
    rc.bottom = rc.top + JVQ_MARKER_SIZE;
#ifdef JVQ_HAVE_GDI
    dc.m_dc.DPtoLP((LPPOINT)&rc, 2);
#endif
  }
  SetBox(rc);
}

BOOL jvqHandleObject::HitTestInside(int x, int y) {
  if (m_pParent == NULL || !(m_pParent->m_dwState & JVQ_STATE_SELECTED) ||
      (m_pParent->m_dwState & JVQ_STATE_LOCKED))
    return FALSE;
  if ((m_dwState & JVQ_STATE_TOOLMODE) || !IsShown()) return FALSE;
  RECT rc;
  m_GeometryData.GetBoundRect(&rc);
  return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

jvqObject* jvqHandleObject::HitTestMarker(int x, int y) { return HitTestInside(x, y) ? this : NULL; }

void jvqHandleObject::MoveTo(POINT* pPoint, int) {
  // Whatever the anchor, the centre ends on the point and the box is rebuilt around it;
  // one Recalc does both.
  m_ptCenter = *pPoint;
  Recalc();
}

POINT* jvqHandleObject::GetCenter(POINT* pOut) {
  *pOut = m_ptCenter;
  return pOut;
}

void jvqHandleObject::Offset(const SIZE* pSize) {
  m_ptCenter.x += pSize->cx;
  m_ptCenter.y += pSize->cy;
  Recalc();
}

#ifdef JVQ_HAVE_GDI

// Pen and brushes shared by every marker, made on first use.
struct jvqMarkerResources {
  HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HBRUSH hResize = ::CreateSolidBrush(0x00FF00);
  HBRUSH hVertex = ::CreateSolidBrush(0xFF0000);
  HBRUSH hRotate = ::CreateSolidBrush(0xFFFF00);
  HBRUSH hInactive = ::CreateSolidBrush(0xA6A6A6);
  ~jvqMarkerResources() {
    ::DeleteObject(hPen);
    ::DeleteObject(hResize);
    ::DeleteObject(hVertex);
    ::DeleteObject(hRotate);
    ::DeleteObject(hInactive);
  }
};

static jvqMarkerResources& MarkerResources() {
  static jvqMarkerResources res;
  return res;
}

void jvqHandleObject::Draw(CDC* pDC) {
  if (!IsShown()) return;
  HDC hDC = pDC->m_hDC;
  HDC hAttrib = pDC->m_hAttribDC ? pDC->m_hAttribDC : hDC;
  POINT c = m_ptCenter;
  ::LPtoDP(hAttrib, &c, 1);
  const int h = JVQ_MARKER_SIZE / 2;
  RECT box = {c.x - h, c.y - h, c.x + h, c.y + h};
  RECT test = box;
  ::InflateRect(&test, 1, 1);
  ::DPtoLP(hAttrib, (LPPOINT)&test, 2);
  if (!pDC->RectVisible(&test)) return;

  int nOldMode = ::GetMapMode(hDC);
  POINT winOrg, viewOrg;
  SIZE winExt, viewExt;
  ::GetWindowOrgEx(hDC, &winOrg);
  ::GetViewportOrgEx(hDC, &viewOrg);
  ::GetWindowExtEx(hDC, &winExt);
  ::GetViewportExtEx(hDC, &viewExt);
  ::SetMapMode(hDC, MM_TEXT);
  ::SetViewportOrgEx(hDC, 0, 0, NULL);
  ::SetWindowOrgEx(hDC, 0, 0, NULL);

  // The box was computed with the DC's viewport origin; drawing in MM_TEXT at origin 0
  // needs the same device position, so draw where LPtoDP put it.
  int nTool = m_pView ? m_pView->GetCurrentToolId() : -1;
  DWORD dwKind = (DWORD)m_nClassCode & (JVQ_HANDLE_RESIZE | JVQ_HANDLE_VERTEX | JVQ_HANDLE_LABEL);
  BOOL bOwnerLocked = m_pParent && (m_pParent->m_dwState & JVQ_STATE_LOCKED);
  BOOL bNoTurn = m_pParent && (m_pParent->GetEditFlags() & 1);
  jvqMarkerResources& res = MarkerResources();
  if (dwKind & (JVQ_HANDLE_RESIZE | JVQ_HANDLE_VERTEX)) {
    HGDIOBJ hOldPen = ::SelectObject(hDC, res.hPen);
    HBRUSH hNormal = (dwKind & JVQ_HANDLE_RESIZE) ? res.hResize : res.hVertex;
    HGDIOBJ hOldBrush;
    if (nTool == TOOLID_ROTATE) {
      hOldBrush = ::SelectObject(hDC, (IsInactive() || bOwnerLocked || bNoTurn) ? res.hInactive : res.hRotate);
      ::Ellipse(hDC, box.left, box.top, box.right, box.bottom);
    } else {
      hOldBrush = ::SelectObject(hDC, (IsInactive() || bOwnerLocked) ? res.hInactive : hNormal);
      ::Rectangle(hDC, box.left, box.top, box.right, box.bottom);
    }
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
  }

  ::SetMapMode(hDC, nOldMode);
  ::SetWindowOrgEx(hDC, winOrg.x, winOrg.y, NULL);
  ::SetViewportOrgEx(hDC, viewOrg.x, viewOrg.y, NULL);
  ::SetWindowExtEx(hDC, winExt.cx, winExt.cy, NULL);
  ::SetViewportExtEx(hDC, viewExt.cx, viewExt.cy, NULL);

  ::DPtoLP(hAttrib, (LPPOINT)&box, 2);
  const POINT pts[4] = {{box.left, box.top}, {box.left, box.bottom}, {box.right, box.bottom}, {box.right, box.top}};
  m_GeometryData.SetPoints(pts, 4);
  m_FramePoints = m_GeometryData;
}

#else

void jvqHandleObject::Draw(CDC*) {}

#endif
