// Dialog 161, the catalogue data search: three pages (簡易検索, 詳細検索, 価格検索) over one
// set of controls. The frame keeps one for the whole run, so its histories and page last.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <vector>

class CYQVDoc;

class CDataSearchDlg : public CDialog {
public:
    explicit CDataSearchDlg(CWnd* parent = nullptr);

    // The document whose catalogues page 0 needs; the active one when not set.
    void SetDocument(CYQVDoc* doc) { m_pDoc = doc; }
    // What a quick search leaves: first page, every catalogue, no price bounds.
    void ResetToQuickSearch();

    static const char* const kFieldLabels[3];
    static const char* const kFieldCodes[3];

    // Kept between openings.
    int m_nPage = 0;
    int m_nField = 0;
    std::vector<CString> m_textHistory;
    std::vector<CString> m_folderHistory;
    std::vector<CString> m_lowerHistory;
    std::vector<CString> m_upperHistory;
    // Results of the last OK.
    CString m_strText;
    CString m_strFolder;  // "*:" from page 0
    CString m_strDescription;
    CString m_strCode;
    int m_nLower = -1;
    int m_nUpper = 2147483647;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    afx_msg void OnTabChanged(NMHDR* nmhdr, LRESULT* result);
    afx_msg void OnBrowse();
    afx_msg void OnTextEdited() { UpdateSearchButton(false); }
    afx_msg void OnTextPicked() { UpdateSearchButton(true); }
    DECLARE_MESSAGE_MAP()

    void ShowPage(int page);
    void UpdateSearchButton(bool selectionChanging);

    CYQVDoc* m_pDoc = nullptr;
    CTabCtrl m_tabs;
    CComboBox m_field;
    CComboBox m_text;
    CComboBox m_lower;
    CComboBox m_upper;
    CComboBox m_folder;
};
