// Hands a colour picker's choice to its fill page as the message QVZM_COLORCHANGED with the
// picker's id; the picker's other codes are of no interest to the pages.
#pragma once

#include "jvqColorPicker.h"

class qvzFillPickerListener : public jvqColorPickerListener {
 public:
  qvzFillPickerListener() : m_pPage(NULL) {}
  void Attach(CWnd* pPage) { m_pPage = pPage; }
  virtual void Notify(UINT nCode, const jvqFill*, UINT nID) {
    if (nCode == QVZM_COLORCHANGED && m_pPage && m_pPage->m_hWnd) m_pPage->SendMessage(QVZM_COLORCHANGED, nID, 0);
  }

 private:
  CWnd* m_pPage;
};
