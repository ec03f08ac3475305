// Collection templates: CArray, CList, CMap and the typed pointer wrappers.
#pragma once

#include <new>
#include <utility>

#include "afx.h"

// Element helpers; callers may specialize them for their element types.
template <class TYPE>
inline void AFXAPI ConstructElements(TYPE* pElements, int nCount) {
  for (; nCount--; pElements++) ::new ((void*)pElements) TYPE();
}
template <class TYPE>
inline void AFXAPI DestructElements(TYPE* pElements, int nCount) {
  for (; nCount--; pElements++) pElements->~TYPE();
}
template <class TYPE>
inline void AFXAPI CopyElements(TYPE* pDest, const TYPE* pSrc, int nCount) {
  while (nCount--) *pDest++ = *pSrc++;
}
// Default: the elements' raw bytes, as the platform does for plain types.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, int nCount) {
  if (nCount <= 0) return;
  if (ar.IsStoring()) {
    ar.Write((void*)pElements, (UINT)(nCount * sizeof(TYPE)));
  } else {
    ar.EnsureAvailable((DWORD)(nCount * sizeof(TYPE)));
    if (ar.Read((void*)pElements, (UINT)(nCount * sizeof(TYPE))) != nCount * sizeof(TYPE))
      AfxThrowArchiveException(CArchiveException::endOfFile);
  }
}
template <>
inline void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, int nCount) {
  for (; nCount--; ++pElements) {
    if (ar.IsStoring())
      ar << *pElements;
    else
      ar >> *pElements;
  }
}
template <>
inline void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** pElements, int nCount) {
  for (; nCount--; ++pElements) {
    if (ar.IsStoring())
      ar << *pElements;
    else
      ar >> *pElements;
  }
}
template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
  return *pElement1 == *pElement2;
}
template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key) {
  return ((UINT)(UINT_PTR)key) >> 4;
}
template <>
inline UINT AFXAPI HashKey<LPCTSTR>(LPCTSTR key) {
  UINT nHash = 0;
  if (key == NULL) return 0;  // the same bucket as ""

  while (*key) nHash = (nHash << 5) + nHash + (BYTE)*key++;
  return nHash;
}
template <>
inline UINT AFXAPI HashKey<const CString&>(const CString& key) {
  return HashKey<LPCTSTR>((LPCTSTR)key);
}

// Thrown when a collection would outgrow what one allocation can hold.
inline void AFXAPI _AfxCheckCollectionSize(size_t nCount, size_t nElementSize) {
  if (nElementSize != 0 && nCount > (size_t)0x7FFFFFFF / nElementSize) AfxThrowMemoryException();
}

/////////////////////////////////////////////////////////////////////////////
// CArray

template <class TYPE, class ARG_TYPE>
class CArray : public CObject {
 public:
  CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
  ~CArray() {
    if (m_pData != NULL) {
      DestructElements<TYPE>(m_pData, m_nSize);
      ::operator delete((void*)m_pData);
    }
  }

  int GetSize() const { return m_nSize; }
  int GetUpperBound() const { return m_nSize - 1; }
  // nGrowBy -1 keeps the current step; 0 picks one from the size, as the platform does.
  void SetSize(int nNewSize, int nGrowBy = -1);

  void FreeExtra();
  void RemoveAll() { SetSize(0, -1); }

  TYPE GetAt(int nIndex) const { return m_pData[nIndex]; }
  void SetAt(int nIndex, ARG_TYPE newElement) { m_pData[nIndex] = newElement; }
  TYPE& ElementAt(int nIndex) { return m_pData[nIndex]; }
  const TYPE* GetData() const { return (const TYPE*)m_pData; }
  TYPE* GetData() { return (TYPE*)m_pData; }

  void SetAtGrow(int nIndex, ARG_TYPE newElement);
  int Add(ARG_TYPE newElement) {
    int nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
  }
  int Append(const CArray& src);
  void Copy(const CArray& src);

  TYPE operator[](int nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](int nIndex) { return ElementAt(nIndex); }

