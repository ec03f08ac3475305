// The application's start-up, its hand-over to a running instance, its font lists and its exit.
// Sockets first: the platform wants them before its windows header.
#include "afxsock.h"

#include <float.h>
#include <string.h>

#include <vector>

#include "afxdlgs.h"
#include "afxole.h"
#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqImageObject.h"
#include "jvqObjectDefaults.h"
#include "jvqObjectsFile.h"
#include "jvqPatternFill.h"
#include "jvqTextureFill.h"
#include "jvqPage.h"
#include "jvqPrinter.h"
#include "jvqTool.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzHelpers.h"
#include "qvzCommandLineInfo.h"
#include "qvzDocument.h"
#include "qvzFontLists.h"
#include "qvzMainFrame.h"
#include "qvzMessages.h"
#include "qvzPropertyBarManager.h"
#include "qvzView.h"
#include "resource.h"

void ExtractPerspectiveViews();

BOOL qvzApp::InitInstance() {
  _fpreset();
  qvzCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  // Before the single-instance check, so that a second start reports a wrong file itself.
  if (!cmdInfo.m_strFileName.IsEmpty() && !IsBoardDocumentPath(cmdInfo.m_strFileName)) {
    AfxMessageBox("Zenboraファイルではありません");
    return FALSE;
  }
  // An OLE activation neither waits for nor holds the mapping, so a server and a normal
  // instance never take each other for the running one.
  const BOOL bServer = cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated;
  if (!bServer && !OpenInstanceMapping()) {
    if (m_pInstanceBlock != NULL) HandOverToRunningInstance(cmdInfo);
    CloseInstanceMapping();
    return FALSE;
  }
  m_strDefaultPrinter = ReadDefaultPrinterName();
  jvqRegisterClipboardFormat();
  jvqRegisterLinkFormats();

  char szPath[MAX_PATH];
  ::GetModuleFileName(NULL, szPath, MAX_PATH);
  char* slash = strrchr(szPath, '\\');
  if (slash) slash[1] = 0;
  m_strAppFolder = szPath;
  const CString fav = m_strAppFolder + "お気に入り";
  if (!DirectoryExists(fav)) ::CreateDirectory(fav, NULL);

  jvqTool::LoadCursors();
  theDrawingResources.Init();
  BuildTrueTypeFontList();
  RebuildFontList();
  LoadTextureLibrary();
  LoadPatternLibrary();
  _fpreset();
  LoadObjectsFile();
  qvzWaitDlg::Install(&m_WaitDlg);

  if (!AfxSocketInit()) {
    AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
    return FALSE;
  }
  if (!AfxOleInit()) {
    AfxMessageBox(IDP_OLE_INIT_FAILED);
    return FALSE;
  }
  AfxEnableControlContainer();
  Enable3dControls();

  free((void*)m_pszProfileName);
  m_pszProfileName = _strdup(m_strAppFolder + "qvz.ini");
  LoadStdProfileSettings(10);
  LoadSettings();
  CSingleDocTemplate* pTemplate = new CSingleDocTemplate(IDR_QVZTYPE, RUNTIME_CLASS(qvzDocument),
                                                         RUNTIME_CLASS(qvzMainFrame), RUNTIME_CLASS(qvzView));
  AddDocTemplate(pTemplate);
  m_server.ConnectTemplate(CLSID_qvzDocument, pTemplate, TRUE);
  if (bServer) {
    // Started for another program: no window until it asks, and the end when it lets go.
    AfxOleSetUserCtrl(FALSE);
    COleTemplateServer::RegisterAll();
    return TRUE;
  }
  HKEY hKey = NULL;
  if (::RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Talvik\\Zenbora", 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
    ::RegCloseKey(hKey);
    m_server.UpdateRegistry(OAT_DISPATCH_OBJECT);
  }
  COleObjectFactory::UpdateRegistryAll();

  switch (ChooseStartMode(cmdInfo.GetParam(0))) {
    case qvzStartHandOver:
      StartWithHandOver(cmdInfo);
      break;
    case qvzStartFloorPlan:
      OnFileNew();
      if (m_nStartMenuResult != 2 && m_pMainWnd) m_pMainWnd->PostMessage(WM_COMMAND, ID_PALETTE_FLOORPLAN);
      break;
    case qvzStartPerspective:
      OnFileNew();
      if (m_nStartMenuResult != 2 && m_pMainWnd) {
        CWaitCursor wait;
        m_pMainWnd->EnableWindow(FALSE);
        ExtractPerspectiveViews();
        m_pMainWnd->EnableWindow(TRUE);
        m_pMainWnd->PostMessage(WM_COMMAND, ID_PALETTE_PERSPECTIVE);
      }
      break;
    default:
      if (!cmdInfo.GetParam(0).IsEmpty()) {
        m_bShowStartMenu = 0;
        OnFileNew();
      }
      if (!ProcessShellCommand(cmdInfo)) return FALSE;
      break;
  }
  if (m_pMainWnd == NULL) return FALSE;
  if (m_pInstanceBlock) m_pInstanceBlock->hWndMain = (unsigned int)(UINT_PTR)m_pMainWnd->m_hWnd;
  thePrinter.CreateDefaultDC();
  return TRUE;
}

