#include "SizePage.h"

#include "EditDIBView.h"
#include "Image.h"
#include "ImageNotify.h"
#include "NumberField.h"
#include "WizardMessages.h"
#include "WizardSettings.h"

#include <algorithm>

namespace {

const int kRightControls[] = {1104, 1105, 1106, 1111, 1061, 1034, 1067, 1062, 1035, 1073, 1063, 1064, 1074, 1065,
                              1066, 1075, 1031, 1058, 1057, 1103, 1107, 1108, 1109, 1110, 1112, 1116, 1071, 1114};
const UINT kHidden[] = {1069, 1110, 1104, 1105, 1106, 1107, 1108, 1109, 1116, 1071,
                        1034, 1064, 1035, 1066, 1103, 1067, 1074, 1073, 1075};
const UINT kSizeControls[] = {1061, 1062, 1063, 1065, 1031};
const UINT kSizeOutOfRangeId = 202;

int FieldValue(CWnd& field)
{
    CString text;
    field.GetWindowText(text);
    long long value = 0;
    ReadFieldInt(text, &value);
    if (value > 0x7FFFFFFF)
        value = 0x7FFFFFFF;
    if (value < -0x7FFFFFFF)
        value = -0x7FFFFFFF;
    return static_cast<int>(value);
}

void SetNumber(CWnd& field, int value)
{
    CString text;
    text.Format("%d", value);
    field.SetWindowText(text);
}

} // namespace

BEGIN_MESSAGE_MAP(CSizePage, CWizardPage)
    ON_BN_CLICKED(IDC_SIZE_ADJUST, OnAdjust)
    ON_BN_CLICKED(IDC_SIZE_KEEP_ASPECT, OnKeepAspect)
    ON_EN_CHANGE(IDC_SIZE_WIDTH, OnWidthChanged)
    ON_EN_CHANGE(IDC_SIZE_HEIGHT, OnHeightChanged)
    ON_BN_CLICKED(IDC_WIZ_NEXT, OnNextPage)
    ON_WM_DESTROY()
    ON_MESSAGE(WZM_APPLYEDIT, OnApplyEdit)
    ON_MESSAGE(WZM_SIZECHANGED, OnSizeChanged)
END_MESSAGE_MAP()

CSizePage::CSizePage(CWnd* pParent)
    : CWizardPage(IDD_SIZE_PAGE, pParent), m_nWidth(0), m_nHeight(0), m_table{}, m_bShowsImage(FALSE), m_bWriting(FALSE)
{
    GetWizardSettings().BlackFillTool = 1;
    int n = 0;
    m_table[n++] = LayoutEntry{IDC_WIZ_VIEW, ANCHOR_SIZE_X | ANCHOR_SIZE_Y, {}};
    m_table[n++] = LayoutEntry{IDC_WIZ_SIZETEXT, ANCHOR_MOVE_Y, {}};
    m_table[n++] = LayoutEntry{IDC_WIZ_NOTE, ANCHOR_MOVE_Y, {}};
    for (int id : kRightControls)
        m_table[n++] = LayoutEntry{id, ANCHOR_MOVE_X, {}};
    m_table[n] = LayoutEntry{-1, 0, {}};
}

int CSizePage::KeptSide(int typed, int typedBase, int otherBase)
{
    if (typedBase <= 0)
        return 0;
    // In 64 bits: a typed 2147483647 times the other side overflows an int.
    const long long side = (static_cast<long long>(otherBase) * typed + typedBase / 2) / typedBase;
    return side > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(side);
}

SIZE CSizePage::SourceSize() const
{
    SIZE size = {0, 0};
    if (CImage* image = CTextureWizard::GetDIBData(1))
        if (const BITMAPINFOHEADER* info = image->GetInfo(0)) {
            size.cx = info->biWidth;
            size.cy = info->biHeight;
        }
    return size;
}

