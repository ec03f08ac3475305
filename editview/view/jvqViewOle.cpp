// The editing view's embedded objects: opening them in their server, the server's close,
// items made from files, and one item per visible object after undo.
#include <algorithm>
#include <vector>

#include "afxodlgs.h"
#include "afxres.h"
#include "jvqDocument.h"
#include "jvqObjectDefaults.h"
#include "jvqOleItem.h"
#include "jvqOleObject.h"
#include "jvqPage.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"

int jvqView::OpenOleItem(jvqOleObject* pObject) {
  COleClientItem* pItem = pObject ? pObject->GetClientItem() : NULL;
  if (pItem == NULL) return 0;
  CWaitCursor wait;
  jvqOleItem* pOle = DYNAMIC_DOWNCAST(jvqOleItem, pItem);
  if (pOle) pOle->m_pOwner = pObject;
  // A server that cannot be started is reported by the platform's answer.
  if (!pItem->DoVerb(OLEIVERB_OPEN, this, NULL)) {
    jvqGetViewHost()->MessageBox("オブジェクトを開くことができませんでした。", MB_OK | MB_ICONEXCLAMATION);
    return 0;
  }
  m_pOpenItem = pItem;
  if (pOle) pOle->m_bOpened = TRUE;
  Redraw();
  return 1;
}

int jvqView::OnOleItemClosed(jvqOleItem* pItem) {
  // The item that closed, which need not be the one opened last; a lock the user set on
  // its object stays.
  if (pItem == NULL || m_pOpenItem == pItem) m_pOpenItem = NULL;
  return 1;
}

BOOL jvqView::IsSelected(const CObject* pDocItem) const {
  jvqPage* p = GetCurrentPage();
  if (p == NULL || pDocItem == NULL) return FALSE;
  for (int i = 0; i < p->GetChildCount(); i++) {
    jvqObject* o = p->GetChild(i);
    if ((o->GetState() & JVQ_STATE_SELECTED) && (o->GetClassCode() & 0x80) &&
        static_cast<jvqOleObject*>(o)->GetClientItem() == pDocItem)
      return TRUE;
  }
  return FALSE;
}

namespace {

BOOL ShownWithItsAncestors(jvqObject* o) {
  const DWORD both = JVQ_STATE_VISIBLE | JVQ_STATE_ALIVE;
  if ((o->GetState() & both) != both) return FALSE;
  for (jvqObject* a = o->m_pParent; a != NULL; a = a->m_pParent)
    if ((a->GetState() & both) != both) return FALSE;
  return TRUE;
}

}  // namespace

void jvqView::SyncOleItems() {
  jvqPage* p = GetCurrentPage();
  if (p == NULL) return;
  auto opened = [](jvqOleObject* o) {
    jvqOleItem* item = DYNAMIC_DOWNCAST(jvqOleItem, o->GetClientItem());
    return item != NULL && item->m_bOpened;
  };
  std::vector<int> hidden;
  for (int i = 0; i < p->GetChildCount(); i++) {
    jvqObject* o = p->GetChild(i);
    if (o->GetClassCode() != JVQ_OBJ_OLE) continue;
    jvqOleObject* ole = static_cast<jvqOleObject*>(o);
    // Not shown: itself or one of its containers hidden or deleted.
    if (!ShownWithItsAncestors(o) && opened(ole) &&
        std::find(hidden.begin(), hidden.end(), ole->m_nItemIndex) == hidden.end())
      hidden.push_back(ole->m_nItemIndex);
  }
  for (int i = 0; i < p->GetChildCount(); i++) {
    jvqObject* o = p->GetChild(i);
    if (o->GetClassCode() != JVQ_OBJ_OLE) continue;
    jvqOleObject* ole = static_cast<jvqOleObject*>(o);
    if (ShownWithItsAncestors(o) && opened(ole))
      hidden.erase(std::remove(hidden.begin(), hidden.end(), ole->m_nItemIndex), hidden.end());
  }
  for (int n : hidden) ReplaceOleItemWithClone(n);
}

