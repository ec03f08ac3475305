#include "SavedSearchDlg.h"

#include "SearchRecords.h"
#include "VendaroExplorerApp.h"
#include "YQVDoc.h"
#include "resource.h"

namespace {

const int kSpecField = 2;  // スペック: searched by containing only

}  // namespace

const char* const CSavedSearchDlg::kFieldLabels[4] = {"品番", "品名", "スペック", "キーワード"};
const char* const CSavedSearchDlg::kFieldCodes[4] = {"0001", "0002", "0021", "0400"};
const char* const CSavedSearchDlg::kMethodLabels[3] = {"と完全に一致する", "を先頭に持つ", "を含む"};

BEGIN_MESSAGE_MAP(CSavedSearchDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_SAVED_NAME, OnNamePicked)
    ON_CBN_SELCHANGE(IDC_SAVED_FIELD, OnFieldPicked)
END_MESSAGE_MAP()

CSavedSearchDlg::CSavedSearchDlg(CWnd* parent) : CDialog(IDD_SAVED_SEARCH, parent) {}

void CSavedSearchDlg::SetDocument(CYQVDoc* doc)
{
    m_pDoc = doc;
    m_catalogs.clear();
    if (doc)
        for (int i = 0; i < doc->GetCatalogCount(); ++i)
            m_catalogs.push_back(doc->GetCatalog(i)->GetRootPath());
}

const std::vector<CSearchCondition*>& CSavedSearchDlg::Conditions() const
{
    return m_pConditions ? *m_pConditions : GetVendaroApp()->m_searchConditions;
}

BOOL CSavedSearchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_catalog.SubclassDlgItem(IDC_SAVED_CATALOG, this);
    m_name.SubclassDlgItem(IDC_SAVED_NAME, this);
    m_field.SubclassDlgItem(IDC_SAVED_FIELD, this);
    m_method.SubclassDlgItem(IDC_SAVED_METHOD, this);
    for (const CString& root : m_catalogs)
        m_catalog.AddString(root);
    m_catalog.EnableWindow(m_catalogs.size() != 1);
    for (CSearchCondition* c : Conditions())
        if (m_pDoc && m_pDoc->FindCatalog(c->m_strCatalog) && m_name.FindStringExact(-1, c->m_strName) < 0)
            m_name.AddString(c->m_strName);
    for (const char* label : kFieldLabels)
        m_field.AddString(label);
    for (const char* label : kMethodLabels)
        m_method.AddString(label);
    m_catalog.SetCurSel(0);
    m_field.SetCurSel(0);
    m_method.SetCurSel(0);
    return TRUE;
}

void CSavedSearchDlg::OnNamePicked()
{
    const int sel = m_name.GetCurSel();
    if (sel < 0)
        return;
    CString name, catalog;
    m_name.GetLBText(sel, name);
    m_catalog.GetWindowText(catalog);
    for (CSearchCondition* c : Conditions()) {
        if (c->m_strName != name || c->m_strCatalog != catalog)
            continue;
        SetDlgItemText(IDC_SAVED_TEXT, c->m_strText);
        for (int i = 0; i < 4; ++i)
            if (c->m_strCode == kFieldCodes[i])
                m_field.SetCurSel(i);
        if (c->m_nMethod >= 1 && c->m_nMethod <= 3)
            m_method.SetCurSel(c->m_nMethod - 1);
    }
    UpdateMethodList();
}

void CSavedSearchDlg::OnFieldPicked() { UpdateMethodList(); }

void CSavedSearchDlg::UpdateMethodList()
{
    const bool spec = m_field.GetCurSel() == kSpecField;
    if (spec)
        m_method.SetCurSel(2);
    m_method.EnableWindow(!spec);
}

void CSavedSearchDlg::OnOK()
{
    CString name, text, catalog;
    m_name.GetWindowText(name);
    GetDlgItemText(IDC_SAVED_TEXT, text);
    m_catalog.GetWindowText(catalog);
    const int field = m_field.GetCurSel();
    if (name.IsEmpty()) {
        AfxMessageBox("検索名を入力してください", MB_ICONEXCLAMATION);
        return;
    }
    if (field < 0 || field > 3) {
        AfxMessageBox("検索する項目を指定してください", MB_ICONEXCLAMATION);
        return;
    }
    if (text.IsEmpty()) {
        AfxMessageBox("検索する文字列を指定してください", MB_ICONEXCLAMATION);
        return;
    }
    for (CSearchCondition* c : Conditions())
        if (c->m_strCatalog == catalog && c->m_strName == name) {
            AfxMessageBox("同名の検索条件が既に登録されています。別の名前を指定してください", MB_ICONEXCLAMATION);
            return;
        }
    m_strName = name;
    m_strText = text;
    m_strCatalog = catalog;
    m_strCode = kFieldCodes[field];
    m_nMethod = field == kSpecField ? 3 : m_method.GetCurSel() + 1;
    CDialog::OnOK();
}
