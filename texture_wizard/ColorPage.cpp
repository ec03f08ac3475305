#include "ColorPage.h"

#include "EditDIBView.h"
#include "Image.h"
#include "NumberField.h"
#include "WizardMessages.h"
#include "WizardSettings.h"

namespace {

const int kRightControls[] = {1071, 1072, 1073, 1074, 1075, 1076, 1077, 1078, 1050, 1051,
                              1052, 1054, 1028, 1033, 1053, 1055, 1056};
const UINT kSaveFailedId = 201;

enum { BRIGHTNESS, RED, GREEN, BLUE };

} // namespace

BEGIN_MESSAGE_MAP(CColorPage, CWizardPage)
    ON_WM_HSCROLL()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_WIZ_REVERT, OnRevertColor)
    ON_BN_CLICKED(IDC_WIZ_TAKE, OnTakeIn)
    ON_BN_CLICKED(IDC_COLOR_256, On256Colors)
    ON_BN_CLICKED(IDC_COLOR_FULL, OnFullColor)
    ON_MESSAGE(WZM_APPLYEDIT, OnApplyEdit)
END_MESSAGE_MAP()

CColorPage::CColorPage(UINT nIDTemplate, CWnd* pParent)
    : CWizardPage(nIDTemplate, pParent), m_table{}, m_bShowsImage(FALSE)
{
    GetWizardSettings().OnColorPageConstructed();
    int n = 0;
    m_table[n++] = LayoutEntry{IDC_WIZ_VIEW, ANCHOR_SIZE_X | ANCHOR_SIZE_Y, {}};
    m_table[n++] = LayoutEntry{IDC_WIZ_SIZETEXT, ANCHOR_MOVE_Y, {}};
    m_table[n++] = LayoutEntry{IDC_WIZ_NOTE, ANCHOR_MOVE_Y, {}};
    for (int id : kRightControls)
        m_table[n++] = LayoutEntry{id, ANCHOR_MOVE_X, {}};
    m_table[n] = LayoutEntry{-1, 0, {}};
}

BOOL CColorPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    SaveControlRects(m_table);
    ArrangeControls();
    m_red.SubclassDlgItem(IDC_COLOR_RED, this);
    m_green.SubclassDlgItem(IDC_COLOR_GREEN, this);
    m_blue.SubclassDlgItem(IDC_COLOR_BLUE, this);
    m_brightness.SubclassDlgItem(IDC_COLOR_BRIGHTNESS, this);
    m_redEdit.SubclassDlgItem(IDC_COLOR_RED_EDIT, this);
    m_greenEdit.SubclassDlgItem(IDC_COLOR_GREEN_EDIT, this);
    m_blueEdit.SubclassDlgItem(IDC_COLOR_BLUE_EDIT, this);
    for (CNumEdit* edit : {&m_redEdit, &m_greenEdit, &m_blueEdit}) {
        edit->SetWindowText("0");
        edit->m_nMin = -128;
        edit->m_nMax = 128;
    }
    for (CSliderCtrl* slider : {&m_red, &m_green, &m_blue, &m_brightness}) {
        slider->SetRange(-128, 128, TRUE);
        slider->SetTicFreq(16);
        slider->SetPos(0);
    }
    CWizardSettings& settings = GetWizardSettings();
    settings.OnColorPageOpened();
    CheckRadioButton(IDC_COLOR_256, IDC_COLOR_FULL, IDC_COLOR_FULL);
    for (UINT id : {1077u, 1078u, 1055u, 1056u})
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    if (CWnd* last = GetDlgItem(IDC_WIZ_TAKE) != NULL ? GetDlgItem(IDC_WIZ_TAKE) : GetDlgItem(IDC_WIZ_NEXT))
        last->SetFocus();
    AttachView();
    CImage* image = RequireSlot(2);
    if (image == NULL || m_pView == NULL)
        return FALSE;
    m_pView->SetImage(image);
    m_bShowsImage = TRUE;
    SetButtonImages();
    if (const BITMAPINFOHEADER* info = image->GetInfo(0))
        ShowSizeText(info->biWidth, info->biHeight);
    return FALSE;
}

void CColorPage::ArrangeControls()
{
    MoveControls(m_frameTable);
    MoveControls(m_table);
}

void CColorPage::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    HWND slider = pScrollBar != NULL ? pScrollBar->m_hWnd : NULL;
    CNumEdit* edit = slider == m_red.m_hWnd ? &m_redEdit
        : slider == m_green.m_hWnd         ? &m_greenEdit
        : slider == m_blue.m_hWnd          ? &m_blueEdit
                                           : NULL;
    switch (nSBCode) {
    case TB_LINEUP:
    case TB_LINEDOWN:
    case TB_PAGEUP:
    case TB_PAGEDOWN:
    case TB_THUMBTRACK:
        if (edit != NULL && slider != NULL) {
            CString text;
            text.Format("%d", static_cast<int>(::SendMessage(slider, TBM_GETPOS, 0, 0)));
            edit->SetWindowText(text);
        }
        break;
    case TB_ENDTRACK:
        if (slider != NULL)
            EndTracking(slider);
        break;
    }
    CWizardPage::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CColorPage::EndTracking(HWND slider)
{
    CWizardSettings& settings = GetWizardSettings();
    for (int i = 0; i < 4; ++i)
        settings.PrevColorAdjust[i] = settings.ColorAdjust[i];
    const int which = slider == m_brightness.m_hWnd ? BRIGHTNESS
        : slider == m_red.m_hWnd                    ? RED
        : slider == m_green.m_hWnd                  ? GREEN
        : slider == m_blue.m_hWnd                   ? BLUE
                                                    : -1;
    if (which < 0)
        return;
    settings.ColorAdjust[which] = static_cast<int>(::SendMessage(slider, TBM_GETPOS, 0, 0));
    ApplyBalance();
    if (CWnd* revert = GetDlgItem(IDC_WIZ_REVERT))
        revert->EnableWindow(TRUE);
}

