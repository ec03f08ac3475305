// The browser's only top-level window: tool bar with its embedded controls, status bar with
// its progress, the tree on the left and a switchable right pane over a detail row.
#pragma once

#include <afxext.h>

#include <vector>

#include "DataSearchDlg.h"
#include "IconButton.h"
#include "ImageSearchDlg.h"
#include "SortMenu.h"
#include "ToolBarEx.h"
#include "YQVDoc.h"
#include "yqSplitterWnd.h"

class CLeftView;
class CTreeNode;
class CSearchCondition;
class CImageSearch;
class CProgressBar;
class yqItem;

class CMainFrame : public CFrameWnd, public IDiscoveryProgress {
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    CView* SwitchRightView(int index);
    void ShowDetailRow(BOOL show);
    BOOL IsDetailRowShown() const { return m_bDetailRowShown; }
    void ClearItemList() { m_itemList.clear(); }
    SortState& GetSortState(int kind);
    // The 並び替え items for a list kind; the views call it when their content or sort changes.
    void BuildSortMenu(int kind);
    void SetStatusText(LPCTSTR text);
    void BeginProgress(const char* text, int total, int step) override;
    void StepProgress() override;
    void EndProgress() override;
    int GetProgressPos() const { return m_nProgressPos; }
    CProgressBar* GetProgressBar() const { return m_pProgressBar; }
    CView* GetDetailPane() const;
    CLeftView* GetLeftView() const;
    CView* GetRightView() const;
    int GetRightViewIndex() const { return m_nRightViewIndex; }
    int GetTreePaneWidth(int fallback) const;
    void InitialLoad();
    void Reload();
    void ReleaseCatalogViews();

    // Right-pane view classes by index: 0 report list, 1 detail form, 2 folder thumbnails,
    // 3 item thumbnails, 4 picture at full size.
    static CRuntimeClass* s_viewTable[5];

    CIconButton m_btnBack;
    CIconButton m_btnReload;
    CEdit m_editSearch;
    CButton m_btnSearch;
    CStatusBar m_wndStatusBar;
    CToolBarEx m_wndToolBar;
    yqSplitterWnd m_wndSplitter;
    yqSplitterWnd m_wndRightSplitter;
    int m_nRightViewIndex = 0;
    int m_nListMode = 256;
    CProgressBar* m_pProgressBar = nullptr;
    SortState m_sortStates[6];
    std::vector<yqItem*> m_itemList;
    BOOL m_bDetailRowShown = FALSE;
    int m_nProgressStep = 0;
    int m_nProgressPos = 0;
    int m_nLastSortKind = 0;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* context) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnClose();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg BOOL OnDeviceChange(UINT event, DWORD_PTR data);
    afx_msg void OnReload();
    afx_msg void OnUpdateReload(CCmdUI* cmdUI);
    afx_msg void OnGoBack();
    afx_msg void OnUpdateGoBack(CCmdUI* cmdUI);
    afx_msg void OnGoForward();
    afx_msg void OnUpdateGoForward(CCmdUI* cmdUI);
    afx_msg void OnGoUp();
    afx_msg void OnUpdateGoUp(CCmdUI* cmdUI);
    afx_msg void OnFocusNextPane();
    afx_msg void OnRegisterDirectory();
    HTREEITEM SelectedTreeParent() const;
    afx_msg void OnEmptyCommand() {}
    afx_msg void OnUpdateEmptyCommand(CCmdUI*) {}
    DECLARE_MESSAGE_MAP()

public:
    // The quick search of the tool bar's box (button 32776 or Enter in the box).
    void QuickSearch();
    BOOL RegisterDataSearch(CSearchCondition* condition);
    // TRUE when the search found files; FALSE when it found none (it is then forgotten) or
    // was cancelled.
    BOOL RegisterQuickImageSearch(CImageSearch* search, BOOL* cancelled = nullptr);
    CString m_strQuickText;  // the box's text at the last idle update

protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    // What the active view leaves goes to the tree (the detail pane may be active).
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    afx_msg void OnSearchButton() { QuickSearch(); }
    afx_msg void OnUpdateSearchBox(CCmdUI* cmdUI);
    std::vector<CString> ChildNames(CTreeNode* root) const;

protected:
    // View modes, sorting and drags of the right pane (MainFrameViews.cpp).
    void ChangeListStyle(UINT id);
    // The frame's item list from a node's children with items (placeholders skipped).
    void RefillItemList(CTreeNode* node);
    afx_msg void OnViewMode(UINT id);
    afx_msg void OnUpdateViewMode(CCmdUI* cmdUI);
    afx_msg void OnSortCommand(UINT id);
    afx_msg void OnInitMenu(CMenu* menu);
    afx_msg void OnTreeBeginDrag(NMHDR* nmhdr, LRESULT* result);
    afx_msg void OnListBeginDrag(NMHDR* nmhdr, LRESULT* result);

public:
    // The two search dialogs, kept for the whole run with their histories; the image one
    // starts on 1980-01-01 to 2099-12-31.
    CDataSearchDlg m_dlgDataSearch;
    CImageSearchDlg m_dlgImageSearch;

protected:
    // Commands 32771 (dialog 132), 32814 (dialog 161) and 32815 (dialog 162).
    afx_msg void OnSavedSearch();
    afx_msg void OnUpdateSavedSearch(CCmdUI* cmdUI);
    afx_msg void OnDataSearch();
    afx_msg void OnImageSearch();

public:
    // Registers a chosen folder (the picker's part left out): the messages for a duplicate or
    // a CD-ROM folder, then the catalogue when one loads there.
    void RegisterDirectory(const char* path);
};
