// A two-colour pattern from the pattern library, recoloured with a foreground (the
// picture's black) and a background (its white). On the screen a pattern pixel stays one
// screen pixel at any zoom.
#pragma once

#include "jvqSolidFill.h"

class CDib;
class CDibImage;
class jvqImageFileList;

class jvqPatternFill : public jvqSolidFill {
 public:
  jvqPatternFill();
  jvqPatternFill(const jvqPatternFill& src);
  virtual ~jvqPatternFill();

  virtual void FillRegion(CDC* pDC, CRgn* pRegion, CRgn* pClip);
  // Through the object's region and FillRegion, as every painter but the solid fill: the
  // solid fill's shortcut paints its plain brush, not the pattern in its colours.
  virtual void Paint(CDC* pDC, jvqObject* pObject) { jvqFill::Paint(pDC, pObject); }
  // Through a rectangle region and FillRegion, as every painter but the solid fill.
  virtual void PaintRect(CDC* pDC, const RECT* pRect) { jvqFill::PaintRect(pDC, pRect); }
  virtual jvqFill* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL SetPattern(jvqImageFileList* pLibrary, int nIndex, COLORREF crBack, COLORREF crFore);

  // The library picture recoloured; none without a usable library picture.
  void BuildPatternBitmap();
#ifdef _WIN32
  void DrawSwatch(CDC* pDC, const RECT* pRect);
#endif
  CDib* GetPatternBitmap() const { return m_pPattern; }

  static void SetLibrary(jvqImageFileList* pLibrary) { s_pLibrary = pLibrary; }
  static jvqImageFileList* GetLibrary() { return s_pLibrary; }

  CDibImage* m_pSwatch;
  CDib* m_pPattern;
  RECT m_rcLast;
  COLORREF m_crFore;
  COLORREF m_crBack;
  int m_nIndex;

 protected:
  void ForgetPictures();
  static jvqImageFileList* s_pLibrary;
};
