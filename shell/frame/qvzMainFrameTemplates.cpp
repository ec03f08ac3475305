// File > ひな型として保存: the board saved into the template folder, asked again until the
// user stays in that folder or cancels.
#include "qvzApp.h"
#include "qvzDocument.h"
#include "qvzMainFrame.h"
#include "qvzTemplateSaveDlg.h"
#include "resource.h"

void qvzMainFrame::OnSaveTemplate() {
  const CString folder = theQvzApp()->m_strAppFolder + "ひな型";
  for (;;) {
    qvzTemplateSaveDlg dlg(FALSE, "vqd", NULL, OFN_NONETWORKBUTTON | OFN_ENABLETEMPLATE | OFN_OVERWRITEPROMPT,
                           "ひな型ファイル(*.VQD)|*.VQD|", this);
    dlg.m_ofn.Flags &= ~(DWORD)OFN_EXPLORER;
    dlg.m_ofn.hInstance = AfxGetResourceHandle();
    dlg.m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_TEMPLATE_SAVE);
    dlg.m_ofn.lpstrInitialDir = folder;
    dlg.m_strTemplateFolder = folder;
    if (dlg.DoModal() != IDOK) return;
    if (!dlg.m_bInTemplateFolder) {
      AfxMessageBox("ファイル保存位置が異なります。", MB_OK | MB_ICONEXCLAMATION);
      continue;
    }
    CString path = dlg.GetPathName();
    CString ext = path.Right(4);
    ext.MakeUpper();
    if (ext != ".VQD") path += ".vqd";
    if (qvzDocument* d = GetBoardDocument()) d->OnSaveDocument(path);
    return;
  }
}
