// The bars of rectangular shapes: rectangles, rounded rectangles (corner size in whole
// millimetres) and the two balloon bars, which also reach the balloon's own fill.
#pragma once

#include "CNotifyEdit.h"
#include "qvzDrawToolBar.h"

#define IDC_BAR_CORNER 719
#define IDC_BAR_TEXT_DETAIL 741

class qvzRectToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzRectToolBar)
 public:
  qvzRectToolBar();
};

class qvzRoundRectToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzRoundRectToolBar)
 public:
  qvzRoundRectToolBar();
  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;

  CNotifyEdit m_wndCorner;

 protected:
  afx_msg LRESULT OnEditNotify(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

class qvzRectBalloonToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzRectBalloonToolBar)
 public:
  qvzRectBalloonToolBar();
  ~qvzRectBalloonToolBar() override;
  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;

  jvqObject* m_pTextSample;
  CButton m_wndTextDetail;

 protected:
  void TakeTextSample(jvqObject* pBalloon);
  afx_msg void OnTextDetail();
  DECLARE_MESSAGE_MAP()
};

class qvzRoundRectBalloonToolBar : public qvzRectBalloonToolBar {
  DECLARE_DYNCREATE(qvzRoundRectBalloonToolBar)
 public:
  qvzRoundRectBalloonToolBar();
  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;

  CEdit m_wndCorner;

 protected:
  void CommitCorner();
  afx_msg void OnCornerKillFocus();
  afx_msg LRESULT OnEditNotify(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 public:
  BOOL PreTranslateMessage(MSG* pMsg) override;
};

// The text detail dialog of the balloon bars comes with the text bars: it shows the
// balloons' common text style and, on OK (TRUE), gives it to the sample text object, which
// the bar then writes into the balloons; NULL until then.
typedef BOOL (*qvzBalloonTextDetailProc)(CWnd* pParent, jvqObjectArray& balloons, jvqObject* pSample);
extern qvzBalloonTextDetailProc theBalloonTextDetailProc;

// The corner radius shown in the corner edit: "" for a mixed or an unset radius.
int GetCornerRadius(jvqObject* pShape);
