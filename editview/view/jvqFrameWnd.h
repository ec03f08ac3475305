// The frame of the editing view: owns the two rulers and whether they are shown.
#pragma once

#include "afxwin.h"
#include "jvqRulerBar.h"

class jvqFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(jvqFrameWnd)
 public:
  jvqFrameWnd();
  ~jvqFrameWnd() override;

  BOOL CreateRulers();
  // The guides of both rulers drawn into the view's paint DC.
  void DrawGuides(CDC* pDC);

  jvqRulerBar m_wndHorzRuler;
  jvqRulerBar m_wndVertRuler;
  UINT m_nVertRulerId;
  UINT m_nHorzRulerId;
  int m_nFlags;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  DECLARE_MESSAGE_MAP()
};