  void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1);
  void RemoveAt(int nIndex, int nCount = 1);
  void InsertAt(int nStartIndex, CArray* pNewArray);

  virtual void Serialize(CArchive& ar);

 protected:
  TYPE* m_pData;
  int m_nSize;
  int m_nMaxSize;
  int m_nGrowBy;

 private:
  void Reserve(int nNewMax);  // moves the elements into a buffer of nNewMax
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reserve(int nNewMax) {
  _AfxCheckCollectionSize((size_t)nNewMax, sizeof(TYPE));
  TYPE* pNewData;
  try {
    pNewData = (TYPE*)::operator new((size_t)nNewMax * sizeof(TYPE));
  } catch (std::bad_alloc&) {
    AfxThrowMemoryException();
  }
  for (int i = 0; i < m_nSize; i++) {
    ::new ((void*)(pNewData + i)) TYPE(std::move(m_pData[i]));
    m_pData[i].~TYPE();
  }
  ::operator delete((void*)m_pData);
  m_pData = pNewData;
  m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(int nNewSize, int nGrowBy) {
  if (nNewSize < 0) AfxThrowMemoryException();
  if (nGrowBy != -1) m_nGrowBy = nGrowBy;
  if (nNewSize == 0) {
    if (m_pData != NULL) {
      DestructElements<TYPE>(m_pData, m_nSize);
      ::operator delete((void*)m_pData);
      m_pData = NULL;
    }
    m_nSize = m_nMaxSize = 0;
  } else if (nNewSize <= m_nMaxSize) {
    if (nNewSize > m_nSize)
      ConstructElements<TYPE>(&m_pData[m_nSize], nNewSize - m_nSize);
    else if (m_nSize > nNewSize)
      DestructElements<TYPE>(&m_pData[nNewSize], m_nSize - nNewSize);
    m_nSize = nNewSize;
  } else {
    int nGrow = m_nGrowBy;
    if (nGrow == 0) {
      nGrow = m_nSize / 8;
      nGrow = (nGrow < 4) ? 4 : ((nGrow > 1024) ? 1024 : nGrow);
    }
    int nNewMax = (nNewSize < m_nMaxSize + nGrow) ? m_nMaxSize + nGrow : nNewSize;
    if (nNewMax < nNewSize) nNewMax = nNewSize;  // overflow of the step
    Reserve(nNewMax);
    ConstructElements<TYPE>(&m_pData[m_nSize], nNewSize - m_nSize);
    m_nSize = nNewSize;
  }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra() {
  if (m_nSize != m_nMaxSize) {
    if (m_nSize == 0) {
      ::operator delete((void*)m_pData);
      m_pData = NULL;
      m_nMaxSize = 0;
    } else {
      Reserve(m_nSize);
    }
  }
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(int nIndex, ARG_TYPE newElement) {
  if (nIndex >= m_nSize) {
    // newElement may refer into this array: keep a copy across the growth.
    TYPE temp(newElement);
    SetSize(nIndex + 1, -1);
    m_pData[nIndex] = std::move(temp);
    return;
  }
  m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
int CArray<TYPE, ARG_TYPE>::Append(const CArray& src) {
  if (this == &src) AfxThrowNotSupportedException();
  int nOldSize = m_nSize;
  SetSize(m_nSize + src.m_nSize);
  CopyElements<TYPE>(m_pData + nOldSize, src.m_pData, src.m_nSize);
  return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src) {
  if (this == &src) return;
  SetSize(src.m_nSize);
  CopyElements<TYPE>(m_pData, src.m_pData, src.m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nIndex, ARG_TYPE newElement, int nCount) {
  if (nIndex < 0 || nCount <= 0) return;
  TYPE temp(newElement);
  if (nIndex >= m_nSize) {
    SetSize(nIndex + nCount, -1);
  } else {
    int nOldSize = m_nSize;
    SetSize(m_nSize + nCount, -1);
    for (int i = nOldSize - 1; i >= nIndex; i--) m_pData[i + nCount] = std::move(m_pData[i]);
  }
  for (int i = 0; i < nCount; i++) m_pData[nIndex + i] = temp;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(int nIndex, int nCount) {
  if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize) return;
  if (nCount > m_nSize - nIndex) nCount = m_nSize - nIndex;
  for (int i = nIndex; i + nCount < m_nSize; i++) m_pData[i] = std::move(m_pData[i + nCount]);
  DestructElements<TYPE>(&m_pData[m_nSize - nCount], nCount);
  m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(int nStartIndex, CArray* pNewArray) {
  if (pNewArray == NULL || pNewArray->GetSize() <= 0) return;
  CArray copy;
  copy.Copy(*pNewArray);  // pNewArray may be this array
  InsertAt(nStartIndex, copy.GetAt(0), copy.GetSize());
  for (int i = 0; i < copy.GetSize(); i++) SetAt(nStartIndex + i, copy.GetAt(i));
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD)m_nSize);
  } else {
    DWORD nOldSize = ar.ReadCount();
    ar.EnsureAvailable(nOldSize);  // at least one byte per element
    SetSize((int)nOldSize, -1);
  }
  SerializeElements<TYPE>(ar, m_pData, m_nSize);
}

/////////////////////////////////////////////////////////////////////////////
// CList

template <class TYPE, class ARG_TYPE>
class CList : public CObject {
 protected:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    TYPE data;
  };

 public:
  CList(int nBlockSize = 10) : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_nBlockSize(nBlockSize) {}
  ~CList() { RemoveAll(); }

  int GetCount() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return m_pNodeHead->data; }
  TYPE GetHead() const { return m_pNodeHead->data; }
  TYPE& GetTail() { return m_pNodeTail->data; }
  TYPE GetTail() const { return m_pNodeTail->data; }

  TYPE RemoveHead();
  TYPE RemoveTail();
  POSITION AddHead(ARG_TYPE newElement);
  POSITION AddTail(ARG_TYPE newElement);
  void AddHead(CList* pNewList);
  void AddTail(CList* pNewList);
  void RemoveAll();

  POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
  POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
  TYPE& GetNext(POSITION& rPosition) {
    CNode* pNode = (CNode*)rPosition;
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
  }
  TYPE GetNext(POSITION& rPosition) const {
    CNode* pNode = (CNode*)rPosition;
    rPosition = (POSITION)pNode->pNext;
    return pNode->data;
  }
  TYPE& GetPrev(POSITION& rPosition) {
    CNode* pNode = (CNode*)rPosition;
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
  }
  TYPE GetPrev(POSITION& rPosition) const {
    CNode* pNode = (CNode*)rPosition;
    rPosition = (POSITION)pNode->pPrev;
    return pNode->data;
  }
  TYPE& GetAt(POSITION position) { return ((CNode*)position)->data; }
  TYPE GetAt(POSITION position) const { return ((CNode*)position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { ((CNode*)pos)->data = newElement; }
  void RemoveAt(POSITION position);

  POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

  // Linear search from the head (or after startAfter); NULL when not found.
  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
  POSITION FindIndex(int nIndex) const;

  virtual void Serialize(CArchive& ar);

 protected:
  CNode* m_pNodeHead;
  CNode* m_pNodeTail;
  int m_nCount;
  int m_nBlockSize;

  CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE value) {
    CNode* pNode;
    try {
      pNode = new CNode{pNext, pPrev, TYPE(value)};
    } catch (std::bad_alloc&) {
      AfxThrowMemoryException();
    }
    m_nCount++;
    return pNode;
  }
  void FreeNode(CNode* pNode) {
    delete pNode;
    m_nCount--;
  }
};

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll() {
  CNode* pNode = m_pNodeHead;
  while (pNode != NULL) {
    CNode* pNext = pNode->pNext;
    delete pNode;
    pNode = pNext;
  }
  m_nCount = 0;
  m_pNodeHead = m_pNodeTail = NULL;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddHead(ARG_TYPE newElement) {
  CNode* pNewNode = NewNode(NULL, m_pNodeHead, newElement);
  if (m_pNodeHead != NULL)
    m_pNodeHead->pPrev = pNewNode;
  else
    m_pNodeTail = pNewNode;
  m_pNodeHead = pNewNode;
  return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::AddTail(ARG_TYPE newElement) {
  CNode* pNewNode = NewNode(m_pNodeTail, NULL, newElement);
  if (m_pNodeTail != NULL)
    m_pNodeTail->pNext = pNewNode;
  else
    m_pNodeHead = pNewNode;
  m_pNodeTail = pNewNode;
  return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList) {
  POSITION pos = pNewList->GetTailPosition();
  while (pos != NULL) AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList) {
  POSITION pos = pNewList->GetHeadPosition();
  while (pos != NULL) AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead() {
  CNode* pOldNode = m_pNodeHead;
  TYPE returnValue = std::move(pOldNode->data);
  m_pNodeHead = pOldNode->pNext;
  if (m_pNodeHead != NULL)
    m_pNodeHead->pPrev = NULL;
  else
    m_pNodeTail = NULL;
  FreeNode(pOldNode);
  return returnValue;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail() {
  CNode* pOldNode = m_pNodeTail;
  TYPE returnValue = std::move(pOldNode->data);
  m_pNodeTail = pOldNode->pPrev;
  if (m_pNodeTail != NULL)
    m_pNodeTail->pNext = NULL;
  else
    m_pNodeHead = NULL;
  FreeNode(pOldNode);
  return returnValue;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement) {
  if (position == NULL) return AddHead(newElement);
  CNode* pOldNode = (CNode*)position;
  CNode* pNewNode = NewNode(pOldNode->pPrev, pOldNode, newElement);
  if (pOldNode->pPrev != NULL)
    pOldNode->pPrev->pNext = pNewNode;
  else
    m_pNodeHead = pNewNode;
  pOldNode->pPrev = pNewNode;
  return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement) {
  if (position == NULL) return AddTail(newElement);
  CNode* pOldNode = (CNode*)position;
  CNode* pNewNode = NewNode(pOldNode, pOldNode->pNext, newElement);
  if (pOldNode->pNext != NULL)
    pOldNode->pNext->pPrev = pNewNode;
  else
    m_pNodeTail = pNewNode;
  pOldNode->pNext = pNewNode;
  return (POSITION)pNewNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position) {
  CNode* pOldNode = (CNode*)position;
  if (pOldNode == m_pNodeHead)
    m_pNodeHead = pOldNode->pNext;
  else
    pOldNode->pPrev->pNext = pOldNode->pNext;
  if (pOldNode == m_pNodeTail)
    m_pNodeTail = pOldNode->pPrev;
  else
    pOldNode->pNext->pPrev = pOldNode->pPrev;
  FreeNode(pOldNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(int nIndex) const {
  if (nIndex >= m_nCount || nIndex < 0) return NULL;
  CNode* pNode = m_pNodeHead;
  while (nIndex--) pNode = pNode->pNext;
  return (POSITION)pNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const {
  CNode* pNode = (CNode*)startAfter;
  pNode = (pNode == NULL) ? m_pNodeHead : pNode->pNext;
  for (; pNode != NULL; pNode = pNode->pNext)
    if (CompareElements<TYPE, ARG_TYPE>(&pNode->data, &searchValue)) return (POSITION)pNode;
  return NULL;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD)m_nCount);
    for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext) SerializeElements<TYPE>(ar, &pNode->data, 1);
  } else {
    DWORD nNewCount = ar.ReadCount();
    ar.EnsureAvailable(nNewCount);
    while (nNewCount--) {
      TYPE newData{};
      SerializeElements<TYPE>(ar, &newData, 1);
      AddTail(newData);
    }
  }
}

/////////////////////////////////////////////////////////////////////////////
// CMap: a hash table; iteration runs over the buckets in order, newest entry of a bucket first.

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 protected:
  struct CAssoc {
    CAssoc* pNext;
    UINT nHashValue;
    KEY key;
    VALUE value;
  };

 public:
  CMap(int nBlockSize = 10)
      : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_nBlockSize(nBlockSize) {}
  ~CMap() { RemoveAll(); }

  int GetCount() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
  VALUE& operator[](ARG_KEY key);
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(ARG_KEY key);
  void RemoveAll();

  POSITION GetStartPosition() const { return (m_nCount == 0) ? NULL : BEFORE_START_POSITION; }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

  UINT GetHashTableSize() const { return m_nHashTableSize; }
  void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

  virtual void Serialize(CArchive& ar);

 protected:
  CAssoc** m_pHashTable;
  UINT m_nHashTableSize;
  int m_nCount;
  int m_nBlockSize;

  CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow) {
  if (nHashSize == 0) nHashSize = 17;
  if (m_pHashTable != NULL) {
    if (m_nCount != 0) return;  // keeps the entries where they are
    delete[] m_pHashTable;
    m_pHashTable = NULL;
  }
  if (bAllocNow) {
    try {
      m_pHashTable = new CAssoc*[nHashSize]();
    } catch (std::bad_alloc&) {
      AfxThrowMemoryException();
    }
  }
  m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll() {
  if (m_pHashTable != NULL) {
    for (UINT nHash = 0; nHash < m_nHashTableSize; nHash++) {
      CAssoc* pAssoc = m_pHashTable[nHash];
      while (pAssoc != NULL) {
        CAssoc* pNext = pAssoc->pNext;
        delete pAssoc;
        pAssoc = pNext;
      }
    }
    delete[] m_pHashTable;
    m_pHashTable = NULL;
  }
  m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHash) const {
  nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
  if (m_pHashTable == NULL) return NULL;
  for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext)
    if (CompareElements<KEY, ARG_KEY>(&pAssoc->key, &key)) return pAssoc;
  return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const {
  UINT nHash;
  CAssoc* pAssoc = GetAssocAt(key, nHash);
  if (pAssoc == NULL) return FALSE;
  rValue = pAssoc->value;
  return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key) {
  UINT nHash;
  CAssoc* pAssoc = GetAssocAt(key, nHash);
  if (pAssoc == NULL) {
    if (m_pHashTable == NULL) InitHashTable(m_nHashTableSize);
    try {
      pAssoc = new CAssoc{m_pHashTable[nHash], nHash, KEY(key), VALUE()};
    } catch (std::bad_alloc&) {
      AfxThrowMemoryException();
    }
    m_pHashTable[nHash] = pAssoc;
    m_nCount++;
  }
  return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key) {
  if (m_pHashTable == NULL) return FALSE;
  CAssoc** ppAssocPrev = &m_pHashTable[HashKey<ARG_KEY>(key) % m_nHashTableSize];
  for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext) {
    if (CompareElements<KEY, ARG_KEY>(&pAssoc->key, &key)) {
      *ppAssocPrev = pAssoc->pNext;
      delete pAssoc;
      m_nCount--;
      return TRUE;
    }
    ppAssocPrev = &pAssoc->pNext;
  }
  return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
  CAssoc* pAssocRet = (CAssoc*)rNextPosition;
  if (pAssocRet == (CAssoc*)BEFORE_START_POSITION) {
    pAssocRet = NULL;
    for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssocRet == NULL; nBucket++) pAssocRet = m_pHashTable[nBucket];
  }
  CAssoc* pAssocNext = pAssocRet->pNext;
  if (pAssocNext == NULL) {
    for (UINT nBucket = pAssocRet->nHashValue + 1; nBucket < m_nHashTableSize && pAssocNext == NULL; nBucket++)
      pAssocNext = m_pHashTable[nBucket];
  }
  rNextPosition = (POSITION)pAssocNext;
  rKey = pAssocRet->key;
  rValue = pAssocRet->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount((DWORD)m_nCount);
    if (m_nCount == 0) return;
    for (UINT nHash = 0; nHash < m_nHashTableSize; nHash++)
      for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
        SerializeElements<KEY>(ar, &pAssoc->key, 1);
        SerializeElements<VALUE>(ar, &pAssoc->value, 1);
      }
  } else {
    DWORD nNewCount = ar.ReadCount();
    ar.EnsureAvailable(nNewCount);
    while (nNewCount--) {
      KEY newKey{};
      VALUE newValue{};
      SerializeElements<KEY>(ar, &newKey, 1);
      SerializeElements<VALUE>(ar, &newValue, 1);
      SetAt(newKey, newValue);
    }
  }
}

/////////////////////////////////////////////////////////////////////////////
// Typed pointer wrappers over the CObject/void* collections of afxcoll.h

template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
 public:
  TYPE GetAt(int nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
  TYPE& ElementAt(int nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
  void SetAt(int nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
  void SetAtGrow(int nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
  int Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
  int Append(const CTypedPtrArray<BASE_CLASS, TYPE>& src) { return BASE_CLASS::Append(src); }
  void Copy(const CTypedPtrArray<BASE_CLASS, TYPE>& src) { BASE_CLASS::Copy(src); }
  void InsertAt(int nIndex, TYPE newElement, int nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
  void InsertAt(int nStartIndex, CTypedPtrArray<BASE_CLASS, TYPE>* pNewArray) { BASE_CLASS::InsertAt(nStartIndex, pNewArray); }
  TYPE operator[](int nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
  TYPE& operator[](int nIndex) { return (TYPE&)BASE_CLASS::operator[](nIndex); }
};

template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
 public:
  CTypedPtrList(int nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
  TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
  TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
  TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
  TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
  TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
  TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
  POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
  POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
  void AddHead(CTypedPtrList<BASE_CLASS, TYPE>* pNewList) { BASE_CLASS::AddHead(pNewList); }
  void AddTail(CTypedPtrList<BASE_CLASS, TYPE>* pNewList) { BASE_CLASS::AddTail(pNewList); }
  TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
  TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
  TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
  TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
  TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
  TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
  void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
};

template <class BASE_CLASS, class KEY, class VALUE>
class CTypedPtrMap : public BASE_CLASS {
 public:
  CTypedPtrMap(int nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
  BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const {
    typename BASE_CLASS::BASE_VALUE v = NULL;
    BOOL b = BASE_CLASS::Lookup(key, v);
    rValue = (VALUE)v;
    return b;
  }
  VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key) { return (VALUE&)BASE_CLASS::operator[](key); }
  void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
  BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
  void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const {
    typename BASE_CLASS::BASE_KEY k;
    typename BASE_CLASS::BASE_VALUE v;
    BASE_CLASS::GetNextAssoc(rPosition, k, v);
    rKey = (KEY)k;
    rValue = (VALUE)v;
  }
};
