// The angle and range page: the source picture turned by quarter turns or any angle, and
// the whole of it or a dragged part taken into slot 1.
#pragma once

#include "NumEdit.h"
#include "WizardPage.h"

enum : UINT {
    IDD_RANGE_PAGE = 102,
    IDC_RANGE_TURN_LEFT = 1006,
    IDC_RANGE_TURN_RIGHT = 1027,
    IDC_RANGE_SPIN = 1029,
    IDC_RANGE_PART = 1030,
    IDC_RANGE_TILING = 1032,
    IDC_RANGE_TILING_NOTE = 1057,
    IDC_RANGE_GUIDE = 1058,
    IDC_RANGE_ANGLE = 1059,
    IDC_RANGE_RESET = 1097,
    IDC_RANGE_CLOCKWISE = 1098,
    IDC_RANGE_ANTICLOCKWISE = 1099,
    IDC_RANGE_ROTATE = 1100,
    IDC_RANGE_ALL = 1101,
    IDC_RANGE_HEADING = 1117,
};

class PATINOR_API CRangePage : public CWizardPage
{
public:
    explicit CRangePage(CWnd* pParent = NULL);

    void ArrangeControls() override;
    // Turns the picture by d hundredths of a degree more, from the source.
    void Rotate(int d);
    // The turn that "回 転" applies for the typed angle.
    static int TypedTurn(double typed, BOOL clockwise);

    CFloatSpin m_spin;
    CFloatEdit m_angle;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnTurnLeft();
    afx_msg void OnTurnRight();
    afx_msg void OnReset();
    afx_msg void OnRotate();
    afx_msg void OnDirection();
    afx_msg void OnWhole();
    afx_msg void OnPart();
    afx_msg void OnTiling();
    afx_msg void OnNextPage();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnApplyEdit(WPARAM, LPARAM);
    afx_msg LRESULT OnSizeChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    void ApplyTiling();
    LayoutEntry m_table[26];
    BOOL m_bShowsImage;
};
