#include "jvqBannerObject.h"

jvqBannerObject::jvqBannerObject(const RECT* pRect, jvqViewMapping* pView, const jvqBannerStyle* pStyle,
                                 DWORD dwState)
    : jvqRectObject(pRect, pView, dwState), m_nLastResult(0) {
  m_nClassCode |= 0x100000;
  m_pView = pView;
  m_LineStyle = theNoLineStyle;
  m_bFreeResize = TRUE;
  SetBannerStyle(pStyle);
}

jvqBannerObject::jvqBannerObject(const jvqBannerObject& src)
    : jvqRectObject(src), m_nLastResult(0), m_strText(src.m_strText) {
  m_nClassCode |= 0x100000;
  m_pView = src.m_pView;
  m_bFreeResize = TRUE;
}

jvqObject* jvqBannerObject::Clone() { return new jvqBannerObject(*this); }

BOOL jvqBannerObject::SetBannerStyle(const jvqBannerStyle* pStyle) {
  SetFill(new jvqBannerFill(pStyle));
  return TRUE;
}

jvqBannerStyle* jvqBannerObject::GetBannerStyle() const {
  jvqFill* p = GetFill();
  return p && (p->GetFlags() & FILL_BANNER) ? &((jvqBannerFill*)p)->m_Style : NULL;
}

BOOL jvqBannerObject::Load(CFile* pFile, jvqFileHeader* pHeader) { return jvqRectObject::Load(pFile, pHeader); }

BOOL jvqBannerObject::Store(CFile* pFile, jvqFileHeader* pHeader) { return jvqObject::Store(pFile, pHeader); }
