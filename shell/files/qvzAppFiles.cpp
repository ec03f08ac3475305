// The application's file commands. Boards are never opened in place: the chosen file is
// copied to a temporary file and the copy is opened, while the document keeps the chosen
// path. Save prompts follow the document: templates are named by the template dialog,
// other boards by the platform's old-style save dialog.
#include <string.h>

#include "afxdlgs.h"
#include "jvqBoard.h"
#include "jvqFileHeader.h"
#include "jvqObjectCodes.h"
#include "jvqPage.h"
#include "jvqPrinter.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzOpenFileDlg.h"
#include "qvzPaperSetupDlg.h"
#include "qvzTemplateSaveAsDlg.h"
#include "qvzWorkMenuCloseDlg.h"
#include "resource.h"
#include "AppFileHelpers.h"

namespace {

// The save question of a board being replaced or closed, asked by the document.
int AskToSave(LPCTSTR lpszName) { return theQvzApp()->AskToSaveChanges(lpszName); }
// A cancelled question keeps the board: no start menu follows, and the commands see that
// the board was not replaced.
void TakeSaveAnswer(BOOL bGoOn) {
  theQvzApp()->m_bCloseConfirmed = bGoOn ? 1 : 0;
  theQvzApp()->m_bShowStartMenu = bGoOn ? 1 : 0;
}

struct InstallDocumentHooks {
  InstallDocumentHooks() {
    qvzDocument::s_pfnAskToSave = AskToSave;
    qvzDocument::s_pfnSaveModifiedDone = TakeSaveAnswer;
  }
} theDocumentHooks;

}  // namespace

int qvzApp::AskToSaveChanges(LPCTSTR lpszName) {
  if (m_bWorkMenu) {
    // Its save and discard buttons are IDYES and IDNO.
    qvzWorkMenuCloseDlg dlg(m_pMainWnd);
    dlg.m_strTitle = lpszName;
    return (int)dlg.DoModal();
  }
  CString prompt;
  AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, lpszName);
  return AfxMessageBox(prompt, MB_YESNOCANCEL | MB_DEFBUTTON3, AFX_IDP_ASK_TO_SAVE);
}

// The printer follows the board's sheet: its paper and a new device context.
void qvzApp::UpdatePrinterForBoard() {
  qvzDocument* d = BoardDocument();
  CWaitCursor wait;
  if (d != NULL && d->GetBoard() != NULL) {
    SIZE sheet = {0, 0};
    d->GetBoard()->GetCurrentPageSize(&sheet);
    if (sheet.cx > 0 && sheet.cy > 0) thePrinter.SelectPaperForSheet(&sheet);
  }
  thePrinter.CreateDefaultDC();
}

void qvzApp::RefreshAfterNewBoard() {
  qvzMainFrame* f = MainFrame();
  if (f == NULL) return;
  if (jvqView* v = GetActiveBoardView()) v->ResetView();
  f->UpdateStatusBar();
  f->UpdatePageTabs();
  // The select bar tells the new board's paper and shows its own pages, made afresh: the
  // thumbnails it had were the last board's.
  f->ShowDocumentInfo();
  f->SwitchBar(FALSE);
  f->UpdateControlBars();
  UpdatePrinterForBoard();
  if (jvqView* v = GetActiveBoardView()) v->Redraw();
}

void qvzApp::RemoveFromRecentFiles(LPCTSTR lpszPath) {
  if (m_pRecentFileList == NULL || lpszPath == NULL) return;
  for (int i = 0; i < m_pRecentFileList->GetSize(); i++) {
    if (strcmp((*m_pRecentFileList)[i], lpszPath) == 0) {
      m_pRecentFileList->Remove(i);
      return;
    }
  }
}