BOOL CSizePage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    SendDlgItemMessage(IDC_SIZE_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                       reinterpret_cast<LPARAM>(::LoadBitmap(GetPatinorModule(), MAKEINTRESOURCE(184))));
    CWizardSettings& settings = GetWizardSettings();
    CheckDlgButton(IDC_SIZE_KEEP_ASPECT, settings.KeepAspect ? BST_CHECKED : BST_UNCHECKED);
    SaveControlRects(m_table);
    ArrangeControls();
    AttachView();
    m_width.SubclassDlgItem(IDC_SIZE_WIDTH, this);
    m_height.SubclassDlgItem(IDC_SIZE_HEIGHT, this);
    m_cropWidth.SubclassDlgItem(IDC_SIZE_CROP_WIDTH, this);
    m_cropHeight.SubclassDlgItem(IDC_SIZE_CROP_HEIGHT, this);
    CImage* image = RequireSlot(1);
    if (image == NULL || m_pView == NULL)
        return FALSE;
    m_pView->SetImage(image);
    m_bShowsImage = TRUE;
    m_pView->SetCropBox(settings.CropBox.left, settings.CropBox.top, settings.CropBox.right, settings.CropBox.bottom,
                        FALSE);
    SetButtonImages();
    for (UINT id : kHidden)
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    m_width.m_nMin = m_height.m_nMin = 1;
    m_width.m_nMax = m_height.m_nMax = 2147483647;

    const int w = settings.TargetSize.right - settings.TargetSize.left;
    const int h = settings.TargetSize.bottom - settings.TargetSize.top;
    m_pView->m_rcRange = RECT{0, 0, w, h};
    m_pView->ApplySize();
    CheckDlgButton(IDC_SIZE_ADJUST, settings.AdjustImageSize ? BST_CHECKED : BST_UNCHECKED);
    m_pView->ShowRangeBox(TRUE, FALSE, settings.KeepAspect, 1);
    ApplyAdjust();
    m_width.SetFocus();
    SetDlgItemText(IDC_SIZE_GUIDE, "編集画面のコントロールポイントをドラッグするか、下の入力欄に入力してください。");
    ShowSizeText(w, h);
    return FALSE;
}

void CSizePage::ArrangeControls()
{
    MoveControls(m_frameTable);
    MoveControls(m_table);
}

void CSizePage::OnAdjust()
{
    ApplyAdjust();
}

void CSizePage::ApplyAdjust()
{
    CWizardSettings& settings = GetWizardSettings();
    settings.AdjustImageSize = IsDlgButtonChecked(IDC_SIZE_ADJUST) == BST_CHECKED;
    if (m_pView == NULL)
        return;
    if (settings.AdjustImageSize) {
        settings.OnSizeAdjustmentOn();
        m_pView->ShowRangeBox(TRUE, FALSE, settings.KeepAspect, 0);
    } else {
        m_pView->ShowRangeBox(TRUE, settings.CropBoxFixed, settings.KeepAspect, 2);
    }
    for (UINT id : kSizeControls)
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(settings.AdjustImageSize);
    const RECT& range = m_pView->m_rcRange;
    m_bWriting = TRUE;
    SetNumber(m_width, range.right - range.left);
    SetNumber(m_height, range.bottom - range.top);
    m_bWriting = FALSE;
}

void CSizePage::OnKeepAspect()
{
    CWizardSettings& settings = GetWizardSettings();
    settings.KeepAspect = IsDlgButtonChecked(IDC_SIZE_KEEP_ASPECT) == BST_CHECKED;
    if (settings.KeepAspect)
        OnWidthChanged();
    if (m_pView != NULL)
        m_pView->ShowRangeBox(TRUE, settings.CropBoxFixed, settings.KeepAspect, 0);
}

