// The open-file dialog of the input page with a preview of the selected picture below
// the system's controls.
#pragma once

#include "Patinor.h"

#include <afxdlgs.h>

class CImage;

enum : UINT {
    IDD_THUMB_FILE = 129,
    IDC_THUMB_PREVIEW = 1096,
};

class PATINOR_API CThumbPreview : public CStatic
{
public:
    CThumbPreview() : m_hBitmap(NULL) {}
    ~CThumbPreview() override;
    // Shows a scaled copy of image (or nothing) and deletes the image.
    void SetImage(CImage* image);

    HBITMAP m_hBitmap;

protected:
    void DeleteBitmap();
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

// The preview size of a w x h picture in a W x H area, aspect kept.
SIZE PreviewSize(int areaWidth, int areaHeight, int width, int height);

class PATINOR_API CThumbFileDialog : public CFileDialog
{
public:
    CThumbFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                     DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                     CWnd* pParentWnd = NULL);

    CThumbPreview m_preview;

protected:
    void OnInitDone() override;
    void OnFileNameChange() override;
};
