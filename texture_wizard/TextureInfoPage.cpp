#include "TextureInfoPage.h"

#include "EditDIBView.h"
#include "Image.h"
#include "NextImageDlg.h"
#include "WizardSettings.h"

#include <afxdlgs.h>

#include <cstdint>
#include <cstring>

namespace {

int GetInt(const BYTE* block, int offset)
{
    int32_t value;
    memcpy(&value, block + offset, sizeof(value));
    return value;
}

void PutInt(BYTE* block, int offset, int value)
{
    const int32_t v = value;
    memcpy(block + offset, &v, sizeof(v));
}

double GetDouble(const BYTE* block, int offset)
{
    double value;
    memcpy(&value, block + offset, sizeof(value));
    return value;
}

void PutDouble(BYTE* block, int offset, double value)
{
    memcpy(block + offset, &value, sizeof(value));
}

int InList(int index, int count)
{
    return index >= 0 && index < count ? index : 0;
}

void Fill(CWnd* combo, std::initializer_list<const char*> items)
{
    for (const char* item : items)
        combo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

} // namespace

BEGIN_MESSAGE_MAP(CTextureInfoPage, CWizardPage)
    ON_BN_CLICKED(IDC_WIZ_TAKE, OnSave)
    ON_BN_CLICKED(IDC_INFO_REPEAT, OnRepeat)
    ON_BN_CLICKED(IDC_INFO_SIZE, OnSizeChoice)
    ON_CBN_SELCHANGE(IDC_INFO_METHOD, OnMethodChanged)
    ON_EN_CHANGE(IDC_INFO_RELIEF_EDIT, OnReliefEdit)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CTextureInfoPage::CTextureInfoPage(CWnd* pParent)
    : CWizardPage(IDD_TEXTUREINFO_PAGE, pParent), m_nPrice(0), m_nTarget(0), m_nMethod(0), m_nDirection(0),
      m_nRepeatOrSize(0), m_dRepeatX(1.0), m_dRepeatY(1.0), m_dSizeW(0.0), m_dSizeL(0.0), m_bBlack(FALSE),
      m_nRelief(0), m_bUpdatingRelief(FALSE)
{
    ReadRecord();
}

void CTextureInfoPage::ReadRecord()
{
    const CTextureInfo& info = GetWizardSettings().TextureInfo;
    const BYTE* block = info.m_PasteMethod;
    m_strName = info.m_strName;
    m_strModel = info.m_strModelNumber;
    m_strRemarks = info.m_strRemarks;
    m_strComment = info.m_strComment;
    m_nPrice = info.m_nPrice;
    m_nTarget = InList(GetInt(block, 0), 4);
    m_nMethod = InList(GetInt(block, 8), 4);
    m_nDirection = InList(GetInt(block, 16), 3);
    m_nRepeatOrSize = GetInt(block, 20) == 1 ? 1 : 0;
    m_dRepeatX = GetDouble(block, 24);
    m_dRepeatY = GetDouble(block, 32);
    m_dSizeW = GetDouble(block, 40);
    m_dSizeL = GetDouble(block, 48);
    m_bBlack = GetInt(block, 56) != 0;
    m_nRelief = GetInt(block, 60);
    if (m_nRelief < 0 || m_nRelief > 100)
        m_nRelief = 0;
}

void CTextureInfoPage::WriteRecord()
{
    CTextureInfo& info = GetWizardSettings().TextureInfo;
    BYTE* block = info.m_PasteMethod;
    info.m_strName = m_strName;
    info.m_strModelNumber = m_strModel;
    info.m_strRemarks = m_strRemarks;
    info.m_strComment = m_strComment;
    info.m_nPrice = m_nPrice;
    PutInt(block, 0, m_nTarget);
    PutInt(block, 8, m_nMethod);
    PutInt(block, 16, m_nDirection);
    PutInt(block, 20, m_nRepeatOrSize);
    PutDouble(block, 24, m_dRepeatX);
    PutDouble(block, 32, m_dRepeatY);
    PutDouble(block, 40, m_dSizeW);
    PutDouble(block, 48, m_dSizeL);
    PutInt(block, 56, m_bBlack ? 1 : 0);
    PutInt(block, 60, m_nRelief);
}

void CTextureInfoPage::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_INFO_NAME, m_strName);
    DDX_Text(pDX, IDC_INFO_MODEL, m_strModel);
    DDX_Text(pDX, IDC_INFO_PRICE, m_nPrice);
    DDX_Text(pDX, IDC_INFO_REMARKS, m_strRemarks);
    DDX_Text(pDX, IDC_INFO_COMMENT, m_strComment);
    DDX_CBIndex(pDX, IDC_INFO_TARGET, m_nTarget);
    DDX_CBIndex(pDX, IDC_INFO_METHOD, m_nMethod);
    DDX_CBIndex(pDX, IDC_INFO_DIRECTION, m_nDirection);
    DDX_Text(pDX, IDC_INFO_REPEAT_X, m_dRepeatX);
    DDX_Text(pDX, IDC_INFO_REPEAT_Y, m_dRepeatY);
    DDX_Text(pDX, IDC_INFO_SIZE_W, m_dSizeW);
    DDX_Text(pDX, IDC_INFO_SIZE_L, m_dSizeL);
    int black = m_bBlack ? 1 : 0;
    DDX_Check(pDX, IDC_INFO_BLACK, black);
    m_bBlack = black != 0;
    DDX_Slider(pDX, IDC_INFO_RELIEF, m_nRelief);
    if (pDX->m_bSaveAndValidate)
        m_nRepeatOrSize = IsDlgButtonChecked(IDC_INFO_SIZE) == BST_CHECKED ? 1 : 0;
}