void CSizePage::OnWidthChanged()
{
    if (m_bWriting || m_width.m_hWnd == NULL || ::GetFocus() != m_width.m_hWnd)
        return;
    m_nWidth = FieldValue(m_width);
    if (GetWizardSettings().KeepAspect) {
        const SIZE source = SourceSize();
        m_nHeight = KeptSide(m_nWidth, source.cx, source.cy);
        SetNumber(m_height, m_nHeight);
    }
}

void CSizePage::OnHeightChanged()
{
    if (m_bWriting || m_height.m_hWnd == NULL || ::GetFocus() != m_height.m_hWnd)
        return;
    m_nHeight = FieldValue(m_height);
    if (GetWizardSettings().KeepAspect) {
        const SIZE source = SourceSize();
        m_nWidth = KeptSide(m_nHeight, source.cy, source.cx);
        SetNumber(m_width, m_nWidth);
    }
}

LRESULT CSizePage::OnApplyEdit(WPARAM, LPARAM)
{
    if (m_pView == NULL)
        return 0;
    HWND focus = ::GetFocus();
    if (focus == m_width.m_hWnd || focus == m_height.m_hWnd) {
        const int w = FieldValue(m_width), h = FieldValue(m_height);
        // A picture of nothing or of more than the view can hold changes nothing.
        if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide) {
            AfxMessageBox(kSizeOutOfRangeId, MB_OK | MB_ICONEXCLAMATION);
            const RECT& range = m_pView->m_rcRange;
            m_bWriting = TRUE;
            SetNumber(m_width, range.right - range.left);
            SetNumber(m_height, range.bottom - range.top);
            m_bWriting = FALSE;
            return 0;
        }
        m_pView->ResizeImage(w, h);
    } else if (focus == m_cropWidth.m_hWnd || focus == m_cropHeight.m_hWnd) {
        const int w = std::min(FieldValue(m_cropWidth), m_nWidth), h = std::min(FieldValue(m_cropHeight), m_nHeight);
        m_pView->SetCropBoxSize(w, h, FALSE);
        SetNumber(m_cropWidth, w);
        SetNumber(m_cropHeight, h);
    }
    return 0;
}

LRESULT CSizePage::OnSizeChanged(WPARAM wParam, LPARAM)
{
    const int width = LOWORD(wParam), height = HIWORD(wParam);
    if (m_width.m_hWnd != NULL) {
        // The view's size is shown as it is, not taken for typing.
        m_bWriting = TRUE;
        SetNumber(m_width, width);
        SetNumber(m_height, height);
        m_bWriting = FALSE;
    }
    m_nWidth = width;
    m_nHeight = height;
    GetWizardSettings().TargetSize = RECT{0, 0, width, height};
    ShowSizeText(width, height);
    return 0;
}

void CSizePage::OnNextPage()
{
    if (m_pView == NULL || !m_bShowsImage)
        return;
    CWizardSettings& settings = GetWizardSettings();
    settings.BlackFillSize[0] = 1;
    m_pView->ShowRangeBox(FALSE, FALSE, -1, 0);
    m_pView->DetachImage();
    m_bShowsImage = FALSE;
    settings.CropBox = m_pView->m_rcCrop;
    CImage* source = CTextureWizard::GetDIBData(1);
    CImage* sized = new CImage(*source, settings.CropBox);
    if (sized->GetBits(0) == NULL) {
        delete sized;
        GetImageNotify()->ReportError(IDS_IMAGE_NO_MEMORY);
        m_pView->SetImage(source);
        m_bShowsImage = TRUE;
        ApplyAdjust();
        return;
    }
    CTextureWizard::SetDIBData(sized, 2);
    CWizardPage::OnNext();
}

void CSizePage::OnDestroy()
{
    CWizardPage::OnDestroy();
    if (m_pView != NULL && m_bShowsImage) {
        m_pView->ShowRangeBox(FALSE, FALSE, -1, 0);
        m_pView->DetachImage();
    }
    m_bShowsImage = FALSE;
    m_holder.Release();
}
