// The board designer's editing view: the view of the main window in which the current
// page is edited; menu and tool-bar commands meet the drawing framework here.
#pragma once

#include "jvqView.h"

#define ID_QVZ_TOOL_SELECT 32847
#define ID_QVZ_PRINT_OFFSET 32928
#define ID_QVZ_ROTATE_MODE 1021
#define ID_QVZ_ZOOM_IN 32876
#define ID_QVZ_ZOOM_OUT 32875
#define ID_QVZ_VERTEX_EDIT 32859
#define ID_QVZ_CANCEL 1190

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

  jvqObject* m_pVertexMarker;
  POINT m_ptPasteOffset;

 protected:
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
  DECLARE_MESSAGE_MAP()
};

// Objects the next left-button release selects (a new or edited text object).
extern jvqObject* thePendingSelection1;
extern jvqObject* thePendingSelection2;
extern BYTE theInPlaceEditStarted;
