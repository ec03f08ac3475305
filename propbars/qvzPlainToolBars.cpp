#include "qvzPlainToolBars.h"

#include "afxole.h"
#include "jvqOleObject.h"

// The application name of an OLE object's item, "" without one.
static CString OleObjectAppName(jvqOleObject* pObject) {
  COleClientItem* item = pObject->GetClientItem();
  if (item == NULL || item->m_lpObject == NULL) return "";
  LPOLESTR name = NULL;
  CString s;
  if (SUCCEEDED(item->m_lpObject->GetUserType(USERCLASSTYPE_APPNAME, &name)) && name) {
    char buf[256] = "";
    ::WideCharToMultiByte(CP_ACP, 0, name, -1, buf, sizeof(buf), NULL, NULL);
    s = buf;
    ::CoTaskMemFree(name);
  }
  return s;
}

IMPLEMENT_DYNCREATE(qvzEllipseToolBar, qvzDrawToolBar)
IMPLEMENT_DYNCREATE(qvzPolygonToolBar, qvzDrawToolBar)
IMPLEMENT_DYNCREATE(qvzGroupToolBar, qvzDrawToolBar)
IMPLEMENT_DYNCREATE(qvzMultiToolBar, qvzDrawToolBar)
IMPLEMENT_DYNCREATE(qvzOleToolBar, qvzDrawToolBar)

qvzEllipseToolBar::qvzEllipseToolBar()
    : qvzDrawToolBar("作成する丸のプロパティ", "丸のプロパティ", JVQ_OBJ_ELLIPSE) {}

qvzPolygonToolBar::qvzPolygonToolBar()
    : qvzDrawToolBar("作成する多角形のプロパティ", "多角形のプロパティ", JVQ_OBJ_POLYLINE) {}

qvzGroupToolBar::qvzGroupToolBar()
    : qvzDrawToolBar("グループオブジェクトのプロパティ", "グループオブジェクトのプロパティ", JVQ_OBJ_GROUP) {}

qvzMultiToolBar::qvzMultiToolBar()
    : qvzDrawToolBar("この文字は後で変更する！", "複数選択オブジェクトのプロパティ", 0) {}

qvzOleToolBar::qvzOleToolBar()
    : qvzDrawToolBar("作成するOLEオブジェクトのプロパティ", "OLEオブジェクトのプロパティ", JVQ_OBJ_OLE) {}

void qvzOleToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  BindControl(m_wndStatic1108, 1108);
  BindControl(m_wndAppName, 709);
  qvzDrawToolBar::CreateControls();
}

void qvzOleToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  if (m_wndAppName.m_hWnd == NULL) return;
  m_bShowingValues = 1;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    if (o->GetClassCode() != JVQ_OBJ_OLE) continue;
    m_wndAppName.SetWindowText(OleObjectAppName(static_cast<jvqOleObject*>(o)));
  }
  m_bShowingValues = 0;
}
