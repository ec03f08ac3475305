#include "jvqBannerStyle.h"

#include <cstring>

#include "jvqFileHeader.h"
#include "jvqRecordIO.h"

#ifdef JVQ_HAVE_GDI
#include "afxwin.h"
#include "glyphset.h"

// Glyphset reads the first 56 bytes of the style in place.
#define JVQ_SAME_FIELD(a, b) \
  static_assert(offsetof(jvqBannerBlock, a) == offsetof(GlyphBannerBlock, b), "banner block field " #a)
JVQ_SAME_FIELD(pDC, pDC);
JVQ_SAME_FIELD(face, face);
JVQ_SAME_FIELD(horizontal, horizontal);
JVQ_SAME_FIELD(shadow, shadow);
JVQ_SAME_FIELD(shape, shape);
JVQ_SAME_FIELD(style, style);
JVQ_SAME_FIELD(angle, angle);
JVQ_SAME_FIELD(rect, rect);
JVQ_SAME_FIELD(pPen, pPen);
JVQ_SAME_FIELD(pBrush, pBrush);
JVQ_SAME_FIELD(text, text);
static_assert(sizeof(jvqBannerBlock) == sizeof(GlyphBannerBlock), "banner block size");
#undef JVQ_SAME_FIELD
#endif
static_assert(sizeof(void*) != 4 || sizeof(jvqBannerBlock) == JVQ_BANNER_BLOCK_SIZE, "banner block is 56 bytes");

namespace {
const COLORREF kRed = 0x0000FF;
}

jvqBannerStyle::jvqBannerStyle(const jvqBannerStyle* pOther)
    : m_crText(0x00FFFF), m_nOption(0), m_strText("タイトル"), m_strFace("ＭＳ Ｐゴシック"), m_bPen(FALSE),
      m_bBrush(FALSE) {
  std::memset(&m_Block, 0, sizeof m_Block);
  std::memset(&m_LogPen, 0, sizeof m_LogPen);
  std::memset(&m_LogBrush, 0, sizeof m_LogBrush);
  m_Block.horizontal = 0;
  m_Block.shadow = 1;
  m_Block.shape = 12;
  m_Block.style = 1;
  if (pOther) {
    CopyBlock(pOther);
    return;
  }
  const LOGPEN pen = {PS_SOLID, {1, 0}, kRed};
  const LOGBRUSH brush = {BS_SOLID, kRed, 0};
  SetLogPen(&pen);
  SetLogBrush(&brush);
  RefreshPointers();
}

jvqBannerStyle::~jvqBannerStyle() {
  DeletePen();
  DeleteBrush();
}

void jvqBannerStyle::Clear() {
  DeletePen();
  DeleteBrush();
  m_bPen = m_bBrush = FALSE;
  std::memset(&m_Block, 0, sizeof m_Block);
  m_strText.Empty();
  m_strFace.Empty();
}

BOOL jvqBannerStyle::CopyBlock(const jvqBannerStyle* pOther) {
  if (pOther == NULL) return FALSE;
  if (pOther == this) return TRUE;
  Clear();
  m_Block = pOther->m_Block;
  m_Block.pPen = NULL;
  m_Block.pBrush = NULL;
  m_strText = pOther->m_strText;
  m_strFace = pOther->m_strFace;
  RefreshPointers();
  if (pOther->m_bPen) SetLogPen(&pOther->m_LogPen);
  if (pOther->m_bBrush) SetLogBrush(&pOther->m_LogBrush);
  return TRUE;
}

void jvqBannerStyle::Assign(const jvqBannerStyle& other) {
  m_crText = other.m_crText;
  m_nOption = other.m_nOption;
  CopyBlock(&other);
}

jvqBannerStyle* jvqBannerStyle::RefreshPointers() {
  m_Block.face = m_strFace;
  m_Block.text = m_strText;
  return this;
}

void jvqBannerStyle::SetAngle(double dDegrees) { m_Block.angle = ((((int)dDegrees) + 360) % 360) * 10; }

void jvqBannerStyle::SetLogPen(const LOGPEN* pPen) {
  m_LogPen = *pPen;
  m_bPen = TRUE;
  MakePen();
}

void jvqBannerStyle::SetLogBrush(const LOGBRUSH* pBrush) {
  m_LogBrush = *pBrush;
  m_bBrush = TRUE;
  MakeBrush();
}

void jvqBannerStyle::SetPenColor(COLORREF cr) {
  LOGPEN p = m_bPen ? m_LogPen : LOGPEN{PS_SOLID, {1, 0}, 0};
  p.lopnColor = cr;
  SetLogPen(&p);
}

void jvqBannerStyle::SetPenStyle(int nStyle) {
  LOGPEN p = m_bPen ? m_LogPen : LOGPEN{PS_SOLID, {1, 0}, 0};
  p.lopnStyle = (UINT)nStyle;
  SetLogPen(&p);
}

void jvqBannerStyle::SetBrushColor(COLORREF cr) {
  LOGBRUSH b = m_bBrush ? m_LogBrush : LOGBRUSH{BS_SOLID, 0, 0};
  b.lbColor = cr;
  SetLogBrush(&b);
}

void jvqBannerStyle::SetBrushStyle(int nStyle) {
  LOGBRUSH b = m_bBrush ? m_LogBrush : LOGBRUSH{BS_SOLID, 0, 0};
  b.lbStyle = (UINT)nStyle;
  SetLogBrush(&b);
}

#ifdef JVQ_HAVE_GDI
void jvqBannerStyle::MakePen() {
  DeletePen();
  CPen* p = new CPen;
  LOGPEN lp = m_LogPen;
  p->CreatePenIndirect(&lp);
  m_Block.pPen = p;
}
void jvqBannerStyle::MakeBrush() {
  DeleteBrush();
  CBrush* p = new CBrush;
  LOGBRUSH lb = m_LogBrush;
  p->CreateBrushIndirect(&lb);
  m_Block.pBrush = p;
}
void jvqBannerStyle::DeletePen() {
  delete m_Block.pPen;
  m_Block.pPen = NULL;
}
void jvqBannerStyle::DeleteBrush() {
  delete m_Block.pBrush;
  m_Block.pBrush = NULL;
}
#else
void jvqBannerStyle::MakePen() {}
void jvqBannerStyle::MakeBrush() {}
void jvqBannerStyle::DeletePen() {}
void jvqBannerStyle::DeleteBrush() {}
#endif

BOOL jvqBannerStyle::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  try {
    // DC, pointers and rectangle are filled in before each drawing: written as 0.
    const int32_t block[JVQ_BANNER_BLOCK_SIZE / 4] = {0, 0, m_Block.horizontal, m_Block.shadow, m_Block.shape,
                                                      m_Block.style, m_Block.angle, 0, 0, 0, 0, 0, 0, 0};
    pFile->Write(block, sizeof block);
    const int32_t pen[4] = {(int32_t)m_LogPen.lopnStyle, (int32_t)m_LogPen.lopnWidth.x, (int32_t)m_LogPen.lopnWidth.y,
                            (int32_t)m_LogPen.lopnColor};
    pFile->Write(pen, sizeof pen);
    const int32_t brush[3] = {(int32_t)m_LogBrush.lbStyle, (int32_t)m_LogBrush.lbColor, (int32_t)m_LogBrush.lbHatch};
    pFile->Write(brush, sizeof brush);
    for (const CString* s : {&m_strText, &m_strFace}) {
      const int32_t n = s->GetLength();
      pFile->Write(&n, 4);
      pFile->Write((const char*)*s, (UINT)n + 1);
    }
    const int nVersion = jvqVersionOf(pHeader);
    if (nVersion >= 91000) {
      const uint32_t cr = m_crText;
      pFile->Write(&cr, 4);
    }
    if (nVersion >= 91530) pFile->Write(&m_nOption, 4);
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqBannerStyle::Load(CFile* pFile, jvqFileHeader* pHeader) {
  if (pFile == NULL) return FALSE;
  try {
    int32_t block[JVQ_BANNER_BLOCK_SIZE / 4];
    int32_t pen[4], brush[3];
    if (!jvqReadExact(pFile, block, sizeof block) || !jvqReadExact(pFile, pen, sizeof pen) ||
        !jvqReadExact(pFile, brush, sizeof brush))
      return FALSE;
    // Both strings are stored with their zero, also when empty: n + 1 bytes always.
    CString text, face;
    int32_t n = 0;
    if (!jvqReadExact(pFile, &n, 4) || !jvqReadCountedText(pFile, n, TRUE, text)) return FALSE;
    if (!jvqReadExact(pFile, &n, 4) || !jvqReadCountedText(pFile, n, TRUE, face)) return FALSE;
    const int nVersion = jvqVersionOf(pHeader);
    uint32_t cr = m_crText;
    int32_t nOption = m_nOption;
    if (nVersion >= 91000 && !jvqReadExact(pFile, &cr, 4)) return FALSE;
    if (nVersion >= 91530 && !jvqReadExact(pFile, &nOption, 4)) return FALSE;

    Clear();
    m_Block.horizontal = block[2];
    m_Block.shadow = block[3];
    m_Block.shape = block[4];
    m_Block.style = block[5];
    m_Block.angle = block[6];
    const LOGPEN lp = {(UINT)pen[0], {pen[1], pen[2]}, (COLORREF)pen[3]};
    const LOGBRUSH lb = {(UINT)brush[0], (COLORREF)brush[1], (decltype(lb.lbHatch))brush[2]};
    SetLogPen(&lp);
    SetLogBrush(&lb);
    m_strText = text;
    m_strFace = face;
    m_crText = cr;
    m_nOption = nOption;
    RefreshPointers();
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}
