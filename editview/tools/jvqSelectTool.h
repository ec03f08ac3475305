// The default tool: selects by click, Shift or Ctrl click, Alt cycling and rubber band;
// moves or copies the selection; resizes, rotates and reshapes by markers. Every gesture
// works on clones and ends as one undo step. Base of the creation tools.
#pragma once

#include "jvqLineStyle.h"
#include "jvqObject.h"
#include "jvqTool.h"

class jvqPage;
class qvzToolTipWnd;

// The key flag that marks an Alt click on its way to SelectAt.
#define JVQ_MK_ALT 0x40

class jvqSelectTool : public jvqTool {
 public:
  explicit jvqSelectTool(jvqView* pView);
  ~jvqSelectTool() override;

  void OnLButtonDblClk(UINT nFlags, int x, int y) override;
  void OnLButtonDown(UINT nFlags, int x, int y) override;
  void OnLButtonUp(UINT nFlags, int x, int y) override;
  void OnMouseMove(UINT nFlags, int x, int y) override;
  void OnRButtonDown(UINT nFlags, int x, int y) override;
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  HCURSOR GetCursor(POINT pt) override;

  virtual void SelectAt(UINT nFlags, int x, int y);
  virtual void BeginMove(UINT nFlags, int x, int y);
  virtual void DragMove(UINT nFlags, int x, int y);
  virtual void EndMove(UINT nFlags, int x, int y);
  virtual void BeginResize(UINT nFlags, int x, int y);
  virtual void DragResize(UINT nFlags, int x, int y);
  virtual void EndResize(UINT nFlags, int x, int y);
  virtual void BeginRubberBand(UINT nFlags, int x, int y);
  virtual void DragRubberBand(UINT nFlags, int x, int y);
  virtual void EndRubberBand(UINT nFlags, int x, int y);
  virtual void BeginRotate(UINT nFlags, int x, int y);
  virtual void DragRotate(UINT nFlags, int x, int y);
  virtual void EndRotate(UINT nFlags, int x, int y);
  virtual HCURSOR GetHandleCursor(jvqObject* pMarker);
  virtual void DragVertex(UINT nFlags, int x, int y);
  virtual void BeginVertexDrag(UINT nFlags, int x, int y);
  virtual void EndVertexDrag(UINT nFlags, int x, int y);
  virtual void BeginScaledResize(UINT nFlags, int x, int y);
  virtual void DragScaledResize(UINT nFlags, int x, int y);
  virtual void EndScaledResize(UINT nFlags, int x, int y);
  virtual BOOL IsOverFavoritesPalette(UINT nFlags, int x, int y);
  virtual void DragOverFavorites(UINT nFlags, int x, int y);
  virtual void DropOnFavorites(UINT nFlags, int x, int y);

  void CollectSelection(BOOL bWithLocked);
  SIZE GetSnapOffset(jvqObject* pObject);
  int GetHandleCursorId(jvqObject* pMarker);
  POINT AlignVertex(POINT pt);
  // Drops an unfinished gesture: clones leave the page, an open edit is discarded, the
  // capture is released. Esc, and a tool that goes away mid-gesture, end here.
  void CancelGesture();
  // The cursor of a resize, turn or move under way; NULL when none is.
  HCURSOR GestureCursor();
  // Hands a mouse move to the resize, turn or move under way; FALSE when none is.
  BOOL DragGesture(UINT nFlags, int x, int y);
  // A press on a resize handle: its owner is resized (at a fixed scale for a floor plan)
  // unless the owner is locked.
  void BeginHandleResize(jvqObject* pHandle, UINT nFlags, int x, int y);
  // An object the tool made leaves the page (or, never placed, is deleted).
  void DiscardObject(jvqObject* pObject);

  jvqObject* m_pDragMarker;
  jvqObjectArray m_Work;
  jvqObjectArray m_Sources;
  jvqLineStyle m_FeedbackStyle;
  int m_bOverFavorites;
  int m_nMoveProgress;
  DWORD m_dwHitState;
  int m_bButtonDown;
  jvqObject* m_pRotateGhost;
  jvqObject* m_pRotateClone;
  double m_dAngleOffset;
  HCURSOR m_hSavedCursor;
  POINT m_ptGrabOffset;
  qvzToolTipWnd* m_pScaleTip;
  double m_dWidthRatio;
  double m_dHeightRatio;

 protected:
  jvqPage* Page();
  jvqObject* HitAt(int x, int y);
  void Capture();
  void Release();
  void InvalidateList(jvqObjectArray& list);
  void RemoveClones();
  void EndGestureState();
  void DrawOutlines(CDC* pDC);
  void SetMoveCaption(int dx, int dy);
  int m_nDragIndex;
  BOOL m_bDragVertex;
};

inline BOOL jvqIsLockedObject(jvqObject* o) { return o && (o->GetState() & JVQ_STATE_LOCKED); }
inline BOOL jvqIsPageObject(jvqObject* o) { return o && (o->GetClassCode() & 8); }
inline BOOL jvqIsMarkerObject(jvqObject* o) { return o && (o->GetClassCode() & JVQ_OBJ_HANDLE); }
inline BOOL jvqIsMarkerKind(jvqObject* o, DWORD dwKind) { return jvqIsMarkerObject(o) && ((DWORD)o->GetClassCode() & dwKind); }

// Shift held, for auto-repeat of the key.
extern int theShiftDown;
