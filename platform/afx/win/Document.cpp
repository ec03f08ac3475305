#include "WinState.h"
#include "afxreplace.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() : m_pDocTemplate(NULL), m_bModified(FALSE), m_bAutoDelete(TRUE), m_bEmbedded(FALSE) {}

CDocument::~CDocument() {
  // Views outliving their document must not point at it.
  while (!m_viewList.IsEmpty()) {
    CView* pView = (CView*)m_viewList.RemoveHead();
    pView->m_pDocument = NULL;
  }
  if (m_pDocTemplate != NULL) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
  m_strTitle = lpszTitle;
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
  TCHAR szFullPath[_MAX_PATH];
  AfxFullPath(szFullPath, lpszPathName);
  m_strPathName = szFullPath;
  TCHAR szTitle[_MAX_PATH];
  if (AfxGetFileTitle(szFullPath, szTitle, _MAX_PATH) == 0) SetTitle(szTitle);
  if (bAddToMRU) {
    if (CWinApp* pApp = AfxGetApp()) pApp->AddToRecentFileList(m_strPathName);
  }
}

void CDocument::AddView(CView* pView) {
  m_viewList.AddTail(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  POSITION pos = m_viewList.Find(pView);
  if (pos == NULL) return;
  m_viewList.RemoveAt(pos);
  pView->m_pDocument = NULL;
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  // The last view gone closes an auto-deleting document.
  if (m_viewList.IsEmpty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
  // Frames showing this document; several get numbered titles ("doc:1", "doc:2").
  CPtrList frames;
  POSITION pos = GetFirstViewPosition();
  while (pos != NULL) {
    CView* pView = GetNextView(pos);
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != NULL && frames.Find(pFrame) == NULL) frames.AddTail(pFrame);
  }
  int nFrames = frames.GetCount();
  int iFrame = 1;
  pos = frames.GetHeadPosition();
  while (pos != NULL) {
    CFrameWnd* pFrame = (CFrameWnd*)frames.GetNext(pos);
    pFrame->m_nWindow = nFrames > 1 ? iFrame++ : 0;
    pFrame->OnUpdateFrameTitle(TRUE);
  }
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  POSITION pos = GetFirstViewPosition();
  while (pos != NULL) {
    CView* pView = GetNextView(pos);
    if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
  }
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  CFile* pFile = new CFile;
  if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
    delete pFile;
    return NULL;
  }
  return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort) {
  if (bAbort)
    pFile->Abort();
  else
    pFile->Close();
  delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
  CFileException fe;
  CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
  if (pFile == NULL) {
    ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag();  // dirty while loading
  CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
  loadArchive.m_pDocument = this;
  try {
    CWaitCursor wait;
    if (pFile->GetLength() != 0) Serialize(loadArchive);
    loadArchive.Close();
    ReleaseFile(pFile, FALSE);
  } catch (CException* e) {
    loadArchive.Abort();
    ReleaseFile(pFile, TRUE);
    DeleteContents();  // nothing half-loaded stays
    ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
  // Written beside the target first: a failed save leaves the old file as it was.
  TCHAR szFullPath[_MAX_PATH];
  AfxFullPath(szFullPath, lpszPathName);
  BOOL bReported = FALSE;
  const BOOL bSaved = AfxReplaceFile(szFullPath, [&](LPCTSTR lpszTemp) -> BOOL {
    CFileException fe;
    CFile* pFile = GetFile(lpszTemp, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (pFile == NULL) {
      fe.m_strFileName = lpszPathName;
      ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
      bReported = TRUE;
      return FALSE;
    }
    CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
    saveArchive.m_pDocument = this;
    try {
      CWaitCursor wait;
      Serialize(saveArchive);
      saveArchive.Close();
      ReleaseFile(pFile, FALSE);
    } catch (CException* e) {
      saveArchive.Abort();
      ReleaseFile(pFile, TRUE);
      ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
      e->Delete();
      bReported = TRUE;
      return FALSE;
    }
    return TRUE;
  });
  if (!bSaved) {
    if (!bReported) {
      const LONG lOsError = (LONG)::GetLastError();
      CFileException fe(CFileException::OsErrorToException(lOsError), lOsError);
      fe.m_strFileName = lpszPathName;
      ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    }
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) {
  UINT nIDP = nIDPDefault;
  UINT nHelpContext = nIDPDefault;
  CString prompt;
  if (e != NULL) {
    if (e->IsKindOf(RUNTIME_CLASS(CUserException))) return;  // the user has been told
    if (e->IsKindOf(RUNTIME_CLASS(CArchiveException))) {
      switch (static_cast<CArchiveException*>(e)->m_cause) {
        case CArchiveException::badSchema:
        case CArchiveException::badClass:
        case CArchiveException::badIndex:
        case CArchiveException::endOfFile:
          nIDP = AFX_IDP_FAILED_INVALID_FORMAT;
          break;
        default:
          break;
      }
    } else if (e->IsKindOf(RUNTIME_CLASS(CFileException))) {
      CFileException* pFE = static_cast<CFileException*>(e);
      if (pFE->m_strFileName.IsEmpty()) pFE->m_strFileName = lpszPathName;
      TCHAR szMessage[512];
      if (e->GetErrorMessage(szMessage, sizeof(szMessage), &nHelpContext)) {
        prompt = szMessage;
      } else {
        switch (pFE->m_cause) {
          case CFileException::fileNotFound:
          case CFileException::badPath:
            nIDP = AFX_IDP_FAILED_INVALID_PATH;
            break;
          case CFileException::diskFull:
            nIDP = AFX_IDP_FAILED_DISK_FULL;
            break;
          case CFileException::accessDenied:
            nIDP = bSaving ? AFX_IDP_FAILED_ACCESS_WRITE : AFX_IDP_FAILED_ACCESS_READ;
            break;
          default:
            break;
        }
      }
    }
  }
  if (prompt.IsEmpty()) {
    TCHAR szTitle[_MAX_PATH];
    if (AfxGetFileTitle(lpszPathName, szTitle, _MAX_PATH) != 0) szTitle[0] = 0;
    AfxFormatString1(prompt, nIDP, szTitle);
  }
  AfxMessageBox(prompt, MB_ICONEXCLAMATION, nHelpContext);
}

void CDocument::OnCloseDocument() {
  // Destroying the frames destroys the views; the document stays until they are gone.
  BOOL bAutoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    CView* pView = (CView*)m_viewList.GetHead();
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != NULL) {
      PreCloseFrame(pFrame);
      pFrame->DestroyWindow();
    } else if (pView->m_hWnd != NULL) {
      pView->DestroyWindow();
    } else {
      RemoveView(pView);
    }
  }
  m_bAutoDelete = bAutoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
  // Another frame on this document keeps it open: no question needed.
  POSITION pos = GetFirstViewPosition();
  while (pos != NULL) {
    CView* pView = GetNextView(pos);
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != NULL && pFrame != pFrameArg) return TRUE;
  }
  return SaveModified();
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name;
  if (m_strPathName.IsEmpty()) {
    name = m_strTitle;
    if (name.IsEmpty()) name.LoadString(AFX_IDS_UNTITLED);
  } else {
    TCHAR szTitle[_MAX_PATH];
    if (AfxGetFileTitle(m_strPathName, szTitle, _MAX_PATH) == 0)
      name = szTitle;
    else
      name = m_strPathName;
  }
  CString prompt;
  AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, name);
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
      return FALSE;
    case IDYES:
      if (!DoFileSave()) return FALSE;
      break;
    default:
      break;
  }
  return TRUE;
}

BOOL CDocument::DoFileSave() {
  DWORD dwAttrib = ::GetFileAttributes(m_strPathName);
  if (m_strPathName.IsEmpty() || dwAttrib == INVALID_FILE_ATTRIBUTES || (dwAttrib & FILE_ATTRIBUTE_READONLY)) {
    // No file yet, or one we may not write: ask for a name.
    return DoSave(NULL);
  }
  return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace) {
  CString newName = lpszPathName;
  if (newName.IsEmpty()) {
    CDocTemplate* pTemplate = GetDocTemplate();
    newName = m_strPathName;
    if (bReplace && newName.IsEmpty()) {
      newName = m_strTitle;
      int iBad = newName.FindOneOf(" #%;/\\");
      if (iBad != -1) newName = newName.Left(iBad);
      CString strExt;
      if (pTemplate != NULL && pTemplate->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty())
        newName += strExt;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !pApp->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                                 OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, pTemplate))
      return FALSE;
  }
  CWaitCursor wait;
  // A failed save has left any existing file untouched: there is nothing to remove.
  if (!OnSaveDocument(newName)) return FALSE;
  if (bReplace) SetPathName(newName);
  return TRUE;
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(NULL); }
