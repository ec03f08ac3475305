#include "qvzPerszuToolBar.h"

#include "jvqDocument.h"
#include "jvqImageObject.h"
#include "jvqObjectDefaults.h"

IMPLEMENT_DYNCREATE(qvzPerszuToolBar, qvzDrawToolBar)

qvzPerszuToolBar::qvzPerszuToolBar() { m_nPaletteKind = 1024; }

BOOL qvzPerszuToolBar::LoadPictureFile(LPCTSTR lpszPath, jvqObject** ppObject, jvqDocument* pDocument) {
  if (lpszPath == NULL || *lpszPath == 0 || ppObject == NULL) return FALSE;
  *ppObject = NULL;
  jvqObject* o = jvqObjectDefaults::CreateObject(JVQ_OBJ_IMAGE);
  if (o == NULL) return FALSE;
  jvqImageObject* picture = static_cast<jvqImageObject*>(o);
  if (!picture->LoadImage(pDocument ? pDocument->GetImagePool() : NULL, lpszPath, TRUE)) {
    delete o;
    return FALSE;
  }
  o->Recalc();
  *ppObject = o;
  return TRUE;
}

void qvzPerszuToolBar::LoadFolder(LPCTSTR lpszFolder) { ListFiles(lpszFolder, "*.bmp", LoadPictureFile); }

void qvzPerszuToolBar::BeginDrag(jvqObject* pObject, int nCount) {
  StartDrag();
  for (int i = 0; i < nCount && pObject; i++) m_DragList.push_back(pObject + i);
  m_bDragging = 1;
  m_bFirstMove = 1;
}

void qvzPerszuToolBar::Reload() {
  if (m_pListView == NULL) return;
  LoadFolder(m_strFolder);
  m_pListView->RecalcLayout();
  m_pListView->SelectItem(0);
  m_pListView->Invalidate();
}
