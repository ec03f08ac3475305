#include "jvqTextFill.h"

#include <cstring>
#include <utility>

#include "CTokenString.h"
#include "jvqDeviceUnits.h"
#include "jvqFileHeader.h"
#include "jvqObject.h"
#include "jvqRecordIO.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#include "glyphset.h"
#endif

namespace {
// Tab stops of drawn text, in columns.
const int kTabColumns = 16;
const char kGothic[] = "ＭＳ ゴシック";
}  // namespace

jvqTextFill::jvqTextFill(const jvqTextAttributes* pAttributes) : m_crText(0) {
  m_dwFlags = FILL_BASE | FILL_TEXT;
  std::memset(&m_Attributes, 0, sizeof m_Attributes);
  if (pAttributes) SetTextStyle(pAttributes);
}

jvqTextFill::jvqTextFill(const jvqTextFill& src)
    : jvqFill(), m_Attributes(src.m_Attributes), m_strFace(src.m_strFace), m_strText(src.m_strText),
      m_crText(src.m_crText) {
  m_dwFlags = FILL_BASE | FILL_TEXT;
  RefreshPointers();
  if (m_Attributes.direction != JVQ_TEXT_VERTICAL) m_Attributes.direction = 0;
}

jvqFill* jvqTextFill::Clone() { return new jvqTextFill(*this); }

const char* jvqTextFill::DrawnFace(const char* pszFace) {
  if (pszFace && (std::strcmp(pszFace, "System") == 0 || std::strcmp(pszFace, "FixedSys") == 0)) return kGothic;
  return pszFace ? pszFace : "";
}

void jvqTextFill::SetTextStyle(const jvqTextAttributes* pAttributes) {
  // The block may point into this painter's own strings: copy them before replacing.
  const CString face(pAttributes->face ? pAttributes->face : "");
  const CString text(pAttributes->text ? pAttributes->text : "");
  m_Attributes = *pAttributes;
  m_strFace = face;
  m_strText = text;
  RefreshPointers();
  if (m_Attributes.direction != JVQ_TEXT_VERTICAL) m_Attributes.direction = 0;
}

void jvqTextFill::SetText(const char* pszText) {
  m_strText = pszText ? pszText : "";
  RefreshPointers();
}

jvqTextAttributes* jvqTextFill::RefreshPointers() {
  m_Attributes.face = DrawnFace(m_strFace);
  m_Attributes.text = m_strText;
  return &m_Attributes;
}

BOOL jvqTextFill::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  try {
    jvqTextAttributes a;
    int32_t n = 0, m = 0;
    CString face, text;
    if (!jvqReadTextAttributes(pFile, a)) return FALSE;
    if (!jvqReadExact(pFile, &n, 4) || !jvqReadCountedText(pFile, n, FALSE, face)) return FALSE;
    if (!jvqReadExact(pFile, &m, 4) || !jvqReadCountedText(pFile, m, FALSE, text)) return FALSE;
    COLORREF cr = 0;
    if (jvqVersionOf(pHeader) > 91000 && !jvqReadExact(pFile, &cr, 4)) return FALSE;
    m_Attributes = a;
    m_strFace = face;
    m_strText = text;
    m_crText = cr;
    RefreshPointers();
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqTextFill::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  try {
    const int32_t flags = (int32_t)m_dwFlags;
    pFile->Write(&flags, 4);
    jvqWriteTextAttributes(pFile, m_Attributes);
    const int32_t n = m_strFace.GetLength();
    pFile->Write(&n, 4);
    pFile->Write((const char*)m_strFace, (UINT)n);
    const int32_t m = m_strText.GetLength();
    pFile->Write(&m, 4);
    pFile->Write((const char*)m_strText, (UINT)m);
    // Files of the first version have no colour; a record forced to it must read back.
    if (jvqVersionOf(pHeader) > 91000) {
      const uint32_t cr = m_crText;
      pFile->Write(&cr, 4);
    }
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

#ifdef JVQ_HAVE_GDI

void jvqTextFill::Paint(CDC* pDC, jvqObject* pObject) {
  if (m_Attributes.charWidth == 0 || m_Attributes.charHeight == 0 || m_strText.IsEmpty() || m_strFace.IsEmpty())
    return;
  RefreshPointers();
  m_Attributes.pDC = pDC;
  m_Attributes.angle = jvqTextAngle(pObject->m_dRotation);
  if (m_Attributes.direction != JVQ_TEXT_VERTICAL) m_Attributes.direction = 0;
  const COLORREF crOld = pDC->SetTextColor(m_crText);

  const jvqLineStyle* pStyle = pObject->GetLineStyle();
  const int c = (pStyle->GetWidth() >= 11 && pStyle->GetStyle() != LINE_STYLE_NONE) ? pStyle->GetWidth() : 10;
  RECT r;
  pObject->GetBoundRect(&r);
  ::InflateRect(&r, -c, -c);
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  m_Attributes.rect = r;

  CTokenString expanded(m_strText);
  expanded.ExpandTabs(kTabColumns);
  m_Attributes.text = expanded.GetText();

  CRgn region;
  if (pObject->GetDeviceRegion(pDC, &region)) {
    if (jvqIsPreviewDC(pDC)) {
      SaveClipRegion(pDC);
      pDC->SelectClipRgn(&region, RGN_AND);
      qvzDrawText((GlyphTextBlock*)&m_Attributes);
      RestoreClipRegion(pDC);
    } else {
      pDC->SelectClipRgn(&region, RGN_COPY);
      qvzDrawText((GlyphTextBlock*)&m_Attributes);
      pDC->SelectClipRgn(NULL);
    }
  }
  // The expanded copy dies here: the block must not keep pointing at it.
  m_Attributes.text = m_strText;
  m_Attributes.pDC = NULL;
  pDC->SetTextColor(crOld);
  region.DeleteObject();
}

int MeasureTextRect(RECT* pOut, jvqTextAttributes* pAttributes, CDC* pDC) {
  CDC* pKeptDC = pAttributes->pDC;
  const RECT kept = pAttributes->rect;
  pAttributes->pDC = pDC;
  const int nResult = qvzGetDrawRect((GlyphTextBlock*)pAttributes);
  *pOut = pAttributes->rect;
  pAttributes->rect = kept;
  pAttributes->pDC = pKeptDC;
  return nResult;
}

int jvqTextCharAt(jvqTextAttributes* pAttributes, CDC* pDC, int x, int y) {
  CDC* pKeptDC = pAttributes->pDC;
  pAttributes->pDC = pDC;
  const int nResult = qvzGetCharPos((GlyphTextBlock*)pAttributes, x, y);
  pAttributes->pDC = pKeptDC;
  return nResult;
}

#else

void jvqTextFill::Paint(CDC*, jvqObject*) {}
int MeasureTextRect(RECT* pOut, jvqTextAttributes* pAttributes, CDC*) {
  *pOut = pAttributes->rect;
  return 0;
}
int jvqTextCharAt(jvqTextAttributes*, CDC*, int, int) { return -1; }

#endif
