#include "AppFileHelpers.h"

#include "jvqView.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "resource.h"


qvzMainFrame* MainFrame() { return DYNAMIC_DOWNCAST(qvzMainFrame, AfxGetMainWnd()); }

qvzDocument* BoardDocument() {
  qvzMainFrame* f = MainFrame();
  return f ? f->GetBoardDocument() : NULL;
}

BOOL IsFolder(LPCTSTR lpszPath) {
  const DWORD a = ::GetFileAttributes(lpszPath);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder part of a path, without its last backslash; the path itself without one.
CString FolderOf(const CString& strPath) {
  const int n = strPath.ReverseFind('\\');
  return n >= 0 ? strPath.Left(n) : strPath;
}

void SwitchToEditView() {
  qvzMainFrame* f = MainFrame();
  if (f != NULL && f->IsPageListShown()) f->SendMessage(WM_COMMAND, ID_VIEW_PAGELIST);
}

void ClearViewSelection() {
  if (jvqView* v = theQvzApp()->GetActiveBoardView()) v->ClearSelection();
}

void PassAutoSavePath(qvzDocument* pDoc) {
  if (pDoc != NULL) pDoc->m_strAutoSavePath = theQvzApp()->m_Settings.strAutoSavePath;
}
