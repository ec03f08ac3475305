#include "Patinor.h"

#include "BmpFileImage.h"
#include "ColorPage.h"
#include "EditDIBView.h"
#include "Image.h"
#include "ImageNotify.h"
#include "InputPage.h"
#include "RangePage.h"
#include "SizePage.h"
#include "WizardNotify.h"
#include "WizardProgressDlg.h"
#include "WizardSettings.h"

#include <cstring>

WizardType CTextureWizard::m_nWizardType = WIZARD_TYPE_EDIT;
int CTextureWizard::m_nStep = 0;
CEditDIBView* CTextureWizard::m_pDIBView = NULL;
CImage* CTextureWizard::m_pSrcImage[4] = {NULL, NULL, NULL, NULL};
CString CTextureWizard::m_strSaveFileName;
char CTextureWizard::m_szLoadDir[MAX_PATH] = "C:\\Work";

namespace {

// The one wizard whose pages may run; all state is static, so a second one stays inert.
const CTextureWizard* liveWizard = NULL;

CEditDIBView* MakeDIBView()
{
    CEditDIBView* view = new CEditDIBView;
    if (!view->Create()) {
        delete view;
        return NULL;
    }
    return view;
}

DIBViewMaker viewMaker = MakeDIBView;
WizardPageMaker pageMaker = MakeWizardPage;

const UINT kPageFailedId = 203;

bool ValidSlot(int slot)
{
    return slot >= 0 && slot < 4;
}

} // namespace

CWizardSettings& GetWizardSettings()
{
    static CWizardSettings settings;
    return settings;
}

DIBViewMaker SetDIBViewMaker(DIBViewMaker maker)
{
    DIBViewMaker previous = viewMaker;
    viewMaker = maker != NULL ? maker : MakeDIBView;
    return previous;
}

WizardPageMaker SetWizardPageMaker(WizardPageMaker maker)
{
    WizardPageMaker previous = pageMaker;
    pageMaker = maker != NULL ? maker : MakeWizardPage;
    return previous;
}

CDialog* MakeWizardPage(WizardType type, int step)
{
    // A scanner run starts at the angle page: its steps are the image wizard's one later.
    const int page = type == WIZARD_TYPE_SCANNER ? step + 1 : step;
    switch (page) {
    case 1: return type == WIZARD_TYPE_EDIT ? new CInputPage : NULL;
    case 2: return new CRangePage;
    case 3: return new CSizePage;
    case 4: return new CColorPage(IDD_COLOR_PAGE);
    }
    return NULL;
}

CWizardResourceScope::CWizardResourceScope() : m_hPrevious(AfxGetResourceHandle()), m_bAddedPrevious(FALSE)
{
    AfxSetResourceHandle(GetPatinorModule());
    m_bAddedPrevious = AfxAddResourceModule(m_hPrevious);
}

CWizardResourceScope::~CWizardResourceScope()
{
    if (m_bAddedPrevious)
        AfxRemoveResourceModule(m_hPrevious);
    AfxSetResourceHandle(m_hPrevious);
}

CTextureWizard::CTextureWizard(WizardType type)
{
    if (liveWizard != NULL)
        return; // the first wizard keeps the view and the slots
    liveWizard = this;
    m_nWizardType = type;
    m_pDIBView = viewMaker();
    for (CImage*& slot : m_pSrcImage)
        slot = NULL;
    m_nStep = 0;
    strcpy(m_szLoadDir, "C:\\Work");
    m_strSaveFileName.Empty();
}

CTextureWizard::CTextureWizard(const CTextureWizard&)
{
}

CTextureWizard& CTextureWizard::operator=(const CTextureWizard&)
{
    return *this;
}

CTextureWizard::~CTextureWizard()
{
    if (liveWizard != this)
        return;
    liveWizard = NULL;
    if (m_pDIBView != NULL) {
        // The view deletes itself once its window is gone.
        m_pDIBView->DestroyWindow();
        m_pDIBView = NULL;
    }
    ResetDIBData();
    // A file already gone or held open elsewhere is simply left; nothing here throws.
    if (!m_strSaveFileName.IsEmpty())
        ::DeleteFileA(m_strSaveFileName);
}

int CTextureWizard::DisplayWizard()
{
    if (liveWizard != this)
        return IDCANCEL;
    if (m_pDIBView == NULL) {
        GetImageNotify()->ReportError(IDS_IMAGE_NO_RESOURCE);
        return IDCANCEL;
    }
    CWizardResourceScope scope;
    CWizardNotify notify;
    int steps = 4;
    if (m_nWizardType == WIZARD_TYPE_SCANNER) {
        CWizardProgressDlg progress;
        progress.m_strText = "TWAIN機器を呼び出しています";
        progress.CreateModeless();
        CBmpFileImage* image = new CBmpFileImage;
        const BOOL acquired = image->Acquire();
        progress.DestroyWindow();
        if (!acquired) {
            delete image;
            return IDCANCEL;
        }
        SetDIBData(image, 0);
        GetWizardSettings().OnNewSourcePicture();
        steps = 3;
    }
    m_nStep = 1;
    while (m_nStep >= 1 && m_nStep <= steps) {
        if (m_nWizardType == WIZARD_TYPE_EDIT && m_nStep == 1)
            ResetDIBData();
        CDialog* page = pageMaker(m_nWizardType, m_nStep);
        if (page == NULL)
            break;
        const INT_PTR result = page->DoModal();
        delete page;
        switch (result) {
        case IDOK:
        case IDCANCEL:
            return static_cast<int>(result);
        case WIZARD_RESULT_NEXT:
            ++m_nStep;
            break;
        case WIZARD_RESULT_BACK:
            --m_nStep;
            break;
        case WIZARD_RESULT_RESTART:
            m_nStep = 1;
            break;
        case -1:
            // The page's window could not be made: showing it again would fail for ever.
            AfxMessageBox(kPageFailedId, MB_OK | MB_ICONSTOP);
            return IDCANCEL;
        default:
            break;
        }
    }
    return IDCANCEL;
}

CString CTextureWizard::GetDataFileName()
{
    return m_strSaveFileName;
}

CImage* CTextureWizard::GetDIBData(int slot)
{
    return ValidSlot(slot) ? m_pSrcImage[slot] : NULL;
}

void CTextureWizard::SetDIBData(CImage* image, int slot)
{
    if (!ValidSlot(slot))
        return;
    if (m_pSrcImage[slot] != image)
        delete m_pSrcImage[slot];
    m_pSrcImage[slot] = image;
}

void CTextureWizard::ResetDIBData()
{
    for (CImage*& slot : m_pSrcImage) {
        delete slot;
        slot = NULL;
    }
}
