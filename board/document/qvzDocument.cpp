#include "qvzDocument.h"

#include "Dib.h"
#include "afxreplace.h"
#include "afxres.h"
#include "jvqBoard.h"
#include "jvqFileHeader.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqUndoManager.h"

IMPLEMENT_DYNCREATE(qvzDocument, jvqDocument)

static const char* const kPropertyNames[] = {
    "物件名", "物件住所", "施主名", "施主連絡先1(tel)", "施主連絡先2(tel)", "施主連絡先(携帯)",
    "施主連絡先(メール)", "営業担当者名", "プランナー担当者名", "備考", "用紙幅", "用紙高さ"};

void (*qvzDocument::s_pfnGetGuides)(BOOL, std::vector<qvzGuideEntry>&) = NULL;
void (*qvzDocument::s_pfnSetGuides)(BOOL, const std::vector<qvzGuideEntry>&) = NULL;

// {C5A1F0D2-6B3E-4E7A-9F21-3D8C0B4A7E55}
const CLSID CLSID_qvzDocument = {0xc5a1f0d2, 0x6b3e, 0x4e7a, {0x9f, 0x21, 0x3d, 0x8c, 0x0b, 0x4a, 0x7e, 0x55}};

// The application stays alive while a board exists.
qvzDocument::qvzDocument() : m_xDispatch(this), m_bTemplate(0), m_bShowWaitDialog(1) { AfxOleLockApp(); }

HRESULT qvzDocument::QueryComInterface(REFIID riid, void** ppv) {
  if (ppv == NULL) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDispatch) {
    *ppv = static_cast<IDispatch*>(&m_xDispatch);
    ExternalAddRef();
    return S_OK;
  }
  *ppv = NULL;
  return E_NOINTERFACE;
}

void qvzDocument::OnFinalRelease() { OnCloseDocument(); }

qvzDocument::~qvzDocument() {
  AfxOleUnlockApp();
  for (CDib* p : m_PageThumbnails) delete p;
  for (const CString& s : m_TempFiles) ::DeleteFile(s);
}

void qvzDocument::ApplyGridSettings() {
  CWinApp* pApp = AfxGetApp();
  if (m_pBoard == NULL || pApp == NULL) return;
  m_pBoard->m_crGrid = pApp->GetProfileInt("Grid", "Color", 0);
  // "qvz.ini" holds twice the spacing.
  const int nStored = (int)pApp->GetProfileInt("Grid", "Interval", -1);
  m_pBoard->m_nGridSpacing = nStored < 0 ? 50 : nStored / 2;
  m_pBoard->m_nGridStyle = pApp->GetProfileInt("Grid", "Type", 0);
  if (pApp->GetProfileInt("Grid", "bVisible", 1))
    m_pBoard->m_dwState |= JVQ_STATE_GRID;
  else
    m_pBoard->m_dwState &= ~JVQ_STATE_GRID;
}

void qvzDocument::ResetContents() {
  jvqDocument::ResetContents();
  PictureDisplayMode = 0;
  ApplyGridSettings();
  m_pHeader->m_Properties.RemoveAll();
  for (const char* name : kPropertyNames) m_pHeader->AddProperty(name, "");
}

BOOL qvzDocument::OnNewDocument() {
  if (!jvqDocument::OnNewDocument()) return FALSE;
  SetModifiedFlag(FALSE);
  return TRUE;
}

