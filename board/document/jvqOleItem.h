// The board's embedded item: keeps its drawing object's frame and the item's extent in
// step and redraws the object when the server reports a change.
#pragma once

#include "afxole.h"

class jvqDocument;
class jvqOleObject;

class jvqOleItem : public COleClientItem {
  DECLARE_SERIAL(jvqOleItem)
 public:
  jvqOleItem(jvqDocument* pDocument = NULL, jvqOleObject* pOwner = NULL);

  void OnChange(OLE_NOTIFICATION nCode, DWORD dwParam) override;
  void OnGetItemPosition(CRect& rPosition) override;
  BOOL OnChangeItemPosition(const CRect& rectPos) override;
  // Sizes the owner to the item's extent (HIMETRIC to 0.1 mm) keeping its left and top;
  // FALSE when nothing changed.
  BOOL UpdateExtent();

  BOOL m_bOpened;      // the view opened it in its server
  BOOL m_bFirstClose;  // no close by the server since construction
  jvqOleObject* m_pOwner;

  // The editing view learns of a server's close through this.
  static void (*s_pfnItemClosed)(jvqOleItem* pItem);
};
