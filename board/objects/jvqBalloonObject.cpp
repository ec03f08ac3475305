#include "jvqBalloonObject.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "jvqEllipticObject.h"
#include "jvqGeometry.h"
#include "jvqHandleObject.h"
#include "jvqObjectDefaults.h"
#include "jvqRecordIO.h"
#include "jvqRoundRectObject.h"
#include "jvqTextObject.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

namespace {

// The first base points lie this many degrees either side of the tip, seen from the centre.
const int kBaseSpread = 20;

void SetShown(jvqObject* p, BOOL bShown) {
  if (bShown)
    p->m_dwState |= JVQ_STATE_VISIBLE;
  else
    p->m_dwState &= ~JVQ_STATE_VISIBLE;
}

// A clone of the text prototype, or the built-in text when there is none: the text of a
// balloon draws no frame and has no inside of its own.
jvqTextObject* NewBalloonText(jvqViewMapping* pView) {
  jvqObject* p = GetObjectDefaults()->CreateFromPrototype(JVQ_OBJ_TEXT);
  if (p != NULL && p->GetClassCode() != JVQ_OBJ_TEXT) {
    delete p;
    p = NULL;
  }
  jvqTextObject* t = p ? (jvqTextObject*)p : jvqTextObject::MakeDefault(pView);
  t->m_LineStyle = theNoLineStyle;
  t->SetFill(NULL);
  return t;
}

// Where a point sits on a closed outline: the edge from point i to point i + 1, and how far.
struct OutlinePlace {
  int edge;
  double t;
};

OutlinePlace NearestPlace(const jvqPointList& o, const POINT& p) {
  const int n = o.GetCount();
  OutlinePlace best = {0, 0};
  double bestD = -1;
  for (int i = 0; i < n; i++) {
    const POINT* a = o.GetAt(i);
    const POINT* b = o.GetAt((i + 1) % n);
    const double dx = b->x - a->x, dy = b->y - a->y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a->x) * dx + (p.y - a->y) * dy) / len2 : 0;
    t = std::max(0.0, std::min(1.0, t));
    const double qx = a->x + t * dx - p.x, qy = a->y + t * dy - p.y;
    const double d = qx * qx + qy * qy;
    if (bestD < 0 || d < bestD) {
      bestD = d;
      best = {i, t};
    }
  }
  return best;
}

POINT PlacePoint(const jvqPointList& o, const OutlinePlace& q) {
  const int n = o.GetCount();
  const POINT* a = o.GetAt(q.edge);
  const POINT* b = o.GetAt((q.edge + 1) % n);
  return {(LONG)std::lround(a->x + q.t * (b->x - a->x)), (LONG)std::lround(a->y + q.t * (b->y - a->y))};
}

double EdgeLength(const jvqPointList& o, int i) {
  const POINT* a = o.GetAt(i);
  const POINT* b = o.GetAt((i + 1) % o.GetCount());
  return std::hypot((double)(b->x - a->x), (double)(b->y - a->y));
}

// Where the ray from the body's centre in a compass direction leaves the body's outline.
// (The shared angle lookup picks the wrong edge of an ellipse's outline, so the balloon
// casts the ray itself: the body is convex, the farthest crossing is the one.)
BOOL OutlinePointAtAngle(jvqObject* pBody, int nAngle, POINT* pOut) {
  const jvqPointList& o = *pBody->GetOutline();
  const int n = o.GetCount();
  if (n < 2) return FALSE;
  POINT c, outer;
  pBody->GetCenter(&c);
  RECT rb;
  o.GetBoundRect(&rb);
  GetPointAtAngle(&outer, c.x, c.y, nAngle, 2 * std::max(rb.right - rb.left, rb.bottom - rb.top) + 2);
  const double rx = outer.x - c.x, ry = outer.y - c.y;
  double best = -1;
  for (int i = 0; i < n; i++) {
    const POINT* a = o.GetAt(i);
    const POINT* b = o.GetAt((i + 1) % n);
    const double sx = b->x - a->x, sy = b->y - a->y;
    const double den = rx * sy - ry * sx;
    if (den == 0) continue;
    const double qx = a->x - c.x, qy = a->y - c.y;
    const double t = (qx * sy - qy * sx) / den;  // along the ray
    const double u = (qx * ry - qy * rx) / den;  // along the edge
    if (t < 0 || u < 0 || u > 1 || t <= best) continue;
    best = t;
    pOut->x = (LONG)std::lround(c.x + t * rx);
    pOut->y = (LONG)std::lround(c.y + t * ry);
  }
  return best >= 0;
}

}  // namespace