BOOL CTextureInfoPage::OnInitDialog()
{
    Fill(GetDlgItem(IDC_INFO_TARGET), {"全体", "要素", "形状", "面"});
    Fill(GetDlgItem(IDC_INFO_METHOD), {"平行投影", "円筒", "球", "直方体"});
    Fill(GetDlgItem(IDC_INFO_DIRECTION), {"Ｚ軸", "Ｙ軸", "Ｘ軸"});
    m_relief.SubclassDlgItem(IDC_INFO_RELIEF, this);
    m_relief.SetRange(0, 100, TRUE);
    CWizardPage::OnInitDialog();
    SetDlgItemInt(IDC_INFO_RELIEF_EDIT, m_nRelief, FALSE);
    CheckDlgButton(IDC_INFO_REPEAT, m_nRepeatOrSize == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_INFO_SIZE, m_nRepeatOrSize == 1 ? BST_CHECKED : BST_UNCHECKED);
    OnMethodChanged();
    return TRUE;
}

void CTextureInfoPage::ApplyRepeatRule(BOOL repeat)
{
    CheckDlgButton(IDC_INFO_REPEAT, repeat ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_INFO_SIZE, repeat ? BST_UNCHECKED : BST_CHECKED);
    for (UINT id : {1130u, 1131u})
        GetDlgItem(id)->EnableWindow(repeat);
    for (UINT id : {1133u, 1134u})
        GetDlgItem(id)->EnableWindow(!repeat);
}

void CTextureInfoPage::OnRepeat()
{
    ApplyRepeatRule(TRUE);
}

void CTextureInfoPage::OnSizeChoice()
{
    ApplyRepeatRule(FALSE);
}

void CTextureInfoPage::OnMethodChanged()
{
    const int method = static_cast<int>(SendDlgItemMessage(IDC_INFO_METHOD, CB_GETCURSEL, 0, 0));
    // A cylinder or a sphere wraps the picture round: only repetitions make sense.
    const BOOL wraps = method == 1 || method == 2;
    if (wraps) {
        ApplyRepeatRule(TRUE);
        GetDlgItem(IDC_INFO_SIZE)->EnableWindow(FALSE);
        return;
    }
    GetDlgItem(IDC_INFO_REPEAT)->EnableWindow(TRUE);
    GetDlgItem(IDC_INFO_SIZE)->EnableWindow(TRUE);
    ApplyRepeatRule(IsDlgButtonChecked(IDC_INFO_SIZE) != BST_CHECKED);
}

void CTextureInfoPage::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL && pScrollBar->m_hWnd == m_relief.m_hWnd) {
        switch (nSBCode) {
        case TB_LINEUP:
        case TB_LINEDOWN:
        case TB_PAGEUP:
        case TB_PAGEDOWN:
        case TB_THUMBTRACK:
        case TB_ENDTRACK:
            m_bUpdatingRelief = TRUE;
            SetDlgItemInt(IDC_INFO_RELIEF_EDIT, m_relief.GetPos(), FALSE);
            m_bUpdatingRelief = FALSE;
            break;
        }
    }
    CWizardPage::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CTextureInfoPage::OnReliefEdit()
{
    if (m_bUpdatingRelief || m_relief.m_hWnd == NULL)
        return;
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(IDC_INFO_RELIEF_EDIT, &ok, FALSE);
    if (ok)
        m_relief.SetPos(static_cast<int>(value));
}

void CTextureInfoPage::OnSave()
{
    if (!UpdateData(TRUE))
        return;
    WriteRecord();
    CString path = m_strSavePath;
    if (path.IsEmpty()) {
        CFileDialog dialog(FALSE, "kjq", "無題.kjq", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           "テクスチャファイル (,*.kjq)|*.kjq||", this);
        if (dialog.DoModal() != IDOK)
            return;
        path = dialog.GetPathName();
    }
    CImage* image = CTextureWizard::GetDIBData(3);
    if (image == NULL)
        return;
    if (m_pView != NULL)
        m_pView->DetachImage();
    ShowWindow(SW_HIDE);
    image->Save(path, GetWizardSettings().SaveAs256Colors, &GetWizardSettings().TextureInfo);
    CNextImageDlg question;
    switch (question.DoModal()) {
    case IDYES: EndDialog(IDOK); return;
    case IDC_NEXT_OTHER_IMAGE: EndDialog(WIZARD_RESULT_RESTART); return;
    default: EndDialog(WIZARD_RESULT_STAY); return;
    }
}
