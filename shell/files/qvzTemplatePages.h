// The two pages of the template sheet: sample templates for a chosen sheet size, and the
// user's own templates. Both show a folder's templates six at a time.
#pragma once

#include <vector>

#include "CColorEdit.h"
#include "CObjectPreviewCell.h"
#include "BoardFilePreview.h"
#include "afxext.h"

class CDib;
class qvzTemplateDialog;

// Cells 0-5, upper row then lower row, and their name boxes.
extern const int PREVIEW_CELL_IDS[6];
extern const int PREVIEW_NAME_IDS[6];

class qvzTemplateGridPage : public CPropertyPage {
 public:
  qvzTemplateGridPage(UINT nIDTemplate, PreviewTextForm form, int nDescriptionLimit);
  ~qvzTemplateGridPage() override;

  void LoadTemplateFolder(const CString& strFolder);
  void ShowGridPage(int nPage);
  void SelectCell(int nCell);
  int GetTemplateCount() const { return (int)m_Paths.size(); }
  int GetGridPageCount() const { return ((int)m_Paths.size() + 5) / 6; }

  qvzTemplateDialog* m_pSheet;
  CString m_strSelectedPath;
  std::vector<CString> m_Paths;
  CString m_strDescriptionOut;  // the description box, exchanged on OK

 protected:
  CObjectPreviewCell m_Cells[6];
  CScrollBar m_wndScroll;
  CColorEdit m_wndDescription;
  std::vector<CDib*> m_Pictures;
  std::vector<CString> m_Descriptions;
  PreviewTextForm m_Form;
  int m_nDescriptionLimit;

  void ClearLists();
  void SetUpScrollBar();
  void EnableSheetOK(BOOL bEnable);
  void ScrollTo(int nPage);

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnCell(UINT nID);
  afx_msg void OnCellDoubleClick(UINT nID);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};

class qvzDefaultTempPage : public qvzTemplateGridPage {
 public:
  qvzDefaultTempPage();
  int m_nSheetWidth, m_nSheetHeight;

 protected:
  CComboBox m_wndPaper;
  BOOL OnInitDialog() override;
  afx_msg void OnPaperChange();
  DECLARE_MESSAGE_MAP()
};

class qvzCustomTempPage : public qvzTemplateGridPage {
 public:
  qvzCustomTempPage();

 protected:
  BOOL OnInitDialog() override;
  afx_msg void OnDeleteTemplate();
  DECLARE_MESSAGE_MAP()
};