jvqBalloonObject::jvqBalloonObject(jvqViewMapping* pView)
    : jvqPolylineObject(pView), m_pBody(NULL), m_pText(NULL), m_pA(NULL), m_pB(NULL), m_pT(NULL), m_nTipIndex(0),
      m_nAIndex(0), m_nBIndex(0), m_ptFeedback{0, 0} {
  m_pView = pView;
  m_pParent = NULL;
  m_nClassCode = JVQ_OBJ_BALLOON;
  m_pText = NewBalloonText(pView);
  m_LineStyle = theSolidLineStyle;
  m_nEditFlags = 1;
}

jvqBalloonObject::jvqBalloonObject(const jvqBalloonObject& src)
    : jvqPolylineObject(src), m_pBody(src.m_pBody ? src.m_pBody->Clone() : NULL),
      m_pText(src.m_pText ? (jvqTextObject*)src.m_pText->Clone() : NULL), m_pA(NULL), m_pB(NULL), m_pT(NULL),
      m_nTipIndex(src.m_nTipIndex), m_nAIndex(src.m_nAIndex), m_nBIndex(src.m_nBIndex), m_ptFeedback{0, 0} {
  m_nClassCode = JVQ_OBJ_BALLOON;
  if (m_VertexMarkers.GetCount() >= 3) {
    m_pT = (jvqHandleObject*)m_VertexMarkers.GetAt(0);
    m_pA = (jvqHandleObject*)m_VertexMarkers.GetAt(1);
    m_pB = (jvqHandleObject*)m_VertexMarkers.GetAt(2);
  }
  Recalc();
}

jvqBalloonObject::~jvqBalloonObject() {
  delete m_pBody;
  delete m_pText;
}

jvqObject* jvqBalloonObject::Clone() {
  Recalc();
  return new jvqBalloonObject(*this);
}

BOOL jvqBalloonObject::IsBodyClass(int nClassCode) {
  return nClassCode == JVQ_OBJ_RECT || nClassCode == JVQ_OBJ_ROUNDRECT || nClassCode == JVQ_OBJ_ELLIPSE;
}

void jvqBalloonObject::SetText(jvqTextObject* pText) {
  if (pText == m_pText) return;
  delete m_pText;
  m_pText = pText;
}

void jvqBalloonObject::ForgetTail() {
  m_VertexMarkers.RemoveAll();  // T, A and B are the vertex markers
  m_pA = m_pB = m_pT = NULL;
}

jvqHandleObject* jvqBalloonObject::NewTailMarker(const POINT* pAt) {
  jvqHandleObject* h = MakeMarker(pAt, JVQ_HANDLE_VERTEX);
  SetShown(h, FALSE);
  return h;
}

