// The drag-rectangle creation tools: a rectangle, rounded rectangle or ellipse is made by
// dragging its bounding rectangle. A press on a selected object, a resize handle or a label
// marker moves, resizes or turns as the select tool does, and the tool stays current.
#pragma once

#include "jvqSelectTool.h"

class jvqRectTool : public jvqSelectTool {
 public:
  explicit jvqRectTool(jvqView* pView);
  ~jvqRectTool() override {}

  void OnLButtonDown(UINT nFlags, int x, int y) override;
  void OnLButtonUp(UINT nFlags, int x, int y) override;
  void OnMouseMove(UINT nFlags, int x, int y) override;
  HCURSOR GetCursor(POINT pt) override;

  // Makes the object for the rectangle between the points; FALSE when nothing was made.
  virtual BOOL CreateObject(POINT* pStart, POINT* pEnd);
  // Ends a creation drag without an object (Esc, Backspace); the tool stays current.
  virtual void CancelDrag();

  void BeginCreate();
  void DragCreate(UINT nFlags, int x, int y);
  void FinishCreate(UINT nFlags, int x, int y);

  // The class code of a balloon's body; used only by the balloon tool.
  int m_nShapeType;

 protected:
  // The idle cursor, and whether a selected object shows the move cursor only when it is
  // unlocked, and whether a locked object shows the idle cursor.
  HCURSOR m_hIdleCursor;
  BOOL m_bMoveOnlyUnlocked;
  BOOL m_bLockedIsIdle;
  // A rectangle narrower or lower than this is refused.
  int m_nMinSize;
  // Adds a made object to the page as one undo step and selects it.
  void PlaceNewObject(jvqObject* pObject);
};

class jvqRoundRectTool : public jvqRectTool {
 public:
  explicit jvqRoundRectTool(jvqView* pView);
  BOOL CreateObject(POINT* pStart, POINT* pEnd) override;
};

class jvqEllipseTool : public jvqRectTool {
 public:
  explicit jvqEllipseTool(jvqView* pView);
  BOOL CreateObject(POINT* pStart, POINT* pEnd) override;
};
