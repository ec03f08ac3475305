// The board designer's application object: the application folder, the settings of
// "qvz.ini", the document template of the main window and the commands that start things.
#pragma once

#include "afxwin.h"
#include "jvqImageFileList.h"
#include "qvzAppSettings.h"
#include "qvzWaitDlg.h"

class jvqView;
class qvzDocument;
class CSkinDialog;

class qvzApp : public CWinApp {
 public:
  qvzApp();
  ~qvzApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  CDocument* OpenDocumentFile(LPCTSTR lpszFileName) override;

  BOOL LoadSettings();
  BOOL SaveSettings();
  jvqView* GetActiveBoardView();
  HINSTANCE LaunchCatalogBrowser();
  void OpenSharedPath();
  void LoadTextureLibrary();
  void LoadPatternLibrary();
  // A new board through the start menu (shell/files); the command shows the menu again.
  afx_msg void OnFileNew();
  afx_msg void OnFileNewCommand();

  // File commands: documents open through temporary copies (shell/files).
  BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                        CDocTemplate* pTemplate) override;
  BOOL PromptOpenFile(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate);
  BOOL PromptSaveFile(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate);
  // The description the template save prompt returned goes to m_strTemplateDescription.
  BOOL PromptTemplateSaveAs(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                            CDocTemplate* pTemplate);
  void NewBoardFromTemplate(LPCTSTR lpszTemplate, int nWidth, int nHeight);
  void RemoveFromRecentFiles(LPCTSTR lpszPath);
  // Asks whether to save a modified board before it is replaced or closed.
  int AskToSaveChanges(LPCTSTR lpszName);
  int RunStartMenu(CSkinDialog& menu);
  BOOL OpenFromStartMenu(const CString& strFolder, BOOL bKeepFolder);
  void UpdatePrinterForBoard();
  void RefreshAfterNewBoard();
  // The paper dialog on a new board; FALSE when cancelled, *pbChanged when the paper changed.
  BOOL RunPaperDialog(qvzDocument* pDoc, BOOL bNoCancel, BOOL bSkipConfirm, BOOL* pbChanged);
  afx_msg void OnFileOpen();
  afx_msg void OnFileNewBlank();
  afx_msg void OnFileNewFromTemplate();
  afx_msg void OnFilePrintSetup();
  afx_msg void OnShowStartMenu();
  afx_msg void OnUpdateIfBoardView(CCmdUI* pCmdUI);

  CString m_strAppFolder;
  CString m_strOpenFolder;
  qvzAppSettings m_Settings;
  qvzWaitDlg m_WaitDlg;
  jvqImageFileList m_TextureLibrary;
  jvqImageFileList m_PatternLibrary;
  int m_bShowStartMenu;
  // Set while the work menu runs the start menu: the save question is the work menu's.
  BOOL m_bWorkMenu;
  // The last save question's outcome: 1 go on, 0 cancelled.
  int m_bCloseConfirmed;
  CString m_strTemplateDescription;
  // Every temporary copy made, deleted at exit.
  CStringArray m_TempFiles;
  int m_nStartMenuResult;
  BOOL m_bFrameHiddenOnce;
  char m_szCurrentOpenCopy[MAX_PATH];
  char m_szSharedPath[520];

  DECLARE_MESSAGE_MAP()
};

qvzApp* theQvzApp();

// The application's profile as a settings store.
class qvzAppProfileStore : public qvzProfileStore {
 public:
  explicit qvzAppProfileStore(CWinApp* pApp) : m_pApp(pApp) {}
  int GetInt(LPCTSTR s, LPCTSTR e, int d) override { return (int)m_pApp->GetProfileInt(s, e, d); }
  CString GetString(LPCTSTR s, LPCTSTR e, LPCTSTR d) override { return m_pApp->GetProfileString(s, e, d); }
  void WriteInt(LPCTSTR s, LPCTSTR e, int v) override { m_pApp->WriteProfileInt(s, e, v); }
  void WriteString(LPCTSTR s, LPCTSTR e, LPCTSTR v) override { m_pApp->WriteProfileString(s, e, v); }

 private:
  CWinApp* m_pApp;
};

#define QVZ_MAINWINDOW_CLASS "QVZ Ver 1.0 MainWindows Class"