BOOL jvqBalloonObject::SetBody(jvqObject* pBody, jvqViewMapping* pView, DWORD dwState) {
  if (pBody == NULL) return FALSE;
  if (pBody != m_pBody) {
    delete m_pBody;
    m_pBody = pBody;
  }
  m_pView = pView;
  m_dwState = dwState;
  ForgetTail();
  m_ResizeHandles.RemoveAll();
  if (!SetPointList(*pBody->GetOutline(), pView, dwState)) return FALSE;

  RECT r;
  pBody->GetOutline()->GetBoundRect(&r);
  POINT c, bottom;
  pBody->GetCenter(&c);
  pBody->GetBottomPoint(&bottom);
  const POINT tip = {c.x + (r.right - r.left) / 3, bottom.y + (r.bottom - r.top) / 3};

  // The base points start on the outline either side of the direction of the tip.
  const int d = GetLineAngle(&c, &tip);
  POINT a = c, b = c;
  OutlinePointAtAngle(pBody, (d + 360 - kBaseSpread) % 360, &a);
  OutlinePointAtAngle(pBody, (d + kBaseSpread) % 360, &b);

  m_VertexMarkers.RemoveAll();
  m_pT = NewTailMarker(&tip);
  m_pA = NewTailMarker(&a);
  m_pB = NewTailMarker(&b);
  for (jvqObject* p : pBody->m_VertexMarkers.m_items) SetShown(p, FALSE);
  for (jvqObject* p : pBody->m_ResizeHandles.m_items) SetShown(p, FALSE);
  m_VertexMarkers.Add(m_pT);
  m_VertexMarkers.Add(m_pA);
  m_VertexMarkers.Add(m_pB);
  SetText(NewBalloonText(pView));
  Recalc();
  return TRUE;
}

// The tail goes into the body's outline as A', T, B' in a row, in place of the stretch of
// outline between the two base points. The body is convex, so a segment from the tip to a
// point of the outline that the tip can see meets the body nowhere else: when the tip is
// outside, A' and B' are A and B kept to the stretch of outline seen from the tip (a base
// point elsewhere moves to the nearer end of that stretch), and the outline never crosses
// itself. A tip inside the body sees no edge from outside: A and B stay where they are and
// the tail takes the shorter way round between them.
// A' is the base point met first going along the outline; two base points at one place are
// spread to a quarter of the stretch.
void jvqBalloonObject::RecalcTail(int) {
  if (m_pBody == NULL || m_pT == NULL || m_pA == NULL || m_pB == NULL) return;
  const jvqPointList& o = *m_pBody->GetOutline();
  const int n = o.GetCount();
  if (n < 3) return;
  POINT T, A, B;
  m_pT->GetCenter(&T);
  m_pA->GetCenter(&A);
  m_pB->GetCenter(&B);

  double area = 0;
  for (int i = 0; i < n; i++) {
    const POINT* p = o.GetAt(i);
    const POINT* q = o.GetAt((i + 1) % n);
    area += (double)p->x * q->y - (double)q->x * p->y;
  }
  auto seen = [&](int i) {
    const POINT* a = o.GetAt(i);
    const POINT* b = o.GetAt((i + 1) % n);
    const double cross = (double)(b->x - a->x) * (T.y - a->y) - (double)(b->y - a->y) * (T.x - a->x);
    return area > 0 ? cross < 0 : cross > 0;
  };
  // The stretch: edges first .. first + count - 1 (cyclic); the whole outline from point 0
  // when the tip sees none. Outlines in whole units are convex only up to rounding, so the
  // tip may also see stray edges elsewhere: the longest run of seen edges is the stretch.
  int first = 0, count = n;
  int hidden = -1;
  for (int i = 0; i < n && hidden < 0; i++)
    if (!seen(i)) hidden = i;
  if (hidden >= 0) {
    double longest = -1;
    for (int k = 1; k <= n;) {
      const int i = (hidden + k) % n;
      if (!seen(i)) {
        k++;
        continue;
      }
      int run = 0;
      double len = 0;
      while (k + run <= n && seen((hidden + k + run) % n)) {
        len += EdgeLength(o, (hidden + k + run) % n);
        run++;
      }
      if (len > longest) {
        longest = len;
        first = i;
        count = run;
      }
      k += run;
    }
  }
  std::vector<double> start(count + 1, 0);
  auto measure = [&]() {
    for (int k = 0; k < count; k++) start[k + 1] = start[k] + EdgeLength(o, (first + k) % n);
  };
  measure();
  const double L = start[count];

  auto along = [&](const POINT& p) {
    const OutlinePlace q = NearestPlace(o, p);
    const int k = ((q.edge - first) % n + n) % n;
    if (k < count) return start[k] + q.t * EdgeLength(o, q.edge);
    const POINT s = *o.GetAt(first), e = *o.GetAt((first + count) % n);
    const double ds = std::hypot((double)(p.x - s.x), (double)(p.y - s.y));
    const double de = std::hypot((double)(p.x - e.x), (double)(p.y - e.y));
    return ds <= de ? 0.0 : L;
  };
  double ua = along(A), ub = along(B);
  if (ua > ub) std::swap(ua, ub);
  if (count == n && ub - ua > L / 2) {
    // A tip inside: the tail takes the shorter way round, so the stretch starts at the later point.
    first = NearestPlace(o, along(A) > along(B) ? A : B).edge;
    measure();
    ua = along(A);
    ub = along(B);
    if (ua > ub) std::swap(ua, ub);
  }
  const double gap = L / 4;
  if (ub - ua < gap) {
    const double mid = std::min(std::max((ua + ub) / 2, gap / 2), L - gap / 2);
    ua = mid - gap / 2;
    ub = mid + gap / 2;
  }
  auto place = [&](double u) {
    int k = 0;
    while (k + 1 < count && start[k + 1] <= u) k++;
    const double len = start[k + 1] - start[k];
    const OutlinePlace q = {(first + k) % n, len > 0 ? std::min(1.0, (u - start[k]) / len) : 0.0};
    return q;
  };
  const OutlinePlace qa = place(ua), qb = place(ub);
  const POINT A2 = PlacePoint(o, qa), B2 = PlacePoint(o, qb);

  // Outline points after A' up to B' give way to the tail.
  std::vector<bool> gone(n, false);
  const int ka = ((qa.edge - first) % n + n) % n, kb = ((qb.edge - first) % n + n) % n;
  for (int k = ka + 1; k <= kb; k++) gone[(first + k) % n] = true;
  const int after = (qb.edge + 1) % n;
  if (o.GetAt(after)->x == B2.x && o.GetAt(after)->y == B2.y) gone[after] = true;
  if (o.GetAt(qa.edge)->x == A2.x && o.GetAt(qa.edge)->y == A2.y) gone[qa.edge] = true;

  m_GeometryData.RemoveAll();
  for (int i = 0; i < n; i++) {
    if (!gone[i]) m_GeometryData.Add(o.GetAt(i));
    if (i == qa.edge) {
      m_nAIndex = m_GeometryData.GetCount();
      m_GeometryData.Add(&A2);
      m_nTipIndex = m_GeometryData.GetCount();
      m_GeometryData.Add(&T);
      m_nBIndex = m_GeometryData.GetCount();
      m_GeometryData.Add(&B2);
    }
  }
  m_PointTypes.assign((size_t)m_GeometryData.GetCount(), 2);
  m_PointTypes[0] = 1;
}

