#include "jvqMadorizuObject.h"

#include <cmath>
#include <cstring>

#include "MetafileImage.h"
#include "afxarch.h"
#include "jvqFileHeader.h"
#include "jvqImageObject.h"
#include "jvqObjectDefaults.h"
#include "jvqRecordIO.h"

namespace {

// The plan's children are read without refreshing the loading dialog per child.
class NoReadProgress {
 public:
  NoReadProgress() : m_pfnKept(theReadProgressProc) { theReadProgressProc = NULL; }
  ~NoReadProgress() { theReadProgressProc = m_pfnKept; }

 private:
  jvqReadProgressProc m_pfnKept;
};

const RECT kDefaultFrame = {0, 0, 100, 100};
const int kIndexVersion = 91510;

int VersionOf(jvqFileHeader* pHeader) { return pHeader ? pHeader->GetVersion() : JVQ_VERSION_CURRENT; }

}  // namespace

jvqMadorizuObject::jvqMadorizuObject(LPCTSTR lpszPath, jvqViewMapping* pView, jvqImagePool* pPool, DWORD dwState)
    : jvqGroupObject(), m_nPlanWidth(0), m_nPlanHeight(0), m_dDrawingScale(0.01), m_nPictureIndex(-1) {
  m_nClassCode = JVQ_OBJ_MADORIZU;
  Create(lpszPath, pView, pPool, dwState);
}

jvqMadorizuObject::jvqMadorizuObject(const jvqMadorizuObject& src)
    : jvqGroupObject(src),
      m_nPlanWidth(src.m_nPlanWidth),
      m_nPlanHeight(src.m_nPlanHeight),
      m_dDrawingScale(src.m_dDrawingScale),
      m_nPictureIndex(src.m_nPictureIndex) {
  m_nClassCode = JVQ_OBJ_MADORIZU;
  m_pView = src.m_pView;
}

jvqObject* jvqMadorizuObject::Clone() { return new jvqMadorizuObject(*this); }

BOOL jvqMadorizuObject::Create(LPCTSTR lpszPath, jvqViewMapping* pView, jvqImagePool* pPool, DWORD dwState) {
  m_dwState = dwState;
  m_pView = pView;
  if (!SetRect(&kDefaultFrame, pView, 0x311) || lpszPath == NULL || *lpszPath == 0 || pPool == NULL) return FALSE;
  jvqImageObject* pPicture = ReadPlanFile(lpszPath, pPool);
  if (pPicture == NULL) return FALSE;
  pPicture->m_LineStyle = theNoLineStyle;
  AddChild(pPicture);
  m_nPictureIndex = GetChildCount() - 1;
  m_nClassCode = JVQ_OBJ_MADORIZU;
  return TRUE;
}

