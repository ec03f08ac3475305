// The main frame's search commands: the quick search of the tool bar's box, and the
// registering of a data search or an image search under its root in the tree.
#include <algorithm>

#include "LeftView.h"
#include "MainFrame.h"
#include "SavedSearchDlg.h"
#include "SearchRecords.h"
#include "SearchRules.h"
#include "TreeNode.h"
#include "VendaroExplorerApp.h"
#include "resource.h"

namespace {

const char kNothingFound[] = "検索数が０でした。この結果は登録されません。";

FILETIME LocalToUtc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms)
{
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    st.wMilliseconds = ms;
    FILETIME local{}, utc{};
    ::SystemTimeToFileTime(&st, &local);
    ::LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

// The widest range the date boxes take.
const int kFirstDay[3] = {1980, 1, 1};
const int kLastDay[3] = {2099, 12, 31};

// The search's range: from the first day's start to the last day's last millisecond, local.
void SetWholeDays(CImageSearch* search, const int from[3], const int to[3])
{
    const FILETIME start = LocalToUtc(WORD(from[0]), WORD(from[1]), WORD(from[2]), 0, 0, 0, 0);
    const FILETIME end = LocalToUtc(WORD(to[0]), WORD(to[1]), WORD(to[2]), 23, 59, 59, 999);
    search->m_startLow = start.dwLowDateTime;
    search->m_startHigh = start.dwHighDateTime;
    search->m_endLow = end.dwLowDateTime;
    search->m_endHigh = end.dwHighDateTime;
}

template <class T> void Forget(std::vector<T*>& list, T* record)
{
    auto it = std::find(list.begin(), list.end(), record);
    if (it != list.end())
        list.erase(it);
    delete record;
}

}  // namespace

BOOL CMainFrame::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && m_editSearch.GetSafeHwnd() &&
        msg->hwnd == m_editSearch.GetSafeHwnd()) {
        CString text;
        m_editSearch.GetWindowText(text);
        m_strQuickText = text.Left(512);
        QuickSearch();
    }
    return CFrameWnd::PreTranslateMessage(msg);
}

BOOL CMainFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (CFrameWnd::OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    CLeftView* tree = GetLeftView();
    return tree && static_cast<CView*>(tree) != GetActiveView() && tree->OnCmdMsg(id, code, extra, handlerInfo);
}

void CMainFrame::OnUpdateSearchBox(CCmdUI* cmdUI)
{
    if (m_editSearch.GetSafeHwnd()) {
        char line[516] = {};
        *reinterpret_cast<WORD*>(line) = 512;
        const int n = static_cast<int>(m_editSearch.SendMessage(EM_GETLINE, 0, reinterpret_cast<LPARAM>(line)));
        line[n >= 0 && n < 512 ? n : 512] = '\0';
        m_strQuickText = line;
        m_dlgDataSearch.m_strText = m_dlgDataSearch.m_strDescription = m_strQuickText;
    }
    cmdUI->Enable(TRUE);
}

std::vector<CString> CMainFrame::ChildNames(CTreeNode* root) const
{
    std::vector<CString> names;
    if (root)
        for (CTreeNode* c : root->m_children)
            names.push_back(c->m_strText);
    return names;
}

