#include "jvqImageObject.h"

#include <cmath>

#include "BaseImage.h"
#include "MetafileImage.h"
#include "jvqGeometry.h"
#include "jvqImageFill.h"
#include "jvqLineStyle.h"
#include "jvqObjectCodes.h"
#include "jvqViewMapping.h"

namespace {
// Edit flag set while the picture is a metafile: it cannot be turned.
const int kEditNoRotation = 1;
const int kEditFlags = 2;
const int kMaxSide = 2000;
}  // namespace

jvqImageObject::jvqImageObject(jvqImagePool* pPool, LPCTSTR lpszPath, jvqViewMapping* pView) {
  m_nClassCode = JVQ_OBJ_IMAGE;
  m_nEditFlags = kEditFlags;
  m_pView = pView;
  if (!LoadImage(pPool, lpszPath, TRUE)) {
    // No picture yet (a prototype, or a record about to be read): an empty rectangle.
    const RECT empty = {0, 0, 0, 0};
    SetRect(&empty, pView, 0x311);
  }
  m_LineStyle.SetStyle(LINE_STYLE_NONE);
}

jvqImageObject::jvqImageObject(const jvqImageObject& src) : jvqRectObject(src), m_strPath(src.m_strPath) {
  m_nClassCode = JVQ_OBJ_IMAGE;
  m_nEditFlags = kEditFlags | (src.m_nEditFlags & kEditNoRotation);
  m_pView = src.m_pView;
}

jvqObject* jvqImageObject::Clone() { return new jvqImageObject(*this); }

jvqImageFill* jvqImageObject::GetImageFill() const {
  return (m_pFill && (m_pFill->GetFlags() & FILL_IMAGE)) ? static_cast<jvqImageFill*>(m_pFill) : NULL;
}

BOOL jvqImageObject::Flip(int) { return FALSE; }

void jvqImageObject::UpdateEditFlags() {
  jvqImageFill* f = GetImageFill();
  CBaseImage* p = f ? f->GetImage() : NULL;
  if (p != NULL && p->GetBI() == NULL)
    m_nEditFlags |= kEditNoRotation;
  else
    m_nEditFlags &= ~kEditNoRotation;
}

void jvqImageObject::Draw(CDC* pDC) {
  UpdateEditFlags();
  jvqImageFill* f = GetImageFill();
  if (f && !IsShown()) f->DropTurnedCopy();
  jvqRectObject::Draw(pDC);
}

int jvqImageObject::BeginTrack(int nHandle, jvqObject* pAnchor) {
  int n = jvqRectObject::BeginTrack(nHandle, pAnchor);
  if (jvqImageFill* f = GetImageFill()) f->DropTurnedCopy();
  return n;
}

void jvqImageObject::SetRotation(int nAngle) {
  jvqImageFill* f = GetImageFill();
  CBaseImage* p = f ? f->GetImage() : NULL;
  if (p != NULL && p->GetBI() != NULL && !(m_nEditFlags & kEditNoRotation)) {
    f->DropTurnedCopy();
    jvqRectObject::SetRotation(nAngle);
  } else {
    m_dRotation = 0.0;
  }
}

SIZE jvqImageObject::GetNaturalSize(CBaseImage* pImage) {
  CSize px = pImage->GetDimensions();
  SIZE size = {px.cx, px.cy};
  BITMAPINFOHEADER* bi = pImage->GetBI();
  if (bi == NULL) {
    if (m_pView) m_pView->SizeToLogical(&size);
    return size;
  }
  if (bi->biXPelsPerMeter > 0 && bi->biYPelsPerMeter > 0) {
    size.cx = (LONG)std::floor(px.cx / (bi->biXPelsPerMeter * 0.0001));
    size.cy = (LONG)std::floor(px.cy / (bi->biYPelsPerMeter * 0.0001));
    if (size.cx > kMaxSide || size.cy > kMaxSide) {
      RECT rc = {0, 0, size.cx, size.cy};
      const RECT target = {0, 0, kMaxSide, kMaxSide};
      FitRectToAspect(&rc, &target);
      size.cx = rc.right - rc.left;
      size.cy = rc.bottom - rc.top;
    }
  } else {
    size.cx = (LONG)std::floor(px.cx * 1.27);
    size.cy = (LONG)std::floor(px.cy * 1.27);
  }
  return size;
}

