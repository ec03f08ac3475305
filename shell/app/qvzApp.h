// The board designer's application object: the application folder, the settings of
// "qvz.ini", the document template of the main window and the commands that start things.
#pragma once

#include "afxdisp.h"
#include "afxwin.h"
#include "jvqDrawingResources.h"
#include "jvqImageFileList.h"
#include "qvzStartMode.h"
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
  BOOL PreTranslateMessage(MSG* pMsg) override;
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

  // Start-up and exit.
  void LoadObjectsFile();
  void RebuildFontList();
  void RefreshFontsIfPrinterChanged();
  static CString ReadDefaultPrinterName();
  // The picture of a hand-over start put at the page centre by the view's insert-at-point
  // operation; FALSE without a board view.
  virtual BOOL InsertHandOverPicture(jvqView* pView, class jvqObject* pPicture, POINT ptCentre);
  // Whether the property bar shown has a font box (text, title, line-text).
  virtual BOOL IsFontBarShown();
  // Help, web pages, About and the extraction commands.
  afx_msg void OnHelpContents();
  afx_msg void OnHelpWebProduct();
  afx_msg void OnHelpWebSupport();
  afx_msg void OnHelpWebHome();
  afx_msg void OnAppAbout();
  afx_msg void OnExtractPerspective();
  afx_msg void OnExtractFloorPlan();

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
  int m_nStartMenuResult;
  // Connects the board template to OLE: other programs create boards through it.
  COleTemplateServer m_server;
  BOOL m_bFrameHiddenOnce;
  char m_szCurrentOpenCopy[MAX_PATH];
  char m_szSharedPath[QVZ_HANDOVER_PATH_SIZE];
  BOOL m_bShowPropertyBar;
  jvqOwningVector<jvqFontEntry> m_AllFontList;
  jvqOwningVector<jvqFontEntry> m_TrueTypeFontList;
  int m_nPasteOffset;
  char m_szPendingDocumentTemp[MAX_PATH];
  CString m_strDefaultPrinter;
  HANDLE m_hInstanceMapping;
  InstanceMappingBlock* m_pInstanceBlock;
  CStringList m_TempFileList;

 protected:
  // The single-instance mapping: TRUE when this is the first instance (it then holds it).
  BOOL OpenInstanceMapping();
  void CloseInstanceMapping();
  // A second start hands its mode or path to the running instance.
  void HandOverToRunningInstance(const class qvzCommandLineInfo& cmdInfo);
  void StartWithHandOver(const class qvzCommandLineInfo& cmdInfo);
  void BuildTrueTypeFontList();

  DECLARE_MESSAGE_MAP()
};

qvzApp* theQvzApp();

// Deletes the files of the list with one shell operation, silently (the temporary copies).
void DeleteFilesInOneOperation(const CStringList& files);

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
