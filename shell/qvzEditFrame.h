// The main window of the board designer until the full main frame with its bars, tabs and
// menus takes its place: the frame of the editing view with its two rulers, and the host
// through which the view reaches what lies above it.
#pragma once

#include "jvqFrameWnd.h"
#include "jvqViewHost.h"

class qvzEditFrame : public jvqFrameWnd, public jvqViewHost {
  DECLARE_DYNCREATE(qvzEditFrame)
 public:
  qvzEditFrame();
  ~qvzEditFrame() override;

  // The host: messages go to the user; what belongs to the bars waits for them.
  int MessageBox(LPCTSTR lpszText, UINT nType) override;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  DECLARE_MESSAGE_MAP()
};
