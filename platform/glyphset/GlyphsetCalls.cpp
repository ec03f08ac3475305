// The library's four exported calls: unwrap the framework's DC, pen and brush, then
// lay out and draw over GDI.
#include <afxwin.h>

#include "glyphset.h"
#include "GlyphBanner.h"
#include "GlyphTextJob.h"

GLYPHSET_API int qvzDrawText(GlyphTextBlock* block) {
  if (!block || !block->pDC || !block->pDC->m_hDC) return 0;
  return glyphset::DrawTextBlock(block->pDC->m_hDC, *block);
}

GLYPHSET_API int qvzGetDrawRect(GlyphTextBlock* block) {
  if (!block) return 0;
  return glyphset::MeasureTextBlock(*block);
}

GLYPHSET_API int qvzGetCharPos(GlyphTextBlock* block, int x, int y) {
  if (!block) return -1;
  return glyphset::CharAtTextBlock(*block, x, y);
}

GLYPHSET_API int qvzDrawBanner(GlyphBannerBlock* block, int option, int mode) {
  (void)option;
  if (!block || !block->pDC || !block->pDC->m_hDC) return 0;
  HPEN pen = block->pPen ? (HPEN)block->pPen->GetSafeHandle() : nullptr;
  HBRUSH brush = block->pBrush ? (HBRUSH)block->pBrush->GetSafeHandle() : nullptr;
  return glyphset::DrawBannerBlock(block->pDC->m_hDC, *block, pen, brush, mode);
}
