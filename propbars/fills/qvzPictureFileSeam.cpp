#include "qvzPictureFileSeam.h"

#include "afxdlgs.h"

BOOL qvzAskPictureFilePlain(CWnd* pParent, LPCTSTR lpszFilter, CString* pPath) {
  CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, lpszFilter, pParent);
  dlg.m_ofn.Flags &= ~OFN_ENABLESIZING;
  if (dlg.DoModal() != IDOK) return FALSE;
  *pPath = dlg.GetPathName();
  return TRUE;
}

qvzAskPictureFileFn g_pfnAskPictureFile = qvzAskPictureFilePlain;
