// Step 1 of the image wizard: a picture from a file (with a preview in the file dialog)
// or from a TWAIN scanner or camera, loaded into slot 0 by Next.
#pragma once

#include "WizardPage.h"

enum : UINT {
    IDD_INPUT_PAGE = 101,
    IDC_INPUT_FILE = 1009,
    IDC_INPUT_SCANNER = 1010,
    IDC_INPUT_TITLE = 1011,
    IDC_INPUT_PICTURE = 1079,
    IDC_INPUT_GROUP = 4000,
};

class PATINOR_API CInputPage : public CWizardPage
{
public:
    explicit CInputPage(CWnd* pParent = NULL);

    CStatic m_title;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnNextPage();
    DECLARE_MESSAGE_MAP()

    // The picture the user picks, or NULL when the dialog was cancelled.
    CImage* LoadFromFile();
    CImage* AcquireFromScanner();
};

// The kind of image a file's extension gives: 1 JPEG, 2 BMP, 3 texture file, 0 refused.
int InputFileKind(const char* path);
