// The folder and catalogue tree in the left pane: the desktop with its drives and folders, the
// loaded catalogues, the saved data searches and image searches. Nodes live in CTreeNode; the
// control's items point to them. It runs the searches, watches the drives and keeps the
// Back/Forward history.
#pragma once

#include <afxcview.h>

#include <vector>

#include "DriveWatch.h"
#include "NavigationHistory.h"
#include "TreeNode.h"

struct CTreePosition;
class CMainFrame;
class CFileInfoRecord;
class CImageSearch;
class yqCatalog;
class yqCategory;

class CLeftView : public CTreeView {
    DECLARE_DYNCREATE(CLeftView)
public:
    CLeftView() = default;
    ~CLeftView() override;

    // Node bookkeeping over the control.
    CTreeNode* InsertNode(const char* text, int image, int selectedImage, CTreeNode* parent, unsigned flags,
                          const char* path);
    void DeleteNode(CTreeNode* node);
    virtual void DeleteAllNodes();
    CTreeNode* GetNode(HTREEITEM item) const;
    void SortChildren(CTreeNode* node);

    virtual void AddRootNodes();
    void AddCategoryNodes(CTreeNode* node, yqCategory* category);
    void FillCategoryNode(CTreeNode* node);
    int FillShellFolder(CTreeNode* node);
    int RescanFolder(CTreeNode* node);
    static BOOL IsCatalogFolder(const char* path);
    // Kept for the registered image folders, whose root nothing makes yet: a tree item for
    // every descendant of a node, and a folder node's picture files as its children.
    void ReinsertSubtree(CTreeNode* node);
    void FillFolderFiles(CTreeNode* node);
    void ListImageFiles(CTreeNode* node);

    // Selects the catalogue root, else the data-search root, else the desktop root.
    virtual void SelectStartNode();
    // The stored position when it is found; FALSE otherwise.
    virtual BOOL RestorePosition(const CTreePosition& pos);
    HTREEITEM RestorePosition(const char* folder, const char* text, const char* rootText, BOOL expand, BOOL select);
    virtual void SelectFallbackNode();
    virtual BOOL GetPosition(CTreePosition& pos);
    // A registered catalogue's node under the catalogue root, selected.
    virtual void AddCatalogNode(yqCatalog* catalog, int icon);

    // Whether the step is possible; `take` also takes it.
    virtual BOOL GoBack(BOOL take);
    virtual BOOL GoForward(BOOL take);
    BOOL AddHistory(const char* picturePath);
    void UpdateNewest() { m_history.UpdateNewest(); }
    CNavigationHistory& GetHistory() { return m_history; }

    // 1 done, 0 cancelled (the node is then gone).
    int RunSearch(CTreeNode* node);
    int SearchImageFiles(CTreeNode* node, CImageSearch* search, const char* folder);
    void RunSearchAgain(CTreeNode* node);
    void ShowItemList();
    // The right pane for an item node (its detail form) and a folder in thumbnail mode.
    void ShowItemDetail(CTreeNode* node);
    void ShowFolderThumbnails(CTreeNode* node);
    // The image search of a node below the image root, on its first opening; FALSE when
    // cancelled (the node and the search are then gone).
    BOOL RunImageSearch(CTreeNode* node);
    // Removes a saved search (its record when `record`) and its node; the parent is selected.
    void RemoveSearchNode(CTreeNode* node);

    CTreeNode* GetCurrentNode() const { return m_pCurrent; }
    void SetCurrentNode(CTreeNode* node) { m_pCurrent = node; }
    CTreeNode* GetTopNode(CTreeNode* node) const { return CTreeNode::GetTopNode(node); }
    CTreeNode* m_pDesktop = nullptr;
    CTreeNode* m_pComputer = nullptr;
    CTreeNode* m_pDocuments = nullptr;
    CTreeNode* m_pVendaroRoot = nullptr;
    CTreeNode* m_pSearchRoot = nullptr;
    CTreeNode* m_pImageRoot = nullptr;
    std::vector<CFileInfoRecord*> m_records;
    DriveWatchState m_watch;

    // The selection's right pane, as a selection of `item` shows it.
    void ShowSelection(HTREEITEM item);
    void ExpandAndSelect(CTreeNode* node);
    void OnDriveChanged(int driveIndex, bool acknowledge);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSelChanged(NMHDR* nmhdr, LRESULT* result);
    afx_msg void OnItemExpanding(NMHDR* nmhdr, LRESULT* result);
    afx_msg void OnItemExpanded(NMHDR* nmhdr, LRESULT* result);
    afx_msg LRESULT OnDriveChangedMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEditCopy();
    afx_msg void OnUpdateEditCopy(CCmdUI* cmdUI);
    afx_msg void OnPasteToBoard();
    afx_msg void OnUpdatePasteToBoard(CCmdUI* cmdUI);
    afx_msg void OnDeleteSearch();
    afx_msg void OnUpdateDeleteSearch(CCmdUI* cmdUI);
    afx_msg void OnSimulateChange();
    afx_msg void OnUpdateSimulateChange(CCmdUI* cmdUI) { cmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()

    CMainFrame* Frame() const;
    void BuildDesktopNodes();
    CTreeNode* AddFolderNode(CTreeNode* parent, const char* name, const char* fullPath);
    CFileInfoRecord* AddRecord(const char* name, const char* fullPath, const char* type, const WIN32_FIND_DATA* data);
    void SetChildrenButton(CTreeNode* node, BOOL children);
    void RemoveTreeItem(CTreeNode* node);
    void ShowFilledNode(CTreeNode* node, bool attachedOfAll);
    HTREEITEM SelectPath(const char* path, const char* rootText, BOOL expand, BOOL select);
    HTREEITEM SelectText(const char* text, BOOL expand, BOOL select);
    HTREEITEM ExpandPath(const char* path, CTreeNode* node);
    HTREEITEM FindNodeByText(const char* text, CTreeNode* node, int depth);
    void Replay(const CNavigationHistory::Entry& entry, bool showAgain);
    bool IsShellNode(const CTreeNode* node) const
    {
        return node && (node == m_pDesktop || node == m_pComputer || node == m_pDocuments);
    }

    CTreeNode* m_pCurrent = nullptr;
    HTREEITEM m_hLastExpanded = nullptr;
    CNavigationHistory m_history;
    BOOL m_bDeletingAll = FALSE;
    BOOL m_bNavigating = FALSE;
    CWinThread* m_pWatchThread = nullptr;
};
