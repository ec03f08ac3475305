#include "InputPage.h"

#include "BmpFileImage.h"
#include "ImageNotify.h"
#include "JpegFileImage.h"
#include "ThumbFileDialog.h"
#include "Twain.h"
#include "WizardProgressDlg.h"
#include "WizardSettings.h"

#include <cstring>

namespace {

const UINT kImageFilterId = 113;
const UINT kUnreadableTypeId = 127;

// Counts what the image classes report while it lives, passing every notice on.
class CReportCounter : public CImageNotify
{
public:
    CReportCounter() : m_nReports(0), m_pPrevious(SetImageNotify(this)) {}
    ~CReportCounter() override { SetImageNotify(m_pPrevious); }
    void ReportError(UINT nID) override
    {
        ++m_nReports;
        m_pPrevious->ReportError(nID);
    }
    void BeginProgress(UINT nCaptionID, int nRange) override { m_pPrevious->BeginProgress(nCaptionID, nRange); }
    void StepProgress(int nPos) override { m_pPrevious->StepProgress(nPos); }
    void EndProgress() override { m_pPrevious->EndProgress(); }
    int m_nReports;

private:
    CImageNotify* m_pPrevious;
};

void ShowStop(UINT nID)
{
    AfxMessageBox(nID, MB_OK | MB_ICONSTOP);
}

} // namespace

int InputFileKind(const char* path)
{
    const char* slash = strrchr(path, '\\');
    const char* name = slash != NULL ? slash + 1 : path;
    const char* dot = strrchr(name, '.');
    if (dot == NULL)
        return 0;
    const char* ext = dot + 1;
    if (_stricmp(ext, "jpg") == 0 || _stricmp(ext, "jpeg") == 0)
        return 1;
    if (_stricmp(ext, "bmp") == 0)
        return 2;
    if (_stricmp(ext, "kjq") == 0)
        return 3;
    return 0;
}

BEGIN_MESSAGE_MAP(CInputPage, CWizardPage)
    ON_BN_CLICKED(IDC_WIZ_NEXT, OnNextPage)
END_MESSAGE_MAP()

CInputPage::CInputPage(CWnd* pParent) : CWizardPage(IDD_INPUT_PAGE, pParent)
{
    GetWizardSettings().OnInputPageConstructed();
}

BOOL CInputPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    m_title.SubclassDlgItem(IDC_INPUT_TITLE, this);
    m_title.ShowWindow(SW_HIDE);
    HINSTANCE module = GetPatinorModule();
    SendDlgItemMessage(IDC_INPUT_FILE, BM_SETIMAGE, IMAGE_ICON,
                       reinterpret_cast<LPARAM>(::LoadIcon(module, MAKEINTRESOURCE(142))));
    SendDlgItemMessage(IDC_INPUT_SCANNER, BM_SETIMAGE, IMAGE_ICON,
                       reinterpret_cast<LPARAM>(::LoadIcon(module, MAKEINTRESOURCE(143))));
    CTwain twain;
    if (!twain.IsAvailable()) {
        for (UINT id : {1010u, 1073u, 1074u})
            if (CWnd* control = GetDlgItem(id))
                control->EnableWindow(FALSE);
    }
    const BOOL file = GetWizardSettings().InputMethod == 1;
    CheckDlgButton(IDC_INPUT_FILE, file ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_INPUT_SCANNER, file ? BST_UNCHECKED : BST_CHECKED);

    // The picture stands centred in the strip left of the group box.
    CWnd* picture = GetDlgItem(IDC_INPUT_PICTURE);
    CWnd* group = GetDlgItem(IDC_INPUT_GROUP);
    if (picture != NULL && group != NULL) {
        picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP,
                             reinterpret_cast<LPARAM>(::LoadBitmap(module, MAKEINTRESOURCE(130))));
        CRect pic, box;
        picture->GetWindowRect(&pic);
        group->GetWindowRect(&box);
        ScreenToClient(&pic);
        ScreenToClient(&box);
        const int x = box.left / 2 - pic.Width() / 2;
        const int y = (box.top + box.bottom) / 2 - pic.Height() / 2;
        picture->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        picture->Invalidate();
    }
    return TRUE;
}

CImage* CInputPage::LoadFromFile()
{
    CString filter;
    filter.LoadString(kImageFilterId);
    CThumbFileDialog dialog(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, NULL);
    dialog.m_ofn.lpstrInitialDir = CTextureWizard::m_szLoadDir;
    for (;;) {
        dialog.m_ofn.lpstrFile[0] = '\0';
        if (dialog.DoModal() != IDOK)
            return NULL;
        const CString path = dialog.GetPathName();
        const int slash = path.ReverseFind('\\');
        if (slash >= 0 && slash + 1 < MAX_PATH)
            lstrcpynA(CTextureWizard::m_szLoadDir, path.Left(slash + 1), MAX_PATH);
        const int kind = InputFileKind(path);
        if (kind == 0) {
            ShowStop(kUnreadableTypeId);
            continue;
        }
        CImage* image = kind == 1 ? static_cast<CImage*>(new CJpegFileImage) : new CBmpFileImage;
        CReportCounter counter;
        if (image->Load(path, 0, kind == 3 ? &GetWizardSettings().TextureInfo : NULL))
            return image;
        delete image;
        // A refused file says so; a shortage was already reported by the image class.
        if (counter.m_nReports == 0)
            ShowStop(kUnreadableTypeId);
    }
}

CImage* CInputPage::AcquireFromScanner()
{
    EnableWindow(FALSE);
    CWizardProgressDlg* progress = new CWizardProgressDlg;
    progress->m_strText = "TWAIN機器を呼び出しています";
    progress->CreateModeless();
    progress->EnableWindow(FALSE);
    CBmpFileImage* image = new CBmpFileImage;
    const BOOL acquired = image->Acquire();
    progress->EnableWindow(TRUE);
    progress->DestroyWindow();
    delete progress;
    EnableWindow(TRUE);
    if (!acquired) {
        delete image;
        return NULL;
    }
    return image;
}

void CInputPage::OnNextPage()
{
    CTextureWizard::ResetDIBData();
    CWizardSettings& settings = GetWizardSettings();
    settings.InputMethod = IsDlgButtonChecked(IDC_INPUT_FILE) == BST_CHECKED ? 1 : 2;
    CImage* image = settings.InputMethod == 1 ? LoadFromFile() : AcquireFromScanner();
    if (image == NULL)
        return;
    CTextureWizard::SetDIBData(image, 0);
    settings.OnNewSourcePicture();
    CWizardPage::OnNext();
}