jvqImageObject* jvqMadorizuObject::ReadPlanFile(LPCTSTR lpszPath, jvqImagePool* pPool) {
  double w = 0, h = 0;
  CMetafileImage* pImage = NULL;
  try {
    CFile f;
    if (!f.Open(lpszPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return NULL;
    BYTE head[24];
    if (!jvqReadExact(&f, head, 4) || std::memcmp(head, "kxq\0", 4) != 0) return NULL;
    if (!jvqReadExact(&f, head + 4, 20) || jvqBytesLeft(&f) == 0) return NULL;
    std::memcpy(&w, head + 8, 8);
    std::memcpy(&h, head + 16, 8);
    f.Close();
  } catch (CException* e) {
    e->Delete();
    return NULL;
  }
  // A plan needs a real size: anything else would give a picture of no size or of any size.
  if (!std::isfinite(w) || !std::isfinite(h) || w <= 0 || h <= 0 || w * 10 > 0x7FFFFFFF || h * 10 > 0x7FFFFFFF)
    return NULL;
  pImage = new CMetafileImage;
  if (!pImage->Read(lpszPath)) {
    // A plan whose picture cannot be taken is no plan.
    delete pImage;
    return NULL;
  }
  jvqImageObject* pPicture = (jvqImageObject*)jvqObjectDefaults::CreateObject(JVQ_OBJ_IMAGE);
  if (pPicture == NULL) {
    delete pImage;
    return NULL;
  }
  if (!pPicture->SetPicture(pPool, pImage, TRUE)) {
    delete pImage;
    delete pPicture;
    return NULL;
  }
  m_nPlanWidth = (int32_t)(w * 10);
  m_nPlanHeight = (int32_t)(h * 10);
  const RECT rc = {0, 0, (LONG)(w * m_dDrawingScale * 10), (LONG)(h * m_dDrawingScale * 10)};
  jvqLineStyle keep = pPicture->m_LineStyle;
  pPicture->SetRect(&rc, pPicture->m_pView, 0x311);
  pPicture->m_LineStyle = keep;
  return pPicture;
}

jvqObject* jvqMadorizuObject::GetPicture() const {
  if (m_nPictureIndex < 0 || m_nPictureIndex >= GetChildCount()) return NULL;
  return GetChild(m_nPictureIndex);
}

int jvqMadorizuObject::GetScaleDenominator() const {
  return m_dDrawingScale > 0 && std::isfinite(m_dDrawingScale) ? (int)(1.0 / m_dDrawingScale + 0.5) : 0;
}

void jvqMadorizuObject::SetScale(double dScale) {
  m_dDrawingScale = dScale;
  if (GetChildCount() > 0) {
    jvqObject* p = GetChild(0);
    if (p->GetClassCode() & 2) {
      jvqRectObject* r = (jvqRectObject*)p;
      const RECT rc = {0, 0, (LONG)(m_nPlanWidth * dScale), (LONG)(m_nPlanHeight * dScale)};
      jvqLineStyle keep = r->m_LineStyle;
      r->SetRect(&rc, r->m_pView, 0x311);
      r->m_LineStyle = keep;
    }
  }
  Recalc();
}

void jvqMadorizuObject::RecalcScale() {
  jvqObject* p = GetPicture();
  if (p == NULL || m_nPlanWidth == 0) return;
  RECT b;
  p->GetBoundRect(&b);
  const int w = b.right - b.left;
  if (w == 0) return;
  const double x = (double)w / m_nPlanWidth;
  int n = (int)(1.0 / x);
  const int r = n % 10;
  n = r < 5 ? n - r : n + 10 - r;
  // A picture drawn larger than 1 : 5 has no scale of tens to show; it keeps the one it had.
  if (n <= 0) return;
  m_dDrawingScale = 1.0 / n;
}

void jvqMadorizuObject::Recalc() {
  jvqGroupObject::Recalc();
  RecalcScale();
}

void jvqMadorizuObject::Track(POINT* pStart, POINT* pCurrent, UINT nFlags, jvqObject* pMarker, CDC* pDC) {
  // Corners keep the plan's proportions unless Shift is held; edges move one edge.
  m_bFreeResize = FALSE;
  jvqRectObject::Track(pStart, pCurrent, nFlags, pMarker, pDC);
}

void jvqMadorizuObject::DeleteChildren() {
  jvqGroupObject::DeleteChildren();
  m_nPictureIndex = -1;
}

int jvqMadorizuObject::FindPictureChild() const {
  int at = -1;
  for (int i = 0; i < GetChildCount(); i++)
    if (GetChild(i)->GetClassCode() == JVQ_OBJ_IMAGE) at = i;
  return at;
}

BOOL jvqMadorizuObject::Store(CFile* pFile, jvqFileHeader* pHeader) {
  if (!jvqGroupObject::Store(pFile, pHeader)) return FALSE;
  try {
    pFile->Write(&m_dDrawingScale, 8);
    const int32_t v[3] = {m_nPlanWidth, m_nPlanHeight, m_nPictureIndex};
    pFile->Write(v, sizeof(v));
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

BOOL jvqMadorizuObject::Load(CFile* pFile, jvqFileHeader* pHeader) {
  {
    NoReadProgress quiet;
    if (!jvqGroupObject::Load(pFile, pHeader)) return FALSE;
  }
  try {
    double dScale = 0;
    int32_t v[3];
    if (!jvqReadExact(pFile, &dScale, 8) || !jvqReadExact(pFile, v, sizeof(v))) return FALSE;
    m_dDrawingScale = dScale;
    m_nPlanWidth = v[0];
    m_nPlanHeight = v[1];
    // An index outside the children names no picture: it is found as older files find it.
    m_nPictureIndex = v[2] >= 0 && v[2] < GetChildCount() ? v[2] : FindPictureChild();
    return TRUE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
}

void jvqMadorizuObject::SerializeArchive(CArchive& ar, jvqFileHeader* pHeader) {
  CFile* pFile = ar.GetFile();
  if (!ar.IsLoading()) {
    SerializeContainer(ar, pHeader);
    ar.Flush();
    pFile->Write(&m_dDrawingScale, 8);
    const int32_t v[3] = {m_nPlanWidth, m_nPlanHeight, m_nPictureIndex};
    // The index goes only where its reader looks for it: a stream written at an older
    // version would otherwise not read back.
    pFile->Write(v, VersionOf(pHeader) >= kIndexVersion ? 12 : 8);
    return;
  }
  {
    NoReadProgress quiet;
    SerializeContainer(ar, pHeader);
  }
  ar.Flush();
  double dScale = 0;
  int32_t v[2];
  if (!jvqReadExact(pFile, &dScale, 8) || !jvqReadExact(pFile, v, sizeof(v)))
    AfxThrowArchiveException(CArchiveException::endOfFile);
  m_dDrawingScale = dScale;
  m_nPlanWidth = v[0];
  m_nPlanHeight = v[1];
  int32_t nIndex = -1;
  if (VersionOf(pHeader) >= kIndexVersion && !jvqReadExact(pFile, &nIndex, 4))
    AfxThrowArchiveException(CArchiveException::endOfFile);
  m_nPictureIndex = nIndex >= 0 && nIndex < GetChildCount() ? nIndex : FindPictureChild();
}

void jvqMadorizuObject::Serialize(CArchive& ar, jvqDocument* pDocument) {
  SerializeArchive(ar, s_pfnHeaderOf ? s_pfnHeaderOf(pDocument) : NULL);
}
