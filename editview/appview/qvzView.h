// The board designer's editing view: the view of the main window in which the current
// page is edited; menu and tool-bar commands meet the drawing framework here.
#pragma once

#include "afxcmn.h"
#include "afxcoll.h"
#include "afxole.h"
#include "jvqObject.h"
#include "jvqView.h"
#include "qvzCatalogPasteSettings.h"

#define ID_QVZ_TOOL_SELECT 32847
#define ID_QVZ_PRINT_OFFSET 32928
#define ID_QVZ_ROTATE_MODE 1021
#define ID_QVZ_ZOOM_IN 32876
#define ID_QVZ_ZOOM_OUT 32875
#define ID_QVZ_VERTEX_EDIT 32859
#define ID_QVZ_CANCEL 1190
#define ID_QVZ_VERTEX_DELETE 32899
// Favourites: register into category id - 1524 (the last id of a menu asks for a new
// category), move the palette's favourite to category id - 1624, and the palette's menu.
#define QVZ_FAVORITE_REGISTER_FIRST 1524
#define QVZ_FAVORITE_MOVE_FIRST 1624
#define QVZ_MAX_FAVORITE_CATEGORIES 99
#define QVZ_FAVORITE_DELETE 32946
#define QVZ_FAVORITE_UP 32948
#define QVZ_FAVORITE_DOWN 32949
#define QVZ_FAVORITE_RENAME 32953
#define QVZ_FAVORITE_BOTTOM 32954
#define QVZ_FAVORITE_TOP 32955
// The right-button menus: one or no unlocked object, two or more, a vertex under the pointer.
#define QVZ_MENU_SINGLE 1270
#define QVZ_MENU_MULTI 1039
#define QVZ_MENU_VERTEX 1052
#define QVZ_FAVORITE_PLACEHOLDER 32945
#define QVZ_EDITOR_ID 115
#define QVZ_FLOORPLAN_TEMPLATE 437
#define QVZ_AUTOSAVE_TIMER 114
// The step by which each paste after a copy moves further, in 0.1 mm.
#define QVZ_PASTE_STEP 50

class CDib;

class qvzView : public jvqView {
  DECLARE_DYNCREATE(qvzView)
 public:
  qvzView();
  ~qvzView() override;

  void ResetView() override;
  void StepZoom(int bLarger) override;
  void OnSelect(jvqObject* pObject) override {}
  void HidePropertyBar() override;
  void ShowPropertyBar() override;
  void OnObjectCreated(jvqObject* pObject) override;
  void OnDraw(CDC* pDC) override;
  // Every command ends typing on the page first, so that it sees the typed text.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) override;
  // Inside the main frame's folder frame the view scrolls through the folder frame's bars.
  CScrollBar* GetScrollBarCtrl(int nBar) const override;

  CFrameWnd* GetMainFrame() const { return GetParentFrame(); }
  int ToolBackStep();
  int ToolCancel();
  // The select tool as the current tool, the page told.
  void SwitchToSelectTool();
  // The tool a tool-switching or palette command makes, and its tool id (0: none).
  jvqTool* MakeTool(UINT nID);
  static int ToolIdOfCommand(UINT nID);

  // The short epilogues of the commands: the property bar switched to fit the tool and
  // selection, its values refreshed, the page told the tool.
  void RefreshBar();
  void UpdateBar();
  void TellPage();
  // A check mark on a menu item or on the tool-bar button the update is for.
  void SetCmdCheck(CCmdUI* pCmdUI, BOOL bCheck);
  // The unlocked objects among the selected ones, in page order (the array does not own them).
  void GetUnlockedSelection(jvqObjectArray& out);
  int CountUnlockedSelected();
  // Moves the unlocked selected objects to a common edge (anchor kind 2 top, 3 left, 4 right,
  // 5 bottom) or centre line (1197 horizontal, 1203 vertical) as one undo step.
  void AlignSelection(int nKind);
  void AlignCentres(BOOL bHorizontal);
  // The stacking commands: the one selected object, its new place (the index after which
  // its clone goes) or -2 when the command is not available.
  jvqObject* GetStackingObject();
  int StackingTarget(UINT nID);

