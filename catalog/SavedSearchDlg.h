// Dialog 132 ("Vendaroから検索"): a named search condition on one loaded catalogue. Made for
// each use; the frame stores what it gives.
#pragma once

#include <afxwin.h>

#include <vector>

class CYQVDoc;
class CSearchCondition;

class CSavedSearchDlg : public CDialog {
public:
    explicit CSavedSearchDlg(CWnd* parent = nullptr);

    void SetDocument(CYQVDoc* doc);
    // The saved conditions the name box offers; the application's when not set.
    void SetConditions(const std::vector<CSearchCondition*>* conditions) { m_pConditions = conditions; }

    static const char* const kFieldLabels[4];
    static const char* const kFieldCodes[4];
    static const char* const kMethodLabels[3];

    std::vector<CString> m_catalogs;  // the loaded catalogues' root paths
    // Results of OK.
    CString m_strCatalog;
    CString m_strName;
    CString m_strCode;
    CString m_strText;
    int m_nMethod = 3;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnNamePicked();
    afx_msg void OnFieldPicked();
    DECLARE_MESSAGE_MAP()

    const std::vector<CSearchCondition*>& Conditions() const;
    void UpdateMethodList();

    CYQVDoc* m_pDoc = nullptr;
    const std::vector<CSearchCondition*>* m_pConditions = nullptr;
    CComboBox m_catalog;
    CComboBox m_name;
    CComboBox m_field;
    CComboBox m_method;
};
