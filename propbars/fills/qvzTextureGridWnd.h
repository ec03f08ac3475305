// Tab "ﾃｸｽﾁｬ" of the fill pop-ups: the texture library's pictures; a pick gives a texture fill
// of the library entry, without a file path.
#pragma once

#include "jvqTextureFill.h"
#include "qvzSampleGridWnd.h"

class CBaseImage;

class qvzTextureSampleButton : public qvzSampleButton {
 public:
  qvzTextureSampleButton() : m_pImage(NULL) {}
  virtual BOOL HasContent() const { return m_pImage != NULL; }

  CBaseImage* m_pImage;  // the library's, not owned; NULL for an empty cell

 protected:
  virtual void DrawContent(CDC* pDC, const RECT& rcInset);
};

class qvzTextureGridWnd : public qvzSampleGridWnd {
 public:
  qvzTextureGridWnd();
  virtual void SetFill(const jvqFill* pFill);
  const jvqTextureFill& GetTexture() const { return m_Texture; }

 protected:
  virtual jvqImageFileList* GetLibrary() const;
  virtual qvzSampleButton* NewCell() { return new qvzTextureSampleButton; }
  virtual void ClearCell(qvzSampleButton* pCell);
  virtual void LoadCell(qvzSampleButton* pCell, int j);
  virtual BOOL CanPick(qvzSampleButton* pCell) const { return pCell->HasContent(); }
  virtual jvqFill* TakePick(int nIndex);

  jvqTextureFill m_Texture;
};