BOOL qvzApp::OpenInstanceMapping() {
  m_hInstanceMapping = ::CreateFileMapping(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(InstanceMappingBlock),
                                           QVZ_INSTANCE_MAPPING);
  const BOOL bFirst = ::GetLastError() != ERROR_ALREADY_EXISTS;
  if (m_hInstanceMapping != NULL)
    m_pInstanceBlock = (InstanceMappingBlock*)::MapViewOfFile(m_hInstanceMapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  return bFirst;
}

void qvzApp::CloseInstanceMapping() {
  if (m_pInstanceBlock) ::UnmapViewOfFile(m_pInstanceBlock);
  m_pInstanceBlock = NULL;
  if (m_hInstanceMapping) ::CloseHandle(m_hInstanceMapping);
  m_hInstanceMapping = NULL;
}

void qvzApp::HandOverToRunningInstance(const qvzCommandLineInfo& cmdInfo) {
  // 0 while the running instance is still starting (its start menu or first document).
  HWND hWnd = (HWND)(UINT_PTR)m_pInstanceBlock->hWndMain;
  if (hWnd == NULL) return;
  const qvzHandOver what = ChooseHandOver(cmdInfo.GetParam(0), cmdInfo.m_strFileName);
  if (what == qvzHandOverPathTooLong) {
    // The mapping holds 519 bytes and the NUL: a longer path would overrun it.
    AfxMessageBox("ファイル名が長すぎるため、開くことができません。");
    return;
  }
  if (::IsIconic(hWnd)) ::ShowWindow(hWnd, SW_RESTORE);
  ::SetForegroundWindow(hWnd);
  switch (what) {
    case qvzHandOverFloorPlan:
      ::PostMessage(hWnd, WM_COMMAND, ID_EXTRACT_FLOORPLAN, 0);
      break;
    case qvzHandOverPerspective:
      ::PostMessage(hWnd, WM_COMMAND, ID_EXTRACT_PERSPECTIVE, 0);
      break;
    case qvzHandOverOpenPath:
      memcpy(m_pInstanceBlock->szPath, (LPCTSTR)cmdInfo.m_strFileName, cmdInfo.m_strFileName.GetLength() + 1);
      ::PostMessage(hWnd, QVZM_OPENSHAREDPATH, 0, 0);
      break;
    default:
      break;
  }
}

void qvzApp::OpenSharedPath() {
  if (m_pInstanceBlock == NULL) return;
  AfxStrCopyN(m_szSharedPath, m_pInstanceBlock->szPath, sizeof(m_szSharedPath));
  if (m_szSharedPath[0]) OpenDocumentFile(m_szSharedPath);
}

void qvzApp::StartWithHandOver(const qvzCommandLineInfo& cmdInfo) {
  m_bShowStartMenu = 0;
  OnFileNew();
  qvzMainFrame* f = DYNAMIC_DOWNCAST(qvzMainFrame, m_pMainWnd);
  qvzDocument* doc = f ? f->GetBoardDocument() : NULL;
  jvqView* view = GetActiveBoardView();
  if (doc == NULL || view == NULL) {
    m_bShowStartMenu = 1;
    return;
  }
  const CString strTemplate = cmdInfo.GetParam(2);
  if (!strTemplate.IsEmpty() && IsTemplatePath(strTemplate)) {
    SIZE page = {0, 0};
    doc->GetBoard()->GetCurrentPageSize(&page);
    NewBoardFromTemplate(strTemplate, page.cx, page.cy);
    doc->m_bTemplate = 0;
    doc->SetUntitled("無題");
  }
  jvqObject* pPicture = jvqObjectDefaults::CreateObject(0x103);
  if (pPicture) {
    GetObjectDefaults()->ApplyDefaults(pPicture);
    jvqImageObject* pImage = static_cast<jvqImageObject*>(pPicture);  // made for class 0x103
    if (pImage && pImage->LoadImage(doc->GetImagePool(), cmdInfo.GetParam(1), TRUE)) {
      RECT rc;
      doc->GetBoard()->GetCurrentPage()->GetBoundRect(&rc);
      // Through the view's own DC (scroll position included), as the insert converts back.
      view->RectToDevice(&rc);
      const POINT centre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
      InsertHandOverPicture(view, pPicture, centre);
    }
  }
  m_bShowStartMenu = 1;
  delete pPicture;
}

BOOL qvzApp::InsertHandOverPicture(jvqView* pView, jvqObject* pPicture, POINT ptCentre) {
  qvzView* v = DYNAMIC_DOWNCAST(qvzView, pView);
  if (v == NULL || pPicture == NULL) return FALSE;
  v->InsertObjectAt(pPicture, ptCentre.x, ptCentre.y);
  return TRUE;
}

void qvzApp::LoadObjectsFile() { jvqLoadObjectsFile(m_strAppFolder + "objects"); }

CString qvzApp::ReadDefaultPrinterName() {
  CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION);
  return dlg.GetDefaults() ? dlg.GetDeviceName() : CString();
}