void qvzDocument::Serialize(CArchive& ar) {
  if (ar.IsLoading()) {
    if (m_pBoard && m_pBoard->GetCurrentPage()) m_pBoard->GetCurrentPage()->ModifyChildState(JVQ_STATE_SELECTED, 0);
  } else if (m_bTemplate) {
    m_pHeader->SetTemplateFlag(1);
  } else {
    m_pHeader->SetTemplateFlag(0);
    m_pHeader->RemoveGuideProperties();
    if (s_pfnGetGuides) {
      std::vector<qvzGuideEntry> h, v;
      s_pfnGetGuides(TRUE, h);
      s_pfnGetGuides(FALSE, v);
      qvzWriteGuideProperties(m_pHeader, "GuideH", h);
      qvzWriteGuideProperties(m_pHeader, "GuideV", v);
    }
    SIZE sz = {0, 0};
    if (m_pBoard) m_pBoard->GetCurrentPageSize(&sz);
    CString s;
    s.Format("%d", (int)sz.cx);
    m_pHeader->SetProperty("用紙幅", s);
    s.Format("%d", (int)sz.cy);
    m_pHeader->SetProperty("用紙高さ", s);
  }
  jvqDocument::Serialize(ar);
  if (ar.IsLoading()) {
    m_bTemplate = m_pHeader->GetTemplateFlag() == 1;
    if (m_bTemplate && m_pBoard->GetCurrentPage()) m_pBoard->GetCurrentPage()->ModifyChildState(0, JVQ_STATE_LOCKED);
    if (!m_bTemplate && s_pfnSetGuides) {
      s_pfnSetGuides(TRUE, qvzReadGuideProperties(m_pHeader, "GuideH"));
      s_pfnSetGuides(FALSE, qvzReadGuideProperties(m_pHeader, "GuideV"));
    }
    ApplyGridSettings();
  }
}

CString qvzDocument::MakeOpenTempName() {
  char szDir[MAX_PATH];
  char szName[MAX_PATH];
  if (::GetTempPath(MAX_PATH, szDir) == 0 || ::GetTempFileName(szDir, "qvzopen", 0, szName) == 0) return CString();
  m_TempFiles.push_back(szName);
  return CString(szName);
}

