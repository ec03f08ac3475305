#include "WinState.h"

#include <commdlg.h>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass),
      m_bAutoDelete(TRUE) {
  LoadTemplate();
}

CDocTemplate::~CDocTemplate() {}

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex i) const {
  return AfxExtractSubString(rString, m_strDocStrings, (int)i);
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = NULL; }

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = NULL;
  POSITION pos = GetFirstDocPosition();
  while (pos != NULL) {
    CDocument* pDoc = GetNextDoc(pos);
    if (AfxComparePath(pDoc->GetPathName(), lpszPathName)) {
      rpDocMatch = pDoc;
      return yesAlreadyOpen;
    }
  }
  CString strFilterExt;
  if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty()) {
    int nDot = CString(lpszPathName).ReverseFind('.');
    if (nDot >= 0 && lstrcmpi(lpszPathName + nDot, strFilterExt) == 0) return yesAttemptNative;
  }
  return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument() {
  if (m_pDocClass == NULL) return NULL;
  CObject* pObject = m_pDocClass->CreateObject();
  CDocument* pDocument = dynamic_cast<CDocument*>(pObject);
  if (pDocument == NULL) {
    delete pObject;
    return NULL;
  }
  AddDocument(pDocument);
  return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  if (m_pFrameClass == NULL) return NULL;
  CObject* pObject = m_pFrameClass->CreateObject();
  CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pObject);
  if (pFrame == NULL) {
    delete pObject;
    return NULL;
  }
  // A frame that fails deletes itself.
  if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context)) return NULL;
  return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  POSITION pos = GetFirstDocPosition();
  while (pos != NULL) {
    CDocument* pDoc = GetNextDoc(pos);
    if (!pDoc->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  POSITION pos = GetFirstDocPosition();
  while (pos != NULL) {
    CDocument* pDoc = GetNextDoc(pos);
    pDoc->OnCloseDocument();
  }
}

/////////////////////////////////////////////////////////////////////////////

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc != NULL) m_pOnlyDoc->OnCloseDocument();
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = NULL;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const { return m_pOnlyDoc == NULL ? NULL : (POSITION)1; }

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* pDoc = rPos == (POSITION)1 ? m_pOnlyDoc : NULL;
  rPos = NULL;
  return pDoc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString strDocName;
  if (!GetDocString(strDocName, CDocTemplate::docName) || strDocName.IsEmpty()) strDocName.LoadString(AFX_IDS_UNTITLED);
  pDocument->SetTitle(strDocName);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* pDocument = NULL;
  CFrameWnd* pFrame = NULL;
  BOOL bCreated = FALSE;
  if (m_pOnlyDoc != NULL) {
    // The one document is reused; its changes are offered for saving first.
    pDocument = m_pOnlyDoc;
    if (!pDocument->SaveModified()) return NULL;
    CWnd* pMain = AfxGetMainWnd();
    pFrame = pMain != NULL && pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pMain) : NULL;
  } else {
    pDocument = CreateNewDocument();
    bCreated = TRUE;
  }
  if (pDocument == NULL) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return NULL;
  }
  if (pFrame == NULL) {
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;  // a failed frame must not take the document along
    pFrame = CreateNewFrame(pDocument, NULL);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL) {
      AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
      if (bCreated) delete pDocument;
      return NULL;
    }
  }
  if (lpszPathName == NULL) {
    SetDefaultTitle(pDocument);
    if (!bMakeVisible) pDocument->m_bEmbedded = TRUE;
    if (!pDocument->OnNewDocument()) {
      if (bCreated) pFrame->DestroyWindow();  // takes the document along
      return NULL;
    }
  } else {
    CWaitCursor wait;
    BOOL bWasModified = pDocument->IsModified();
    pDocument->SetModifiedFlag(FALSE);
    if (!pDocument->OnOpenDocument(lpszPathName)) {
      if (bCreated) {
        pFrame->DestroyWindow();
      } else if (!pDocument->IsModified()) {
        pDocument->SetModifiedFlag(bWasModified);  // the old contents are intact
      } else {
        // The old contents are gone: start a fresh one.
        SetDefaultTitle(pDocument);
        pDocument->OnNewDocument();
      }
      return NULL;
    }
    pDocument->SetPathName(lpszPathName);
  }
  CWinThread* pThread = AfxGetThread();
  if (bCreated && pThread != NULL && pThread->m_pMainWnd == NULL) pThread->m_pMainWnd = pFrame;
  InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
  return pDocument;
}

/////////////////////////////////////////////////////////////////////////////
// CDocManager

CDocManager::CDocManager() {}

CDocManager::~CDocManager() {
  POSITION pos = m_templateList.GetHeadPosition();
  while (pos != NULL) {
    CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetNext(pos);
    if (pTemplate->m_bAutoDelete) delete pTemplate;
  }
  m_templateList.RemoveAll();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate == NULL) return;
  pTemplate->LoadTemplate();
  m_templateList.AddTail(pTemplate);
}