CDocument* qvzApp::OpenDocumentFile(LPCTSTR lpszFileName) {
  qvzDocument::StopAutoSaveTimer();
  if (m_bFrameHiddenOnce) SwitchToEditView();
  const CString strSource = lpszFileName;
  char szPrevious[MAX_PATH];
  strcpy(szPrevious, m_szCurrentOpenCopy);
  char szDir[MAX_PATH];
  m_szCurrentOpenCopy[0] = 0;
  if (::GetTempPath(MAX_PATH, szDir) == 0 || ::GetTempFileName(szDir, "qvzopen", 0, m_szCurrentOpenCopy) == 0) {
    m_szCurrentOpenCopy[0] = 0;
    return NULL;
  }
  // The copy overwrites the reserved name: deleting it first would free the name for another
  // program's temporary file.
  m_WaitDlg.Refresh();
  if (!::CopyFile(strSource, m_szCurrentOpenCopy, FALSE)) {
    // A failed copy is not reported by the platform: say which file could not be read,
    // and keep saving automatically as before.
    const DWORD dwError = ::GetLastError();
    m_szCurrentOpenCopy[0] = 0;
    CFileException fe(CFileException::OsErrorToException((LONG)dwError), (LONG)dwError);
    fe.m_strFileName = strSource;
    if (qvzDocument* pBoard = BoardDocument())
      pBoard->ReportSaveLoadException(strSource, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    else
      AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC, MB_ICONEXCLAMATION);
    strcpy(m_szCurrentOpenCopy, szPrevious);
    qvzDocument::StartAutoSaveTimer();
    return NULL;
  }
  m_TempFileList.AddTail(m_szCurrentOpenCopy);
  m_WaitDlg.Refresh();
  // Messages about the file name the file the user chose, never its copy.
  qvzDocument* pBoard = BoardDocument();
  if (pBoard != NULL) pBoard->m_strSourceName = strSource;
  CDocument* d = CWinApp::OpenDocumentFile(m_szCurrentOpenCopy);
  if (pBoard != NULL) pBoard->m_strSourceName.Empty();
  m_WaitDlg.EndRead();
  if (d == NULL) {
    ::DeleteFile(m_szCurrentOpenCopy);
    strcpy(m_szCurrentOpenCopy, szPrevious);
    return NULL;
  }
  RemoveFromRecentFiles(m_szCurrentOpenCopy);
  PassAutoSavePath(static_cast<qvzDocument*>(d));
  if (szPrevious[0] && strcmp(szPrevious, m_szCurrentOpenCopy) != 0) ::DeleteFile(szPrevious);
  if (!m_Settings.strAutoSavePath.IsEmpty() && strSource.CompareNoCase(m_Settings.strAutoSavePath) == 0)
    static_cast<qvzDocument*>(d)->SetUntitled("無題");
  else
    d->SetPathName(strSource, TRUE);
  if (jvqView* v = GetActiveBoardView()) v->ResetView();
  if (qvzMainFrame* f = MainFrame()) {
    f->UpdateStatusBar();
    f->UpdatePageTabs();
  }
  UpdatePrinterForBoard();
  if (jvqView* v = GetActiveBoardView()) v->Redraw();
  qvzDocument::StartAutoSaveTimer();
  return d;
}

void qvzApp::OnFileOpen() {
  SwitchToEditView();
  m_strOpenFolder = m_Settings.strOpenDir;
  CString name;
  if (!DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL)) return;
  if (OpenDocumentFile(name) == NULL) return;
  m_strOpenFolder = FolderOf(name) + "\\";
  m_Settings.strOpenDir = m_strOpenFolder;
}

