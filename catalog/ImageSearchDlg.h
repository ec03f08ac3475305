// Dialog 162, the image data search: file name and folder (page 0), and the date range
// (page 1). The frame keeps one for the whole run.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <vector>

class CImageSearchDlg : public CDialog {
public:
    explicit CImageSearchDlg(CWnd* parent = nullptr);

    // Kept between openings. The dates are year, month, day; taken as given when kept.
    int m_nPage = 0;
    std::vector<CString> m_fileHistory;
    std::vector<CString> m_folderHistory;
    BOOL m_bDatesKept = FALSE;
    int m_from[3] = {0, 0, 0};
    int m_to[3] = {0, 0, 0};
    // Results of the last OK.
    CString m_strFileText;
    CString m_strFolder;  // ends in "\"
    CString m_strDescription;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    afx_msg void OnTabChanged(NMHDR* nmhdr, LRESULT* result);
    afx_msg void OnBrowse();
    afx_msg void OnTextEdited() { UpdateSearchButton(false); }
    afx_msg void OnTextPicked() { UpdateSearchButton(true); }
    afx_msg void OnFromDateChanged() { LimitDay(0); }
    afx_msg void OnToDateChanged() { LimitDay(1); }
    DECLARE_MESSAGE_MAP()

    void ShowPage(int page);
    void UpdateSearchButton(bool selectionChanging);
    // The day of date `which` (0 from, 1 to) to 1 .. its month's length.
    void LimitDay(int which);
    bool ReadDate(int which, int date[3]);

    CTabCtrl m_tabs;
    CComboBox m_file;
    CComboBox m_folder;
    bool m_bFilling = false;
};
