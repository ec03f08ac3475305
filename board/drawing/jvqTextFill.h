// The text painter of a text object: draws the object's text inside its frame through
// Glyphset from its attribute block, in its own colour.
#pragma once

#include "jvqFill.h"
#include "jvqTextAttributes.h"

class jvqTextFill : public jvqFill {
 public:
  explicit jvqTextFill(const jvqTextAttributes* pAttributes = NULL);
  jvqTextFill(const jvqTextFill& src);
  virtual ~jvqTextFill() {}

  virtual void Paint(CDC* pDC, jvqObject* pObject);
  virtual jvqFill* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);

  // Takes over the block and the face and text it points to.
  void SetTextStyle(const jvqTextAttributes* pAttributes);
  void SetText(const char* pszText);
  // Points the block at the face (as drawn) and the text; Glyphset needs fresh pointers.
  jvqTextAttributes* RefreshPointers();
  // "System" and "FixedSys" have no Japanese glyphs: they are drawn in the Gothic face.
  static const char* DrawnFace(const char* pszFace);

  jvqTextAttributes m_Attributes;
  CString m_strFace;
  CString m_strText;
  COLORREF m_crText;
};

// Asks Glyphset for the rectangle the block's text needs when laid out on pDC; the block's
// own DC and rectangle are left as they were.
int MeasureTextRect(RECT* pOut, jvqTextAttributes* pAttributes, CDC* pDC);
// Glyphset's character index at a logical point on pDC, -1 for none.
int jvqTextCharAt(jvqTextAttributes* pAttributes, CDC* pDC, int x, int y);
