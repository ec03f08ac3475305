#include "qvzImageToolBar.h"

#include "jvqDocument.h"
#include "jvqImageFill.h"
#include "jvqImageObject.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "jvqViewHost.h"
#include "qvzPictureFileSeam.h"

IMPLEMENT_DYNCREATE(qvzImageToolBar, qvzDrawToolBar)

BEGIN_MESSAGE_MAP(qvzImageToolBar, qvzDrawToolBar)
  ON_BN_CLICKED(IDC_BAR_REPLACE_IMAGE, OnChooseFile)
END_MESSAGE_MAP()

const char* const PictureFileFilter =
    "貼り付けられるすべてのファイル|*.BMP;*.WMF;*.EMF;*.DXF;*.JPG;*.TIF;*.PNG|ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.BMP)|*.BMP|"
    "ﾒﾀﾌｧｲﾙ(*.WMF)|*.WMF|拡張ﾒﾀﾌｧｲﾙ(*.EMF)|*.EMF|DXFﾌｧｲﾙ(*.DXF)|*.DXF|JPEGﾌｧｲﾙ(*.JPG)|*.JPG|"
    "TIFFﾌｧｲﾙ(*.TIF)|*.TIF|PNGﾌｧｲﾙ(*.PNG)|*.PNG|";

BOOL IsVectorPicturePath(const CString& strPath) {
  CString ext = strPath.Right(4);
  ext.MakeUpper();
  return ext == ".WMF" || ext == ".EMF" || ext == ".DXF";
}

qvzImageToolBar::qvzImageToolBar()
    : qvzDrawToolBar("作成するイメージのプロパティ", "イメージのプロパティ", JVQ_OBJ_IMAGE) {}

void qvzImageToolBar::CreateControls() {
  if (m_bControlsCreated) return;
  BindControl(m_wndReplace, IDC_BAR_REPLACE_IMAGE);
  BindControl(m_wndPath, IDC_BAR_IMAGE_PATH);
  qvzDrawToolBar::CreateControls();
}

void qvzImageToolBar::ShowObjectValues(jvqObjectArray& targets) {
  qvzDrawToolBar::ShowObjectValues(targets);
  if (m_wndPath.m_hWnd == NULL) return;
  m_bShowingValues = 1;
  for (int i = 0; i < targets.GetCount(); i++)
    if (targets.GetAt(i)->GetClassCode() & 0x100)
      m_wndPath.SetWindowText(static_cast<jvqImageObject*>(targets.GetAt(i))->GetFileName());
  m_bShowingValues = 0;
}

void qvzImageToolBar::OnChooseFile() {
  CString path;
  if (g_pfnAskPictureFile == NULL || !g_pfnAskPictureFile(this, PictureFileFilter, &path)) return;
  jvqView* view = GetView();
  jvqDocument* doc = view ? view->GetDocument() : NULL;
  // The file is read before anything changes: an unreadable one leaves the pictures as
  // they were and makes no undo step.
  {
    jvqImageFill probe(path, doc ? doc->GetImagePool() : NULL);
    if (probe.GetImage() == NULL) {
      jvqGetViewHost()->MessageBox("画像データの読み込みに失敗しました。", MB_OK);
      return;
    }
  }
  if (m_wndPath.m_hWnd) m_wndPath.SetWindowText(path);
  jvqObjectArray targets;
  int n = 0;
  BeginTargets(targets, &n);
  ApplyToObjects(targets);
  if (n > 0) theUndoManager.EndEdit();
  if (view) view->Redraw();
}

void qvzImageToolBar::ApplyToObjects(jvqObjectArray& targets) {
  qvzDrawToolBar::ApplyToObjects(targets);
  if (m_bShowingValues || m_bApplying || targets.GetCount() == 0 || m_wndPath.m_hWnd == NULL) return;
  CString path;
  m_wndPath.GetWindowText(path);
  const BOOL vector = IsVectorPicturePath(path);
  jvqView* view = GetView();
  jvqDocument* doc = view ? view->GetDocument() : NULL;
  for (int i = 0; i < targets.GetCount(); i++) {
    jvqObject* o = targets.GetAt(i);
    if (!(o->GetClassCode() & 0x100) || o == m_pPrototype) continue;
    if (vector) o->SetRotation(0);
    static_cast<jvqImageObject*>(o)->LoadImage(doc ? doc->GetImagePool() : NULL, path, 0);
    o->Invalidate();
  }
}
