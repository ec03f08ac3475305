#include "DataSearchDlg.h"

#include "SearchDialogParts.h"
#include "SearchRules.h"
#include "YQVDoc.h"
#include "resource.h"

namespace {

const char kNoLower[] = "下限なし";
const char kNoUpper[] = "上限なし";

// Label texts per page: after the field, the text, the lower and upper bounds, the folder.
const char* const kPageLabels[3][5] = {
    {"", "を含むデータを", "", "", ""},
    {"に", "を含むデータを", "", "", "から"},
    {"に", "を含み", "円以上", "円以下", "から"},
};
const UINT kLabelIds[5] = {IDC_SEARCH_LABEL_FIELD, IDC_SEARCH_LABEL_TEXT, IDC_SEARCH_LABEL_LOWER,
                           IDC_SEARCH_LABEL_UPPER, IDC_SEARCH_LABEL_FOLDER};

}  // namespace

const char* const CDataSearchDlg::kFieldLabels[3] = {"品番", "品名", "キーワード"};
const char* const CDataSearchDlg::kFieldCodes[3] = {"0001", "0002", "0400"};

BEGIN_MESSAGE_MAP(CDataSearchDlg, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_SEARCH_TABS, OnTabChanged)
    ON_BN_CLICKED(IDC_SEARCH_BROWSE, OnBrowse)
    ON_CBN_EDITCHANGE(IDC_SEARCH_TEXT, OnTextEdited)
    ON_CBN_EDITCHANGE(IDC_SEARCH_FOLDER, OnTextEdited)
    ON_CBN_SELCHANGE(IDC_SEARCH_TEXT, OnTextPicked)
    ON_CBN_SELCHANGE(IDC_SEARCH_FOLDER, OnTextPicked)
END_MESSAGE_MAP()

CDataSearchDlg::CDataSearchDlg(CWnd* parent) : CDialog(IDD_DATA_SEARCH, parent) {}

void CDataSearchDlg::ResetToQuickSearch()
{
    m_strCode = "****";
    m_strFolder = "*:";
    m_nLower = -1;
    m_nUpper = 2147483647;
    m_nPage = 0;
}

BOOL CDataSearchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tabs.SubclassDlgItem(IDC_SEARCH_TABS, this);
    m_field.SubclassDlgItem(IDC_SEARCH_FIELD, this);
    m_text.SubclassDlgItem(IDC_SEARCH_TEXT, this);
    m_lower.SubclassDlgItem(IDC_SEARCH_LOWER, this);
    m_upper.SubclassDlgItem(IDC_SEARCH_UPPER, this);
    m_folder.SubclassDlgItem(IDC_SEARCH_FOLDER, this);
    m_tabs.InsertItem(0, "簡易検索");
    m_tabs.InsertItem(1, "詳細検索");
    m_tabs.InsertItem(2, "価格検索");
    for (const char* label : kFieldLabels)
        m_field.AddString(label);
    m_field.SetCurSel(m_nField >= 0 && m_nField < 3 ? m_nField : 0);
    FillHistoryBox(m_text, m_textHistory);
    m_text.SetCurSel(0);
    FillHistoryBox(m_lower, m_lowerHistory, kNoLower);
    m_lower.SetCurSel(m_nLower >= 0 && m_lower.GetCount() > 1 ? 1 : 0);
    FillHistoryBox(m_upper, m_upperHistory, kNoUpper);
    m_upper.SetCurSel(m_nUpper < 2147483647 && m_upper.GetCount() > 1 ? 1 : 0);
    FillHistoryBox(m_folder, m_folderHistory);
    m_folder.SetCurSel(0);
    m_nPage = m_nPage >= 0 && m_nPage < 3 ? m_nPage : 0;
    m_tabs.SetCurSel(m_nPage);
    ShowPage(m_nPage);
    return TRUE;
}

