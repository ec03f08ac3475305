// Static splitters in a frame: panes laid out by their sizes, nested splitters, a pane's
// view replaced at run time, and the bar dragged with the mouse.
#include <gtest/gtest.h>

#include "BarsTestApp.h"

namespace {

class CPaneView : public CView {
 public:
  void OnDraw(CDC*) override {}
};

class CLeftView : public CPaneView {
  DECLARE_DYNCREATE(CLeftView)
};
IMPLEMENT_DYNCREATE(CLeftView, CView)

class CRightView : public CPaneView {
  DECLARE_DYNCREATE(CRightView)
};
IMPLEMENT_DYNCREATE(CRightView, CView)

class COtherView : public CPaneView {
  DECLARE_DYNCREATE(COtherView)
};
IMPLEMENT_DYNCREATE(COtherView, CView)

class CSplitFrame : public CFrameWnd {
 public:
  CSplitterWnd m_wndSplitter;
  CSplitterWnd m_wndInner;
  BOOL m_bNested = FALSE;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
    if (!m_wndSplitter.CreateStatic(this, 1, 2)) return FALSE;
    if (!m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CLeftView), CSize(150, 0), pContext)) return FALSE;
    if (!m_bNested) return m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CRightView), CSize(0, 0), pContext);
    // The right pane is a splitter of its own, two rows.
    if (!m_wndInner.CreateStatic(&m_wndSplitter, 2, 1, WS_CHILD | WS_VISIBLE, m_wndSplitter.IdFromRowCol(0, 1)))
      return FALSE;
    return m_wndInner.CreateView(0, 0, RUNTIME_CLASS(CRightView), CSize(0, 100), pContext) &&
           m_wndInner.CreateView(1, 0, RUNTIME_CLASS(COtherView), CSize(0, 0), pContext);
  }
};

CSplitFrame* MakeFrame(BOOL bNested) {
  CSplitFrame* pFrame = new CSplitFrame;
  pFrame->m_bNested = bNested;
  CCreateContext context;
  if (!pFrame->Create(NULL, "分割", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400), NULL, NULL, 0, &context)) return NULL;
  pFrame->ShowWindow(SW_SHOW);
  pFrame->RecalcLayout();
  PumpPending();
  return pFrame;
}

TEST(SplitterTest, PanesFollowTheirSizesAndARightViewIsReplaced) {
  CSplitFrame* pFrame = MakeFrame(FALSE);
  ASSERT_NE(pFrame, nullptr);
  CSplitterWnd& split = pFrame->m_wndSplitter;
  CRect rectClient;
  split.GetClientRect(rectClient);
  CRect rectFrame;
  pFrame->GetClientRect(rectFrame);
  EXPECT_EQ(rectClient.Size(), rectFrame.Size());  // the splitter is the frame's pane

  CWnd* pLeft = split.GetPane(0, 0);
  CWnd* pRight = split.GetPane(0, 1);
  ASSERT_NE(pLeft, nullptr);
  ASSERT_NE(pRight, nullptr);
  EXPECT_TRUE(pLeft->IsKindOf(RUNTIME_CLASS(CLeftView)));
  EXPECT_TRUE(pRight->IsKindOf(RUNTIME_CLASS(CRightView)));
  EXPECT_EQ(pLeft->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(pRight->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 1);
  CRect rectLeft = RectInParent(pLeft->m_hWnd);
  CRect rectRight = RectInParent(pRight->m_hWnd);
  EXPECT_EQ(rectLeft.Width(), 150);
  EXPECT_EQ(rectRight.left, 150 + split.m_cxSplitterGap);
  EXPECT_EQ(rectRight.right, rectClient.right);
  int cxCur, cxMin;
  split.GetColumnInfo(1, cxCur, cxMin);
  EXPECT_EQ(cxCur, rectRight.Width());

  // Replace the right view while the frame shows it as active.
  pFrame->SetActiveView(static_cast<CView*>(pRight));
  split.DeleteView(0, 1);
  EXPECT_EQ(pFrame->GetActiveView(), pLeft);  // never left pointing at the dead view
  CCreateContext context;
  ASSERT_TRUE(split.CreateView(0, 1, RUNTIME_CLASS(COtherView), CSize(0, 0), &context));
  split.RecalcLayout();
  CWnd* pNew = split.GetPane(0, 1);
  ASSERT_NE(pNew, nullptr);
  EXPECT_TRUE(pNew->IsKindOf(RUNTIME_CLASS(COtherView)));
  EXPECT_EQ(RectInParent(pNew->m_hWnd), rectRight);
  // A taken pane is refused.
  EXPECT_FALSE(split.CreateView(0, 1, RUNTIME_CLASS(CRightView), CSize(0, 0), &context));
  EXPECT_FALSE(split.CreateView(3, 0, RUNTIME_CLASS(CRightView), CSize(0, 0), &context));

  // Dragging the bar moves the border between the panes.
  CPoint ptDown(150 + 3, 50);
  split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptDown.x, ptDown.y));
  split.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptDown.x + 60, ptDown.y));
  split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptDown.x + 60, ptDown.y));
  EXPECT_EQ(RectInParent(split.GetPane(0, 0)->m_hWnd).Width(), 210);
  EXPECT_EQ(RectInParent(split.GetPane(0, 1)->m_hWnd).left, 210 + split.m_cxSplitterGap);

  pFrame->DestroyWindow();
  PumpPending();
}

TEST(SplitterTest, NestedSplitterFillsItsPane) {
  CSplitFrame* pFrame = MakeFrame(TRUE);
  ASSERT_NE(pFrame, nullptr);
  CSplitterWnd& outer = pFrame->m_wndSplitter;
  CSplitterWnd& inner = pFrame->m_wndInner;
  EXPECT_EQ(outer.GetPane(0, 1), &inner);
  CRect rectInner = RectInParent(inner.m_hWnd);
  EXPECT_EQ(rectInner.left, 150 + outer.m_cxSplitterGap);
  CRect rectTop = RectInParent(inner.GetPane(0, 0)->m_hWnd);
  CRect rectBottom = RectInParent(inner.GetPane(1, 0)->m_hWnd);
  EXPECT_EQ(rectTop.Height(), 100);
  EXPECT_EQ(rectTop.Width(), rectInner.Width());
  EXPECT_EQ(rectBottom.top, 100 + inner.m_cySplitterGap);
  EXPECT_EQ(rectBottom.bottom, rectInner.Height());
  int row = -1, col = -1;
  EXPECT_TRUE(inner.IsChildPane(inner.GetPane(1, 0), &row, &col));
  EXPECT_EQ(row, 1);
  EXPECT_EQ(col, 0);
  EXPECT_FALSE(outer.IsChildPane(inner.GetPane(1, 0), &row, &col));
  pFrame->DestroyWindow();
  PumpPending();
}

}  // namespace
