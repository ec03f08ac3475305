// The picture area every wizard page borrows: the working layer zoomed or fitted over a
// checkerboard, scrolled, with the range box and the crop box to drag and the black-fill
// tools. The picture work itself is CDibEditor's; this is its window.
#pragma once

#include "Patinor.h"

#include "BoxDrag.h"
#include "DibEditor.h"
#include "FillMask.h"

#include <vector>

class PATINOR_API CEditDIBView : public CWnd, public CDibEditor
{
    DECLARE_DYNCREATE(CEditDIBView)

public:
    CEditDIBView();
    ~CEditDIBView() override;

    // A hidden child of the desktop; FALSE (and no window) when it cannot be made.
    BOOL Create();

    void SetImage(CImage* image);
    void DetachImage();

    void ZoomIn();
    void ZoomOut();
    void SetZoom(UINT zoom);
    void SetFitToWindow(BOOL fit);

    void ShowRangeBox(BOOL show, BOOL cropFixed, int rangeMode, int boxType);
    void SetTilingPreview(BOOL on);
    void SetCropBox(int left, int top, int right, int bottom, BOOL cropFree);
    void SetCropBoxSize(int width, int height, BOOL cropFree);
    void RefreshBitmap();

    CPoint ClientToImage(CPoint point) const;
    CPoint ImageToClient(CPoint point) const;
    CRect ImageToClient(const RECT& rect) const;
    int HitTest(CPoint client) const;

    // Black-fill tools: sizes 0, 1, 2 are 1, 5 and 15 pixels; tolerance 0 to 255.
    void SelectBrushTool(int size);
    void SelectEraserTool(int size);
    void SelectPolygonTool();
    void SelectFloodFillTool(int tolerance);
    void EndTool(BOOL cancelPolygon);
    void ApplyMask();
    int FloodFill(int x, int y, COLORREF colour, int tolerance);
    BOOL HasMask() const { return !m_mask.IsEmpty(); }
    const CFillMask& GetMask() const { return m_mask; }

    UINT m_nZoom;      // low word multiplier, high word divisor
    UINT m_nFitZoom;
    BOOL m_bFitToWindow;
    RECT m_rcCrop;
    BOOL m_bRangeBoxShown;
    BOOL m_bTilingPreview;
    BOOL m_bDragging;

    int GetZoomedWidth() const { return m_nZoomedWidth; }
    int GetZoomedHeight() const { return m_nZoomedHeight; }
    CPoint GetScrollPos() const { return CPoint(m_nScrollX, m_nScrollY); }

protected:
    void OnSizeChanged(int width, int height) override;
    void OnUndoSet() override;
    void OnReverted() override;
    void OnPictureChanged() override;

    void PostNcDestroy() override;

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    typedef void (CEditDIBView::*MouseHandler)(UINT nFlags, CPoint point);

    LRESULT SendToPage(UINT message, WPARAM wParam, LPARAM lParam);
    void Dispatch(MouseHandler handler, UINT nFlags, CPoint point);
    void OnScroll(int bar, UINT code, UINT position);
    void UpdateScrollSizes();
    void Layout(int sizeType);
    void ScrollTo(int bar, int position);
    void MakeCheckerboard();
    void CopyCheckerboard(CDC* pDC, int x, int y, int width, int height);
    void ChooseZoom();
    void FitNow();
    void DrawBoxes(CDC* pDC);
    void DrawRangeBox(CDC* pDC, const RECT& box, BOOL xorMode);
    void DrawCropBox(CDC* pDC, const RECT& box, BOOL xorMode);
    void XorDraggedBox(const RECT& box);
    void PaintPicture(CDC* pDC, const CRect& dirty);
    void UpdateDisplayRows(int top, int bottom);
    SIZE ResizeLimit() const;
    BoxRules Rules() const;
    void SetHandlers(MouseHandler move, MouseHandler down, MouseHandler up, MouseHandler dblclk);

    void OnBoxMouseMove(UINT nFlags, CPoint point);
    void OnBoxButtonDown(UINT nFlags, CPoint point);
    void OnBoxButtonUp(UINT nFlags, CPoint point);

    BOOL BeginMaskEdit();
    void SelectTool(int tool);
    void OnToolButtonDown(UINT nFlags, CPoint point);
    void OnToolMouseMove(UINT nFlags, CPoint point);
    void OnToolButtonUp(UINT nFlags, CPoint point);
    void OnPolygonDblClk(UINT nFlags, CPoint point);
    void ClosePolygon();
    void DrawRubberBand(CPoint to);
    void MaskChanged(int top, int bottom);

    CDC m_dcDisplay;
    CDC m_dcBackground;
    DWORD* m_pDisplayBits; // the display's 32-bit pixels, rows bottom-up
    int m_nDisplayWidth;
    int m_nDisplayHeight;
    HBITMAP m_hDisplay;
    HBITMAP m_hOldDisplay;
    CBitmap m_bmBackground;
    CBitmap* m_pOldBackground;
    int m_nZoomedWidth;
    int m_nZoomedHeight;
    int m_nClientWidth;
    int m_nClientHeight;
    BOOL m_bAttached;
    BOOL m_bAutoZoomPending;
    int m_nScrollMaxX;
    int m_nScrollMaxY;
    int m_nScrollX;
    int m_nScrollY;
    int m_nPageX;
    int m_nPageY;
    int m_nLineStep;
    HCURSOR m_hCursors[8];
    HCURSOR m_hPreviousCursor;
    BOOL m_bFitting;
    BOOL m_bDeleteOnDestroy;

    RECT m_rcDragStart;
    CPoint m_ptDragOrigin;
    BOOL m_bCropFixed;
    int m_nRangeMode;
    BOOL m_bCropFree;
    BOOL m_bSnap;
    BOOL m_bRangeHidden;
    int m_nHitCode;
    BOOL m_bDraggingCrop;
    CPen m_penRange;
    CPen m_penCrop;

    enum { TOOL_NONE, TOOL_BRUSH, TOOL_ERASER, TOOL_POLYGON, TOOL_FLOODFILL };
    int m_nTool;
    int m_nBrushSize;
    int m_nEraserSize;
    int m_nTolerance;
    CFillMask m_mask;
    CFillMask m_savedMask;
    std::vector<POINT> m_polygon;
    CPoint m_ptStroke;
    CPoint m_ptRubber;
    BOOL m_bRubberShown;

    MouseHandler m_pfnMouseMove;
    MouseHandler m_pfnDblClk;
    MouseHandler m_pfnButtonDown;
    MouseHandler m_pfnButtonUp;
};
