#include "ImageSearchDlg.h"

#include "SearchDialogParts.h"
#include "SearchRules.h"
#include "resource.h"

namespace {

// Edit and up-down ids of the two dates: year, month, day.
const UINT kDateEdits[2][3] = {{IDC_IMAGE_FROM_YEAR, IDC_IMAGE_FROM_MONTH, IDC_IMAGE_FROM_DAY},
                               {IDC_IMAGE_TO_YEAR, IDC_IMAGE_TO_MONTH, IDC_IMAGE_TO_DAY}};
const UINT kDateSpins[2][3] = {{IDC_IMAGE_FROM_YEAR_SPIN, IDC_IMAGE_FROM_MONTH_SPIN, IDC_IMAGE_FROM_DAY_SPIN},
                               {IDC_IMAGE_TO_YEAR_SPIN, IDC_IMAGE_TO_MONTH_SPIN, IDC_IMAGE_TO_DAY_SPIN}};
const UINT kDateLabels[] = {IDC_IMAGE_LABEL_FROM, IDC_IMAGE_LABEL_TO, IDC_IMAGE_DATE_SEP1, IDC_IMAGE_DATE_SEP2,
                            IDC_IMAGE_DATE_SEP3, IDC_IMAGE_DATE_SEP4};

}  // namespace

BEGIN_MESSAGE_MAP(CImageSearchDlg, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_IMAGE_TABS, OnTabChanged)
    ON_BN_CLICKED(IDC_IMAGE_BROWSE, OnBrowse)
    ON_CBN_EDITCHANGE(IDC_IMAGE_FILE, OnTextEdited)
    ON_CBN_EDITCHANGE(IDC_IMAGE_FOLDER, OnTextEdited)
    ON_CBN_SELCHANGE(IDC_IMAGE_FILE, OnTextPicked)
    ON_CBN_SELCHANGE(IDC_IMAGE_FOLDER, OnTextPicked)
    ON_EN_CHANGE(IDC_IMAGE_FROM_YEAR, OnFromDateChanged)
    ON_EN_CHANGE(IDC_IMAGE_FROM_MONTH, OnFromDateChanged)
    ON_EN_CHANGE(IDC_IMAGE_TO_YEAR, OnToDateChanged)
    ON_EN_CHANGE(IDC_IMAGE_TO_MONTH, OnToDateChanged)
END_MESSAGE_MAP()

CImageSearchDlg::CImageSearchDlg(CWnd* parent) : CDialog(IDD_IMAGE_SEARCH, parent) {}

BOOL CImageSearchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bFilling = true;
    m_tabs.SubclassDlgItem(IDC_IMAGE_TABS, this);
    m_file.SubclassDlgItem(IDC_IMAGE_FILE, this);
    m_folder.SubclassDlgItem(IDC_IMAGE_FOLDER, this);
    m_tabs.InsertItem(0, "ファイル名＆場所");
    m_tabs.InsertItem(1, "日付オプション");
    FillHistoryBox(m_file, m_fileHistory);
    m_file.SetCurSel(0);
    FillHistoryBox(m_folder, m_folderHistory);
    m_folder.SetCurSel(0);
    if (!m_bDatesKept) {
        SYSTEMTIME today;
        ::GetLocalTime(&today);
        m_from[0] = m_to[0] = today.wYear;
        m_from[1] = m_to[1] = today.wMonth;
        m_from[2] = m_to[2] = today.wDay;
    }
    static const int kLow[3] = {1980, 1, 1}, kHigh[3] = {2099, 12, 31}, kChars[3] = {4, 4, 2};
    for (int which = 0; which < 2; ++which) {
        const int* date = which == 0 ? m_from : m_to;
        for (int part = 0; part < 3; ++part) {
            SendDlgItemMessage(kDateEdits[which][part], EM_LIMITTEXT, kChars[part], 0);
            SendDlgItemMessage(kDateSpins[which][part], UDM_SETRANGE32, kLow[part], kHigh[part]);
            SetDlgItemInt(kDateEdits[which][part], date[part], FALSE);
        }
    }
    m_bFilling = false;
    LimitDay(0);
    LimitDay(1);
    m_nPage = m_nPage == 1 ? 1 : 0;
    m_tabs.SetCurSel(m_nPage);
    ShowPage(m_nPage);
    return TRUE;
}

