// One sheet of a board: its children are the objects the user sees; it draws the paper,
// the grid, the page frame and the selection frames.
#pragma once

#include "jvqGroupObject.h"

class CRgn;

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
  virtual BOOL GetRegionRect(CDC* pDC, RECT* pRect);
  virtual BOOL GetDeviceRegion(CDC* pDC, CRgn* pRgn);
  virtual void Recalc() {}  // a page keeps its paper size whatever its children
  virtual void Render(CDC* pDC);
  virtual void DrawChildren(CDC* pDC);
  virtual void AddChild(jvqObject* pObject);

  virtual int GetShownCount();
  jvqObject* GetShownObject(int n);
  void SetPageRect(const RECT* pRect);

  int m_bDrawFrame;

  // The view layer tells pages where the printer's printable area lies (logical units, from
  // the printable offset to offset + printable size), FALSE without a printer...
  typedef BOOL (*PrintableAreaQuery)(RECT* pOut);
  static PrintableAreaQuery s_pfnPrintableArea;
  // ...and turns that rectangle into a clip region of a print-preview DC.
  typedef BOOL (*PreviewClipMaker)(CDC* pDC, CRgn* pOut, const RECT* pRect);
  static PreviewClipMaker s_pfnPreviewClip;
};

// 0 pictures drawn normally, 1 as small thumbnails, 2 as grey boxes.
extern int PictureDisplayMode;
