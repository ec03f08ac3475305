// Objects with run-time class information, dynamic creation and serialization.
#pragma once

#include "afxtypes.h"

#ifndef AFXAPI
#define AFXAPI
#endif
#ifndef AFX_DATA
#define AFX_DATA
#endif
#define AFX_DATADEF
#define AFX_COMDAT
#ifndef AFX_INLINE
#define AFX_INLINE inline
#endif
#ifndef AFX_CDECL
#define AFX_CDECL
#endif

class CObject;
class CArchive;
class CDumpContext;
class CString;

// Debug helpers: checks are compiled out, as in a release build of the platform.
#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(pOb) ((void)0)
#define ASSERT_KINDOF(class_name, object) ((void)0)
#define ASSERT_POINTER(p, type) ((void)0)
#define ASSERT_NULL_OR_POINTER(p, type) ((void)0)
#define DEBUG_ONLY(f) ((void)0)
#define DEBUG_NEW new
#define TRACE(...) ((void)0)
#define TRACE0(sz) ((void)0)
#define TRACE1(sz, p1) ((void)0)
#define TRACE2(sz, p1, p2) ((void)0)
#define TRACE3(sz, p1, p2, p3) ((void)0)
#define UNUSED(x) ((void)(x))
#define UNUSED_ALWAYS(x) ((void)(x))
BOOL AFXAPI AfxIsValidAddress(const void* lp, UINT nBytes, BOOL bReadWrite = TRUE);
BOOL AFXAPI AfxIsValidString(LPCSTR lpsz, int nLength = -1);

// Schema flag: the class accepts every schema and asks the archive which one it reads.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF: not serializable
  CObject* (PASCAL* m_pfnCreateObject)();
  // Through a function, so that a class in another module refers to its base without
  // importing data across the library boundary.
  CRuntimeClass* (PASCAL* m_pfnGetBaseClass)();
  CRuntimeClass* m_pNextClass;  // registered serializable classes

  CObject* CreateObject();
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
  void Store(CArchive& ar) const;
  // Reads a class name and schema; NULL when no registered class has that name.
  static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
  // Registered serializable class of that name, or NULL.
  static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
};

// Adds a class to (or removes it from) the list searched when an archive names a class.
// IMPLEMENT_SERIAL does both, so a library's classes leave the list when it unloads.
void AFXAPI AfxClassInit(CRuntimeClass* pNewClass);
void AFXAPI AfxClassTerm(CRuntimeClass* pClass);
struct AFX_CLASSINIT {
  AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass) { AfxClassInit(pNewClass); }
  ~AFX_CLASSINIT() { AfxClassTerm(m_pClass); }
  CRuntimeClass* m_pClass;
};

#define _RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))
#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())
// The object as that class when it is one (or derived from it), else NULL.
#ifndef DYNAMIC_DOWNCAST
#define DYNAMIC_DOWNCAST(class_name, object) \
  ((object) != NULL && ((CObject*)(object))->IsKindOf(RUNTIME_CLASS(class_name)) ? (class_name*)(object) : (class_name*)NULL)
#endif

#define DECLARE_DYNAMIC(class_name) \
 protected: \
  static CRuntimeClass* PASCAL _GetBaseClass(); \
 public: \
  static AFX_DATA CRuntimeClass class##class_name; \
  static CRuntimeClass* PASCAL GetThisClass(); \
  virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name) \
  static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNCREATE(class_name) \
  friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
  CRuntimeClass* PASCAL class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); } \
  AFX_DATADEF CRuntimeClass class_name::class##class_name = { \
      #class_name, sizeof(class class_name), wSchema, pfnNew, &class_name::_GetBaseClass, NULL}; \
  CRuntimeClass* PASCAL class_name::GetThisClass() { return _RUNTIME_CLASS(class_name); } \
  CRuntimeClass* class_name::GetRuntimeClass() const { return _RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
  CObject* PASCAL class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
  CObject* PASCAL class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
  static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name)); \
  CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) { \
    pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name)); \
    return ar; \
  }

class CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = 0;

 protected:
  CObject() {}

 private:
  CObject(const CObject&) = delete;
  void operator=(const CObject&) = delete;

 public:
  BOOL IsSerializable() const;
  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& dc) const;

  static AFX_DATA CRuntimeClass classCObject;
  static CRuntimeClass* PASCAL GetThisClass();
  static CRuntimeClass* PASCAL _GetBaseClass();
};

// Diagnostic output (to stderr); kept so that Dump overrides compile.
class CDumpContext {
 public:
  CDumpContext() {}
  int GetDepth() const { return m_nDepth; }
  void SetDepth(int nNewDepth) { m_nDepth = nNewDepth; }
  CDumpContext& operator<<(LPCSTR lpsz);
  CDumpContext& operator<<(const void* lp);
  CDumpContext& operator<<(const CObject* pOb);
  CDumpContext& operator<<(const CObject& ob);
  CDumpContext& operator<<(BYTE by);
  CDumpContext& operator<<(WORD w);
  CDumpContext& operator<<(LONG l);
  CDumpContext& operator<<(DWORD dw);
  CDumpContext& operator<<(float f);
  CDumpContext& operator<<(double d);
#ifdef _WIN32
  CDumpContext& operator<<(UINT u);
  CDumpContext& operator<<(int n);
#endif
  void HexDump(LPCSTR lpszLine, BYTE* pby, int nBytes, int nWidth);
  void Flush();

 private:
  int m_nDepth = 0;
};
extern AFX_DATA CDumpContext afxDump;