BOOL qvzApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                              CDocTemplate* pTemplate) {
  SwitchToEditView();
  if (bOpenFileDialog) return PromptOpenFile(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
  qvzDocument* d = BoardDocument();
  if (d != NULL && d->m_bTemplate) {
    if (!PromptTemplateSaveAs(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate)) return FALSE;
    if (jvqFileHeader* h = d->GetHeader()) {
      h->m_Properties.RemoveAll();
      h->AddProperty("ひながた説明", m_strTemplateDescription);
    }
    return TRUE;
  }
  if (!PromptSaveFile(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate)) return FALSE;
  if (qvzMainFrame* f = MainFrame()) f->EditPropertyInfo(d, fileName);
  return TRUE;
}

BOOL qvzApp::PromptOpenFile(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*) {
  if (!IsFolder(m_strOpenFolder)) m_strOpenFolder = m_strAppFolder;
  qvzOpenFileDlg dlg(m_pMainWnd);
  dlg.SetStartFolder(m_strOpenFolder);
  if (dlg.DoModal() != IDOK) return FALSE;
  fileName = dlg.GetSelectedPath();
  m_strOpenFolder = dlg.GetCurrentFolder();
  return TRUE;
}

BOOL qvzApp::PromptSaveFile(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL, CDocTemplate* pTemplate) {
  CFileDialog dlg(FALSE, NULL, NULL, (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | lFlags) & ~(DWORD)OFN_EXPLORER, NULL,
                  m_pMainWnd);
  CString title;
  title.LoadString(nIDSTitle);
  CString strFilter, strDefault;
  int nFilters = 0;
  auto append = [&](CDocTemplate* t, BOOL bDefault) {
    CString ext, name;
    if (!t->GetDocString(ext, CDocTemplate::filterExt) || ext.IsEmpty() ||
        !t->GetDocString(name, CDocTemplate::filterName) || name.IsEmpty())
      return;
    if (bDefault) {
      strDefault = ext.Mid(1);
      dlg.m_ofn.nFilterIndex = (DWORD)nFilters + 1;
    }
    strFilter += name;
    strFilter += (TCHAR)'\0';
    strFilter += "*" + ext;
    strFilter += (TCHAR)'\0';
    nFilters++;
  };
  if (pTemplate != NULL) {
    append(pTemplate, TRUE);
  } else {
    POSITION pos = GetFirstDocTemplatePosition();
    BOOL bFirst = TRUE;
    while (pos != NULL) {
      append(GetNextDocTemplate(pos), bFirst);
      bFirst = FALSE;
    }
  }
  CString all;
  all.LoadString(AFX_IDS_ALLFILTER);
  strFilter += all;
  strFilter += (TCHAR)'\0';
  strFilter += "*.*";
  strFilter += (TCHAR)'\0';
  strFilter += (TCHAR)'\0';
  dlg.m_ofn.lpstrFilter = strFilter;
  dlg.m_ofn.lpstrDefExt = strDefault.IsEmpty() ? NULL : (LPCTSTR)strDefault;
  dlg.m_ofn.lpstrTitle = title;
  char szFile[_MAX_PATH];
  lstrcpyn(szFile, fileName, _MAX_PATH);
  dlg.m_ofn.lpstrFile = szFile;
  dlg.m_ofn.nMaxFile = _MAX_PATH;
  if (!IsFolder(m_Settings.strOpenDir)) m_Settings.strOpenDir = m_strAppFolder;
  if (fileName.Find('\\') < 0) dlg.m_ofn.lpstrInitialDir = m_Settings.strOpenDir;
  if (dlg.DoModal() != IDOK) return FALSE;
  fileName = szFile;
  m_Settings.strOpenDir = FolderOf(fileName) + "\\";
  return TRUE;
}

BOOL qvzApp::PromptTemplateSaveAs(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*) {
  qvzTemplateSaveAsDlg dlg(m_pMainWnd);
  qvzDocument* d = BoardDocument();
  if (d != NULL && d->GetHeader() != NULL) {
    LPCTSTR desc = d->GetHeader()->GetProperty("ひながた説明");
    if (desc != NULL && *desc) dlg.m_strDescription = desc;
  }
  // A template's window title ends in "[ひな型] - Zenbora".
  if (m_pMainWnd != NULL) {
    CString title;
    m_pMainWnd->GetWindowText(title);
    const int nSuffix = (int)strlen("[ひな型] - Zenbora");
    dlg.m_strName = title.GetLength() > nSuffix ? title.Left(title.GetLength() - nSuffix) : CString();
  }
  dlg.m_strAppFolder = m_strAppFolder;
  if (dlg.DoModal() != IDOK) return FALSE;
  fileName = m_strAppFolder + "ひな型\\" + dlg.m_strName + ".VQD";
  m_strTemplateDescription = dlg.m_strDescription;
  return TRUE;
}

void qvzApp::NewBoardFromTemplate(LPCTSTR lpszTemplate, int nWidth, int nHeight) {
  qvzDocument* d = BoardDocument();
  if (d == NULL) return;
  d->LoadScaled(lpszTemplate, nWidth, nHeight);
  // The wait window the read opened goes with the read.
  m_WaitDlg.EndRead();
  d->SetUntitled("新規");
  if (jvqBoard* b = d->GetBoard()) {
    for (int i = 0; i < b->GetPageCount(); i++) {
      jvqPage* p = b->GetPage(i);
      for (int k = 0; p != NULL && k < p->GetChildCount(); k++) p->GetChild(k)->m_dwState |= JVQ_STATE_LOCKED;
    }
  }
  d->m_bTemplate = 0;
  qvzDocument::StartAutoSaveTimer();
}

void qvzApp::OnFileNewBlank() {
  SwitchToEditView();
  ClearViewSelection();
  CWinApp::OnFileNew();
  qvzDocument* d = BoardDocument();
  if (d != NULL) d->m_bTemplate = 0;
  if (m_bShowStartMenu == 0 || d == NULL) return;
  qvzDocument::StartAutoSaveTimer();
  BOOL bChanged = FALSE;
  RunPaperDialog(d, TRUE, FALSE, &bChanged);
  d->SetModifiedFlag(bChanged);
  d->TakeCurrentPageAsPrototype();
  RefreshAfterNewBoard();
  if (qvzMainFrame* f = MainFrame()) f->m_wndFolderFrame.GetFolderTabCtrl().SelectTab(0);
}

BOOL qvzApp::RunPaperDialog(qvzDocument* pDoc, BOOL bNoCancel, BOOL bSkipConfirm, BOOL* pbChanged) {
  *pbChanged = FALSE;
  jvqView* v = GetActiveBoardView();
  // Without a view to show the sheet in, the board keeps the paper it was made with.
  if (pDoc == NULL || v == NULL) return TRUE;
  qvzPaperSetupDlg dlg(m_pMainWnd);
  dlg.SetView(v);
  dlg.SetOutsideColorSetting(&m_Settings.crBackground);
  dlg.AllowCancel = bNoCancel ? 0 : 1;
  dlg.SkipSizeWarning = bSkipConfirm ? 1 : 0;
  if (dlg.DoModal() != IDOK) return FALSE;
  *pbChanged = dlg.m_nChanged != 0;
  return TRUE;
}

void qvzApp::OnFilePrintSetup() {
  CWinApp::OnFilePrintSetup();
  thePrinter.CreateDefaultDC();
  if (m_pMainWnd != NULL) m_pMainWnd->Invalidate();
  if (jvqView* v = GetActiveBoardView()) v->Redraw();
}

void qvzApp::OnUpdateIfBoardView(CCmdUI* pCmdUI) {
  qvzMainFrame* f = MainFrame();
  pCmdUI->Enable(f != NULL && !f->IsPageListShown() && GetActiveBoardView() != NULL);
}
