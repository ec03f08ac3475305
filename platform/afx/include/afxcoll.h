// The typed collections, over the templates of afxtempl.h. Serializable ones write the
// platform's form: a count (WORD, or 0xFFFF + DWORD), then the elements.
#pragma once

#include "afx.h"
#include "afxtempl.h"

class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)
 public:
  CObArray() {}
  virtual ~CObArray() {}
};
class CPtrArray : public CArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)
 public:
  CPtrArray() {}
  virtual ~CPtrArray() {}
  virtual void Serialize(CArchive& ar) { CObject::Serialize(ar); }
};
class CStringArray : public CArray<CString, LPCTSTR> {
  DECLARE_SERIAL(CStringArray)
 public:
  CStringArray() {}
  virtual ~CStringArray() {}
};
class CByteArray : public CArray<BYTE, BYTE> {
  DECLARE_SERIAL(CByteArray)
 public:
  CByteArray() {}
  virtual ~CByteArray() {}
};
class CWordArray : public CArray<WORD, WORD> {
  DECLARE_SERIAL(CWordArray)
 public:
  CWordArray() {}
  virtual ~CWordArray() {}
};
class CDWordArray : public CArray<DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)
 public:
  CDWordArray() {}
  virtual ~CDWordArray() {}
};
class CUIntArray : public CArray<UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)
 public:
  CUIntArray() {}
  virtual ~CUIntArray() {}
  virtual void Serialize(CArchive& ar) { CObject::Serialize(ar); }
};

class CObList : public CList<CObject*, CObject*> {
  DECLARE_SERIAL(CObList)
 public:
  CObList(int nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
  virtual ~CObList() {}
};
class CPtrList : public CList<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)
 public:
  CPtrList(int nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
  virtual ~CPtrList() {}
  virtual void Serialize(CArchive& ar) { CObject::Serialize(ar); }
};
class CStringList : public CList<CString, LPCTSTR> {
  DECLARE_SERIAL(CStringList)
 public:
  CStringList(int nBlockSize = 10) : CList<CString, LPCTSTR>(nBlockSize) {}
  virtual ~CStringList() {}
};

// Maps; BASE_* name the element types for CTypedPtrMap.
#define AFX_MAP_TYPES(K, AK, V) \
  typedef K BASE_KEY; \
  typedef AK BASE_ARG_KEY; \
  typedef V BASE_VALUE; \
  typedef V BASE_ARG_VALUE;

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
  DECLARE_DYNAMIC(CMapStringToPtr)
 public:
  AFX_MAP_TYPES(CString, LPCTSTR, void*)
  CMapStringToPtr(int nBlockSize = 10) : CMap<CString, LPCTSTR, void*, void*>(nBlockSize) {}
  virtual ~CMapStringToPtr() {}
  virtual void Serialize(CArchive& ar) { CObject::Serialize(ar); }
};
class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
  DECLARE_SERIAL(CMapStringToOb)
 public:
  AFX_MAP_TYPES(CString, LPCTSTR, CObject*)
  CMapStringToOb(int nBlockSize = 10) : CMap<CString, LPCTSTR, CObject*, CObject*>(nBlockSize) {}
  virtual ~CMapStringToOb() {}
};
class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
  DECLARE_SERIAL(CMapStringToString)
 public:
  AFX_MAP_TYPES(CString, LPCTSTR, CString)
  CMapStringToString(int nBlockSize = 10) : CMap<CString, LPCTSTR, CString, LPCTSTR>(nBlockSize) {}
  virtual ~CMapStringToString() {}
};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
  DECLARE_DYNAMIC(CMapPtrToPtr)
 public:
  AFX_MAP_TYPES(void*, void*, void*)
  CMapPtrToPtr(int nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
  virtual ~CMapPtrToPtr() {}
  virtual void Serialize(CArchive& ar) { CObject::Serialize(ar); }
};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
  DECLARE_DYNAMIC(CMapWordToPtr)
 public:
  AFX_MAP_TYPES(WORD, WORD, void*)
  CMapWordToPtr(int nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
  virtual ~CMapWordToPtr() {}
  virtual void Serialize(CArchive& ar) { CObject::Serialize(ar); }
};
