// The bar of pictures: the frame line controls and the replacement of the selected
// pictures' image file, each keeping its place and size.
#pragma once

#include "qvzDrawToolBar.h"

#define IDC_BAR_REPLACE_IMAGE 693
#define IDC_BAR_IMAGE_PATH 1080

class qvzImageToolBar : public qvzDrawToolBar {
  DECLARE_DYNCREATE(qvzImageToolBar)
 public:
  qvzImageToolBar();
  void CreateControls() override;
  void ShowObjectValues(jvqObjectArray& targets) override;
  void ApplyToObjects(jvqObjectArray& targets) override;

  CEdit m_wndPath;
  CButton m_wndReplace;

 protected:
  afx_msg void OnChooseFile();
  DECLARE_MESSAGE_MAP()
};

// The filter of the picture-open dialog (asked through g_pfnAskPictureFile).
extern const char* const PictureFileFilter;
// ".WMF", ".EMF" and ".DXF" in any letter case make a vector picture.
BOOL IsVectorPicturePath(const CString& strPath);
