// The size page: the picture of slot 1 resized by dragging the view's control points or by
// typed width and height (aspect kept on request), or only cut to the crop box; Next
// stores the result in slot 2.
#pragma once

#include "NumEdit.h"
#include "WizardPage.h"

enum : UINT {
    IDD_SIZE_PAGE = 103,
    IDC_SIZE_KEEP_ASPECT = 1031,
    IDC_SIZE_GUIDE = 1058,
    IDC_SIZE_WIDTH = 1061,
    IDC_SIZE_HEIGHT = 1062,
    IDC_SIZE_TIMES = 1063,
    IDC_SIZE_PIXEL = 1065,
    IDC_SIZE_CROP_WIDTH = 1067,
    IDC_SIZE_CROP_HEIGHT = 1073,
    IDC_SIZE_ADJUST = 1111,
    IDC_SIZE_PICTURE = 1114,
};

// The largest side the size page lets a picture have.
const int kMaxPictureSide = 16384;

class PATINOR_API CSizePage : public CWizardPage
{
public:
    explicit CSizePage(CWnd* pParent = NULL);

    void ArrangeControls() override;
    // The other side for a typed one, aspect of W0 x H0 kept: (H0·w + W0/2) / W0.
    static int KeptSide(int typed, int typedBase, int otherBase);

    CNumEdit m_width;
    CNumEdit m_height;
    CNumEdit m_cropWidth;
    CNumEdit m_cropHeight;
    int m_nWidth;
    int m_nHeight;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnAdjust();
    afx_msg void OnKeepAspect();
    afx_msg void OnWidthChanged();
    afx_msg void OnHeightChanged();
    afx_msg void OnNextPage();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnApplyEdit(WPARAM, LPARAM);
    afx_msg LRESULT OnSizeChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    void ApplyAdjust();
    SIZE SourceSize() const;
    LayoutEntry m_table[32];
    BOOL m_bShowsImage;
    BOOL m_bWriting; // the page itself writes the edits
};
