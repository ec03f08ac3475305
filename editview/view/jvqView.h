// The editing view: one page of a board, zoomed, scrolled and painted through an
// off-screen bitmap; every mouse message goes, in logical units, first to the current tool
// and then to the current page.
#pragma once

#include <vector>

#include "jvqScrollView.h"
#include "jvqViewMapping.h"

class jvqBoard;
class jvqDocument;
class jvqFrameWnd;
class jvqGroupObject;
class jvqObject;
class jvqPage;
class jvqTool;
class COleClientItem;
class jvqOleItem;
class jvqOleObject;

#define JVQ_VIEW_SNAP 8

class jvqView : public jvqScrollView {
  DECLARE_DYNCREATE(jvqView)
 public:
  jvqView();
  ~jvqView() override;

  virtual void ResetView();
  virtual void StepZoom(int bLarger) {}
  virtual void OnSelect(jvqObject* pObject) {}
  virtual void InvalidateObjects(std::vector<jvqObject*>& objects);
  virtual void HidePropertyBar() { m_bPropertyBarHidden = TRUE; }
  virtual void ShowPropertyBar() { m_bPropertyBarHidden = FALSE; }
  virtual void OnObjectCreated(jvqObject* pObject) {}
  virtual void DrawBackground(CDC* pDC);
  virtual void RecalcLayout(int cx, int cy);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;
  BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE) override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  // Print preview with the view's own preview window (command 57609).
  virtual void DoFilePrintPreview();

  // Conversions through a client DC prepared by OnPrepareDC.
  POINT* PointToLogical(POINT* pOut, POINT* pPoint);
  POINT* PointToDevice(POINT* pOut, POINT* pPoint);
  void RectToLogical(RECT* pRect);
  void RectToDevice(RECT* pRect);
  SIZE* SizeToLogical(SIZE* pOut, SIZE* pSize);
  SIZE* SizeToDevice(SIZE* pOut, SIZE* pSize);
  int WidthToDevice(int n);
  int WidthToLogical(int n);
  int HeightToDevice(int n);
  int HeightToLogical(int n);
  POINT* GetClientCenter(POINT* pOut);

  jvqDocument* GetDocument() const;
  jvqBoard* GetBoard() const;
  jvqPage* GetCurrentPage() const;
  void GetPageSize(SIZE* pOut);
  jvqFrameWnd* GetFrame() const;
  int SetModifiedFlag(BOOL bModified = TRUE);
  BOOL Redraw();
  BOOL PtInClient(POINT pt);

  void Select(jvqObject* pObject, BOOL bNotify);
  void Deselect(jvqObject* pObject);
  void ClearSelection();
  int GetSelectedCount();
  jvqObject* GetSelectedObject(int n);

  // Embedded objects (jvqViewOle.cpp).
  virtual int OpenOleItem(jvqOleObject* pObject);
  // The server closed the item: it is no longer the open one. The object's lock stays.
  virtual int OnOleItemClosed(jvqOleItem* pItem);
  // Gives a visible object its own item again once undo left a hidden copy sharing it.
  void SyncOleItems();
  void ReplaceOleItemWithClone(int nIndex);
  // An object of the file at the logical point; FALSE (nothing changed, no message) when
  // the file cannot be embedded.
  BOOL InsertOleObjectFromFile(const char* pszPath, POINT point);
  BOOL IsSelected(const CObject* pDocItem) const override;
  // 57856: an object chosen in the platform's insert-object dialog, opened in its server.
  afx_msg void OnInsertObject();
  COleClientItem* GetOpenOleItem() const { return m_pOpenItem; }
  void SetOpenOleItem(COleClientItem* pItem) { m_pOpenItem = pItem; }

  // Makes an item with the function and its object on the current page (centred on the point
  // when one is given), one undo step; on any failure nothing is left (item, vector entry,
  // object, undo record) and the result is NULL.
  jvqOleObject* AddNewOleItem(BOOL (*pfnCreate)(jvqOleItem*, void*), void* pArg, const POINT* pPoint);
  // The same at the point, then opened and selected.
  jvqOleObject* PlaceNewOleItem(BOOL (*pfnCreate)(jvqOleItem*, void*), void* pArg, POINT point);

  void SetCursorId(int n) { m_nCursorId = n; }
  int GetCursorId() const { return m_nCursorId; }
  UINT GetToolCommand(jvqTool* pTool);
  // Replaces the current tool (deleting the old one) and tells the page.
  void SetTool(jvqTool* pTool);

  int m_nCursorId;
  DWORD m_dwOptions;
  BOOL m_bPropertyBarHidden;
  jvqBoard* m_pBoard;
  jvqViewMapping m_Mapping;
  CBitmap m_Bitmap;
  COLORREF m_crBackground;
  POINT m_ptPageOrigin;
  POINT m_ptPrintOffset;
  SIZE m_szPageOnScreen;
  int m_nSavedPage;
  // Set when a printed page could not be mapped (a printer without a size).
  BOOL m_bPrintFailed;
  jvqTool* m_pTool;
  SIZE m_szBitmap;
  CDC m_dcOffscreen;
  COleClientItem* m_pOpenItem;
  UINT m_nLastCreateCommand;
  POINT m_ptViewCenter;
  // Set by the select tool when a drag ended on the favourites palette; the application
  // view reads and clears it at the next left-button release.
  BOOL m_bFavoritesDrop;
  // Tests and the benchmark draw straight to the screen to compare.
  BOOL m_bNoOffscreen;

 protected:
  // The printing mapping: 0.1 mm per logical unit, the page's corner at the print offset.
  BOOL PreparePrintingDC(CDC* pDC);
  static void SetPrintHooks();
  void RouteMouse(UINT nMsg, UINT nFlags, CPoint point);
  void KeepRulersInStep();
  void UpdateRulers(BOOL bHorizontal);

  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnDestroy();
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  DECLARE_MESSAGE_MAP()
};

// The current tool id of the view that owns a mapping's window (-1 for none).
int jvqViewToolIdOf(CWnd* pOwner);
