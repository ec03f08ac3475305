// The question after a texture file was saved: finish, stay, or take another picture.
#pragma once

#include "Patinor.h"

enum : UINT {
    IDD_NEXT_IMAGE = 185,
    IDC_NEXT_OTHER_IMAGE = 1004,
};

class PATINOR_API CNextImageDlg : public CDialog
{
public:
    explicit CNextImageDlg(CWnd* pParent = NULL) : CDialog(IDD_NEXT_IMAGE, pParent) {}

protected:
    BOOL OnInitDialog() override;
    // Only the three buttons end it.
    void OnCancel() override {}
    void OnOK() override {}
    afx_msg void OnYes();
    afx_msg void OnNo();
    afx_msg void OnOtherImage();
    DECLARE_MESSAGE_MAP()
};
