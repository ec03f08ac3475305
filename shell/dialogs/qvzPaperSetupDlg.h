// The sheet of the board's current page (template 311): size, background, whether the
// background prints, and the colour around the paper. OK edits the page directly.
#pragma once

#include "afxwin.h"
#include "jvqColorPicker.h"
#include "qvzFillButton.h"

class jvqBoard;
class jvqFill;
class jvqPage;
class jvqView;

class qvzPaperSetupDlg : public CDialog {
 public:
  enum { IDD = 311 };
  explicit qvzPaperSetupDlg(CWnd* pParent = NULL);

  void SetView(jvqView* pView) { m_pView = pView; }
  // The colour around the paper that views take when they start (the settings' Window Color).
  void SetOutsideColorSetting(COLORREF* pColor) { m_pOutsideSetting = pColor; }
  // The paper background the fill button holds (a copy; NULL is transparent).
  void SetBackground(const jvqFill* pFill) { m_btnBackground.SetFill(pFill); }
  const jvqFill* GetBackground() { return m_btnBackground.GetFill(); }

  CComboBox m_cbSheets;
  jvqColorPicker m_picker;
  qvzImageFillButton m_btnBackground;
  CButton m_chkPrintBackground;
  jvqView* m_pView;
  jvqBoard* m_pBoard;
  jvqPage* m_pPage;
  int m_nWidth;
  int m_nHeight;
  int m_nStartSheet;
  // Set by OK when the page or the outside colour really changed.
  int m_nChanged;
  int AllowCancel;
  int SkipSizeWarning;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void ShowSize();
  void CentrePicture();
  afx_msg void OnSelChangeSheet();
  DECLARE_MESSAGE_MAP()

  COLORREF* m_pOutsideSetting;
};
