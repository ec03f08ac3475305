// Pictures across the program's border: the visible page area saved as BMP or JPEG, and
// pictures placed on the page from the texture wizard or from a file another part names.
#include <map>

#include "Dib.h"
#include "JpegWriter.h"
#include "Patinor.h"
#include "jvqBoard.h"
#include "jvqDocument.h"
#include "jvqImageObject.h"
#include "jvqObjectDefaults.h"
#include "jvqPage.h"
#include "jvqUndoManager.h"
#include "jvqView.h"
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "resource.h"

static BOOL AskImageSavePath(CWnd* pParent, CString& strPath) {
  CFileDialog dlg(FALSE, "bmp", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                  "ビットマップファイル(*.BMP)|*.BMP|JPEGﾌｧｲﾙ(*.JPG)|*.JPG|", pParent);
  CString folder = theQvzApp()->m_strAppFolder + "ひな型";
  dlg.m_ofn.lpstrInitialDir = folder;
  dlg.m_ofn.lpstrTitle = "イメージ保存";
  if (dlg.DoModal() != IDOK) return FALSE;
  strPath = dlg.GetPathName();
  return TRUE;
}
qvzSavePathProc theImageSavePathProc = AskImageSavePath;

void qvzMainFrame::OnUpdateSaveImage(CCmdUI* pCmdUI) { pCmdUI->Enable(GetEditView() != NULL); }

void qvzMainFrame::OnSaveImage() {
  jvqView* view = GetEditView();
  if (view == NULL || view->GetBoard() == NULL) return;
  CString path;
  if (!theImageSavePathProc(this, path)) return;
  CWaitCursor wait;
  LockWindowUpdate();
  const BOOL ok = SaveImage(path);
  UnlockWindowUpdate();
  // A writer that failed has left the target as it was.
  if (!ok) MessageBox("イメージを保存できませんでした。", MB_OK | MB_ICONEXCLAMATION);
}

BOOL qvzMainFrame::SaveImage(LPCTSTR lpszPath) {
  jvqView* view = GetEditView();
  jvqBoard* board = view ? view->GetBoard() : NULL;
  jvqPage* page = board ? board->GetCurrentPage() : NULL;
  if (page == NULL) return FALSE;
  CString path = lpszPath;
  CString ext = path.GetLength() >= 4 ? path.Right(4) : CString();
  ext.MakeUpper();
  const BOOL jpeg = ext == ".JPG";
  if (!jpeg && ext != ".BMP") path += ".BMP";
  // The visible part of the page, in screen pixels.
  CRect client;
  view->GetClientRect(&client);
  if (client.IsRectEmpty()) client.SetRect(0, 0, 1, 1);
  SIZE size;
  view->GetPageSize(&size);
  CRect rcPage(0, 0, size.cx, size.cy);
  view->RectToDevice(&rcPage);
  rcPage.NormalizeRect();
  CRect area;
  if (!area.IntersectRect(&client, &rcPage)) return FALSE;
  HDC screen = ::CreateDC("DISPLAY", NULL, NULL, NULL);
  CDC mem;
  mem.Attach(::CreateCompatibleDC(screen));
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, area.Width(), area.Height());
  ::DeleteDC(screen);
  if (bmp == NULL) return FALSE;
  HGDIOBJ oldBmp = ::SelectObject(mem.m_hDC, bmp);
  mem.FillSolidRect(0, 0, area.Width(), area.Height(), RGB(255, 255, 255));
  // Guides, the printable area and the page frame stay off the picture.
  const DWORD oldState = board->m_dwState;
  const BOOL guidesH = m_wndHorzRuler.m_bGuidesShown, guidesV = m_wndVertRuler.m_bGuidesShown;
  qvzAppSettings& s = theQvzApp()->m_Settings;
  const int oldShowGuide = s.nShowGuide;
  const int oldFrame = page->m_bDrawFrame;
  board->m_dwState &= ~JVQ_STATE_PRINTAREA;
  m_wndHorzRuler.m_bGuidesShown = m_wndVertRuler.m_bGuidesShown = FALSE;
  s.nShowGuide = 0;
  page->m_bDrawFrame = 0;
  const int savedDC = mem.SaveDC();
  view->OnPrepareDC(&mem);
  POINT origin = {0, 0};
  view->PointToLogical(&origin, &origin);
  if (origin.x < 0) origin.x = 0;
  if (origin.y < 0) origin.y = 0;
  mem.SetViewportOrg(0, 0);
  mem.SetWindowOrg(origin.x, origin.y);
  page->Render(&mem);
  mem.RestoreDC(savedDC);
  board->m_dwState = oldState;
  m_wndHorzRuler.m_bGuidesShown = guidesH;
  m_wndVertRuler.m_bGuidesShown = guidesV;
  s.nShowGuide = oldShowGuide;
  page->m_bDrawFrame = oldFrame;
  ::SelectObject(mem.m_hDC, oldBmp);
  mem.DeleteDC();
  CDib dib;
  BOOL ok = dib.CreateFromBitmap(bmp);
  ::DeleteObject(bmp);
  if (!ok) return FALSE;
  if (jpeg) {
    CString error;
    return WriteDibAsJpeg((const void*)dib.GetHandle(), 100, path, &error);
  }
  CDib copy;
  if (!copy.Create(dib.GetWidth(), dib.GetHeight(), 24)) return FALSE;
  for (int y = 0; y < dib.GetHeight(); y++)
    for (int x = 0; x < dib.GetWidth(); x++) copy.SetColor(x, y, dib.GetColor(x, y));
  return copy.Write(path);
}