BOOL jvqImageObject::LoadImage(jvqImagePool* pPool, LPCTSTR lpszPath, BOOL bResize) {
  if (lpszPath == NULL || m_pView == NULL) return FALSE;
  jvqImageFill* pNew = new jvqImageFill(lpszPath, pPool);
  if (pNew->GetImage() == NULL) {
    // An unreadable file leaves the object as it was.
    delete pNew;
    return FALSE;
  }
  SetFill(pNew);
  m_strPath = lpszPath;
  UpdateEditFlags();
  if (!bResize) return TRUE;
  RECT bound = {0, 0, 0, 0};
  if (m_GeometryData.GetCount() > 0) m_GeometryData.GetBoundRect(&bound);
  SIZE size = GetNaturalSize(pNew->GetImage());
  const RECT rc = {bound.left, bound.top, bound.left + size.cx, bound.top + size.cy};
  jvqLineStyle keep = m_LineStyle;
  BOOL bOk = SetRect(&rc, m_pView, 0x311);
  m_LineStyle = keep;
  return bOk;
}

BOOL jvqImageObject::SetPicture(jvqImagePool* pPool, CBaseImage* pImage, BOOL bResize) {
  jvqImageFill* pNew = new jvqImageFill(NULL, pPool);
  if (!pNew->SetPicture(pImage, pPool)) {
    delete pNew;
    return FALSE;
  }
  SetFill(pNew);
  UpdateEditFlags();
  if (!bResize || m_pView == NULL) return TRUE;
  RECT bound = {0, 0, 0, 0};
  if (m_GeometryData.GetCount() > 0) m_GeometryData.GetBoundRect(&bound);
  CSize px = pImage->GetDimensions();
  SIZE size = {px.cx, px.cy};
  m_pView->SizeToLogical(&size);
  const RECT rc = {bound.left, bound.top, bound.left + size.cx, bound.top + size.cy};
  jvqLineStyle keep = m_LineStyle;
  BOOL bOk = SetRect(&rc, m_pView, 0x311);
  m_LineStyle = keep;
  return bOk;
}

#ifdef _WIN32

BOOL jvqImageObject::LoadFromClipboard() {
  jvqImagePool* pPool = GetImageFill() ? GetImageFill()->GetPool() : NULL;
  jvqImageFill* pNew = new jvqImageFill(NULL, pPool);
  if (!pNew->ReadClipboard() || pNew->GetImage() == NULL) {
    delete pNew;
    return FALSE;
  }
  SetFill(pNew);
  CBaseImage* p = pNew->GetImage();
  CSize px = p->GetDimensions();
  SIZE size = {px.cx, px.cy};
  if (m_pView) m_pView->SizeToLogical(&size);
  if (p->GetBI() == NULL) {
    if (size.cx > kMaxSide || size.cy > kMaxSide) {
      RECT rc = {0, 0, size.cx, size.cy};
      const RECT target = {0, 0, kMaxSide, kMaxSide};
      FitRectToAspect(&rc, &target);
      size.cx = rc.right - rc.left;
      size.cy = rc.bottom - rc.top;
    }
    m_nEditFlags |= kEditNoRotation;
  } else {
    m_nEditFlags &= ~kEditNoRotation;
  }
  const RECT rc = {0, 0, size.cx, size.cy};
  jvqLineStyle keep = m_LineStyle;
  BOOL bOk = SetRect(&rc, m_pView, 0x311);
  m_LineStyle = keep;
  return bOk;
}

HANDLE jvqImageObject::CopyToClipboard() {
  jvqImageFill* f = GetImageFill();
  CBaseImage* p = f ? f->GetImage() : NULL;
  if (p == NULL) return NULL;
  return p->SetClipboard() ? (HANDLE)1 : NULL;
}

#endif
