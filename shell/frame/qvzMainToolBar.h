// The main tool bar: large bitmap buttons for the drawing tools. Buttons 86 and 87 each stand
// for a family of three tools and show the variant last used.
#pragma once

#include "CDibToolBar.h"

#define ID_TOOL_RECT_FAMILY 86
#define ID_TOOL_ARC_FAMILY 87

struct ToolVariantRow {
  int nButton;
  int nToolId;
  int nCommand;
  int nNormal, nHot, nDisabled;
};
extern const ToolVariantRow ToolVariants[6];
// The variant row of a tool id, or NULL.
const ToolVariantRow* FindToolVariant(int nToolId);

class qvzMainToolBar : public CDibToolBar {
  DECLARE_DYNCREATE(qvzMainToolBar)
 public:
  qvzMainToolBar();
  ~qvzMainToolBar() override;

  void SetButtons(int nCount, const DibButtonRow* pRows, int nHeight);
  void ShowToolVariant(int nToolId);
  void SetButtonState(UINT nID, int nState) override;
  void OnDropDown(CDibToolBarButton* pButton, CPoint point) override;
  // The tool tip now shown for a family button.
  CString GetVariantTip(int nButton) const;

  int m_nRectVariantTool;
  int m_nArcVariantTool;

 protected:
  void ReplaceTip(int nButton, UINT nString);
  CToolTipCtrl* m_pRectTip;
  CToolTipCtrl* m_pArcTip;
  CString m_strRectTip;
  CString m_strArcTip;
};

// The part of a command's string resource after "\n".
CString CommandToolTip(UINT nID);
