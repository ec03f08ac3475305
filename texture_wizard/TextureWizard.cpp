#include "Patinor.h"

#include "EditDIBView.h"
#include "Image.h"
#include "ImageNotify.h"
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
    // The step loop and its pages come with the pages themselves.
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
