// What a view does with the keys its tool leaves: nothing, unless a handler says otherwise.
#pragma once

#include "afxwin.h"

class jvqKeyHandler {
 public:
  virtual ~jvqKeyHandler() {}
  // WM_KEYDOWN and WM_KEYUP: virtual key, repeat count, key flags.
  virtual void HandleKey(UINT nChar, UINT nRepCnt, UINT nFlags) {}
  virtual void HandleKey2(UINT nChar, UINT nRepCnt, UINT nFlags) {}
};
