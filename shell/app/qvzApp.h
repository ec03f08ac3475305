// The board designer's application object: the application folder, the settings of
// "qvz.ini", the document template of the main window and the commands that start things.
#pragma once

#include "afxwin.h"
#include "jvqImageFileList.h"
#include "qvzAppSettings.h"
#include "qvzWaitDlg.h"

class jvqView;

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
  afx_msg void OnFileNew();

  CString m_strAppFolder;
  CString m_strOpenFolder;
  qvzAppSettings m_Settings;
  qvzWaitDlg m_WaitDlg;
  jvqImageFileList m_TextureLibrary;
  jvqImageFileList m_PatternLibrary;
  int m_bShowStartMenu;
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