void CMainFrame::QuickSearch()
{
    if (m_editSearch.GetSafeHwnd()) {
        CString text;
        m_editSearch.GetWindowText(text);
        m_strQuickText = text.Left(512);
    }
    const CString text = m_strQuickText;
    CLeftView* tree = GetLeftView();
    CVendaroExplorerApp* app = GetVendaroApp();
    if (text.IsEmpty() || !tree || app->m_bBusy)
        return;
    CTreeNode* top = CTreeNode::GetTopNode(tree->GetCurrentNode());
    if (top && (top == tree->m_pDesktop || top == tree->m_pImageRoot)) {
        // One image search per drive of My Computer that is not a catalogue.
        CTreeNode* computer = tree->m_pComputer;
        if (!computer)
            return;
        bool found = false;
        std::vector<CTreeNode*> drives(computer->m_children);
        for (CTreeNode* drive : drives) {
            if (!drive->HasKind(CTreeNode::kDrive) || drive->HasKind(CTreeNode::kCatalogFolder))
                continue;
            auto* search = new CImageSearch;
            search->m_strName = text;
            search->m_strFileText = text;
            search->m_strFolder = drive->m_strPath.Right(1) == "\\" ? drive->m_strPath : drive->m_strPath + "\\";
            BOOL cancelled = FALSE;
            if (RegisterQuickImageSearch(search, &cancelled))
                found = true;
            if (cancelled)
                return;
        }
        if (!found)
            AfxMessageBox(kNothingFound, MB_OK);
        return;
    }
    m_dlgDataSearch.ResetToQuickSearch();
    m_dlgDataSearch.m_strText = m_dlgDataSearch.m_strDescription = text;
    CYQVDoc* doc = dynamic_cast<CYQVDoc*>(GetActiveDocument());
    if (!doc || doc->GetCatalogCount() == 0) {
        // Nothing could be searched: no condition is kept.
        AfxMessageBox("CD-ROMの準備ができていません。", MB_ICONEXCLAMATION);
        return;
    }
    app->m_dlgSearchProgress.Create(this);
    auto* condition = new CSearchCondition;
    condition->m_strName = text;
    condition->m_strText = text;
    condition->m_strCode = "****";
    condition->m_strCatalog = "*:";
    condition->m_nMethod = 3;
    RegisterDataSearch(condition);
    if (app->m_dlgSearchProgress.IsShown())
        app->m_dlgSearchProgress.DestroyWindow();
}

BOOL CMainFrame::RegisterDataSearch(CSearchCondition* condition)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    CLeftView* tree = GetLeftView();
    app->m_searchConditions.push_back(condition);
    if (!tree || !tree->m_pSearchRoot) {
        if (app->m_dlgSearchProgress.IsShown())
            app->m_dlgSearchProgress.DestroyWindow();
        return FALSE;
    }
    CTreeNode* root = tree->m_pSearchRoot;
    const CString name = MakeUniqueSearchName(condition->m_strName, ChildNames(root));
    CTreeNode* node = tree->InsertNode(name, 7, 7, root, 3, nullptr);
    node->Attach(CTreeNode::kCondition, condition);
    tree->InsertNode("dummy", 0, 0, node, 1, nullptr);
    if (!tree->RunSearch(node))
        return FALSE;  // cancelled: the node is gone, the condition stays
    const CString status = m_wndStatusBar.GetSafeHwnd() ? m_wndStatusBar.GetPaneText(0) : CString();
    tree->ExpandAndSelect(node);
    const bool results = node->GetChildCount() > 1 || (node->GetChildCount() == 1 && node->GetChild(0)->GetItem());
    if (results) {
        // The list's count replaced it: the search's own count stays in view.
        SetStatusText(status);
        return TRUE;
    }
    Forget(app->m_searchConditions, condition);
    node->Attach(CTreeNode::kNone, nullptr);
    tree->DeleteNode(node);
    AfxMessageBox(kNothingFound, MB_OK);
    return FALSE;
}

BOOL CMainFrame::RegisterQuickImageSearch(CImageSearch* search, BOOL* cancelled)
{
    CVendaroExplorerApp* app = GetVendaroApp();
    CLeftView* tree = GetLeftView();
    if (cancelled)
        *cancelled = FALSE;
    if (!tree || !tree->m_pImageRoot) {
        delete search;
        return FALSE;
    }
    app->m_dlgSearchProgress.Create(this);
    SetWholeDays(search, kFirstDay, kLastDay);
    app->m_imageSearches.push_back(search);
    CTreeNode* root = tree->m_pImageRoot;
    search->m_strName = MakeUniqueSearchName(search->m_strName, ChildNames(root));
    CTreeNode* node = tree->InsertNode(search->m_strName + "(" + search->m_strFolder + ")", 7, 7, root, 5, nullptr);
    node->Attach(CTreeNode::kImageSearch, search);
    CTreeCtrl& ctrl = tree->GetTreeCtrl();
    ctrl.Expand(root->m_hItem, TVE_EXPAND);
    if (!tree->RunImageSearch(node)) {
        if (cancelled)
            *cancelled = TRUE;
        return FALSE;
    }
    ctrl.Expand(node->m_hItem, TVE_EXPAND);
    ctrl.SelectItem(node->m_hItem);
    if (node->GetChildCount() > 0)
        return TRUE;
    Forget(app->m_imageSearches, search);
    node->Attach(CTreeNode::kNone, nullptr);
    tree->DeleteNode(node);
    return FALSE;
}