void jvqBalloonObject::Recalc() {
  if (m_pT == NULL || m_pBody == NULL) return;
  m_pBody->Recalc();
  if (m_pA && m_pB) RecalcTail(0);
  jvqPointList frame;
  m_pBody->GetOutline()->GetBoundingFrame(frame);
  RECT b;
  m_pBody->GetOutline()->GetBoundRect(&b);
  if (m_ResizeHandles.GetCount() > 0) {
    if (m_pText) {
      RECT t = b;
      const int code = m_pBody->GetClassCode();
      if (code == JVQ_OBJ_ROUNDRECT) {
        const int c = ((jvqRoundRectObject*)m_pBody)->m_nCornerWidth / 4;
        t = {b.left + c, b.top + c, b.right - c, b.bottom - c};
      } else if (code == JVQ_OBJ_ELLIPSE) {
        const int w = b.right - b.left, h = b.bottom - b.top;
        const int cx = b.left + w / 2, cy = b.top + h / 2;
        t = {cx - w / 3, cy - h / 3, cx + w / 3, cy + h / 3};
      }
      const POINT pts[4] = {{t.left, t.top}, {t.left, t.bottom}, {t.right, t.bottom}, {t.right, t.top}};
      m_pText->m_GeometryData.SetPoints(pts, 4);
      m_pText->Recalc();
    }
    for (int i = 0; i < 8 && i < m_ResizeHandles.GetCount() && i < frame.GetCount(); i++)
      m_ResizeHandles.GetAt(i)->MoveTo(frame.GetAt(i), 1);
  }
}

