// The shapes, symbols and favourites palette: the categories of the chosen library in a
// combo box and the objects of the chosen category as thumbnails, dragged from there onto
// the page; catalogue items dropped on the favourites become favourites.
#pragma once

#include <vector>

#include "qvzDrawToolBar.h"
#include "qvzObjectPreviewView.h"

class jvqDocument;
class jvqObject;
class jvqView;

#define IDC_PALETTE_LIST 770
#define IDC_PALETTE_CATEGORY 692
#define IDC_PALETTE_DRAG_CURSOR 270
#define IDM_PALETTE_FAVORITES 379
#define ID_PALETTE_MOVE_FIRST 1624
#define ID_PALETTE_MOVE_DUMMY 32945

// The settings the palettes keep (the remembered categories and the symbol scale), read and
// written through the application; the default goes to the profile.
struct qvzPaletteSettings {
  int (*pfnGet)(LPCTSTR lpszSection, LPCTSTR lpszKey, int nDefault);
  void (*pfnSet)(LPCTSTR lpszSection, LPCTSTR lpszKey, int nValue);
};
extern qvzPaletteSettings thePaletteSettings;
// The program folder the palettes list (ending in a backslash); empty: the program's own.
extern CString thePaletteProgramFolder;
CString PaletteProgramFolder();

// Builds the object a dropped catalogue item becomes with the catalogue paste layout (a
// group of a picture and texts), or NULL; set by the application.
// The palettes' questions and messages (text, caption, MB_ type), and the favourites' context
// menu tracked at a screen point; tests replace them.
typedef int (*qvzPaletteMessageProc)(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
extern qvzPaletteMessageProc thePaletteMessageProc;
typedef UINT (*qvzTrackPaletteMenuProc)(CMenu* pMenu, CPoint ptScreen, CWnd* pOwner);
extern qvzTrackPaletteMenuProc theTrackPaletteMenuProc;

typedef jvqObject* (*qvzBuildCatalogItemProc)(const void* pBlock, size_t nSize, jvqDocument* pDocument);
extern qvzBuildCatalogItemProc theBuildCatalogItemProc;

class qvzSymbolToolBar : public qvzDrawToolBar, public qvzPreviewDragSource {
  DECLARE_DYNCREATE(qvzSymbolToolBar)
 public:
  qvzSymbolToolBar();
  ~qvzSymbolToolBar() override;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void EnableControls(BOOL bEnable) override {}
  void CreateControls() override;

  void BeginDrag(jvqObject* pObject, int nCount) override;
  virtual void DragTo(int x, int y);
  // Screen coordinates; the last object added to the page, or NULL.
  virtual jvqObject* EndDrag(int x, int y);
  virtual void SetPaletteKind(int nToolId);

  virtual void LoadFolder(LPCTSTR lpszFolder);
  void FillCategoryCombo(LPCTSTR lpszRoot);
  void ReloadCategories();
  CString GetCategoryFolder() const { return m_strCurrentFolder; }
  void RecalcLayout();
  void CalcCellMetrics(int* pSide, int* pHorzGap, int* pVertGap);
  // Writes the shown order into the category's order file, only when the cells were
  // reordered since they were listed, keeping the names that did not load; FALSE when
  // nothing was written.
  BOOL SaveOrder();
  // Lists the favourites folder (ending in a backslash) and selects the named cell.
  void ShowFolder(LPCTSTR lpszFolder, LPCTSTR lpszSelect);
  // Cancels a drag under way (release over the palette).
  void CancelDrag();
  BOOL IsDragging() const { return m_bDragging; }
  int GetPaletteKind() const { return m_nPaletteKind; }
  qvzObjectPreviewView* GetListView() const { return m_pListView; }
  // The registration of a dropped catalogue item (a block of nSize bytes).
  BOOL RegisterCatalogItem(const void* pBlock, size_t nSize);

  CWnd m_wndPlaceholder;
  qvzObjectPreviewView* m_pListView;
  CComboBox m_wndCategory;
  int m_bFirstMove;
  int m_bDragging;
  HCURSOR m_hDragCursor;
  HCURSOR m_hSavedCursor;
  std::vector<jvqObject*> m_DragList;
  CString m_strRootFolder;
  CString m_strCurrentFolder;
  int m_nPaletteKind;
  // The cells' labels as the last listing made them: an order file changed by someone else
  // while it was shown is not written back.
  CStringArray m_ListedNames;

 protected:
  void SelectRemembered();
  void ListSelectedCategory();
  // Creates the thumbnail view over control 770 down to the bar's bottom minus 10.
  void CreateListView();
  jvqView* ActiveView() const;
  jvqDocument* ActiveDocument() const;
  // Clears the view's selection (repainting it when there was one) and starts the drag.
  void StartDrag();
  // The drop on the page: each dragged object's copy placed with its centre on the
  // point; AdjustCopy changes a copy before it is moved.
  jvqObject* PlaceDragged(int x, int y, BOOL bSelectEach);
  virtual void AdjustCopy(jvqObject* pCopy);
  BOOL IsLibrary(LPCTSTR lpszFolder) const;

  afx_msg void OnMove(int x, int y);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCategoryChanged();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnPaletteDrop(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPaletteContext(WPARAM wParam, LPARAM lParam);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()
};

// The scale denominator N of symbols and floor plans, 100 in place of 0 (then stored).
int PaletteSymbolScale();
