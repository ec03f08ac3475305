#include "BlackFillPage.h"

#include "EditDIBView.h"
#include "Image.h"
#include "ImageNotify.h"
#include "WizardSettings.h"

namespace {

const int kRightControls[] = {1071, 1038, 1045, 1046, 1047, 1039, 1042, 1043, 1044, 1040,
                              1072, 1041, 1073, 1074, 1067, 1048, 1078};
const UINT kToolIcons[] = {152, 153, 154, 155};
const UINT kSizeIcons[] = {156, 157, 158};

} // namespace

BEGIN_MESSAGE_MAP(CBlackFillPage, CWizardPage)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_FILL_TOOL1, IDC_FILL_TOOL4, OnTool)
    ON_CONTROL_RANGE(BN_CLICKED, 1045, 1047, OnSize1)
    ON_CONTROL_RANGE(BN_CLICKED, 1042, 1044, OnSize2)
    ON_EN_CHANGE(IDC_FILL_TOLERANCE, OnToleranceChanged)
    ON_BN_CLICKED(IDC_WIZ_NEXT, OnNextPage)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CBlackFillPage::CBlackFillPage(CWnd* pParent)
    : CWizardPage(IDD_BLACKFILL_PAGE, pParent), m_nTool1Size(GetWizardSettings().BlackFillSize[0]),
      m_nTool2Size(GetWizardSettings().BlackFillSize[1]), m_table{}, m_bShowsImage(FALSE)
{
    int n = 0;
    m_table[n++] = LayoutEntry{IDC_WIZ_VIEW, ANCHOR_SIZE_X | ANCHOR_SIZE_Y, {}};
    m_table[n++] = LayoutEntry{IDC_WIZ_SIZETEXT, ANCHOR_MOVE_Y, {}};
    m_table[n++] = LayoutEntry{IDC_WIZ_NOTE, ANCHOR_MOVE_Y, {}};
    for (int id : kRightControls)
        m_table[n++] = LayoutEntry{id, ANCHOR_MOVE_X, {}};
    m_table[n] = LayoutEntry{-1, 0, {}};
}

void CBlackFillPage::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Radio(pDX, 1045, m_nTool1Size);
    DDX_Radio(pDX, 1042, m_nTool2Size);
}

BOOL CBlackFillPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    HINSTANCE module = GetPatinorModule();
    for (int i = 0; i < 4; ++i)
        SendDlgItemMessage(IDC_FILL_TOOL1 + i, BM_SETIMAGE, IMAGE_ICON,
                           reinterpret_cast<LPARAM>(::LoadImage(module, MAKEINTRESOURCE(kToolIcons[i]), IMAGE_ICON,
                                                                16, 16, 0)));
    for (int i = 0; i < 3; ++i) {
        HANDLE icon = ::LoadImage(module, MAKEINTRESOURCE(kSizeIcons[i]), IMAGE_ICON, 16, 16, 0);
        SendDlgItemMessage(1045 + i, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
        SendDlgItemMessage(1042 + i, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
    SendDlgItemMessage(IDC_FILL_TOLERANCE_SPIN, UDM_SETRANGE32, 0, 255);
    SetDlgItemInt(IDC_FILL_TOLERANCE, 32, FALSE);
    SaveControlRects(m_table);
    ArrangeControls();
    AttachView();
    SetButtonImages();
    CImage* image = RequireSlot(2);
    if (image == NULL || m_pView == NULL)
        return FALSE;
    m_pView->SetImage(image);
    m_bShowsImage = TRUE;
    if (const BITMAPINFOHEADER* info = image->GetInfo(0))
        ShowSizeText(info->biWidth, info->biHeight);
    const int tool = GetWizardSettings().BlackFillTool;
    CheckDlgButton(IDC_FILL_TOOL1 + (tool >= 1 && tool <= 4 ? tool - 1 : 0), BST_CHECKED);
    SelectTool(tool);
    return TRUE;
}

void CBlackFillPage::ArrangeControls()
{
    MoveControls(m_frameTable);
    MoveControls(m_table);
}

int CBlackFillPage::Tolerance()
{
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(IDC_FILL_TOLERANCE, &ok, FALSE);
    return ok ? static_cast<int>(value > 255 ? 255 : value) : 0;
}

void CBlackFillPage::SelectTool(int tool)
{
    GetWizardSettings().BlackFillTool = tool;
    if (m_pView == NULL || !m_bShowsImage)
        return;
    switch (tool) {
    case 1: m_pView->SelectBrushTool(m_nTool1Size); break;
    case 2: m_pView->SelectEraserTool(m_nTool2Size); break;
    case 3: m_pView->SelectPolygonTool(); break;
    case 4: m_pView->SelectFloodFillTool(Tolerance()); break;
    }
}

void CBlackFillPage::OnTool(UINT nID)
{
    if (IsDlgButtonChecked(nID) != BST_CHECKED) {
        // The group always has one tool: a second click keeps it.
        CheckDlgButton(nID, BST_CHECKED);
        return;
    }
    for (UINT id = IDC_FILL_TOOL1; id <= IDC_FILL_TOOL4; ++id)
        if (id != nID)
            CheckDlgButton(id, BST_UNCHECKED);
    SelectTool(static_cast<int>(nID - IDC_FILL_TOOL1) + 1);
}

void CBlackFillPage::OnSize1(UINT)
{
    UpdateData(TRUE);
    GetWizardSettings().BlackFillSize[0] = m_nTool1Size;
    if (m_pView != NULL && m_bShowsImage && GetWizardSettings().BlackFillTool == 1)
        m_pView->SelectBrushTool(m_nTool1Size);
}

void CBlackFillPage::OnSize2(UINT)
{
    UpdateData(TRUE);
    GetWizardSettings().BlackFillSize[1] = m_nTool2Size;
    if (m_pView != NULL && m_bShowsImage && GetWizardSettings().BlackFillTool == 2)
        m_pView->SelectEraserTool(m_nTool2Size);
}

void CBlackFillPage::OnToleranceChanged()
{
    if (m_pView != NULL && m_bShowsImage && GetWizardSettings().BlackFillTool == 4)
        m_pView->SelectFloodFillTool(Tolerance());
}

void CBlackFillPage::OnNextPage()
{
    if (m_pView == NULL || !m_bShowsImage)
        return;
    m_pView->EndTool(FALSE);
    m_pView->DetachImage();
    m_bShowsImage = FALSE;
    CImage* filled = new CImage(*CTextureWizard::GetDIBData(2));
    if (filled->GetBits(0) == NULL) {
        delete filled;
        GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        m_pView->SetImage(CTextureWizard::GetDIBData(2));
        m_bShowsImage = TRUE;
        return;
    }
    CTextureWizard::SetDIBData(filled, 3);
    CWizardPage::OnNext();
}

void CBlackFillPage::OnDestroy()
{
    CWizardSettings& settings = GetWizardSettings();
    settings.BlackFillSize[0] = m_nTool1Size;
    settings.BlackFillSize[1] = m_nTool2Size;
    CWizardPage::OnDestroy();
    if (m_pView != NULL && m_bShowsImage) {
        m_pView->EndTool(FALSE);
        m_pView->DetachImage();
    }
    m_bShowsImage = FALSE;
    m_holder.Release();
}
