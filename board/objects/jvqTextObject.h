// The text object: a rectangular frame with a white inside and a text painter that draws
// its text through Glyphset; after a change the frame takes the size the text needs.
#pragma once

#include "jvqRectObject.h"
#include "jvqTextFill.h"

class jvqTextObject : public jvqRectObject {
 public:
  // Without attributes the object has no painter yet (the record reader gives it one).
  jvqTextObject(const RECT* pRect, jvqViewMapping* pView, const jvqTextAttributes* pAttributes, DWORD dwState);
  jvqTextObject(const jvqTextObject& src);
  virtual ~jvqTextObject();

  virtual BOOL Flip(int nAxis);
  virtual void Draw(CDC* pDC);
  virtual BOOL HitTestInside(int x, int y);
  virtual jvqObject* Clone();
  virtual void EndTrack(int nHandle, jvqObject* pObject);
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);
  virtual void Render(CDC* pDC);
  virtual BOOL RecalcLayout();

  // A text in the built-in format (the prototype's when no objects file gives one).
  static jvqTextObject* MakeDefault(jvqViewMapping* pView, const RECT* pRect = NULL);

  // New attributes: a new painter from them, and a white inside again.
  BOOL SetTextFormat(const jvqTextAttributes* pAttributes);
  // The text drawn and saved (the painter's) and the object's own copy.
  void SetText(const char* pszText);
  int GetCharIndexAt(int x, int y);
  jvqTextFill* GetTextFill() const { return m_pTextFill; }
  void SetTextFill(jvqTextFill* pFill);  // takes ownership

  jvqTextFill* m_pTextFill;
  CString m_strText;

 private:
  void DrawText(CDC* pDC, BOOL bTrackers);
};