void CDataSearchDlg::ShowPage(int page)
{
    const bool detailed = page != 0;
    const bool price = page == 2;
    auto show = [this](UINT id, bool visible) {
        if (CWnd* w = GetDlgItem(id))
            w->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    };
    show(IDC_SEARCH_CDROM_LABEL, !detailed);
    show(IDC_SEARCH_FIELD, detailed);
    show(IDC_SEARCH_FOLDER, detailed);
    show(IDC_SEARCH_BROWSE, detailed);
    show(IDC_SEARCH_LOWER, price);
    show(IDC_SEARCH_UPPER, price);
    for (int i = 0; i < 5; ++i)
        SetDlgItemText(kLabelIds[i], kPageLabels[page][i]);
    UpdateSearchButton(false);
}

void CDataSearchDlg::UpdateSearchButton(bool selectionChanging)
{
    // While a selection changes, the box still shows the old text: read the picked entry of
    // the box that sent it, the window text of the other.
    const MSG* msg = GetCurrentMessage();
    const HWND from = msg && msg->message == WM_COMMAND ? reinterpret_cast<HWND>(msg->lParam) : nullptr;
    const CString text = ComboText(m_text, selectionChanging && from == m_text.GetSafeHwnd());
    const CString folder = ComboText(m_folder, selectionChanging && from == m_folder.GetSafeHwnd());
    const bool ok = !text.IsEmpty() && (m_nPage == 0 || !folder.IsEmpty());
    if (CWnd* button = GetDlgItem(IDOK))
        button->EnableWindow(ok);
}

void CDataSearchDlg::OnTabChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
    m_nPage = m_tabs.GetCurSel();
    ShowPage(m_nPage);
}

BOOL CDataSearchDlg::PreTranslateMessage(MSG* msg)
{
    if (StepSearchPage(msg, m_tabs, m_nPage)) {
        ShowPage(m_nPage);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CDataSearchDlg::OnBrowse()
{
    BrowseSearchFolder(this, m_folder);
    UpdateSearchButton(false);
}

void CDataSearchDlg::OnOK()
{
    const int page = m_nPage;
    if (page == 0) {
        CYQVDoc* doc = m_pDoc ? m_pDoc : CYQVDoc::GetActive();
        if (!doc || doc->GetCatalogCount() == 0) {
            AfxMessageBox("CD-ROMの準備ができていません。", MB_ICONEXCLAMATION);
            return;
        }
    }
    CString folder;
    if (page != 0 && !CheckSearchFolder(ComboText(m_folder), folder))
        return;

    const CString text = ComboText(m_text);
    UpdateHistoryBox(m_text, text, m_textHistory);
    CString lowerText = ComboText(m_lower);
    CString upperText = ComboText(m_upper);
    int lower = -1, upper = 2147483647;
    if (lowerText != kNoLower) {
        UpdateHistoryBox(m_lower, lowerText, m_lowerHistory, kNoLower);
        lower = ParsePriceBound(lowerText, kNoLower, -1);
    }
    if (upperText != kNoUpper) {
        UpdateHistoryBox(m_upper, upperText, m_upperHistory, kNoUpper);
        upper = ParsePriceBound(upperText, kNoUpper, 2147483647);
    }
    if (page != 0)
        UpdateHistoryBox(m_folder, folder, m_folderHistory);
    if (page == 0)
        folder = "*:";
    if (page != 2) {
        lower = -1;
        upper = 2147483647;
    }
    const int field = m_field.GetCurSel() >= 0 && m_field.GetCurSel() < 3 ? m_field.GetCurSel() : 0;
    m_strText = text;
    m_strFolder = folder;
    m_nLower = lower;
    m_nUpper = upper;
    m_strDescription = DescribeDataSearch(page, kFieldLabels[field], text, lower, upper);
    if (page == 0) {
        m_strCode = "****";
    } else {
        m_strCode = kFieldCodes[field];
        m_nField = field;
    }
    CDialog::OnOK();
}
