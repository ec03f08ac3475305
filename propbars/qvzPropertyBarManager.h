// Picks, creates, swaps, shows and refreshes the one property bar of the main frame: the
// bar follows the kind of the selection or, with nothing selected, the creation tool.
#pragma once

#include <vector>

#include "PropertyBarTable.h"
#include "afxext.h"

class jvqObject;
class jvqView;

class qvzPropertyBarManager {
 public:
  qvzPropertyBarManager();
  virtual ~qvzPropertyBarManager();

  BOOL Create(CFrameWnd* pFrame);
  void SwitchBar(CControlBar* pOldBar, BOOL bForce);
  void UpdateCurrentBar();
  void ShowBar(BOOL bShow);
  void RefreshBar();
  // New objects of the creation tools need nothing of the bars.
  void OnObjectCreated(jvqObject*) {}
  jvqView* GetActiveView();
  CControlBar* ChooseBar();
  CControlBar* GetBar(const PropertyBarEntry& entry);
  CControlBar* GetCurrentBar() const { return m_pCurrentBar; }
  // Bars taken out of the frame while one of their handlers still ran; deleted once it
  // returned.
  int GetRetiredCount() const { return (int)m_Retired.size(); }
  void DeleteRetiredBar(CControlBar* pBar);

  std::vector<PropertyBarEntry*> m_entries;
  CFrameWnd* m_pFrame;
  CControlBar* m_pCurrentBar;

 private:
  // Takes a replaced bar out of the frame and deletes it, or leaves that to the end of the
  // handler it is in.
  void RetireBar(CControlBar* pBar);
  std::vector<CControlBar*> m_Retired;
};

extern qvzPropertyBarManager* g_pPropertyBarManager;
// Asks the application to read its font lists again when the default printer changed; the
// frame sets it (NULL: nothing).
extern void (*theRefreshFontsProc)();
