// The frame's picture dialog for the view's picture insertion and the fill pop-up's picture page.
#include "CViewFileDialog.h"
#include "qvzMainFrame.h"
#include "qvzPictureFileSeam.h"

static BOOL AskWithPreview(CWnd* pParent, LPCTSTR lpszFilter, CString* pPath) {
  return AskPictureFileWithPreview(pParent, lpszFilter, NULL, pPath);
}

void qvzMainFrame::InstallPictureDialog(BOOL bInstall) {
  if (bInstall)
    g_pfnAskPictureFile = AskWithPreview;
  else if (g_pfnAskPictureFile == AskWithPreview)
    g_pfnAskPictureFile = qvzAskPictureFilePlain;
}

int qvzMainFrame::AskPictureFile(LPCTSTR lpszFilter, LPCTSTR lpszFolder, CString* pPath) {
  return AskPictureFileWithPreview(this, lpszFilter, lpszFolder, pPath);
}