void qvzApp::BuildTrueTypeFontList() {
  m_TrueTypeFontList.DeleteAll();
  for (const jvqFontEntry* e : theFontList)
    if (BelongsInTrueTypeList(e->lf.lfFaceName, e->nFontType, e->nSource)) m_TrueTypeFontList.push_back(new jvqFontEntry(*e));
}

void qvzApp::RebuildFontList() {
  m_AllFontList.DeleteAll();
  for (const jvqFontEntry* e : theFontList)
    if (BelongsInAllFontList(e->lf.lfFaceName)) m_AllFontList.push_back(new jvqFontEntry(*e));
}

BOOL qvzApp::IsFontBarShown() {
  CControlBar* bar = g_pPropertyBarManager ? g_pPropertyBarManager->GetCurrentBar() : NULL;
  if (bar == NULL || bar->m_hWnd == NULL || !bar->IsWindowVisible()) return FALSE;
  // The bars with a font box, by class name: the text, title and line-text bars.
  const char* name = bar->GetRuntimeClass()->m_lpszClassName;
  return strcmp(name, "qvzTextToolBar") == 0 || strcmp(name, "qvzBannerToolBar") == 0 ||
         strcmp(name, "qvzLineTextToolBar") == 0;
}

void qvzApp::RefreshFontsIfPrinterChanged() {
  const CString name = ReadDefaultPrinterName();
  if (name == m_strDefaultPrinter) return;
  // A font box being shown keeps its list until another bar is shown.
  if (IsFontBarShown()) return;
  theDrawingResources.EnumFonts();
  RebuildFontList();
  m_strDefaultPrinter = name;
}

int qvzApp::ExitInstance() {
  jvqTextureFill::SetLibrary(NULL);
  jvqPatternFill::SetLibrary(NULL);
  qvzWaitDlg::Install(NULL);
  m_WaitDlg.EndRead();
  jvqObjectDefaults::FreeObjectDefaults();
  CloseInstanceMapping();
  const int nCode = CWinApp::ExitInstance();
  if (m_szCurrentOpenCopy[0]) ::DeleteFile(m_szCurrentOpenCopy);
  if (m_szPendingDocumentTemp[0]) ::DeleteFile(m_szPendingDocumentTemp);
  m_szCurrentOpenCopy[0] = m_szPendingDocumentTemp[0] = 0;
  return nCode;
}

qvzApp::~qvzApp() { DeleteFilesInOneOperation(m_TempFileList); }

void DeleteFilesInOneOperation(const CStringList& files) {
  if (files.IsEmpty()) return;
  // One shell operation over a double-NUL-terminated list.
  std::vector<char> paths;
  for (POSITION pos = files.GetHeadPosition(); pos;) {
    const CString& s = files.GetNext(pos);
    paths.insert(paths.end(), (LPCTSTR)s, (LPCTSTR)s + s.GetLength() + 1);
  }
  paths.push_back(0);
  SHFILEOPSTRUCT op = {};
  op.hwnd = NULL;
  op.wFunc = FO_DELETE;
  op.pFrom = paths.data();
  op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;  // 0x414
  op.lpszProgressTitle = "ファイル削除中...";
  ::SHFileOperation(&op);
}
