// One sheet of a board: its children are the objects the user sees; it draws the paper,
// the grid, the page frame and the selection frames.
#pragma once

#include "jvqGroupObject.h"

class jvqPage : public jvqGroupObject {
 public:
  jvqPage();
  jvqPage(const RECT* pRect, jvqViewMapping* pView);
  jvqPage(const jvqPage& src);
  virtual ~jvqPage() {}

  virtual jvqObject* HitTest(POINT* pPoint);
  virtual void Draw(CDC* pDC);
  virtual void DrawOutline(CDC* pDC, jvqLineStyle* pStyle);
  virtual jvqObject* Clone();
  virtual BOOL GetRegion(CDC* pDC, CRgn* pRgn);
  virtual BOOL GetDeviceRegion(CDC* pDC, CRgn* pRgn);
  virtual void Recalc() {}  // a page keeps its paper size whatever its children
  virtual void Render(CDC* pDC);
  virtual void DrawChildren(CDC* pDC);
  virtual void AddChild(jvqObject* pObject);

  virtual int GetShownCount();
  jvqObject* GetShownObject(int n);
  void SetPageRect(const RECT* pRect);

  int m_bDrawFrame;
};

// 0 pictures drawn normally, 1 as small thumbnails, 2 as grey boxes.
extern int PictureDisplayMode;
