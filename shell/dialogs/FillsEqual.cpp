#include "FillsEqual.h"

#include "jvqGradientFill.h"
#include "jvqPatternFill.h"
#include "jvqSolidFill.h"
#include "jvqTextureFill.h"

BOOL FillsEqual(const jvqFill* a, const jvqFill* b) {
  if (a == NULL || b == NULL || a->GetFlags() != b->GetFlags()) return FALSE;
  const DWORD f = a->GetFlags();
  // A pattern fill is also a solid one: ask for it first.
  if (f & FILL_PATTERN) {
    const jvqPatternFill* p = (const jvqPatternFill*)a;
    const jvqPatternFill* q = (const jvqPatternFill*)b;
    // Two patterns in the same colours are still different pictures.
    return p->m_crFore == q->m_crFore && p->m_crBack == q->m_crBack && p->m_nIndex == q->m_nIndex;
  }
  if (f & FILL_SOLID) {
    const jvqSolidFill* p = (const jvqSolidFill*)a;
    const jvqSolidFill* q = (const jvqSolidFill*)b;
    return p->GetBrushStyle() == q->GetBrushStyle() && p->GetColor() == q->GetColor() &&
           p->GetHatch() == q->GetHatch() && p->m_nPatternIndex == q->m_nPatternIndex;
  }
  if (f & FILL_GRADIENT) {
    const jvqGradientFill* p = (const jvqGradientFill*)a;
    const jvqGradientFill* q = (const jvqGradientFill*)b;
    return p->m_crColor1 == q->m_crColor1 && p->m_crColor2 == q->m_crColor2 && p->m_nKind == q->m_nKind;
  }
  if (f & FILL_TEXTURE) return ((const jvqTextureFill*)a)->m_nIndex == ((const jvqTextureFill*)b)->m_nIndex;
  return FALSE;
}