void CMainFrame::OnUpdateSavedSearch(CCmdUI* cmdUI)
{
    CYQVDoc* doc = dynamic_cast<CYQVDoc*>(GetActiveDocument());
    cmdUI->Enable(doc && doc->GetCatalogCount() > 0);
}

void CMainFrame::OnSavedSearch()
{
    CVendaroExplorerApp* app = GetVendaroApp();
    CLeftView* tree = GetLeftView();
    CSavedSearchDlg dlg(this);
    dlg.SetDocument(dynamic_cast<CYQVDoc*>(GetActiveDocument()));
    if (dlg.DoModal() != IDOK || !tree || !tree->m_pSearchRoot)
        return;
    auto* condition = new CSearchCondition;
    condition->m_strCatalog = dlg.m_strCatalog;
    condition->m_strName = dlg.m_strName;
    condition->m_strCode = dlg.m_strCode;
    condition->m_strText = dlg.m_strText;
    condition->m_nMethod = dlg.m_nMethod;
    app->m_searchConditions.push_back(condition);
    CTreeNode* node = tree->InsertNode(condition->m_strName, 7, 7, tree->m_pSearchRoot, 3, nullptr);
    node->Attach(CTreeNode::kCondition, condition);
    tree->InsertNode("dummy", 0, 0, node, 1, nullptr);
    tree->GetTreeCtrl().Expand(tree->m_pSearchRoot->m_hItem, TVE_EXPAND);
    // A fresh progress dialog: the cancel flag of an earlier search would end this one.
    app->m_dlgSearchProgress.Create(this);
    if (tree->RunSearch(node))
        tree->ExpandAndSelect(node);
}

void CMainFrame::OnDataSearch()
{
    CVendaroExplorerApp* app = GetVendaroApp();
    m_dlgDataSearch.SetDocument(dynamic_cast<CYQVDoc*>(GetActiveDocument()));
    if (m_dlgDataSearch.DoModal() != IDOK)
        return;
    app->m_dlgSearchProgress.Create(this);
    auto* condition = new CSearchCondition;
    condition->m_strName = m_dlgDataSearch.m_strDescription;
    condition->m_strCode = m_dlgDataSearch.m_strCode;
    condition->m_strText = m_dlgDataSearch.m_strText;
    condition->m_strCatalog = m_dlgDataSearch.m_strFolder;
    condition->m_nLowPrice = m_dlgDataSearch.m_nLower;
    condition->m_nHighPrice = m_dlgDataSearch.m_nUpper;
    condition->m_nMethod = 3;
    condition->m_nKind = m_dlgDataSearch.m_nPage;
    RegisterDataSearch(condition);
}

void CMainFrame::OnImageSearch()
{
    CVendaroExplorerApp* app = GetVendaroApp();
    CLeftView* tree = GetLeftView();
    CImageSearchDlg& dlg = m_dlgImageSearch;
    if (!dlg.m_bDatesKept) {
        std::copy(kFirstDay, kFirstDay + 3, dlg.m_from);
        std::copy(kLastDay, kLastDay + 3, dlg.m_to);
        dlg.m_bDatesKept = TRUE;
    }
    if (dlg.DoModal() != IDOK || !tree || !tree->m_pImageRoot)
        return;
    app->m_dlgSearchProgress.Create(this);
    auto* search = new CImageSearch;
    search->m_strFileText = dlg.m_strFileText;
    search->m_strFolder = dlg.m_strFolder;
    SetWholeDays(search, dlg.m_from, dlg.m_to);
    app->m_imageSearches.push_back(search);
    CTreeNode* root = tree->m_pImageRoot;
    search->m_strName = MakeUniqueSearchName(dlg.m_strDescription, ChildNames(root));
    CTreeNode* node = tree->InsertNode(search->m_strName, 7, 7, root, 5, nullptr);
    node->Attach(CTreeNode::kImageSearch, search);
    CTreeCtrl& ctrl = tree->GetTreeCtrl();
    ctrl.Expand(root->m_hItem, TVE_EXPAND);
    // Runs before the node opens, so that a cancel never deletes an item inside its own
    // expanding notification; a search that found nothing is kept.
    if (tree->RunImageSearch(node))
        tree->ExpandAndSelect(node);
}
