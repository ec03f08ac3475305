// How a board begins: the start menu loop of File > 新規作成 and the work menu, and a new
// board from a template.
#include "AppFileHelpers.h"
#include "CSkinDialog.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzTemplateDialog.h"
#include "resource.h"

namespace {

// The start menu's buttons: command, rectangle and the pictures of its three states.
const struct {
  int nCommand;
  RECT rc;
  const char *pszNormal, *pszHot, *pszPressed;
} kStartButtons[] = {
    {1130, {44, 107, 434, 167}, "ID_FROMTEMP_OFF", "ID_FROMTEMP_ON", "ID_FROMTEMP_DOWN"},
    {1134, {44, 179, 434, 239}, "ID_FROMNEWOFF", "ID_FROMNEWON", "ID_FROMNEWDOWN"},
    {1132, {44, 263, 434, 303}, "ID_OPENFILEOFF", "ID_OPENFILEON", "ID_OPENFILEDOWN"},
    {1131, {44, 315, 434, 355}, "ID_OPENSAMPLEOFF", "ID_OPENSAMPLEON", "ID_OPENSAMPLEDOWN"},
    {737, {387, 378, 467, 402}, "ID_ENDOFF", "ID_ENDON", "ID_ENDDOWN"},
};

}  // namespace

void qvzApp::OnFileNewCommand() {
  m_bShowStartMenu = 1;
  OnFileNew();
}

void qvzApp::OnShowStartMenu() {
  m_bWorkMenu = TRUE;
  m_bShowStartMenu = 1;
  OnFileNew();
  m_bWorkMenu = FALSE;
}

// Runs the start menu once; its chosen command, or 0 when it was closed.
int qvzApp::RunStartMenu(CSkinDialog& menu) {
  menu.SetBackground("ID_BKG", "DIB");
  for (const auto& b : kStartButtons) menu.AddButton(&b.rc, b.nCommand, b.pszNormal, b.pszHot, b.pszPressed, "DIB");
  return menu.DoModal() == IDOK ? menu.GetChosenCommand() : 0;
}

// Prompts for a board in the folder and opens it; FALSE when the prompt was cancelled.
BOOL qvzApp::OpenFromStartMenu(const CString& strFolder, BOOL bKeepFolder) {
  qvzMainFrame* f = MainFrame();
  const BOOL bVisible = f != NULL && f->IsWindowVisible();
  m_strOpenFolder = strFolder;
  CString name;
  if (!DoPromptFileName(name, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL)) return FALSE;
  OpenDocumentFile(name);
  if (bKeepFolder) m_Settings.strOpenDir = m_strOpenFolder;
  if (f != NULL && !bVisible) f->ShowWindow(SW_HIDE);
  return TRUE;
}

void qvzApp::OnFileNew() {
  m_nStartMenuResult = 1;
  qvzMainFrame* f = MainFrame();
  if (f != NULL) {
    SwitchToEditView();
    ClearViewSelection();
  }
  CWinApp::OnFileNew();
  PassAutoSavePath(BoardDocument());
  char szPrevious[MAX_PATH];
  strcpy(szPrevious, m_szCurrentOpenCopy);
  if (m_szCurrentOpenCopy[0]) {
    ::DeleteFile(m_szCurrentOpenCopy);
    m_szCurrentOpenCopy[0] = 0;
  }
  f = MainFrame();
  if (f == NULL) return;
  if (!m_bFrameHiddenOnce) {
    f->ShowWindow(SW_HIDE);
    m_bFrameHiddenOnce = TRUE;
  }
  qvzDocument* d = f->GetBoardDocument();
  while (m_bShowStartMenu && d != NULL) {
    CSkinDialog menu(IDD_START_MENU, f);
    m_strOpenFolder = m_strAppFolder;
    qvzDocument::StopAutoSaveTimer();
    const int nCommand = RunStartMenu(menu);
    d->m_bTemplate = 0;
    if (nCommand == 0) {
      m_nStartMenuResult = 3;
      break;
    }
    if (nCommand == 737) {
      f->PostMessage(WM_CLOSE);
      m_nStartMenuResult = 2;
      return;
    }
    if (nCommand == 1130) {
      qvzTemplateDialog sheet("ひな型を元に作成", f);
      sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
      if (sheet.DoModal() != IDOK) continue;
      NewBoardFromTemplate(sheet.m_strPath, sheet.m_nSheetWidth, sheet.m_nSheetHeight);
      d->m_bTemplate = 0;
      d->SetUntitled("無題");
      m_nStartMenuResult = 3;
      break;
    }
    if (nCommand == 1131 || nCommand == 1132) {
      const CString folder = nCommand == 1131 ? m_strAppFolder + "サンプル\\" : m_Settings.strOpenDir;
      if (!OpenFromStartMenu(folder, nCommand == 1132)) continue;
      d = f->GetBoardDocument();
      m_nStartMenuResult = 3;
      break;
    }
    // Blank.
    qvzDocument::StartAutoSaveTimer();
    d->m_bTemplate = 0;
    BOOL bChanged = FALSE;
    if (!RunPaperDialog(d, FALSE, TRUE, &bChanged)) continue;
    d->SetModifiedFlag(bChanged);
    d->TakeCurrentPageAsPrototype();
    m_nStartMenuResult = 3;
    break;
  }
  if (!f->IsWindowVisible()) {
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(wp);
    int show = m_Settings.nWindowStatus == 6 ? 5 : m_Settings.nWindowStatus;
    wp.showCmd = show;
    wp.flags = WPF_RESTORETOMAXIMIZED;
    wp.ptMaxPosition.x = wp.ptMaxPosition.y = 0;
    wp.rcNormalPosition = m_Settings.rcWindow;
    if (show == SW_SHOWMAXIMIZED) {
      HDC dc = ::CreateDC("DISPLAY", NULL, NULL, NULL);
      const int w = ::GetDeviceCaps(dc, HORZRES), h = ::GetDeviceCaps(dc, VERTRES);
      ::DeleteDC(dc);
      wp.rcNormalPosition = {(int)(w * 0.1), (int)(h * 0.1), w - (int)(w * 0.1), h - (int)(h * 0.1)};
    }
    f->SetWindowPlacement(&wp);
    f->UpdateWindow();
  }
  RefreshAfterNewBoard();
  if (szPrevious[0]) ::DeleteFile(szPrevious);
}

void qvzApp::OnFileNewFromTemplate() {
  SwitchToEditView();
  ClearViewSelection();
  qvzTemplateDialog sheet("ひな型を元に作成", m_pMainWnd);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  if (sheet.DoModal() != IDOK) return;
  m_bShowStartMenu = 1;
  CWinApp::OnFileNew();
  qvzDocument* d = BoardDocument();
  if (d != NULL) d->m_bTemplate = 0;
  if (m_bShowStartMenu != 1 || d == NULL) return;
  NewBoardFromTemplate(sheet.m_strPath, sheet.m_nSheetWidth, sheet.m_nSheetHeight);
  d->SetUntitled("無題");
  RefreshAfterNewBoard();
  if (qvzMainFrame* f = MainFrame()) f->m_wndFolderFrame.GetFolderTabCtrl().SelectTab(0);
}