void CImageSearchDlg::ShowPage(int page)
{
    const int show = page == 1 ? SW_SHOW : SW_HIDE;
    for (int which = 0; which < 2; ++which)
        for (int part = 0; part < 3; ++part) {
            GetDlgItem(kDateEdits[which][part])->ShowWindow(show);
            GetDlgItem(kDateSpins[which][part])->ShowWindow(show);
        }
    for (UINT id : kDateLabels)
        GetDlgItem(id)->ShowWindow(show);
    SetDlgItemText(IDC_IMAGE_LABEL_FILE, page == 1 ? "を含み" : "を含むデータを");
    UpdateSearchButton(false);
}

void CImageSearchDlg::UpdateSearchButton(bool selectionChanging)
{
    const MSG* msg = GetCurrentMessage();
    const HWND from = msg && msg->message == WM_COMMAND ? reinterpret_cast<HWND>(msg->lParam) : nullptr;
    const CString file = ComboText(m_file, selectionChanging && from == m_file.GetSafeHwnd());
    const CString folder = ComboText(m_folder, selectionChanging && from == m_folder.GetSafeHwnd());
    if (CWnd* button = GetDlgItem(IDOK))
        button->EnableWindow(!file.IsEmpty() && !folder.IsEmpty());
}

void CImageSearchDlg::LimitDay(int which)
{
    if (m_bFilling)
        return;
    BOOL okYear = FALSE, okMonth = FALSE;
    const int year = static_cast<int>(GetDlgItemInt(kDateEdits[which][0], &okYear, FALSE));
    const int month = static_cast<int>(GetDlgItemInt(kDateEdits[which][1], &okMonth, FALSE));
    if (!okYear || !okMonth || month < 1 || month > 12)
        return;
    const int length = DaysInMonth(year, month);
    SendDlgItemMessage(kDateSpins[which][2], UDM_SETRANGE32, 1, length);
    BOOL okDay = FALSE;
    const int day = static_cast<int>(GetDlgItemInt(kDateEdits[which][2], &okDay, FALSE));
    if (okDay && day > length)
        SetDlgItemInt(kDateEdits[which][2], length, FALSE);
}

bool CImageSearchDlg::ReadDate(int which, int date[3])
{
    for (int part = 0; part < 3; ++part) {
        BOOL ok = FALSE;
        date[part] = static_cast<int>(GetDlgItemInt(kDateEdits[which][part], &ok, FALSE));
        if (!ok)
            return false;
    }
    return IsValidSearchDate(date[0], date[1], date[2]);
}

void CImageSearchDlg::OnTabChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
    m_nPage = m_tabs.GetCurSel();
    ShowPage(m_nPage);
}

BOOL CImageSearchDlg::PreTranslateMessage(MSG* msg)
{
    if (StepSearchPage(msg, m_tabs, m_nPage)) {
        ShowPage(m_nPage);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CImageSearchDlg::OnBrowse()
{
    BrowseSearchFolder(this, m_folder);
    UpdateSearchButton(false);
}

void CImageSearchDlg::OnOK()
{
    CString folder;
    if (!CheckSearchFolder(ComboText(m_folder), folder))
        return;
    // Dates typed outside the boxes' ranges would make no search time: refused here.
    int from[3], to[3];
    if (!ReadDate(0, from) || !ReadDate(1, to)) {
        AfxMessageBox("入力された日付が正しくありません。", MB_ICONEXCLAMATION);
        return;
    }
    const CString file = ComboText(m_file);
    UpdateHistoryBox(m_file, file, m_fileHistory);
    UpdateHistoryBox(m_folder, folder, m_folderHistory);
    for (int part = 0; part < 3; ++part) {
        m_from[part] = from[part];
        m_to[part] = to[part];
    }
    m_bDatesKept = TRUE;
    m_strFileText = file;
    m_strFolder = folder;
    m_strDescription = DescribeImageSearch(m_nPage, file, folder, m_from, m_to);
    CDialog::OnOK();
}