  // Object files: a new picture of the object fitted into the size at 95 percent, centred
  // on white (NULL without window or object); the writer (TRUE when the whole file was
  // written; it deletes the thumbnail, and makes one of 60 x 60 when given none).
  static CDib* RenderObjectThumbnail(CWnd* pWnd, jvqObject* pObject, int nWidth, int nHeight);
  static BOOL WriteObjectFile(LPCTSTR lpszPath, jvqObject* pObject, jvqDocument* pDocument, LPCTSTR lpszName,
                              LPCTSTR lpszComment, CDib* pThumbnail);
  static int ObjectFileVersion(jvqObject* pObject);
  static BOOL HoldsPictureFill(jvqObject* pObject);
  static BOOL GroupHasOleObject(jvqObject* pGroup);
  // A copy of a library object centred on the client point, as an undo step of its own.
  void InsertObjectAt(jvqObject* pObject, int x, int y);
  // The favourites folder (ending in a backslash) and its categories, reread.
  CString GetFavoritesFolder() const;
  int ReloadFavoriteCategories();

  // The right-button menu: which one (0: none, the vertex mode ended), the favourites
  // submenu rebuilt from the categories (at most 99 listed), and the whole gesture.
  UINT ChooseContextMenu(CPoint point);
  void FillFavoritesMenu(CMenu* pPopup);
  int ListedFavoriteCategories() const;
  void ShowContextMenu(CPoint point);
  // In-place text editing: the object is replaced by a copy whose text the editor works on,
  // as one undo step; FALSE for an object that is not a text, line text or balloon.
  BOOL IsTextEditing() const;
  BOOL BeginInPlaceEdit(int x, int y, jvqObject* pObject);
  void EditTitle(jvqObject* pTitle);
  // Handle tool tips: the text for a notification; a text cut to the buffer at a character's end.
  BOOL GetHandleToolTipText(NMHDR* pNMHDR);
  static void CopyTipText(char* pBuffer, int nSize, LPCTSTR lpszText);

  // N of the floor-plan and symbol scale 1 : N; a stored 0 is stored as 100 first.
  static int SymbolScale();
  // A floor plan of the file placed at the view centre as an undo step; FALSE: no plan.
  BOOL PlaceFloorPlanFile(LPCTSTR lpszPath);

  // Drops (qvzViewDrops.cpp).
  DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  void OnDragLeave() override;
  BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
  DROPEFFECT OnDragScroll(DWORD dwKeyState, CPoint point) override;
  static CLIPFORMAT CatalogFormat();
  void BuildFileDragOutline(HDROP hDrop);
  void InsertDroppedFiles(HDROP hDrop, CPoint point);
  void DropCatalogPicture(HGLOBAL hData, CPoint point);
  int DropCatalogItem(HGLOBAL hData, CPoint point);
  jvqObject* MakePictureFromFile(LPCTSTR lpszPath);
  jvqObject* MakeFloorPlanFromFile(LPCTSTR lpszPath);
  // A symbol painted by the vector shape of a ".tqz" file; NULL when the file does not load.
  jvqObject* MakeSymbolFromFile(LPCTSTR lpszPath);
  jvqObject* MakeTextFromFile(LPCTSTR lpszPath);
  void DeleteDropOutlines();
  void DrawDropFeedback(BOOL bCatalogue);

  jvqObject* m_pVertexMarker;
  POINT m_ptPasteOffset;
  COleDropTarget m_DropTarget;
  std::vector<jvqObject*> m_DropOutlines;
  BOOL m_bNoFeedback;
  BOOL m_bDropCatalogue;
  RECT m_rcDropPicture;
  RECT m_rcDropItem;
  RECT m_rcDropFeedback;
  POINT m_ptLastDrag;
  CWnd* m_pEditor;
  CToolTipCtrl* m_pToolTip;
  CStringList m_FavoriteCategories;
  // The catalogue paste's fields and layout; the view owns it, 32930 replaces it.
  qvzCatalogPasteSettings* m_pCatalogSettings;
  // Tests keep their favourites in a folder of their own; empty: the program's.
  CString m_strFavoritesFolder;

