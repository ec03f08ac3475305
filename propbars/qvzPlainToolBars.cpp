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

qvzEllipseToolBar::qvzEllipseToolBar() {
  m_strCreateCaption = "作成する丸のプロパティ";
  m_strSelectCaption = "丸のプロパティ";
  m_nKind = JVQ_OBJ_ELLIPSE;
}

qvzPolygonToolBar::qvzPolygonToolBar() {
  m_strCreateCaption = "作成する多角形のプロパティ";
  m_strSelectCaption = "多角形のプロパティ";
  m_nKind = JVQ_OBJ_POLYLINE;
}

qvzGroupToolBar::qvzGroupToolBar() {
  m_strCreateCaption = m_strSelectCaption = "グループオブジェクトのプロパティ";
  m_nKind = JVQ_OBJ_GROUP;
}

qvzMultiToolBar::qvzMultiToolBar() {
  m_strCreateCaption = "この文字は後で変更する！";
  m_strSelectCaption = "複数選択オブジェクトのプロパティ";
  m_nKind = 0;
}

qvzOleToolBar::qvzOleToolBar() {
  m_strCreateCaption = "作成するOLEオブジェクトのプロパティ";
  m_strSelectCaption = "OLEオブジェクトのプロパティ";
  m_nKind = JVQ_OBJ_OLE;
}

void qvzOleToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  if (GetDlgItem(1108)) m_wndStatic1108.SubclassDlgItem(1108, this);
  if (GetDlgItem(709)) m_wndAppName.SubclassDlgItem(709, this);
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