BOOL qvzDocument::OnOpenDocument(LPCTSTR lpszPathName) {
  // Read from a copy, so that the user's file is not held open by the program.
  CString strCopy = MakeOpenTempName();
  BOOL bOk;
  if (!strCopy.IsEmpty() && ::CopyFile(lpszPathName, strCopy, FALSE)) {
    bOk = jvqDocument::OnOpenDocument(strCopy);
    ::DeleteFile(strCopy);
  } else {
    bOk = jvqDocument::OnOpenDocument(lpszPathName);
  }
  if (!bOk) return FALSE;
  if (!m_strTempCopy.IsEmpty()) {
    ::DeleteFile(m_strTempCopy);
    m_strTempCopy.Empty();
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void qvzDocument::StopAutoSaveTimer() {
  CWnd* pWnd = AfxGetMainWnd();
  if (pWnd && pWnd->m_hWnd) ::KillTimer(pWnd->m_hWnd, QVZ_AUTOSAVE_TIMER);
}

void qvzDocument::StartAutoSaveTimer() {
  CWnd* pWnd = AfxGetMainWnd();
  CWinApp* pApp = AfxGetApp();
  if (pWnd == NULL || pWnd->m_hWnd == NULL || pApp == NULL) return;
  const int nInterval = (int)pApp->GetProfileInt("AutoSave", "Interval", 0);
  if (nInterval > 0) ::SetTimer(pWnd->m_hWnd, QVZ_AUTOSAVE_TIMER, nInterval, NULL);
}

BOOL qvzDocument::OnSaveDocument(LPCTSTR lpszPathName) {
  if (!SaveCopy(lpszPathName)) return FALSE;
  SetPathName(lpszPathName, TRUE);
  return TRUE;
}

BOOL qvzDocument::SaveCopy(LPCTSTR lpszPathName) {
  StopAutoSaveTimer();
  CString strTemp = MakeOpenTempName();
  if (!strTemp.IsEmpty()) ::DeleteFile(strTemp);
  if (strTemp.IsEmpty()) {
    // Without a temporary copy nothing is written: the user is told, as for any failure.
    const DWORD dwError = ::GetLastError();
    CFileException fe(CFileException::OsErrorToException((LONG)dwError), (LONG)dwError);
    fe.m_strFileName = lpszPathName;
    ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
  }
  BOOL bOk = !strTemp.IsEmpty() && SaveStorageFile(strTemp);
  if (bOk) {
    // The copy goes beside the target first and then replaces it in one step, so that
    // an interrupted save never leaves a half-copied board.
    bOk = AfxReplaceFile(lpszPathName, [&](LPCTSTR lpszSibling) -> BOOL {
      return ::CopyFile(strTemp, lpszSibling, FALSE) && BeforeReplace(lpszSibling, lpszPathName);
    });
    if (!bOk) {
      const DWORD dwError = ::GetLastError();
      CFileException fe(CFileException::OsErrorToException((LONG)dwError), (LONG)dwError);
      fe.m_strFileName = lpszPathName;
      ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    }
  }
  if (!bOk) {
    if (!strTemp.IsEmpty()) ::DeleteFile(strTemp);
    StartAutoSaveTimer();
    return FALSE;
  }
  if (!m_strTempCopy.IsEmpty()) ::DeleteFile(m_strTempCopy);
  m_strTempCopy = strTemp;
  SetModifiedFlag(FALSE);
  StartAutoSaveTimer();
  return TRUE;
}

void qvzDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
  if (!m_bTemplate) {
    jvqDocument::SetPathName(lpszPathName, bAddToMRU);
    return;
  }
  jvqDocument::SetPathName(lpszPathName, FALSE);
  char szName[MAX_PATH];
  lstrcpyn(szName, lpszPathName, MAX_PATH);
  LPSTR pBase = szName;
  for (LPSTR p = szName; *p; p = ::CharNext(p))
    if (*p == '\\' || *p == '/' || *p == ':') pBase = p + 1;
  LPSTR pDot = NULL;
  for (LPSTR p = pBase; *p; p = ::CharNext(p))
    if (*p == '.') pDot = p;
  if (pDot) *pDot = 0;
  CString strTitle;
  strTitle.Format("%s[ひな型]", pBase);
  SetTitle(strTitle);
}

void qvzDocument::AddPage(jvqPage* pPage) {
  if (m_pBoard == NULL || pPage == NULL) return;
  jvqPage* pCur = m_pBoard->GetCurrentPage();
  const int nIndex = m_pBoard->GetCurrentPageIndex();
  if (pCur) pCur->m_dwState &= ~JVQ_STATE_VISIBLE;
  m_pBoard->InsertPage(nIndex, pPage);
  theUndoManager.RecordAdded(pPage);
  SetModifiedFlag(TRUE);
}

BOOL qvzDocument::LoadScaled(LPCTSTR lpszPathName, int nWidth, int nHeight) {
  m_bShowWaitDialog = 0;
  BOOL bOk = jvqDocument::OnOpenDocument(lpszPathName);
  m_bShowWaitDialog = 1;
  if (!bOk) return FALSE;
  for (int i = 0; i < m_pBoard->GetPageCount(); i++) m_pBoard->GetPage(i)->ModifyChildState(0, JVQ_STATE_LOCKED);
  m_pBoard->SetCurrentPage(0);
  jvqPage* pPage = m_pBoard->GetCurrentPage();
  if (pPage && nWidth > 0 && nHeight > 0) {
    RECT r;
    pPage->GetBoundRect(&r);
    if (r.right > r.left && r.bottom > r.top)
      pPage->SetScale((double)nWidth / (r.right - r.left), (double)nHeight / (r.bottom - r.top));
  }
  m_strPathName.Empty();
  if (CView* pView = GetFirstView()) pView->Invalidate();
  SetModifiedFlag(FALSE);
  return TRUE;
}

int (*qvzDocument::s_pfnAskToSave)(LPCTSTR lpszName) = NULL;
void (*qvzDocument::s_pfnSaveModifiedDone)(BOOL bGoOn) = NULL;

BOOL qvzDocument::SaveModified() {
  // Called from another program: the OLE rule decides when an item is in error.
  const int nDecided = AskToDiscardInSendMessage();
  if (nDecided >= 0) return nDecided;
  UpdateModifiedFlag();
  BOOL bGoOn = TRUE;
  if (IsModified()) {
    CString name;
    if (m_strPathName.IsEmpty()) {
      name = m_strTitle;
      if (name.IsEmpty()) name.LoadString(AFX_IDS_UNTITLED);
    } else {
      TCHAR szTitle[_MAX_PATH];
      name = AfxGetFileTitle(m_strPathName, szTitle, _MAX_PATH) == 0 ? CString(szTitle) : m_strPathName;
    }
    int nAnswer;
    if (s_pfnAskToSave != NULL) {
      nAnswer = s_pfnAskToSave(name);
    } else {
      CString prompt;
      AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, name);
      nAnswer = AfxMessageBox(prompt, MB_YESNOCANCEL | MB_DEFBUTTON3, AFX_IDP_ASK_TO_SAVE);
    }
    if (nAnswer == IDCANCEL || (nAnswer == IDYES && !DoFileSave())) bGoOn = FALSE;
    // Only an answer tells the application anything: a board without changes leaves its
    // flags as they were.
    if (s_pfnSaveModifiedDone != NULL) s_pfnSaveModifiedDone(bGoOn);
  }
  return bGoOn;
}

void qvzDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) {
  if (!m_strSourceName.IsEmpty()) {
    if (CFileException* fe = DYNAMIC_DOWNCAST(CFileException, e)) fe->m_strFileName = m_strSourceName;
    lpszPathName = m_strSourceName;
  }
  jvqDocument::ReportSaveLoadException(lpszPathName, e, bSaving, nIDPDefault);
}

void qvzDocument::SetUntitled(LPCTSTR lpszTitle) {
  m_strPathName.Empty();
  SetTitle(lpszTitle);
}

void qvzDocument::TakeCurrentPageAsPrototype() {
  jvqPage* page = m_pBoard ? m_pBoard->GetCurrentPage() : NULL;
  jvqObjectDefaults* defaults = jvqObjectDefaults::GetObjectDefaults();
  if (page == NULL || defaults == NULL) return;
  jvqObject* copy = page->Clone();
  if (copy == NULL) return;
  if (defaults->FindPrototype(copy->GetClassCode()) != NULL)
    defaults->ReplacePrototype(copy);
  else
    delete copy;
}

void qvzDocument::AutoSave() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain && pMain->m_hWnd && !::IsWindowEnabled(pMain->m_hWnd)) return;  // a modal dialog is open
  if (m_strAutoSavePath.IsEmpty()) return;
  static BOOL s_bRan = FALSE;
  if (!s_bRan) {
    s_bRan = TRUE;
    ::DeleteFile(m_strAutoSavePath);
  }
  CWaitCursor wait;
  const BOOL bModified = IsModified();
  // The copy takes no name: the document keeps its path and title (an untitled one stays
  // untitled), and the recent-file list never sees the auto-save file.
  SaveCopy(m_strAutoSavePath);
  SetModifiedFlag(bModified);
}

void qvzDocument::UpdatePageThumbnails() {
  for (CDib* p : m_PageThumbnails) delete p;
  m_PageThumbnails.clear();
  if (m_pBoard == NULL) return;
  for (int i = 0; i < m_pBoard->GetPageCount(); i++)
    m_PageThumbnails.push_back(RenderPageToDib(GetFirstView(), m_pBoard->GetPage(i), 60, 60));
}

CString FormatFileTime(LPCTSTR lpszFileName) {
  WIN32_FIND_DATA fd;
  HANDLE h = ::FindFirstFile(lpszFileName, &fd);
  if (h == INVALID_HANDLE_VALUE) return CString();
  ::FindClose(h);
  if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return CString();
  FILETIME local;
  SYSTEMTIME st;
  ::FileTimeToLocalFileTime(&fd.ftLastWriteTime, &local);
  ::FileTimeToSystemTime(&local, &st);
  CString strDate;
  strDate.Format("%d/%.2d/%.2d ", st.wYear, st.wMonth, st.wDay);
  CString strText;
  if (st.wHour <= 11)
    strText.Format("%s %.2d:%.2d", (LPCTSTR)(strDate + "午前"), st.wHour, st.wMinute);
  else
    strText.Format("%s %.2d:%.2d", (LPCTSTR)(strDate + "午後"), st.wHour - 12, st.wMinute);
  return strText;
}