jvqObject* jvqBalloonObject::HitTest(POINT* pPoint) {
  if (!IsShown()) return NULL;
  if (jvqObject* p = jvqObject::HitTest(pPoint)) return p;
  for (jvqHandleObject* h : {m_pT, m_pA, m_pB})
    if (h)
      if (jvqObject* p = h->HitTestMarker(pPoint->x, pPoint->y)) return p;
  return m_GeometryData.PtInPolygon(pPoint) ? this : NULL;
}

void jvqBalloonObject::DrawTracker(CDC* pDC) {
  for (jvqHandleObject* h : {m_pA, m_pB, m_pT})
    if (h) h->Draw(pDC);
  for (jvqObject* p : m_ResizeHandles.m_items) p->Draw(pDC);
}

void jvqBalloonObject::DrawSelectionFrame(CDC* pDC, jvqLineStyle* pStyle) {
  if (pStyle == NULL || m_pBody == NULL || m_ResizeHandles.GetCount() == 0) return;
  if (!(m_ResizeHandles.GetAt(0)->m_dwState & JVQ_STATE_VISIBLE) || !(m_dwState & JVQ_STATE_SELECTED)) return;
  jvqPointList frame;
  m_pBody->GetOutline()->GetBoundingFrame(frame);
  pStyle->DrawPointList(pDC, frame, FALSE);
}

#ifdef JVQ_HAVE_GDI
void jvqBalloonObject::DrawBalloon(CDC* pDC, BOOL bTrackers) {
  if (!IsShown()) return;
  if (m_pFill) DrawFill(pDC, m_pFill);
  if (m_pText) m_pText->Draw(pDC);
  DrawOutline(pDC, &m_LineStyle);
  if (bTrackers && (m_dwState & JVQ_STATE_SELECTED) && !pDC->IsPrinting()) DrawTracker(pDC);
}

void jvqBalloonObject::DrawTailFeedback(CDC* pDC, const POINT& tip, BOOL bBoth) {
  if (pDC == NULL) return;
  POINT t = tip;
  if (bBoth) {
    for (jvqHandleObject* h : {m_pA, m_pB}) {
      POINT c;
      h->GetCenter(&c);
      theXorDotStyle.DrawLine(pDC, &c, &t);
    }
    return;
  }
  POINT c;
  m_pT->GetCenter(&c);
  theXorDotStyle.DrawLine(pDC, &c, &t);
}
#else
void jvqBalloonObject::DrawBalloon(CDC*, BOOL) {}
void jvqBalloonObject::DrawTailFeedback(CDC*, const POINT&, BOOL) {}
#endif

void jvqBalloonObject::Draw(CDC* pDC) { DrawBalloon(pDC, TRUE); }
void jvqBalloonObject::Render(CDC* pDC) { DrawBalloon(pDC, FALSE); }

int jvqBalloonObject::BeginTrack(int nHandle, jvqObject* pAnchor) {
  if (pAnchor == NULL || (pAnchor != m_pT && pAnchor != m_pA && pAnchor != m_pB)) {
    if (m_pBody) m_pBody->BeginTrack(nHandle, pAnchor);
    return 0;
  }
  pAnchor->GetCenter(&m_ptAnchorCenter);
  RECT r;
  m_GeometryData.GetBoundRect(&r);
  m_dTrackAspect = r.right != r.left ? (double)(r.bottom - r.top) / (r.right - r.left) : 0.0;
  m_nTrackFlag = 0;
  if (nHandle >= 3 && nHandle <= 7) {
    m_GeometryData.GetBoundingFrame(m_TrackGeometry);
    m_rcTrackBounds = r;
  }
  m_bNoFeedback = TRUE;
  return 0;
}

