// "タイトルの文字・形状編集": one title style's text, shape (picked from a grid of the twelve
// shapes drawn with the current settings), direction, bold, italic, shadow and colours.
#pragma once

#include "afxwin.h"
#include "CToggleStatic.h"
#include "jvqBannerStyle.h"
#include "jvqColorPicker.h"
#include "qvzTextRules.h"
#include "qvzTitlePreviewGrid.h"

#define IDD_QVZ_TITLE_EDIT 279

class qvzTitleEditDlg : public CDialog {
 public:
  // Starts from the title prototype's style.
  explicit qvzTitleEditDlg(CWnd* pParent = NULL);

  void SetTitleStyle(const jvqBannerStyle& style);

  jvqBannerStyle m_Style;
  // Decoration as bits: 2 bold, 4 italic.
  int m_nStyleBits;
  // The position lock box, read on OK.
  int m_bLocked;
  qvzTitlePreviewGrid m_wndPreview;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

  afx_msg void OnBold();
  afx_msg void OnItalic();
  afx_msg void OnHorizontal();
  afx_msg void OnVertical();
  afx_msg void OnFace();
  afx_msg void OnShadow();
  afx_msg void OnPreviewPick();
  DECLARE_MESSAGE_MAP()

  class Listener : public jvqColorPickerListener {
   public:
    explicit Listener(qvzTitleEditDlg* p) : m_pDlg(p) {}
    void Notify(UINT nCode, const jvqFill* pValue, UINT nID) override;
    qvzTitleEditDlg* m_pDlg;
  };

  // Redraws the twelve shapes with the current settings and marks the style's shape.
  void BuildPreview();
  void ShowToggles();

  qvzTitleCells m_Horizontal;
  qvzTitleCells m_Vertical;
  Listener m_Listener;
  CToggleStatic m_wndBold;
  CToggleStatic m_wndItalic;
  jvqColorPicker m_wndText;
  jvqColorPicker m_wndFill;
  jvqColorPicker m_wndLine;
  CComboBox m_wndFace;
};