void jvqView::ReplaceOleItemWithClone(int nIndex) {
  jvqDocument* d = GetDocument();
  COleClientItem* old = d ? d->GetOleItem(nIndex) : NULL;
  if (old == NULL) return;
  jvqOleItem* clone = new jvqOleItem(d, NULL);
  if (!clone->CreateCloneFrom(old)) {
    clone->Delete();
    return;
  }
  if (m_pOpenItem == old) m_pOpenItem = NULL;
  // The clone takes the old item's index; the save writes items in index order, so the
  // list order (the clone last) does not matter.
  d->m_OleItems[(size_t)nIndex] = clone;
  old->Delete();
  clone->m_bOpened = FALSE;
}

jvqOleObject* jvqView::AddNewOleItem(BOOL (*pfnCreate)(jvqOleItem*, void*), void* pArg, const POINT* pPoint) {
  jvqDocument* d = GetDocument();
  jvqPage* p = GetCurrentPage();
  if (d == NULL || p == NULL) return NULL;
  CWaitCursor wait;
  jvqOleItem* item = NULL;
  jvqOleObject* o = NULL;
  BOOL bInVector = FALSE;
  try {
    item = new jvqOleItem(d, NULL);
    if (!pfnCreate(item, pArg)) AfxThrowMemoryException();
    const int n = d->AddOleItem(item);
    bInVector = TRUE;
    o = static_cast<jvqOleObject*>(jvqObjectDefaults::CreateObject(JVQ_OBJ_OLE));
    if (o == NULL) AfxThrowMemoryException();
    o->m_pDocument = d;
    o->m_nItemIndex = n;
    item->m_pOwner = o;
    GetObjectDefaults()->ApplyDefaults(o);
    o->SetSizeFromItem(item);
    if (pPoint) {
      POINT at = *pPoint;
      o->MoveTo(&at, 1);
    }
    // Last, what cannot fail: the page and the undo history take the object.
    p->AddChild(o);
    theUndoManager.RecordAdded(o);
  } catch (CException* e) {
    e->Delete();
    // Everything taken back: the vector's entry, the object and the item.
    if (bInVector) d->m_OleItems.pop_back();
    delete o;
    if (item) item->Delete();
    return NULL;
  }
  return o;
}

jvqOleObject* jvqView::PlaceNewOleItem(BOOL (*pfnCreate)(jvqOleItem*, void*), void* pArg, POINT point) {
  CWaitCursor wait;
  jvqOleObject* o = AddNewOleItem(pfnCreate, pArg, &point);
  if (o == NULL) return NULL;
  OpenOleItem(o);
  GetDocument()->SetModifiedFlag(TRUE);
  Select(o, FALSE);
  return o;
}

void jvqView::OnInsertObject() {
  COleInsertDialog dlg;
  if (dlg.DoModal() != IDOK) return;
  POINT c;
  GetClientCenter(&c);
  auto create = [](jvqOleItem* item, void* pDlg) { return ((COleInsertDialog*)pDlg)->CreateItem(item); };
  if (PlaceNewOleItem(create, &dlg, c) == NULL) {
    AfxMessageBox("オブジェクトの作成に失敗しました。オブジェクトがシステムのレジストリに登録されていることを確認してください。\n", MB_OK);
    return;
  }
  GetDocument()->UpdateAllViews(NULL, 0, NULL);
}

BOOL jvqView::InsertOleObjectFromFile(const char* pszPath, POINT point) {
  if (pszPath == NULL) return FALSE;
  auto create = [](jvqOleItem* item, void* pPath) {
    return item->CreateFromFile((const char*)pPath, CLSID_NULL, OLERENDER_DRAW, 0, NULL);
  };
  return PlaceNewOleItem(create, (void*)pszPath, point) != NULL;
}
