#include "qvzTextureGridWnd.h"

#include "BaseImage.h"
#include "jvqImageFileList.h"

void qvzTextureSampleButton::DrawContent(CDC* pDC, const RECT& rcInset) {
  const CSize size = m_pImage->GetDimensions();
  m_pImage->Draw(pDC, CRect(rcInset), CRect(0, 0, size.cx, size.cy));
}

qvzTextureGridWnd::qvzTextureGridWnd() {}

jvqImageFileList* qvzTextureGridWnd::GetLibrary() const { return jvqTextureFill::GetLibrary(); }

void qvzTextureGridWnd::ClearCell(qvzSampleButton* pCell) { ((qvzTextureSampleButton*)pCell)->m_pImage = NULL; }

void qvzTextureGridWnd::LoadCell(qvzSampleButton* pCell, int j) {
  // An entry whose picture did not load stays an empty cell.
  ((qvzTextureSampleButton*)pCell)->m_pImage = GetLibrary()->GetAt(j)->m_pImage;
}

jvqFill* qvzTextureGridWnd::TakePick(int nIndex) {
  jvqTextureFill::SetLibrary(GetLibrary());
  m_Texture.m_nIndex = nIndex;
  return &m_Texture;
}

void qvzTextureGridWnd::SetFill(const jvqFill* pFill) {
  if (pFill == NULL || !(pFill->GetFlags() & FILL_TEXTURE)) return;
  ShowIndex(((const jvqTextureFill*)pFill)->m_nIndex);
}
