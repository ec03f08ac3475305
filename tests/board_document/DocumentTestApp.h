// The application object of the document tests: message boxes are recorded, not shown.
#pragma once

#include <string>
#include <vector>

#include "afxwin.h"

class CDocumentTestApp : public CWinApp {
 public:
  CDocumentTestApp() : CWinApp("BoardDocumentTest") {}
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override {
    m_messages.push_back(lpszPrompt ? lpszPrompt : "");
    return IDOK;
  }
  void AddToRecentFileList(LPCTSTR lpszPathName) override {
    m_recent.push_back(lpszPathName ? lpszPathName : "");
    CWinApp::AddToRecentFileList(lpszPathName);
  }
  std::vector<std::string> m_messages;
  std::vector<std::string> m_recent;  // every path added to the recent-file list
};

inline CDocumentTestApp* TestApp() { return static_cast<CDocumentTestApp*>(AfxGetApp()); }