void jvqBalloonObject::Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC) {
  if (m_pBody == NULL || m_pT == NULL) return;
  if (pMarker == m_pT) {
    if (pCurrent->x == pStart->x && pCurrent->y == pStart->y) return;
    if (!m_bNoFeedback) DrawTailFeedback(pDC, *pStart, TRUE);
    m_pT->MoveTo(pCurrent, 1);
    if (m_nTipIndex >= 0 && m_nTipIndex < m_GeometryData.GetCount()) {
      POINT* p = m_GeometryData.GetAt(m_nTipIndex);
      p->x += pCurrent->x - pStart->x;
      p->y += pCurrent->y - pStart->y;
    }
    DrawTailFeedback(pDC, *pCurrent, TRUE);
    m_bNoFeedback = FALSE;
    return;
  }
  if (pMarker == m_pA || pMarker == m_pB) {
    POINT c, at;
    m_pBody->GetCenter(&c);
    if (!OutlinePointAtAngle(m_pBody, GetLineAngle(&c, pCurrent), &at)) return;
    if (!m_bNoFeedback) DrawTailFeedback(pDC, m_ptFeedback, FALSE);
    pMarker->MoveTo(&at, 1);
    Recalc();
    m_ptFeedback = at;
    DrawTailFeedback(pDC, at, FALSE);
    m_bNoFeedback = FALSE;
    return;
  }
  const int k = FindHandle(pMarker);
  if (k < 0 || k >= m_pBody->m_ResizeHandles.GetCount()) return;
  const jvqPointList before = *m_pBody->GetGeometry();
  m_pBody->Track(pStart, pCurrent, nFlags, m_pBody->GetHandle(k), pDC);
  jvqPointList deltas;
  const jvqPointList& after = *m_pBody->GetGeometry();
  for (int i = 0; i < after.GetCount() && i < before.GetCount(); i++) {
    const POINT d = {after.GetAt(i)->x - before.GetAt(i)->x, after.GetAt(i)->y - before.GetAt(i)->y};
    deltas.Add(&d);
  }
  ApplyBodyDeltas(deltas);
  m_pBody->Recalc();
}

void jvqBalloonObject::EndTrack(int nHandle, jvqObject* pObject) {
  if (m_pBody && pObject != m_pT && pObject != m_pA && pObject != m_pB) {
    const int k = FindHandle(pObject);
    m_pBody->EndTrack(nHandle, k >= 0 && k < m_pBody->m_ResizeHandles.GetCount() ? m_pBody->GetHandle(k) : pObject);
  }
  Recalc();
  if (m_pA && m_nAIndex < m_GeometryData.GetCount()) m_pA->MoveTo(m_GeometryData.GetAt(m_nAIndex), 1);
  if (m_pB && m_nBIndex < m_GeometryData.GetCount()) m_pB->MoveTo(m_GeometryData.GetAt(m_nBIndex), 1);
  m_bNoFeedback = FALSE;
}

void jvqBalloonObject::OnToolChanged(int nToolId) {
  const BOOL bVertices = nToolId == TOOLID_VERTEX_EDIT;
  for (jvqObject* p : m_VertexMarkers.m_items) SetShown(p, bVertices);
  for (jvqObject* p : m_ResizeHandles.m_items) SetShown(p, !bVertices);
  // A balloon cannot be turned: under the rotate tool nothing of it can be dragged.
  for (jvqObjectArray* list : {&m_ResizeHandles, &m_VertexMarkers})
    for (jvqObject* p : list->m_items) {
      if (nToolId == TOOLID_ROTATE)
        p->m_dwState |= JVQ_STATE_TOOLMODE;
      else
        p->m_dwState &= ~JVQ_STATE_TOOLMODE;
    }
}

void jvqBalloonObject::Offset(const SIZE* pSize) {
  for (jvqHandleObject* h : {m_pA, m_pB, m_pT})
    if (h) h->Offset(pSize);
  if (m_pBody) m_pBody->Offset(pSize);
  if (m_pText) m_pText->Offset(pSize);
  for (jvqObject* p : m_ResizeHandles.m_items) p->Offset(pSize);
  Recalc();
}

