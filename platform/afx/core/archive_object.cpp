// CArchive: class and object tags.
#include <cstring>

#include "afx.h"
#include "archive_internal.h"

namespace {

const WORD wNullTag = 0;             // NULL pointer
const WORD wNewClassTag = 0xFFFF;    // a class description follows
const WORD wClassTag = 0x8000;       // OR'd with a class index
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;   // a DWORD tag follows
const DWORD nMaxMapCount = 0x3FFFFFFE;

}  // namespace

void CRuntimeClass::Store(CArchive& ar) const {
  WORD nLen = (WORD)std::strlen(m_lpszClassName);
  ar << (WORD)m_wSchema << nLen;
  ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
  WORD wTemp;
  WORD nLen;
  char szClassName[64];
  ar >> wTemp;
  *pwSchemaNum = wTemp;
  ar >> nLen;
  if (nLen >= sizeof(szClassName)) return NULL;
  if (ar.Read(szClassName, nLen) != nLen) AfxThrowArchiveException(CArchiveException::endOfFile);
  szClassName[nLen] = 0;
  return FromName(szClassName);
}

void CArchive::MapObject(const CObject* pOb) {
  if (IsStoring()) {
    if (m_pStoreMap == NULL) {
      m_pStoreMap = new AfxArchiveStoreMap;
      ((AfxArchiveStoreMap*)m_pStoreMap)->reserve(m_nHashSize);
      m_nMapCount = 1;  // 0 is the NULL tag
    }
    if (pOb != NULL) {
      if (m_nMapCount >= nMaxMapCount) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
      (*(AfxArchiveStoreMap*)m_pStoreMap)[pOb] = m_nMapCount++;
    }
  } else {
    if (m_pLoadArray == NULL) {
      AfxArchiveLoadArray* pArray = new AfxArchiveLoadArray;
      pArray->push_back({NULL, false, 0});
      m_pLoadArray = pArray;
      m_nMapCount = 1;
    }
    if (pOb != NULL) {
      if (m_nMapCount >= nMaxMapCount) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
      ((AfxArchiveLoadArray*)m_pLoadArray)->push_back({(void*)pOb, false, 0});
      m_nMapCount++;
    }
  }
}

void CArchive::WriteObjectTag(DWORD nTag) {
  if (nTag < wBigObjectTag) {
    *this << (WORD)nTag;
  } else {
    *this << wBigObjectTag;
    *this << nTag;
  }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
  CheckStoring();
  if (pClassRef->m_wSchema == 0xFFFF) AfxThrowNotSupportedException();  // not serializable
  MapObject(NULL);
  AfxArchiveStoreMap& map = *(AfxArchiveStoreMap*)m_pStoreMap;
  auto it = map.find(pClassRef);
  if (it != map.end()) {
    DWORD nClassIndex = it->second;
    if (nClassIndex < wBigObjectTag) {
      *this << (WORD)(wClassTag | nClassIndex);
    } else {
      *this << wBigObjectTag;
      *this << (dwBigClassTag | nClassIndex);
    }
    return;
  }
  *this << wNewClassTag;
  pClassRef->Store(*this);
  if (m_nMapCount >= nMaxMapCount) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
  map[pClassRef] = m_nMapCount++;
}

void CArchive::WriteObject(const CObject* pOb) {
  CheckStoring();
  MapObject(NULL);
  if (pOb == NULL) {
    *this << wNullTag;
    return;
  }
  AfxArchiveStoreMap& map = *(AfxArchiveStoreMap*)m_pStoreMap;
  auto it = map.find(pOb);
  if (it != map.end()) {
    WriteObjectTag(it->second);
    return;
  }
  WriteClass(pOb->GetRuntimeClass());
  if (m_nMapCount >= nMaxMapCount) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
  map[pOb] = m_nMapCount++;
  ((CObject*)pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
  CheckLoading();
  if (pClassRefRequested != NULL && pClassRefRequested->m_wSchema == 0xFFFF) AfxThrowNotSupportedException();
  MapObject(NULL);
  AfxArchiveLoadArray& table = *(AfxArchiveLoadArray*)m_pLoadArray;

  WORD wTag;
  *this >> wTag;
  DWORD obTag;
  if (wTag == wBigObjectTag)
    *this >> obTag;
  else
    obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

  if (!(obTag & dwBigClassTag)) {
    // An object seen before (or NULL).
    if (pObTag == NULL) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    *pObTag = obTag;
    return NULL;
  }

  CRuntimeClass* pClassRef;
  UINT nSchema;
  if (wTag == wNewClassTag) {
    pClassRef = CRuntimeClass::Load(*this, &nSchema);
    if (pClassRef == NULL) AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
      AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
    if (m_nMapCount >= nMaxMapCount) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    table.push_back({pClassRef, true, nSchema});
    m_nMapCount++;
  } else {
    DWORD nClassIndex = obTag & ~dwBigClassTag;
    // The index must name a class read earlier, not an object.
    if (nClassIndex == 0 || nClassIndex >= table.size() || !table[nClassIndex].isClass)
      AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    pClassRef = (CRuntimeClass*)table[nClassIndex].p;
    nSchema = table[nClassIndex].nSchema;
  }

  if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
    AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
  if (pSchema != NULL)
    *pSchema = nSchema;
  else
    m_nObjectSchema = nSchema;
  if (pObTag != NULL) *pObTag = obTag;
  return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
  if (IsStoring())
    WriteClass(pClassRef);
  else
    ReadClass(pClassRef);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
  UINT nSchema;
  DWORD obTag;
  CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
  AfxArchiveLoadArray& table = *(AfxArchiveLoadArray*)m_pLoadArray;
  if (pClassRef == NULL) {
    // The index must name an object read earlier (or 0 for NULL), not a class.
    if (obTag >= table.size() || table[obTag].isClass) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    CObject* pOb = (CObject*)table[obTag].p;
    if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
      AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    return pOb;
  }
  CObject* pOb = pClassRef->CreateObject();
  if (pOb == NULL) AfxThrowMemoryException();
  if (m_nMapCount >= nMaxMapCount) {
    delete pOb;
    AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
  }
  table.push_back({pOb, false, 0});
  size_t nIndex = table.size() - 1;
  m_nMapCount++;
  UINT nSchemaSave = m_nObjectSchema;
  m_nObjectSchema = nSchema;
  try {
    pOb->Serialize(*this);
  } catch (...) {
    // Nobody else holds the half-read object.
    table[nIndex].p = NULL;
    delete pOb;
    throw;
  }
  m_nObjectSchema = nSchemaSave;
  return pOb;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb) {
  ar.WriteObject(pOb);
  return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb) {
  pOb = ar.ReadObject(NULL);
  return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb) {
  pOb = ar.ReadObject(NULL);
  return ar;
}
