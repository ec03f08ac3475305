// Perspective extraction: the first scene of "パース図" rendered into "パース図.bmp" through the
// renderer and the scene library, both bound by name for the one extraction.
#include <string.h>

#include "CProgressWnd.h"
#include "qvzApp.h"
#include "resource.h"

namespace {

typedef int(__stdcall* SaveImageByZBufferProc)(const char*, const char*, int, int, int, int, int, int, const char*, int);
typedef BOOL(__stdcall* RTFileOpenProc)(const char*);
typedef void(__stdcall* RayTraceFileCloseProc)();
typedef int(__stdcall* RTGetViewCountProc)();
typedef BOOL(__stdcall* RTGetViewNameProc)(int, char*);
typedef BOOL(__stdcall* RTGetBkImgFileProc)(char*);
typedef BOOL(__stdcall* RTGetBkColorProc)(int*, int*, int*);

// The library beside the program, else the one the search path finds.
HMODULE LoadBesideProgram(const CString& strFolder, LPCTSTR lpszName) {
  HMODULE h = ::LoadLibrary(strFolder + lpszName);
  return h ? h : ::LoadLibrary(lpszName);
}

// Owns a library for one extraction: freed on every way out.
struct Library {
  HMODULE h;
  explicit Library(HMODULE hModule) : h(hModule) {}
  ~Library() {
    if (h) ::FreeLibrary(h);
  }
  template <class P>
  bool Get(P* p, const char* name) {
    *p = (P)(void*)::GetProcAddress(h, name);
    return *p != NULL;
  }
};

}  // namespace

void ExtractPerspectiveViews() {
  const CString folder = theQvzApp()->m_strAppFolder;
  Library depthra(LoadBesideProgram(folder, "depthra.dll"));
  SaveImageByZBufferProc saveImage = NULL;
  if (depthra.h == NULL || !depthra.Get(&saveImage, "Vxi_SaveImageByZBuffer")) {
    AfxMessageBox("ZBufferモジュールをロードできません");
    return;
  }
  Library tracel(LoadBesideProgram(folder, "tracel.dll"));
  if (tracel.h == NULL) {
    AfxMessageBox("tracel.dllモジュールをロードできません");
    return;
  }
  RTFileOpenProc fileOpen;
  RayTraceFileCloseProc fileClose;
  RTGetViewCountProc viewCount;
  RTGetViewNameProc viewName;
  RTGetBkImgFileProc bkImage;
  RTGetBkColorProc bkColor;
  if (!tracel.Get(&fileOpen, "Vxi_RTFileOpen") || !tracel.Get(&fileClose, "Vxi_RayTraceFileClose") ||
      !tracel.Get(&viewCount, "Vxi_RTGetViewCount") || !tracel.Get(&viewName, "Vxi_RTGetViewName") ||
      !tracel.Get(&bkImage, "Vxi_RTGetBkImgFile") || !tracel.Get(&bkColor, "Vxi_RTGetBkColor")) {
    AfxMessageBox("tracel.dllモジュール中に必要な関数が見つかりません");
    return;
  }
  CProgressWnd progress(AfxGetMainWnd(), "Zenbora", FALSE);
  const CString sceneFolder = folder + "\\パース図\\";
  WIN32_FIND_DATA fd;
  HANDLE hFind = ::FindFirstFile(sceneFolder + "*.vqb", &fd);
  BOOL bFailed = FALSE;
  if (hFind != INVALID_HANDLE_VALUE && !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    const CString scene = sceneFolder + fd.cFileName;
    if (!fileOpen(scene)) {
      bFailed = TRUE;
    } else {
      viewCount();  // only view 0 is rendered, however many there are
      char szBack[261] = {0};
      bkImage(szBack);
      int red = 0, green = 0, blue = 0;
      bkColor(&red, &green, &blue);
      progress.SetRange(0, 1, 1);
      progress.SetText("パース図を抽出しています...");
      progress.PeekAndPump(FALSE);
      char szView[261] = {0};
      viewName(0, szView);
      const CString out = sceneFolder + "パース図" + ".bmp";
      if (saveImage(scene, out, 1000, 750, 0, red & 0xFF, green & 0xFF, blue & 0xFF, szBack, 1) != 0) bFailed = TRUE;
      fileClose();
    }
  }
  progress.StepIt();
  if (hFind != INVALID_HANDLE_VALUE) ::FindClose(hFind);
  progress.DestroyWindow();
  // A scene that cannot be read or rendered would otherwise leave an old picture unexplained.
  if (bFailed) AfxMessageBox("パース図を作成できませんでした。");
}

void qvzApp::OnExtractPerspective() {
  {
    CWaitCursor wait;
    if (m_pMainWnd) m_pMainWnd->EnableWindow(FALSE);
    ExtractPerspectiveViews();
    if (m_pMainWnd) m_pMainWnd->EnableWindow(TRUE);
  }
  if (m_pMainWnd) {
    m_pMainWnd->PostMessage(WM_COMMAND, ID_TOOL_SELECT);
    m_pMainWnd->PostMessage(WM_COMMAND, ID_PERSPECTIVE_REDRAW);
  }
}

void qvzApp::OnExtractFloorPlan() {
  if (m_pMainWnd == NULL) return;
  m_pMainWnd->PostMessage(WM_COMMAND, ID_TOOL_SELECT);
  m_pMainWnd->PostMessage(WM_COMMAND, ID_PALETTE_FLOORPLAN);
}
