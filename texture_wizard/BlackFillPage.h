// The black-fill page: paints what is to become transparent in black with four tools.
// The step loop does not show it; it reads slot 2 and fills slot 3.
//
// Ours where nothing fixes it: the page opens with the tool the size page selected (1:
// brush) checked, the remembered sizes in the two radio groups, tolerance 32 in 1067
// (spin 0-255); Next and Back are the frame's.
#pragma once

#include "WizardPage.h"

enum : UINT {
    IDD_BLACKFILL_PAGE = 104,
    IDC_FILL_TOOL1 = 1038,
    IDC_FILL_TOOL2 = 1039,
    IDC_FILL_TOOL3 = 1040,
    IDC_FILL_TOOL4 = 1041,
    IDC_FILL_TOOL2_SMALL = 1042,
    IDC_FILL_TOOL1_SMALL = 1045,
    IDC_FILL_TOLERANCE_SPIN = 1048,
    IDC_FILL_TOLERANCE = 1067,
};

class PATINOR_API CBlackFillPage : public CWizardPage
{
public:
    explicit CBlackFillPage(CWnd* pParent = NULL);

    void ArrangeControls() override;

    int m_nTool1Size; // radio group 1045-1047
    int m_nTool2Size; // radio group 1042-1044

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTool(UINT nID);
    afx_msg void OnSize1(UINT nID);
    afx_msg void OnSize2(UINT nID);
    afx_msg void OnToleranceChanged();
    afx_msg void OnNextPage();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    void SelectTool(int tool);
    int Tolerance();
    LayoutEntry m_table[24];
    BOOL m_bShowsImage;
};
