// CObject and run-time class information.
#include <cstdio>
#include <cstring>

#include "afx.h"

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, NULL, &CObject::_GetBaseClass, NULL};

CRuntimeClass* PASCAL CObject::GetThisClass() { return &classCObject; }
CRuntimeClass* PASCAL CObject::_GetBaseClass() { return NULL; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }
CObject::~CObject() {}
void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}
void CObject::Dump(CDumpContext& dc) const {
  dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << (const void*)this << "\n";
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

CObject* CRuntimeClass::CreateObject() {
  if (m_pfnCreateObject == NULL) return NULL;
  try {
    return (*m_pfnCreateObject)();
  } catch (std::bad_alloc&) {
    return NULL;
  }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* p = this; p != NULL; p = p->m_pfnGetBaseClass ? (*p->m_pfnGetBaseClass)() : NULL)
    if (p == pBaseClass) return TRUE;
  return FALSE;
}

namespace {
CRuntimeClass* g_pFirstClass = NULL;  // zero before any constructor runs
}

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass) {
  for (CRuntimeClass* p = g_pFirstClass; p != NULL; p = p->m_pNextClass)
    if (p == pNewClass) return;
  pNewClass->m_pNextClass = g_pFirstClass;
  g_pFirstClass = pNewClass;
}

void AFXAPI AfxClassTerm(CRuntimeClass* pClass) {
  for (CRuntimeClass** pp = &g_pFirstClass; *pp != NULL; pp = &(*pp)->m_pNextClass)
    if (*pp == pClass) {
      *pp = pClass->m_pNextClass;
      pClass->m_pNextClass = NULL;
      return;
    }
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName) {
  for (CRuntimeClass* p = g_pFirstClass; p != NULL; p = p->m_pNextClass)
    if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0) return p;
  return NULL;
}

BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT, BOOL) { return lp != NULL; }
BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int) { return lpsz != NULL; }

CDumpContext afxDump;

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz) {
  std::fputs(lpsz ? lpsz : "(null)", stderr);
  return *this;
}
CDumpContext& CDumpContext::operator<<(const void* lp) {
  std::fprintf(stderr, "%p", lp);
  return *this;
}
CDumpContext& CDumpContext::operator<<(const CObject* pOb) {
  if (pOb == NULL) return *this << "NULL";
  pOb->Dump(*this);
  return *this;
}
CDumpContext& CDumpContext::operator<<(const CObject& ob) { return *this << &ob; }
CDumpContext& CDumpContext::operator<<(BYTE by) { return *this << (DWORD)by; }
CDumpContext& CDumpContext::operator<<(WORD w) { return *this << (DWORD)w; }
CDumpContext& CDumpContext::operator<<(LONG l) {
  std::fprintf(stderr, "%ld", (long)l);
  return *this;
}
CDumpContext& CDumpContext::operator<<(DWORD dw) {
  std::fprintf(stderr, "%lu", (unsigned long)dw);
  return *this;
}
CDumpContext& CDumpContext::operator<<(float f) { return *this << (double)f; }
CDumpContext& CDumpContext::operator<<(double d) {
  std::fprintf(stderr, "%f", d);
  return *this;
}
#ifdef _WIN32
CDumpContext& CDumpContext::operator<<(UINT u) { return *this << (DWORD)u; }
CDumpContext& CDumpContext::operator<<(int n) { return *this << (LONG)n; }
#endif
void CDumpContext::HexDump(LPCSTR lpszLine, BYTE* pby, int nBytes, int nWidth) {
  if (nWidth <= 0) nWidth = 16;
  for (int i = 0; i < nBytes; ++i) {
    if (i % nWidth == 0) *this << (i ? "\n" : "") << lpszLine;
    std::fprintf(stderr, " %02X", pby[i]);
  }
  *this << "\n";
}
void CDumpContext::Flush() { std::fflush(stderr); }
