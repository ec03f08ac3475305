#include "OleTestSupport.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

const char kDropTargetTitle[] = "qvz ole drop target";

CLIPFORMAT TestPrivateFormat() { return (CLIPFORMAT)::RegisterClipboardFormat("QVZ_OLE_TEST_PRIVATE"); }

HGLOBAL MakeDropFiles(const std::wstring* pNames, int nCount) {
  size_t chars = 1;
  for (int i = 0; i < nCount; i++) chars += pNames[i].size() + 1;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(WCHAR));
  DROPFILES* df = (DROPFILES*)::GlobalLock(h);
  df->pFiles = sizeof(DROPFILES);
  df->fWide = TRUE;
  WCHAR* p = (WCHAR*)(df + 1);
  for (int i = 0; i < nCount; i++) {
    memcpy(p, pNames[i].c_str(), (pNames[i].size() + 1) * sizeof(WCHAR));
    p += pNames[i].size() + 1;
  }
  ::GlobalUnlock(h);
  return h;
}

namespace {

class FileDropTarget : public COleDropTarget {
 public:
  explicit FileDropTarget(const char* pszPath) : m_strPath(pszPath) {}

  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState, CPoint point) override {
    return OnDragOver(pWnd, pData, dwKeyState, point);
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* pData, DWORD, CPoint) override {
    return pData->IsDataAvailable(CF_HDROP) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  }
  BOOL OnDrop(CWnd* pWnd, COleDataObject* pData, DROPEFFECT dropEffect, CPoint point) override {
    FILE* f = fopen(m_strPath, "wb");
    if (f == NULL) return FALSE;
    fprintf(f, "effect %lu\n", (unsigned long)dropEffect);
    RECT rc;
    pWnd->GetClientRect(&rc);
    fprintf(f, "inside %d\n", (int)::PtInRect(&rc, point));
    if (HGLOBAL h = pData->GetGlobalData(CF_HDROP)) {
      HDROP hDrop = (HDROP)h;
      const UINT n = ::DragQueryFileW(hDrop, 0xFFFFFFFF, NULL, 0);
      for (UINT i = 0; i < n; i++) {
        WCHAR name[MAX_PATH];
        ::DragQueryFileW(hDrop, i, name, MAX_PATH);
        char utf8[MAX_PATH * 3];
        ::WideCharToMultiByte(CP_ACP, 0, name, -1, utf8, sizeof utf8, NULL, NULL);
        fprintf(f, "file %s\n", utf8);
      }
      ::GlobalFree(h);
    }
    if (CFile* pFile = pData->GetFileData(TestPrivateFormat())) {
      char buf[256] = {};
      const UINT n = pFile->Read(buf, sizeof buf - 1);
      fprintf(f, "private %u %s\n", n, buf);
      delete pFile;
    }
    fclose(f);
    ::PostQuitMessage(0);
    return TRUE;
  }

  CString m_strPath;
};

}  // namespace

int RunDropTarget(const char* pszResultPath) {
  CWnd wnd;
  LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)::GetStockObject(WHITE_BRUSH));
  if (!wnd.CreateEx(WS_EX_TOPMOST, cls, kDropTargetTitle, WS_POPUP | WS_VISIBLE | WS_BORDER, 400, 200, 240, 160,
                    NULL, NULL))
    return 4;
  FileDropTarget target(pszResultPath);
  if (!target.Register(&wnd)) return 5;
  ::SetTimer(NULL, 0, 30000, NULL);
  MSG msg;
  while (::GetMessage(&msg, NULL, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == NULL) break;
    ::DispatchMessage(&msg);
  }
  target.Revoke();
  wnd.DestroyWindow();
  return 0;
}