// A picture file placed on the view's current page, sized as the picture, not selected; with
// bUndo the insertion is an undo step.
static BOOL InsertPictureFile(jvqView* pView, LPCTSTR lpszPath, BOOL bUndo) {
  jvqDocument* doc = pView->GetDocument();
  jvqBoard* board = pView->GetBoard();
  jvqPage* page = board ? board->GetCurrentPage() : NULL;
  if (doc == NULL || page == NULL) return FALSE;
  jvqImagePool* pool = doc->GetImagePool();
  jvqImageObject* picture = new jvqImageObject(pool, NULL, &pView->m_Mapping);
  jvqObjectDefaults::GetObjectDefaults()->ApplyDefaults(picture);
  if (!picture->LoadImage(pool, lpszPath, TRUE)) {
    delete picture;
    return FALSE;
  }
  page->AddChild(picture);
  if (bUndo) theUndoManager.RecordAdded(picture);
  pView->SetModifiedFlag(TRUE);
  pView->Redraw();
  return TRUE;
}

// The texture wizard hands over a BMP file that lives as long as the wizard.
void qvzMainFrame::RunImageWizard(BOOL bScanner) {
  jvqView* view = GetEditView();
  CTextureWizard* wizard = new CTextureWizard(bScanner ? WIZARD_TYPE_SCANNER : WIZARD_TYPE_EDIT);
  const int result = wizard->DisplayWizard();
  SetFocus();
  if (result == IDOK && view != NULL) {
    const CString path = wizard->GetDataFileName();
    if (!InsertPictureFile(view, path, FALSE)) MessageBox("画像データの読み込みに失敗しました。", MB_OK);
  }
  delete wizard;
}

void qvzMainFrame::OnImageWizard() { RunImageWizard(FALSE); }

void qvzMainFrame::OnInsertScanner() {
  if (jvqView* v = GetEditView()) v->PostMessage(WM_COMMAND, ID_TOOL_SELECT, 0);
  RunImageWizard(TRUE);
}

void qvzMainFrame::OnUpdateInsertScanner(CCmdUI* pCmdUI) { pCmdUI->Enable(GetEditView() != NULL); }

// The message carries the address of a global block whose second field is the address of a
// block holding the path. Only blocks this process made are trusted: any other lParam is
// left alone.
struct InsertImageBlock {
  DWORD dwReserved;
  HGLOBAL hPath;
};

// The message blocks this process made, each with the path block it holds.
static std::map<HGLOBAL, HGLOBAL>& OwnBlocks() {
  static std::map<HGLOBAL, HGLOBAL> blocks;
  return blocks;
}

HGLOBAL qvzMainFrame::MakeInsertImageBlocks(LPCTSTR lpszPath) {
  const size_t n = lstrlen(lpszPath) + 1;
  HGLOBAL hPath = ::GlobalAlloc(GMEM_FIXED, n);
  HGLOBAL hBlock = ::GlobalAlloc(GMEM_FIXED, sizeof(InsertImageBlock));
  if (hPath == NULL || hBlock == NULL) {
    if (hPath) ::GlobalFree(hPath);
    if (hBlock) ::GlobalFree(hBlock);
    return NULL;
  }
  memcpy(::GlobalLock(hPath), lpszPath, n);
  InsertImageBlock* b = (InsertImageBlock*)::GlobalLock(hBlock);
  b->dwReserved = 0;
  b->hPath = hPath;
  OwnBlocks()[hBlock] = hPath;
  return hBlock;
}

LRESULT qvzMainFrame::OnInsertImageFile(WPARAM, LPARAM lParam) {
  HGLOBAL hBlock = (HGLOBAL)lParam;
  std::map<HGLOBAL, HGLOBAL>& own = OwnBlocks();
  auto it = own.find(hBlock);
  if (it == own.end()) return 0;
  HGLOBAL hPath = it->second;
  own.erase(it);
  const CString path = (LPCSTR)hPath;
  OFSTRUCT of = {};
  jvqView* view = GetEditView();
  if (view && ::OpenFile(path, &of, OF_EXIST) != HFILE_ERROR) {
    if (InsertPictureFile(view, path, TRUE))
      ::DeleteFile(path);
    else
      MessageBox("TWAIN機器からの画像の読み込みに失敗しました。", MB_OK);
  }
  ::GlobalUnlock(hPath);
  ::GlobalFree(hPath);
  ::GlobalUnlock(hBlock);
  ::GlobalFree(hBlock);
  return 0;
}