 protected:
  void OnInitialUpdate() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg BOOL OnToolTipNeedText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnTextEdit();
  afx_msg void OnUpdateTextEdit(CCmdUI* pCmdUI);
  afx_msg void OnTitleEdit();
  afx_msg void OnUpdateTitleEdit(CCmdUI* pCmdUI);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnToolSelect();
  afx_msg void OnUpdateToolSelect(CCmdUI* pCmdUI);
  afx_msg void OnFilePrintPreview();
  afx_msg void OnPrintOffset();
  afx_msg BOOL OnToolCommand(UINT nID);
  afx_msg void OnUpdateToolCommand(CCmdUI* pCmdUI);
  afx_msg void OnRotateMode();
  afx_msg void OnUpdateRotateMode(CCmdUI* pCmdUI);
  afx_msg void OnZoomIn();
  afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
  afx_msg void OnZoomOut();
  afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
  afx_msg void OnVertexEdit();
  afx_msg void OnUpdateVertexEdit(CCmdUI* pCmdUI);
  afx_msg BOOL OnPaletteCommand(UINT nID);
  afx_msg void OnUpdatePaletteCommand(CCmdUI* pCmdUI);
  afx_msg void OnUnusedTool();
  afx_msg void OnUpdateUnusedTool(CCmdUI* pCmdUI);
  afx_msg void OnCancelCommand();
  // Edit commands (qvzViewEdit.cpp).
  afx_msg void OnEditUndo();
  afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
  afx_msg void OnEditRedo();
  afx_msg void OnUpdateEditRedo(CCmdUI* pCmdUI);
  afx_msg void OnEditCopy();
  afx_msg void OnEditCut();
  afx_msg void OnUpdateEditCopy(CCmdUI* pCmdUI);
  afx_msg void OnEditPaste();
  afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
  afx_msg void OnEditPasteSpecial();
  afx_msg void OnUpdateEditPasteSpecial(CCmdUI* pCmdUI);
  afx_msg void OnEditDelete();
  afx_msg void OnEditSelectAll();
  afx_msg void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
  afx_msg void OnLock();
  afx_msg void OnUpdateLock(CCmdUI* pCmdUI);
  afx_msg void OnUnlock();
  afx_msg void OnUpdateUnlock(CCmdUI* pCmdUI);
  afx_msg void OnRotateAngle();
  afx_msg void OnUpdateRotateAngle(CCmdUI* pCmdUI);
  afx_msg void OnVertexDelete();
  afx_msg void OnUpdateVertexDelete(CCmdUI* pCmdUI);
  afx_msg void OnInsertOleObject();
  afx_msg void OnPropertyInfo();
  afx_msg void OnUpdatePropertyInfo(CCmdUI* pCmdUI);
  afx_msg void OnGridSnap();
  afx_msg void OnUpdateGridSnap(CCmdUI* pCmdUI);
  afx_msg void OnGridShow();
  afx_msg void OnUpdateGridShow(CCmdUI* pCmdUI);
  // Arrange commands (qvzViewArrange.cpp).
  afx_msg void OnEditGroup();
  afx_msg void OnUpdateEditGroup(CCmdUI* pCmdUI);
  afx_msg void OnEditUngroup();
  afx_msg void OnUpdateEditUngroup(CCmdUI* pCmdUI);
  afx_msg BOOL OnStacking(UINT nID);
  afx_msg void OnUpdateStacking(CCmdUI* pCmdUI);
  afx_msg BOOL OnAlign(UINT nID);
  afx_msg void OnUpdateAlign(CCmdUI* pCmdUI);
  afx_msg BOOL OnFlip(UINT nID);
  afx_msg void OnUpdateFlip(CCmdUI* pCmdUI);
  // Settings and insertion (qvzViewSettings.cpp).
  afx_msg void OnInsertPictureFile();
  afx_msg void OnInsertFloorPlan();
  afx_msg void OnFloorPlanScale();
  afx_msg void OnUpdateFloorPlanScale(CCmdUI* pCmdUI);
  afx_msg void OnPrintArea();
  afx_msg void OnUpdatePrintArea(CCmdUI* pCmdUI);
  afx_msg void OnPaperSettings();
  afx_msg void OnGridSettings();
  afx_msg void OnAutoSaveSettings();
  afx_msg void OnCatalogSettings();
  afx_msg void OnScaleSettings();
  // Favourites (qvzViewObjectFiles.cpp).
  afx_msg BOOL OnRegisterFavorite(UINT nID);
  afx_msg void OnUpdateRegisterFavorite(CCmdUI* pCmdUI);
  afx_msg BOOL OnMoveFavorite(UINT nID);
  afx_msg void OnDeleteFavorite();
  afx_msg void OnRenameFavorite();
  afx_msg BOOL OnReorderFavorite(UINT nID);
  afx_msg void OnUpdateFavoriteItem(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

// Brings the main window to the front from a drop that began in another program.
void BringWindowToForeground(CFrameWnd* pFrame);

// Tests see the right-button menu here instead of tracking it.
typedef void (*qvzPopupMenuProc)(CMenu* pPopup, UINT nMenuId, POINT ptScreen);
extern qvzPopupMenuProc theViewPopupMenuProc;

// Tests choose the file of an insertion command here instead of in the dialog.
typedef BOOL (*qvzInsertFileProc)(LPCTSTR lpszFilter, UINT nTemplate, CString* pPath);
extern qvzInsertFileProc theInsertFileProc;

// Objects the next left-button release selects (a new or edited text object).
extern jvqObject* thePendingSelection1;
extern jvqObject* thePendingSelection2;
extern BYTE theInPlaceEditStarted;
