// The main frame's menu manager. It hooks no window; constructing it redraws the
// framework's shared radio check mark as a small round dot.
#pragma once

#include "CSubclassWnd.h"

class CCoolMenuManager : public CSubclassWnd {
  DECLARE_DYNAMIC(CCoolMenuManager)
 public:
  CCoolMenuManager();
  ~CCoolMenuManager() override;

  // Fills the shared radio check-mark bitmap white with a black dot in its middle.
  static void FixRadioMark();
};
