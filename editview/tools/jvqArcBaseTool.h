// The sector tools: the frame of an ellipse is dragged first, then the start angle is
// chosen by pointing and pressing, then the end angle by dragging or by pointing and
// pressing again. The object joins the page only when it is finished.
#pragma once

#include "jvqEllipticObject.h"
#include "jvqSelectTool.h"

class jvqArcBaseTool : public jvqSelectTool {
 public:
  jvqArcBaseTool(jvqView* pView, int nToolId, const char* pszCaption, int nClassCode);
  ~jvqArcBaseTool() override;

  void OnLButtonDblClk(UINT nFlags, int x, int y) override;
  void OnLButtonDown(UINT nFlags, int x, int y) override;
  void OnLButtonUp(UINT nFlags, int x, int y) override;
  void OnMouseMove(UINT nFlags, int x, int y) override;
  HCURSOR GetCursor(POINT pt) override;

  virtual BOOL CreateCircle(POINT ptStart, POINT ptEnd);
  virtual void BeginCircle(int x, int y);
  virtual void CreateSector(POINT pt);
  virtual void DragCircle(UINT nFlags, int x, int y);
  virtual void DragStartAngle(UINT nFlags, int x, int y);
  virtual void DragEndAngle(UINT nFlags, int x, int y);
  virtual void EndCircle(UINT nFlags, int x, int y);
  virtual void SetStartPoint(int x, int y);
  virtual void Finish(UINT nFlags, int x, int y);
  // Backspace, Esc and the right button: the unfinished shape goes.
  virtual void Reset();

  // 0 dragging the frame, 1 choosing the start angle, 2 the end angle, 10 just finished
  // by a press.
  int m_nStage;
  // Stage 1 the temporary ellipse, stage 2 the new sector; owned until it is placed.
  jvqObject* m_pMaking;
  jvqEllipseObject m_FrameEllipse;
  RECT m_rcFrame;
  jvqLineStyle m_CirclePainter;
  jvqLineStyle m_SectorPainter;
  jvqLineStyle m_RadiusPainter;
  POINT m_ptStartPoint;
  POINT m_ptFinish;
  int m_bMouseSeen;
  int m_nMakeCode;

 protected:
  void DropMaking();
  int AngleOf(POINT pt);
  POINT FrameCenter();
  BOOL IsPie() const { return m_nMakeCode == JVQ_OBJ_PIE; }
};

class jvqPieTool : public jvqArcBaseTool {
 public:
  explicit jvqPieTool(jvqView* pView);
};

class jvqArcTool : public jvqArcBaseTool {
 public:
  explicit jvqArcTool(jvqView* pView);
};

class jvqChordTool : public jvqArcBaseTool {
 public:
  explicit jvqChordTool(jvqView* pView);
};