void CColorPage::ApplyBalance()
{
    const int* c = GetWizardSettings().ColorAdjust;
    if (m_pView != NULL && m_bShowsImage)
        m_pView->SetColorBalance(c[BRIGHTNESS] + c[RED], c[BRIGHTNESS] + c[GREEN], c[BRIGHTNESS] + c[BLUE]);
}

void CColorPage::OnRevertColor()
{
    CWizardSettings& settings = GetWizardSettings();
    for (int i = 0; i < 4; ++i)
        settings.ColorAdjust[i] = settings.PrevColorAdjust[i];
    const int* c = settings.ColorAdjust;
    m_brightness.SetPos(c[BRIGHTNESS]);
    m_red.SetPos(c[RED]);
    m_green.SetPos(c[GREEN]);
    m_blue.SetPos(c[BLUE]);
    CString text;
    text.Format("%d", c[RED]);
    m_redEdit.SetWindowText(text);
    text.Format("%d", c[GREEN]);
    m_greenEdit.SetWindowText(text);
    text.Format("%d", c[BLUE]);
    m_blueEdit.SetWindowText(text);
    ApplyBalance();
    if (CWnd* revert = GetDlgItem(IDC_WIZ_REVERT))
        revert->EnableWindow(FALSE);
}

LRESULT CColorPage::OnApplyEdit(WPARAM, LPARAM)
{
    HWND focus = ::GetFocus();
    CNumEdit* edit = NULL;
    CSliderCtrl* slider = NULL;
    if (focus == m_redEdit.m_hWnd) {
        edit = &m_redEdit;
        slider = &m_red;
    } else if (focus == m_greenEdit.m_hWnd) {
        edit = &m_greenEdit;
        slider = &m_green;
    } else if (focus == m_blueEdit.m_hWnd) {
        edit = &m_blueEdit;
        slider = &m_blue;
    }
    if (edit == NULL)
        return 0;
    CString text;
    edit->GetWindowText(text);
    long long value = 0;
    ReadFieldInt(text, &value);
    if (value > 0x7FFFFFFF)
        value = 0x7FFFFFFF;
    if (value < -0x7FFFFFFF)
        value = -0x7FFFFFFF;
    // The slider keeps its range: -500 applies -128.
    slider->SetPos(static_cast<int>(value));
    EndTracking(slider->m_hWnd);
    return 0;
}

void CColorPage::On256Colors()
{
    GetWizardSettings().SaveAs256Colors = TRUE;
}

void CColorPage::OnFullColor()
{
    GetWizardSettings().SaveAs256Colors = FALSE;
}

BOOL CColorPage::TakeIn()
{
    CString& name = CTextureWizard::m_strSaveFileName;
    if (name.IsEmpty()) {
        char folder[MAX_PATH + 1] = "";
        char path[MAX_PATH + 1] = "";
        const DWORD length = ::GetTempPathA(MAX_PATH, folder);
        if (length == 0 || length > MAX_PATH || ::GetTempFileNameA(folder, "ttp", 0, path) == 0)
            return FALSE;
        name = path;
    }
    CImage* image = CTextureWizard::GetDIBData(2);
    if (image == NULL)
        return FALSE;
    if (m_bShowsImage && m_pView != NULL) {
        m_pView->DetachImage();
        m_bShowsImage = FALSE;
    }
    if (image->Save(name, GetWizardSettings().SaveAs256Colors, NULL))
        return TRUE;
    // No half-written or empty file is left behind, and no name that promises one.
    ::DeleteFileA(name);
    name.Empty();
    return FALSE;
}

void CColorPage::OnTakeIn()
{
    ShowWindow(SW_HIDE);
    if (TakeIn()) {
        CDialog::OnOK();
        return;
    }
    // The page comes back as it was, with the picture the user balanced.
    if (!m_bShowsImage && m_pView != NULL) {
        if (CImage* image = CTextureWizard::GetDIBData(2)) {
            m_pView->SetImage(image);
            m_bShowsImage = TRUE;
        }
    }
    ShowWindow(SW_SHOW);
    AfxMessageBox(kSaveFailedId, MB_OK | MB_ICONSTOP);
}

void CColorPage::OnDestroy()
{
    CWizardPage::OnDestroy();
    if (m_pView != NULL && m_bShowsImage)
        m_pView->DetachImage();
    m_bShowsImage = FALSE;
    m_holder.Release();
}
