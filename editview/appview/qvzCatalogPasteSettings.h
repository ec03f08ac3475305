// The catalogue paste: which item fields become texts and how those texts look and stack,
// kept in the layout file "yq.qzl" beside the program, and the builder that turns an item
// handed over by the catalogue browser into a group of its picture and those texts.
#pragma once

#include <vector>

#include "afx.h"

class jvqDocument;
class jvqGroupObject;
class jvqObject;
class jvqTextObject;

class qvzCatalogPasteSettings {
 public:
  // Every field chosen, each with a copy of the text prototype (which matches no field until
  // a layout is read).
  qvzCatalogPasteSettings();
  virtual ~qvzCatalogPasteSettings();

  qvzCatalogPasteSettings* Clone() const;
  // Replaces the layout from a layout file; nothing changes when it cannot be read.
  BOOL LoadLayout(LPCTSTR lpszPath);
  BOOL SaveLayout(LPCTSTR lpszPath);
  // The group of the item's picture and its field texts, centred on (0, 0); the caller owns
  // it. NULL for a picture of another kind or one that does not load.
  jvqGroupObject* BuildItemObject(const void* pBlock, size_t nSize, LPCTSTR lpszLayoutPath);
  // Builds with the program folder's layout and adds the result, centred on the point, to the
  // document's current page as one undo step; the bare picture when no text came with it.
  int PasteItem(jvqDocument* pDocument, const void* pBlock, size_t nSize, POINT ptLogical);

  // The first layout text whose text begins with the name, NULL when none.
  jvqTextObject* FindLayoutText(LPCTSTR lpszField) const;
  static CString LayoutPath();
  // A layout text's text, as drawn and stored.
  static CString TextOf(const jvqTextObject* t);

  std::vector<CString> m_Fields;       // chosen fields, in paste order
  std::vector<jvqTextObject*> m_Texts;  // layout texts, owned, in layout order
  jvqDocument* m_pDocument;            // not owned

 private:
  void DeleteTexts();
};
