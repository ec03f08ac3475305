// Tab "ﾌｧｲﾙ" of the page-background pop-up: any picture file, tiled as a texture fill that
// keeps the file's path.
#pragma once

#include "qvzFillChildWnd.h"

class jvqTextureFill;

// The filter of the picture-open dialog of this page.
extern const char g_szPictureFileFilter[];

class qvzImageFileWnd : public qvzFillChildWnd {
 public:
  qvzImageFileWnd();
  virtual void SetFill(const jvqFill* pFill);
  virtual void CreateControls();

  jvqTextureFill* GetTexture() const { return (jvqTextureFill*)m_pFill; }
  CEdit& GetPathEdit() { return m_Path; }
  CButton& GetBrowseButton() { return m_Browse; }

 protected:
  afx_msg void OnBrowse();
  DECLARE_MESSAGE_MAP()

  CEdit m_Path;
  CButton m_Browse;
};
