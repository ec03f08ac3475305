// The last page: colour balance and brightness of slot 2 by sliders, and "画像取り込み",
// which writes the picture as a 24-bit BMP into the temporary folder and ends the wizard.
#pragma once

#include "NumEdit.h"
#include "WizardPage.h"

#include <afxcmn.h>

enum : UINT {
    IDD_COLOR_PAGE = 105,
    IDD_COLOR_PAGE_NEXT = 186,
    IDC_COLOR_RED_EDIT = 1028,
    IDC_COLOR_GREEN_EDIT = 1033,
    IDC_COLOR_RED = 1050,
    IDC_COLOR_GREEN = 1051,
    IDC_COLOR_BLUE = 1052,
    IDC_COLOR_BLUE_EDIT = 1053,
    IDC_COLOR_BRIGHTNESS = 1054,
    IDC_COLOR_256 = 1055,
    IDC_COLOR_FULL = 1056,
};

class PATINOR_API CColorPage : public CWizardPage
{
public:
    explicit CColorPage(UINT nIDTemplate = IDD_COLOR_PAGE, CWnd* pParent = NULL);

    void ArrangeControls() override;
    // Writes slot 2 to the result file; FALSE (and no file) when it could not.
    BOOL TakeIn();

    CSliderCtrl m_brightness;
    CSliderCtrl m_blue;
    CSliderCtrl m_green;
    CSliderCtrl m_red;
    CNumEdit m_greenEdit;
    CNumEdit m_blueEdit;
    CNumEdit m_redEdit;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnRevertColor();
    afx_msg void OnTakeIn();
    afx_msg void On256Colors();
    afx_msg void OnFullColor();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnApplyEdit(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    // The slider's offset becomes its position and the balance is applied.
    void EndTracking(HWND slider);
    void ApplyBalance();
    LayoutEntry m_table[24];
    BOOL m_bShowsImage;
};
