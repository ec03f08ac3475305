#include "RangePage.h"

#include "EditDIBView.h"
#include "Image.h"
#include "ImageNotify.h"
#include "NumberField.h"
#include "WizardMessages.h"
#include "WizardSettings.h"

namespace {

const int kRightControls[] = {1115, 1071, 1072, 1073, 1074, 1075, 1076, 1077, 1006, 1027, 1059, 1029, 1098,
                              1099, 1097, 1100, 1101, 1030, 1032, 1058, 1057, 1103};
// What the tiling preview freezes.
const UINT kTilingFrozen[] = {1071, 1072, 1073, 1074, 1098, 1099, 1100, 1097, 1058,
                              1103, 1101, 1030, 1006, 1027, 1059, 1029};

} // namespace

BEGIN_MESSAGE_MAP(CRangePage, CWizardPage)
    ON_BN_CLICKED(IDC_RANGE_TURN_LEFT, OnTurnLeft)
    ON_BN_CLICKED(IDC_RANGE_TURN_RIGHT, OnTurnRight)
    ON_BN_CLICKED(IDC_RANGE_RESET, OnReset)
    ON_BN_CLICKED(IDC_RANGE_ROTATE, OnRotate)
    ON_BN_CLICKED(IDC_RANGE_CLOCKWISE, OnDirection)
    ON_BN_CLICKED(IDC_RANGE_ANTICLOCKWISE, OnDirection)
    ON_BN_CLICKED(IDC_RANGE_ALL, OnWhole)
    ON_BN_CLICKED(IDC_RANGE_PART, OnPart)
    ON_BN_CLICKED(IDC_RANGE_TILING, OnTiling)
    ON_BN_CLICKED(IDC_WIZ_NEXT, OnNextPage)
    ON_WM_DESTROY()
    ON_MESSAGE(WZM_APPLYEDIT, OnApplyEdit)
    ON_MESSAGE(WZM_SIZECHANGED, OnSizeChanged)
END_MESSAGE_MAP()

CRangePage::CRangePage(CWnd* pParent) : CWizardPage(IDD_RANGE_PAGE, pParent), m_table{}, m_bShowsImage(FALSE)
{
    GetWizardSettings().OnAnglePageConstructed();
    int n = 0;
    m_table[n++] = LayoutEntry{IDC_WIZ_VIEW, ANCHOR_SIZE_X | ANCHOR_SIZE_Y, {}};
    m_table[n++] = LayoutEntry{IDC_WIZ_SIZETEXT, ANCHOR_MOVE_Y, {}};
    m_table[n++] = LayoutEntry{IDC_WIZ_NOTE, ANCHOR_MOVE_Y, {}};
    for (int id : kRightControls)
        m_table[n++] = LayoutEntry{id, ANCHOR_MOVE_X, {}};
    m_table[n] = LayoutEntry{-1, 0, {}};
}

