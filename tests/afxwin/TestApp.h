// An application object for window tests: message boxes are recorded, never shown.
#pragma once

#include "afxwin.h"

#include <string>
#include <vector>

class CTestApp : public CWinApp {
 public:
  explicit CTestApp(LPCTSTR lpszAppName = "AfxTest") : CWinApp(lpszAppName) {}

  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override {
    m_messages.push_back(lpszPrompt != NULL ? lpszPrompt : "");
    return m_nMessageBoxAnswer;
  }

  std::vector<std::string> m_messages;
  int m_nMessageBoxAnswer = IDOK;
};

// Dispatches everything queued (through the application's loop), then runs idle time.
void PumpPending(CWinThread* pThread);

// Pumps until pred() holds or about five seconds pass.
template <class Pred>
bool PumpUntil(CWinThread* pThread, Pred pred) {
  for (int i = 0; i < 500 && !pred(); i++) {
    PumpPending(pThread);
    ::Sleep(10);
  }
  return pred();
}
