// A drawing object showing an embedded item of its document. It does not own the item: it
// names it by its index in the document's item vector, so that undo copies, clipboard
// records and object files all refer to the same item.
#pragma once

#include "jvqFrameObject.h"

class COleClientItem;
class jvqDocument;

class jvqOleObject : public jvqFrameObject {
 public:
  jvqOleObject(const RECT* pRect, int nItemIndex, jvqViewMapping* pView, jvqDocument* pDocument);
  jvqOleObject(const jvqOleObject& src);
  virtual ~jvqOleObject() {}

  virtual void Draw(CDC* pDC);
  virtual jvqObject* Clone();
  virtual void Invalidate();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void Deactivate();
  virtual void Serialize(CArchive& ar, jvqDocument* pDocument);
  virtual void Render(CDC* pDC);
  virtual void Reserved() {}
  virtual int OnCopyToClipboard() { return 1; }

  // NULL without a document or for an index beyond the document's items.
  COleClientItem* GetClientItem();
  // The frame takes the item's extent (HIMETRIC to 0.1 mm) at the origin; unchanged when
  // the item reports none.
  void SetSizeFromItem(COleClientItem* pItem);

  int m_nReserved1;
  int m_nReserved2;
  int m_nItemIndex;
  jvqDocument* m_pDocument;

 private:
  BOOL IsOnScreen(CDC* pDC);
};
