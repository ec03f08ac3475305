// A document with embedded items: the item list and the storage the items live in.
#include "afxole.h"

IMPLEMENT_DYNAMIC(CDocItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

CDocItem::~CDocItem() {
  if (m_pDocument != NULL) m_pDocument->RemoveItem(this);
}

COleDocument::COleDocument()
    : m_bCompoundFile(FALSE), m_lpRootStg(NULL), m_lpWorkStg(NULL), m_dwNextItemNumber(1) {}

COleDocument::~COleDocument() {
  // Items still held go with the document: each removes itself from the list.
  while (!m_docItemList.IsEmpty()) {
    CDocItem* pItem = (CDocItem*)m_docItemList.GetHead();
    if (COleClientItem* pClient = dynamic_cast<COleClientItem*>(pItem))
      pClient->Delete(TRUE);
    else
      delete pItem;
  }
  if (m_lpWorkStg) m_lpWorkStg->Release();
}

void COleDocument::AddItem(CDocItem* pItem) {
  if (pItem == NULL || m_docItemList.Find(pItem) != NULL) return;
  m_docItemList.AddTail(pItem);
  pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(CDocItem* pItem) {
  POSITION pos = m_docItemList.Find(pItem);
  if (pos != NULL) m_docItemList.RemoveAt(pos);
  if (pItem->m_pDocument == this) pItem->m_pDocument = NULL;
}

COleClientItem* COleDocument::GetNextClientItem(POSITION& pos) const {
  while (pos != NULL) {
    CDocItem* p = GetNextItem(pos);
    if (p != NULL && p->IsKindOf(RUNTIME_CLASS(COleClientItem))) return (COleClientItem*)p;
  }
  return NULL;
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* pWnd) {
  POSITION pos = GetStartPosition();
  while (COleClientItem* p = GetNextClientItem(pos)) {
    if ((p->GetItemState() == COleClientItem::activeState || p->GetItemState() == COleClientItem::activeUIState) &&
        (pWnd == NULL || (CWnd*)p->m_pView == pWnd))
      return p;
  }
  return NULL;
}

void COleDocument::UpdateModifiedFlag() {
  POSITION pos = GetStartPosition();
  while (COleClientItem* p = GetNextClientItem(pos)) {
    if (p->IsModified()) {
      SetModifiedFlag(TRUE);
      return;
    }
  }
}

LPSTORAGE COleDocument::GetWorkStorage() {
  if (m_lpWorkStg != NULL) return m_lpWorkStg;
  ILockBytes* pBytes = NULL;
  if (FAILED(::CreateILockBytesOnHGlobal(NULL, TRUE, &pBytes))) return NULL;
  const HRESULT hr = ::StgCreateDocfileOnILockBytes(
      pBytes, STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, &m_lpWorkStg);
  pBytes->Release();
  if (FAILED(hr)) m_lpWorkStg = NULL;
  return m_lpWorkStg;
}

void COleDocument::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    DWORD n = 0;
    POSITION pos = GetStartPosition();
    while (pos != NULL)
      if (!GetNextItem(pos)->IsBlank()) n++;
    ar << n;
    pos = GetStartPosition();
    while (pos != NULL) {
      CDocItem* p = GetNextItem(pos);
      if (!p->IsBlank()) ar.WriteObject(p);
    }
    return;
  }
  DWORD n = 0;
  ar >> n;
  LoadItems(ar, n);
}

void COleDocument::LoadItems(CArchive& ar, DWORD n) {
  // Each item takes at least a class index and its own 12 bytes.
  ar.Flush();
  CFile* pFile = ar.GetFile();
  const ULONGLONG left = pFile->GetLength() - pFile->GetPosition();
  if (n > left / 14) AfxThrowArchiveException(CArchiveException::badIndex);
  // A list that does not read whole leaves none of its items behind.
  const INT_PTR nBefore = m_docItemList.GetCount();
  try {
    ReadItems(ar, n);
  } catch (...) {
    while (m_docItemList.GetCount() > nBefore) {
      CDocItem* p = (CDocItem*)m_docItemList.GetTail();
      if (COleClientItem* c = dynamic_cast<COleClientItem*>(p))
        c->Delete(TRUE);
      else
        delete p;
    }
    throw;
  }
}

void COleDocument::ReadItems(CArchive& ar, DWORD n) {
  for (DWORD i = 0; i < n; i++) {
    // Items add themselves to the list as they are read; anything else is refused.
    CObject* p = ar.ReadObject(NULL);
    if (p == NULL || !p->IsKindOf(RUNTIME_CLASS(CDocItem))) AfxThrowArchiveException(CArchiveException::badClass);
    if (((CDocItem*)p)->m_pDocument != this) {
      delete p;
      AfxThrowArchiveException(CArchiveException::badClass);
    }
  }
}