BOOL CRangePage::OnInitDialog()
{
    const bool first = CTextureWizard::m_nWizardType == WIZARD_TYPE_SCANNER;
    CWizardPage::OnInitDialog();
    if (first) {
        // The first page of a scanner run: Cancel takes Back's place.
        CWnd* back = GetDlgItem(IDC_WIZ_BACK);
        CWnd* cancel = GetDlgItem(IDCANCEL);
        if (back != NULL && cancel != NULL) {
            CRect r;
            back->GetWindowRect(&r);
            ScreenToClient(&r);
            cancel->SetWindowPos(NULL, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            back->ShowWindow(SW_HIDE);
            // The frame placed Cancel before; it keeps its new place when the page grows.
            SaveControlRects(m_frameTable);
        }
    }
    HINSTANCE module = GetPatinorModule();
    const struct {
        UINT control, bitmap;
    } pictures[] = {{1006, 139}, {1027, 140}, {1101, 165}, {1030, 166}};
    for (const auto& p : pictures)
        SendDlgItemMessage(p.control, BM_SETIMAGE, IMAGE_BITMAP,
                           reinterpret_cast<LPARAM>(::LoadBitmap(module, MAKEINTRESOURCE(p.bitmap))));
    for (UINT id : {1032u, 1057u, static_cast<UINT>(IDC_WIZ_NOTE)})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    SetDlgItemText(IDC_RANGE_GUIDE, "使用範囲の選択");

    m_angle.SubclassDlgItem(IDC_RANGE_ANGLE, this);
    m_angle.LimitText(7);
    m_angle.m_dMin = 0.0;
    m_angle.m_dMax = 359.99;
    m_spin.SubclassDlgItem(IDC_RANGE_SPIN, this);
    m_spin.SetRange(0.0, 359.99);
    m_spin.SetPos(0.0);

    const CWizardSettings& settings = GetWizardSettings();
    CheckRadioButton(IDC_RANGE_CLOCKWISE, IDC_RANGE_ANTICLOCKWISE,
                     settings.RotateLeft ? IDC_RANGE_ANTICLOCKWISE : IDC_RANGE_CLOCKWISE);
    CheckDlgButton(IDC_RANGE_PART, settings.UsePartOfImage ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_RANGE_ALL, settings.UsePartOfImage ? BST_UNCHECKED : BST_CHECKED);

    SaveControlRects(m_table);
    ArrangeControls();
    m_angle.SetFocus();
    AttachView();
    SetButtonImages();
    CImage* image = RequireSlot(0);
    if (image == NULL || m_pView == NULL)
        return FALSE;
    m_pView->SetImage(image);
    m_bShowsImage = TRUE;
    if (const BITMAPINFOHEADER* info = m_pView->GetWorkingInfo())
        ShowSizeText(info->biWidth, info->biHeight);
    m_pView->m_rcRange = settings.UsedRange;
    m_pView->ShowRangeBox(settings.UsePartOfImage, settings.CropBoxFixed, -1, 0);
    SetDlgItemText(IDC_RANGE_HEADING, "読み込んだ画像の角度と使用範囲を選択してください。");
    CheckDlgButton(IDC_RANGE_TILING, settings.TilingCheck ? BST_CHECKED : BST_UNCHECKED);
    m_pView->SetTilingPreview(settings.TilingCheck);
    if (settings.TilingCheck)
        ApplyTiling();
    return FALSE;
}

void CRangePage::ArrangeControls()
{
    MoveControls(m_frameTable);
    MoveControls(m_table);
}

int CRangePage::TypedTurn(double typed, BOOL clockwise)
{
    const double v = clockwise ? 360.0 - typed : typed;
    return static_cast<int>(v * 100.0);
}

void CRangePage::Rotate(int d)
{
    if (m_pView == NULL)
        return;
    int a = (d + m_pView->m_nAngle) % 36000;
    if (a < 0)
        a += 36000;
    if (a % 9000 == 0)
        m_pView->RotateQuarter(a / 9000);
    else
        m_pView->RotateArbitrary(a);
    if (GetWizardSettings().UsePartOfImage) {
        m_pView->ShowRangeBox(FALSE, FALSE, -1, 0);
        m_pView->ShowRangeBox(TRUE, FALSE, -1, 0);
    }
}

void CRangePage::OnTurnLeft()
{
    Rotate(9000);
}

void CRangePage::OnTurnRight()
{
    Rotate(27000);
}

void CRangePage::OnReset()
{
    if (m_pView != NULL)
        Rotate(36000 - m_pView->m_nAngle);
}

void CRangePage::OnRotate()
{
    CString text;
    m_angle.GetWindowText(text);
    double typed = 0.0;
    ReadFieldDecimal(text, &typed);
    Rotate(TypedTurn(typed, IsDlgButtonChecked(IDC_RANGE_CLOCKWISE) == BST_CHECKED));
}

LRESULT CRangePage::OnApplyEdit(WPARAM, LPARAM)
{
    if (::GetFocus() == m_angle.m_hWnd)
        OnRotate();
    return 0;
}

void CRangePage::OnDirection()
{
    GetWizardSettings().RotateLeft = IsDlgButtonChecked(IDC_RANGE_ANTICLOCKWISE) == BST_CHECKED;
}

void CRangePage::OnWhole()
{
    CWizardSettings& settings = GetWizardSettings();
    settings.UsePartOfImage = IsDlgButtonChecked(IDC_RANGE_PART) == BST_CHECKED;
    if (m_pView != NULL)
        m_pView->ShowRangeBox(settings.UsePartOfImage, FALSE, -1, 0);
}

void CRangePage::OnPart()
{
    CWizardSettings& settings = GetWizardSettings();
    settings.UsePartOfImage = IsDlgButtonChecked(IDC_RANGE_PART) == BST_CHECKED;
    if (m_pView != NULL)
        m_pView->ShowRangeBox(settings.UsePartOfImage, FALSE, -1, 1);
}

void CRangePage::OnTiling()
{
    ApplyTiling();
}

void CRangePage::ApplyTiling()
{
    CWizardSettings& settings = GetWizardSettings();
    settings.TilingCheck = IsDlgButtonChecked(IDC_RANGE_TILING) == BST_CHECKED;
    for (UINT id : kTilingFrozen)
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(!settings.TilingCheck);
    if (m_pView != NULL)
        m_pView->SetTilingPreview(settings.TilingCheck);
}

LRESULT CRangePage::OnSizeChanged(WPARAM wParam, LPARAM)
{
    ShowSizeText(LOWORD(wParam), HIWORD(wParam));
    return 0;
}

void CRangePage::OnNextPage()
{
    if (m_pView == NULL || !m_bShowsImage)
        return;
    m_pView->SetTilingPreview(FALSE);
    m_pView->DetachImage();
    m_bShowsImage = FALSE;
    CWizardSettings& settings = GetWizardSettings();
    settings.UsedRange = m_pView->m_bRangeBoxShown ? m_pView->m_rcRange : RECT{0, 0, 0, 0};
    CImage* source = CTextureWizard::GetDIBData(0);
    CImage* used = new CImage(*source, settings.UsedRange);
    if (used->GetBits(0) == NULL) {
        delete used;
        GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        m_pView->SetImage(source);
        m_bShowsImage = TRUE;
        return;
    }
    CTextureWizard::SetDIBData(used, 1);
    const BITMAPINFOHEADER* info = used->GetInfo(0);
    settings.OnAnglePageNext(info != NULL ? info->biWidth : 0, info != NULL ? info->biHeight : 0);
    CWizardPage::OnNext();
}

void CRangePage::OnDestroy()
{
    CWizardPage::OnDestroy();
    if (m_pView != NULL) {
        m_pView->SetTilingPreview(FALSE);
        if (m_bShowsImage)
            m_pView->DetachImage();
    }
    m_bShowsImage = FALSE;
    m_holder.Release();
}
