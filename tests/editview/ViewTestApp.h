// The editing view in a frame with rulers, as the program has it, for the window tests:
// the application records its messages, a recording host stands above the view, and the
// Alt key is scripted.
#pragma once

#include <string>
#include <vector>

#include "afxwin.h"
#include "jvqFrameWnd.h"
#include "jvqViewHost.h"

class qvzDocument;
class qvzView;

class CViewTestApp : public CWinApp {
 public:
  CViewTestApp() : CWinApp("EditViewTest") {}
  int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override {
    m_messages.push_back(lpszPrompt ? lpszPrompt : "");
    return m_nAnswer;
  }
  std::vector<std::string> m_messages;
  int m_nAnswer = IDOK;
};

// Records each call by name; questions take the scripted answer.
class CRecordingHost : public jvqViewHost {
 public:
  void SwitchBar(BOOL) override { m_calls.push_back("SwitchBar"); }
  void UpdateStatusBar() override { m_calls.push_back("UpdateStatusBar"); }
  void UpdateControlBars() override { m_calls.push_back("UpdateControlBars"); }
  void SelectFitInZoomBox() override { m_calls.push_back("SelectFitInZoomBox"); }
  void ShowToolVariant(int nToolId) override { m_variants.push_back(nToolId); }
  void ShowFolderControls() override { m_calls.push_back("ShowFolderControls"); }
  void HandleKey(jvqView*, UINT nChar, UINT, UINT) override { m_calls.push_back("HandleKey"); }
  BOOL IsOverFavoritesList(POINT) override { return m_bOverFavorites; }
  int GetFavoriteCategory() override { return m_nCategory; }
  void ReloadFavoriteCategories() override { m_calls.push_back("ReloadFavoriteCategories"); }
  BOOL AskRotateAngle(int* pAngle) override {
    m_calls.push_back("AskRotateAngle");
    *pAngle = m_nAngle;
    return m_bAngleOk;
  }
  BOOL ShowLockNotice(BOOL* pbDontShowAgain) override {
    m_calls.push_back("ShowLockNotice");
    *pbDontShowAgain = m_bDontShowAgain;
    return TRUE;
  }
  void ShowSnapState(BOOL bOn) override { m_snapStates.push_back(bOn); }
  void BeginTextEditor(CWnd*, jvqObject* pTextFrame, int nMode, POINT) override { m_pEdited = pTextFrame; }
  BOOL EditTitleStyle(jvqBannerStyle*, BOOL*) override {
    m_calls.push_back("EditTitleStyle");
    return m_bTitleOk;
  }
  BOOL AskFloorPlanScale(int* pN) override {
    m_nAskedScale = *pN;
    *pN = m_nScaleAnswer;
    return m_bSettingsOk;
  }
  BOOL EditAutoSaveInterval(int* pInterval) override {
    if (m_bSettingsOk) *pInterval = m_nScaleAnswer;
    return m_bSettingsOk;
  }
  BOOL EditSymbolScale(int* pN) override {
    m_nAskedScale = *pN;
    if (m_bSettingsOk) *pN = m_nScaleAnswer;
    return m_bSettingsOk;
  }
  void OpenBoard(LPCTSTR lpszPath) override { m_opened.push_back(lpszPath); }
  BOOL GetFavoriteSelection(CString* pFolder, CString* pName) override {
    *pFolder = m_strFavoriteFolder.c_str();
    *pName = m_strFavoriteName.c_str();
    return !m_strFavoriteFolder.empty();
  }
  void ShowFavorites(LPCTSTR lpszFolder, LPCTSTR lpszSelect) override {
    m_strFavoriteFolder = lpszFolder;
    m_strFavoriteName = lpszSelect;
  }
  BOOL AskNewFavoriteCategory(CString* pName) override {
    *pName = m_strNewCategory.c_str();
    return !m_strNewCategory.empty();
  }
  BOOL AskFavoriteRename(LPCTSTR, CString* pName) override {
    *pName = m_strRename.c_str();
    return !m_strRename.empty();
  }
  int MessageBox(LPCTSTR lpszText, UINT nType) override {
    m_messages.push_back(lpszText);
    return m_nAnswer;
  }
  int Count(const char* name) const {
    int n = 0;
    for (const std::string& s : m_calls) n += s == name;
    return n;
  }
  std::vector<std::string> m_calls;
  std::vector<std::string> m_messages;
  std::vector<int> m_variants;
  int m_nAnswer = IDNO;
  BOOL m_bOverFavorites = FALSE;
  int m_nCategory = -1;
  int m_nAngle = 0;
  BOOL m_bAngleOk = FALSE;
  BOOL m_bDontShowAgain = FALSE;
  std::vector<BOOL> m_snapStates;
  jvqObject* m_pEdited = nullptr;
  std::vector<std::string> m_opened;
  // Answers of the settings dialogs.
  BOOL m_bSettingsOk = FALSE;
  int m_nScaleAnswer = 0;
  int m_nAskedScale = -1;
  BOOL m_bTitleOk = FALSE;
  // The favourites palette: its folder (empty: not shown) and selected name.
  std::string m_strFavoriteFolder, m_strFavoriteName, m_strNewCategory, m_strRename;
};

class CTestFrame : public jvqFrameWnd {
  DECLARE_DYNCREATE(CTestFrame)
 public:
  CTestFrame() {
    m_nVertRulerId = 1002;
    m_nHorzRulerId = 1004;
  }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  DECLARE_MESSAGE_MAP()
};

CViewTestApp* TestApp();
