// The title: a rectangle without an outline whose fill painter draws a banner shape with
// its text through Glyphset.
#pragma once

#include "jvqBannerFill.h"
#include "jvqRectObject.h"

class jvqBannerObject : public jvqRectObject {
 public:
  jvqBannerObject(const RECT* pRect, jvqViewMapping* pView, const jvqBannerStyle* pStyle, DWORD dwState);
  jvqBannerObject(const jvqBannerObject& src);
  virtual ~jvqBannerObject() {}

  virtual jvqObject* Clone();
  virtual BOOL Load(CFile* pFile, jvqFileHeader* pHeader);
  virtual BOOL Store(CFile* pFile, jvqFileHeader* pHeader);

  BOOL SetBannerStyle(const jvqBannerStyle* pStyle);
  // The style drawn, or NULL when the fill is not a title's.
  jvqBannerStyle* GetBannerStyle() const;

  int m_nLastResult;  // what the banner drawing answered last time
  CString m_strText;
};