void jvqBalloonObject::SetScale(double sx, double sy) {
  m_dScaleX = sx;
  m_dScaleY = sy;
  if (m_pBody) m_pBody->SetScale(sx, sy);
  if (m_pText) m_pText->SetScale(sx, sy);
  for (jvqHandleObject* h : {m_pT, m_pA, m_pB}) {
    if (h == NULL) continue;
    POINT c;
    h->GetCenter(&c);
    c.x = (LONG)(c.x * sx);
    c.y = (LONG)(c.y * sy);
    h->MoveTo(&c, 1);
  }
  jvqPolylineObject::SetScale(sx, sy);
  Recalc();
}

BOOL jvqBalloonObject::Flip(int nAxis) {
  if (m_pBody == NULL) return TRUE;
  POINT c;
  m_pBody->GetCenter(&c);
  for (jvqHandleObject* h : {m_pT, m_pA, m_pB}) {
    if (h == NULL) continue;
    POINT p;
    h->GetCenter(&p);
    if (nAxis == 1) p.x = 2 * c.x - p.x;
    if (nAxis == 2) p.y = 2 * c.y - p.y;
    h->MoveTo(&p, 1);
  }
  // Mirrored, the base points change sides: exchanging them keeps the tail's sides.
  if (m_pA && m_pB) {
    POINT a, b;
    m_pA->GetCenter(&a);
    m_pB->GetCenter(&b);
    m_pA->MoveTo(&b, 1);
    m_pB->MoveTo(&a, 1);
  }
  Recalc();
  return TRUE;
}

BOOL jvqBalloonObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (m_pBody == NULL || m_pText == NULL || m_pT == NULL || m_pA == NULL || m_pB == NULL) return FALSE;
  if (!jvqObject::Store(pFile, pHeader)) return FALSE;
  if (!m_pBody->Store(pFile, pHeader) || !m_pText->Store(pFile, pHeader)) return FALSE;
  jvqPointList tail;
  for (jvqHandleObject* h : {m_pT, m_pA, m_pB}) {
    POINT c;
    h->GetCenter(&c);
    tail.Add(&c);
  }
  return tail.Store(pFile, pHeader);
}

BOOL jvqBalloonObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqObject::Load(pFile, pHeader)) return FALSE;
  delete m_pBody;
  m_pBody = NULL;
  SetText(NULL);
  ForgetTail();
  // Only a body of the three kinds, a text object and a tail of three points make a balloon.
  try {
    int32_t code = 0;
    if (!jvqReadExact(pFile, &code, 4) || !IsBodyClass(code)) return FALSE;
    jvqObject* pBody = jvqObjectDefaults::CreateObject(code);
    if (pBody == NULL || !pBody->Load(pFile, pHeader)) {
      delete pBody;
      return FALSE;
    }
    m_pBody = pBody;
    if (!jvqReadExact(pFile, &code, 4) || code != JVQ_OBJ_TEXT) return FALSE;
    jvqObject* pText = jvqObjectDefaults::CreateObject(code);
    if (pText == NULL || !pText->Load(pFile, pHeader)) {
      delete pText;
      return FALSE;
    }
    SetText((jvqTextObject*)pText);
    jvqPointList tail;
    if (!tail.Load(pFile, pHeader) || tail.GetCount() != 3) return FALSE;
    m_pT = NewTailMarker(tail.GetAt(0));
    m_pA = NewTailMarker(tail.GetAt(1));
    m_pB = NewTailMarker(tail.GetAt(2));
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  for (jvqObject* p : m_pBody->m_VertexMarkers.m_items) SetShown(p, FALSE);
  for (jvqObject* p : m_pBody->m_ResizeHandles.m_items) SetShown(p, FALSE);
  m_VertexMarkers.Add(m_pT);
  m_VertexMarkers.Add(m_pA);
  m_VertexMarkers.Add(m_pB);
  // A balloon read back is resized by its handles like a new one.
  RECT r;
  m_pBody->GetOutline()->GetBoundRect(&r);
  MakeResizeHandles(r);
  Recalc();
  return TRUE;
}
