// Everything above the editing view (property bars, status bar, page tabs, zoom box,
// palettes, the folder frame, dialogs and the in-place editor) is reached through this
// one interface, which the main frame implements. Without a host each call does nothing
// and each question counts as cancelled, so a view and its tools run alone in tests.
#pragma once

#include "afx.h"

class CCmdTarget;
class CWnd;
class jvqBannerStyle;
class jvqDocument;
class jvqObject;
class jvqTextFill;
class jvqView;

// The in-place text editor's control id among the view's children.
#define JVQ_TEXT_EDITOR_ID 115

class jvqViewHost {
 public:
  virtual ~jvqViewHost() {}

  // Property-bar manager.
  virtual void SwitchBar(BOOL bForce) {}
  virtual void UpdateCurrentBar() {}
  virtual void ShowBar(BOOL bShow) {}
  virtual void OnObjectCreated(jvqObject* pObject) {}
  // Main frame.
  virtual void UpdateStatusBar() {}
  virtual void UpdateControlBars() {}
  virtual void UpdatePageTabs() {}
  // The number of page tabs; -1 when the frame has none.
  virtual int GetPageTabCount() { return -1; }
  virtual void ShowFolderControls() {}
  // The zoom box shows "全体表示".
  virtual void SelectFitInZoomBox() {}
  virtual void ShowToolVariant(int nToolId) {}
  virtual void OnEditDeselect() {}
  virtual void HideAlignPalette() {}
  // Print preview: the tool bars and the property bar go while it shows.
  virtual void ShowPreviewBars(BOOL bShow) {}
  // The print position dialog on the offsets in 0.1 mm; FALSE when cancelled.
  virtual BOOL EditPrintOffset(POINT* pOffset) { return FALSE; }
  // The key handler of the main frame: after the tool has seen the key.
  virtual void HandleKey(jvqView* pView, UINT nChar, UINT nRepCnt, UINT nFlags) {}
  // Favourites palette: is the screen point over its item list while it lists favourites;
  // the category chosen in it (-1 none); reread the categories.
  virtual BOOL IsOverFavoritesList(POINT ptScreen) { return FALSE; }
  virtual int GetFavoriteCategory() { return -1; }
  virtual void ReloadFavoriteCategories() {}
  // The view's in-place text editor (control 115), made hidden as the view's child;
  // NULL without a host. BeginTextEditor starts it on a text frame (point in 0.1 mm).
  virtual CWnd* CreateTextEditor(jvqView* pView) { return NULL; }
  virtual void BeginTextEditor(CWnd* pEditor, jvqObject* pTextFrame, int nMode, POINT ptLogical) {}
  // The title dialog on a style; on OK the style is edited and *pbLocked holds the lock box.
  virtual BOOL EditTitleStyle(jvqBannerStyle* pStyle, BOOL* pbLocked) { return FALSE; }
  // The property information dialog on a document, showing a file name; TRUE on OK.
  virtual BOOL EditPropertyInfo(jvqDocument* pDoc, LPCTSTR lpszFileName) { return FALSE; }
  // Favourites: a new category made (folder and order file) and its name; a new name for
  // a favourite in a folder (ending in a backslash). FALSE when cancelled.
  virtual BOOL AskNewFavoriteCategory(CString* pName) { return FALSE; }
  virtual BOOL AskFavoriteRename(LPCTSTR lpszFolder, CString* pName) { return FALSE; }
  // The rotation dialog on an angle in the objects' sense; the lock notice (TRUE when shown,
  // *pbDontShowAgain its box); the floor-plan scale dialog on 1 / N. FALSE when cancelled.
  virtual BOOL AskRotateAngle(int* pAngle) { return FALSE; }
  virtual BOOL ShowLockNotice(BOOL* pbDontShowAgain) { return FALSE; }
  virtual BOOL AskFloorPlanScale(int* pScale) { return FALSE; }
  // The edit commands of the application view: a check mark on a tool-bar button (the bar
  // the update is for, or its parent); the select tool's bar shows the document's figures
  // again; the snap button shows its on or off picture.
  virtual void SetToolBarButtonCheck(CWnd* pBar, UINT nID, BOOL bCheck) {}
  virtual void ShowDocumentInfo() {}
  virtual void ShowSnapState(BOOL bOn) {}
  // The favourites palette: its folder (ending in a backslash) and the name of its selected
  // favourite (empty: none); FALSE while it is not shown. ShowFavorites loads a folder into
  // it and selects the named favourite (empty: none).
  virtual BOOL GetFavoriteSelection(CString* pFolder, CString* pName) { return FALSE; }
  virtual void ShowFavorites(LPCTSTR lpszFolder, LPCTSTR lpszSelect) {}
  // The settings dialogs of the view's commands, each FALSE when cancelled: paper (of the
  // view's document), grid, automatic-save period (ms, 0 off), catalogue paste layout,
  // floor-plan and symbol scale N.
  virtual BOOL EditPaperSettings(jvqView* pView) { return FALSE; }
  virtual BOOL EditGridSettings(jvqView* pView) { return FALSE; }
  virtual BOOL EditAutoSaveInterval(int* pInterval) { return FALSE; }
  // (catalogue paste: on OK the host gives the qvzView a new m_pCatalogSettings.)
  virtual BOOL EditCatalogPasteSettings(jvqView* pView) { return FALSE; }
  virtual BOOL EditSymbolScale(int* pN) { return FALSE; }
  // The picture dialog with thumbnails, on the folder: TRUE and the path, FALSE when
  // cancelled, -1 when there is none here (the view asks with the plain dialog).
  virtual int AskPictureFile(LPCTSTR lpszFilter, LPCTSTR lpszFolder, CString* pPath) { return -1; }
  // Drops: a board file opened as the document.
  virtual void OpenBoard(LPCTSTR lpszPath) {}
  // The text detail dialog on a text painter (style, face, text, colour); on OK the painter
  // takes the edited values. bNoLock disables its position lock box.
  virtual BOOL EditTextDetail(jvqTextFill* pFill, BOOL bNoLock) { return FALSE; }
  // The in-place editor disables the property bar while it has the focus.
  virtual void EnablePropertyBar(BOOL bEnable) {}
  // Messages and questions. Without a host a question is answered No (or Cancel).
  virtual int MessageBox(LPCTSTR lpszText, UINT nType);
};

// The installed host, never null: without one a host that does nothing.
jvqViewHost* jvqGetViewHost();
// Installs a host (null: none); returns the previous one.
jvqViewHost* jvqSetViewHost(jvqViewHost* pHost);

// Whether a key (VK_MENU, VK_CONTROL, VK_SHIFT) is held now; tests replace the function.
typedef BOOL (*jvqKeyDownProc)(int nVirtKey);
extern jvqKeyDownProc theKeyDownProc;
BOOL jvqIsKeyDown(int nVirtKey);
