#include "jvqTextObject.h"

#include <algorithm>
#include <cstdint>

#include "jvqRecordIO.h"
#include "jvqSolidFill.h"
#include "jvqViewMapping.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#endif

namespace {
const COLORREF kWhite = 0xFFFFFF;

// The room between frame and text: a thick line's width, else 10; none without a line.
int LayoutMargin(const jvqLineStyle& style) {
  if (style.GetStyle() == LINE_STYLE_NONE) return 0;
  const int m = style.GetWidth() > 10 ? style.GetWidth() : 10;
  return 2 * m + 10;
}
}  // namespace

jvqTextObject::jvqTextObject(const RECT* pRect, jvqViewMapping* pView, const jvqTextAttributes* pAttributes,
                             DWORD dwState)
    : jvqRectObject(pRect, pView, dwState), m_pTextFill(NULL) {
  m_nClassCode |= 0x400;
  m_bFreeResize = TRUE;
  if (pAttributes) SetTextFormat(pAttributes);
}

jvqTextObject::jvqTextObject(const jvqTextObject& src)
    : jvqRectObject(src), m_pTextFill(src.m_pTextFill ? new jvqTextFill(*src.m_pTextFill) : NULL),
      m_strText(src.m_strText) {
  m_nClassCode = src.m_nClassCode;
  m_bFreeResize = TRUE;
}

jvqTextObject::~jvqTextObject() { delete m_pTextFill; }

jvqObject* jvqTextObject::Clone() { return new jvqTextObject(*this); }

jvqTextObject* jvqTextObject::MakeDefault(jvqViewMapping* pView, const RECT* pRect) {
  static const RECT kEmpty = {0, 0, 0, 0};
  jvqTextAttributes a;
  jvqDefaultTextAttributes(&a);
  return new jvqTextObject(pRect ? pRect : &kEmpty, pView, &a, 0x311);
}

void jvqTextObject::SetTextFill(jvqTextFill* pFill) {
  if (pFill == m_pTextFill) return;
  delete m_pTextFill;
  m_pTextFill = pFill;
}

BOOL jvqTextObject::SetTextFormat(const jvqTextAttributes* pAttributes) {
  SetFill(NULL);
  SetTextFill(new jvqTextFill(pAttributes));
  SetFill(new jvqSolidFill(kWhite));
  if (pAttributes->text) m_strText = pAttributes->text;
  return TRUE;
}

void jvqTextObject::SetText(const char* pszText) {
  m_strText = pszText ? pszText : "";
  if (m_pTextFill) m_pTextFill->SetText(m_strText);
}

BOOL jvqTextObject::Flip(int nAxis) {
  // The text is never mirrored: only its direction turns.
  if (nAxis == 1)
    SetRotation((int)(360 - m_dRotation));
  else if (nAxis == 2)
    SetRotation((int)(180 - m_dRotation));
  else
    SetRotation(nAxis);
  return TRUE;
}

BOOL jvqTextObject::HitTestInside(int x, int y) {
  if (!IsShown()) return FALSE;
  POINT p = {x, y};
  return GetFillOutline()->PtInPolygon(&p);
}

void jvqTextObject::EndTrack(int nHandle, jvqObject* pObject) { jvqRectObject::EndTrack(nHandle, pObject); }

BOOL jvqTextObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqRectObject::Load(pFile, pHeader)) return FALSE;
  try {
    int32_t nFlag = 0;
    if (!jvqReadExact(pFile, &nFlag, 4)) return FALSE;
    jvqTextFill* pFill = NULL;
    if (nFlag != 0) {
      uint32_t dwFlags = 0;
      if (!jvqReadExact(pFile, &dwFlags, 4)) return FALSE;
      pFill = new jvqTextFill;
      if (!pFill->Load(pFile, pHeader)) {
        delete pFill;
        return FALSE;
      }
    }
    SetTextFill(pFill);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqTextObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqObject::Store(pFile, pHeader)) return FALSE;
  try {
    const int32_t nFlag = m_pTextFill ? 1 : 0;
    pFile->Write(&nFlag, 4);
    return m_pTextFill ? m_pTextFill->Store(pFile, pHeader) : TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

#ifdef JVQ_HAVE_GDI

void jvqTextObject::DrawText(CDC* pDC, BOOL bTrackers) {
  if (!IsShown()) return;
  RECT rc;
  GetOutline()->GetBoundRect(&rc);
  const int w = m_LineStyle.GetWidth();
  ::InflateRect(&rc, w, w);
  if (!pDC->RectVisible(&rc)) return;
  if (m_pFill && (m_dwState & JVQ_STATE_FILLED)) DrawFill(pDC, m_pFill);
  if (m_pTextFill) m_pTextFill->Paint(pDC, this);
  DrawOutline(pDC, &m_LineStyle);
  if (bTrackers && (m_dwState & JVQ_STATE_SELECTED) && !pDC->IsPrinting()) DrawTracker(pDC);
}

BOOL jvqTextObject::RecalcLayout() {
  if (m_pTextFill == NULL) return FALSE;
  jvqViewMapping screen;
  jvqMappingDC dc(m_pView ? m_pView : &screen);
  jvqTextAttributes* a = m_pTextFill->RefreshPointers();
  RECT r;
  GetBoundRect(&r);
  a->rect = r;
  RECT needed;
  MeasureTextRect(&needed, a, &dc.m_dc);
  const int m = LayoutMargin(m_LineStyle);
  RECT out = r;
  if (a->direction == JVQ_TEXT_VERTICAL) {
    out.right = r.left + (needed.bottom - needed.top) + m;
    out.bottom = r.top + (needed.right - needed.left) + m;
  } else {
    out.right = r.left + m + std::min(needed.right - needed.left, r.right - r.left);
    out.bottom = r.top + m + (needed.bottom - needed.top);
  }
  return SetRect(&out, m_pView, m_dwState);
}

int jvqTextObject::GetCharIndexAt(int x, int y) {
  if (m_pTextFill == NULL || m_pTextFill->m_strText.IsEmpty()) return -1;
  jvqViewMapping screen;
  jvqMappingDC dc(m_pView ? m_pView : &screen);
  jvqTextAttributes* a = m_pTextFill->RefreshPointers();
  a->angle = jvqTextAngle(m_dRotation);
  return jvqTextCharAt(a, &dc.m_dc, x, y);
}

#else

void jvqTextObject::DrawText(CDC*, BOOL) {}
BOOL jvqTextObject::RecalcLayout() { return FALSE; }
int jvqTextObject::GetCharIndexAt(int, int) { return -1; }

#endif

void jvqTextObject::Draw(CDC* pDC) { DrawText(pDC, TRUE); }
void jvqTextObject::Render(CDC* pDC) { DrawText(pDC, FALSE); }