BOOL CDocManager::SaveAllModified() {
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != NULL) {
    if (!GetNextDocTemplate(pos)->SaveAllModified()) return FALSE;
  }
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != NULL) GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount() {
  int nOpen = 0;
  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != NULL) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    POSITION pos2 = pTemplate->GetFirstDocPosition();
    while (pos2 != NULL) {
      pTemplate->GetNextDoc(pos2);
      ++nOpen;
    }
  }
  return nOpen;
}

// "Name (*.ext)" and "*.ext" pairs of the file dialog's filter, NUL separated.
static void AppendFilterSuffix(CString& filter, OPENFILENAME& ofn, int& nFilters, CDocTemplate* pTemplate,
                               CString* pstrDefaultExt) {
  CString strFilterExt, strFilterName;
  if (pTemplate->GetDocString(strFilterExt, CDocTemplate::filterExt) && !strFilterExt.IsEmpty() &&
      pTemplate->GetDocString(strFilterName, CDocTemplate::filterName) && !strFilterName.IsEmpty()) {
    if (pstrDefaultExt != NULL) {
      *pstrDefaultExt = strFilterExt.Mid(1);  // without the dot
      ofn.nFilterIndex = (DWORD)nFilters + 1;
    }
    filter += strFilterName;
    filter += (TCHAR)'\0';
    filter += (TCHAR)'*';
    filter += strFilterExt;
    filter += (TCHAR)'\0';
    nFilters++;
  }
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
  OPENFILENAME ofn;
  memset(&ofn, 0, sizeof(ofn));
  ofn.lStructSize = sizeof(ofn);
  CString title;
  title.LoadString(nIDSTitle);
  CString strFilter, strDefault;
  int nFilters = 0;
  if (pTemplate != NULL) {
    AppendFilterSuffix(strFilter, ofn, nFilters, pTemplate, &strDefault);
  } else {
    POSITION pos = GetFirstDocTemplatePosition();
    BOOL bFirst = TRUE;
    while (pos != NULL) {
      AppendFilterSuffix(strFilter, ofn, nFilters, GetNextDocTemplate(pos), bFirst ? &strDefault : NULL);
      bFirst = FALSE;
    }
  }
  CString allFilter;
  allFilter.LoadString(AFX_IDS_ALLFILTER);
  strFilter += allFilter;
  strFilter += (TCHAR)'\0';
  strFilter += "*.*";
  strFilter += (TCHAR)'\0';
  strFilter += (TCHAR)'\0';

  TCHAR szFile[_MAX_PATH];
  lstrcpyn(szFile, fileName, _MAX_PATH);
  ofn.hwndOwner = CWnd::GetSafeOwner(NULL, NULL)->GetSafeHwnd();
  ofn.lpstrFilter = strFilter;
  ofn.lpstrFile = szFile;
  ofn.nMaxFile = _MAX_PATH;
  ofn.lpstrTitle = title;
  ofn.lpstrDefExt = strDefault.IsEmpty() ? NULL : (LPCTSTR)strDefault;
  ofn.Flags = lFlags | OFN_EXPLORER | (bOpenFileDialog ? 0 : OFN_OVERWRITEPROMPT);
  BOOL bResult = bOpenFileDialog ? ::GetOpenFileName(&ofn) : ::GetSaveFileName(&ofn);
  if (bResult) fileName = szFile;
  return bResult;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName) {
  CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
  CDocTemplate* pBestTemplate = NULL;
  CDocument* pOpenDocument = NULL;
  // A quoted name (from the shell) loses its quotes.
  CString strName = lpszFileName;
  if (strName.GetLength() >= 2 && strName[0] == '"' && strName[strName.GetLength() - 1] == '"')
    strName = strName.Mid(1, strName.GetLength() - 2);
  TCHAR szPath[_MAX_PATH];
  AfxFullPath(szPath, strName);

  POSITION pos = GetFirstDocTemplatePosition();
  while (pos != NULL) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    CDocument* pOpenDoc = NULL;
    CDocTemplate::Confidence match = pTemplate->MatchDocType(szPath, pOpenDoc);
    if (match > bestMatch) {
      bestMatch = match;
      pBestTemplate = pTemplate;
    }
    if (match == CDocTemplate::yesAlreadyOpen) {
      pOpenDocument = pOpenDoc;
      break;
    }
  }
  if (pOpenDocument != NULL) {
    POSITION posView = pOpenDocument->GetFirstViewPosition();
    if (posView != NULL) {
      CView* pView = pOpenDocument->GetNextView(posView);
      CFrameWnd* pFrame = pView->GetParentFrame();
      if (pFrame != NULL) pFrame->ActivateFrame();
    }
    return pOpenDocument;
  }
  if (pBestTemplate == NULL) {
    AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
    return NULL;
  }
  return pBestTemplate->OpenDocumentFile(szPath);
}

void CDocManager::OnFileNew() {
  if (m_templateList.IsEmpty()) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return;
  }
  CDocTemplate* pTemplate = (CDocTemplate*)m_templateList.GetHead();
  pTemplate->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen() {
  CString newName;
  if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL)) return;
  if (CWinApp* pApp = AfxGetApp()) pApp->OpenDocumentFile(newName);
}
