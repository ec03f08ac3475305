// The two pages of the template sheet: sample templates for a chosen sheet size, and the
// user's own templates. Both show a folder's templates six at a time.
#pragma once

#include <vector>

#include "CColorEdit.h"
#include "BoardFilePreview.h"
#include "CPreviewGrid.h"
#include "afxext.h"

class CDib;
class qvzTemplateDialog;

class qvzTemplateGridPage : public CPropertyPage {
 public:
  qvzTemplateGridPage(UINT nIDTemplate, PreviewTextForm form);

  void LoadTemplateFolder(const CString& strFolder);
  void ShowGridPage(int nPage);
  void SelectCell(int nCell);
  int GetTemplateCount() const { return m_Grid.GetCount(); }
  int GetGridPageCount() const { return m_Grid.GetPageCount(); }

  qvzTemplateDialog* m_pSheet;
  CString m_strSelectedPath;
  CString m_strDescriptionOut;  // the description box, exchanged on OK

 protected:
  CPreviewGrid m_Grid;
  CColorEdit m_wndDescription;
  PreviewTextForm m_Form;

  void EnableSheetOK(BOOL bEnable);

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
