// The root of a board document: its children are the pages. It keeps the grid settings;
// the current page is the first alive page with the visible bit.
#pragma once

#include "jvqGroupObject.h"

class jvqPage;

class jvqBoard : public jvqGroupObject {
 public:
  explicit jvqBoard(jvqViewMapping* pView);
  virtual ~jvqBoard() {}

  virtual jvqObject* HitTest(POINT* pPoint);
  virtual void Draw(CDC* pDC);
  virtual void DrawOutline(CDC* pDC, jvqLineStyle* pStyle) {}
  virtual void OnGeometrySet();
  virtual void Render(CDC* pDC);
  virtual void DrawChildren(CDC* pDC);

  virtual void AddPage(jvqPage* pPage);
  virtual int InsertPage(int nIndex, jvqPage* pPage);
  virtual void RemoveAllPages(int bDelete);
  virtual int GetPageCount();

  jvqPage* GetPage(int n);
  jvqPage* GetCurrentPage();
  int GetCurrentPageIndex();
  void SetCurrentPage(int n);
  void NextPage();
  void PreviousPage();
  void FirstPage();
  void LastPage();
  void GetCurrentPageSize(SIZE* pOut);
  int GetGridSpacingPixels();

  int m_nGridSpacing;
  COLORREF m_crGrid;
  int m_nGridStyle;

 private:
  void MoveCurrentTo(int nChild);
  void InvalidateOwnerWindow();
};
