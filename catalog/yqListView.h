// The right pane's report list: catalogues, a catalogue node's children, items with prices,
// a folder's folders and pictures (also an image search's finds), the saved searches.
#pragma once

#include <afxcview.h>

#include <vector>

class CTreeNode;
class CFileInfoRecord;
class CLeftView;
class CMainFrame;
class yqItem;

struct yqListRow {
    HTREEITEM hItem = nullptr;
    CFileInfoRecord* pRecord = nullptr;  // owned by the view
};

class yqListView : public CListView {
    DECLARE_DYNCREATE(yqListView)
public:
    enum Kind { kNone = 0, kCatalogs = 1, kChildren = 2, kItems = 3, kDataSearches = 4, kFolders = 6, kFiles = 7 };

    yqListView() = default;
    ~yqListView() override;

    void ShowCatalogNode(CTreeNode* node);
    void ShowCatalogNodeCopy(CTreeNode* node) { ShowCatalogNode(node); }
    void ShowItems(const std::vector<yqItem*>& items);
    void ShowFolder(CTreeNode* node);
    void ShowDataSearches(CTreeNode* node);
    void ShowImageSearches(CTreeNode* node);
    // The registered image folders below a node (its children's paths); nothing makes that
    // node yet.
    void ShowRegisteredFolders(CTreeNode* node);
    int ShowSingleRow(const char* text);
    void SortItems(int column, BOOL ascending);

    int GetKind() const { return m_nKind; }
    const std::vector<yqListRow>& GetRows() const { return m_rows; }
    BOOL CanCopyRows() const;
    // The picture paths of the selected rows, in row order.
    std::vector<CString> SelectedPaths() const;
    // Opening a row, as a double click does.
    void OpenRow(int row);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}
    afx_msg void OnDblClk(NMHDR* nmhdr, LRESULT* result);
    afx_msg void OnColumnClick(NMHDR* nmhdr, LRESULT* result);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnEditCopy();
    afx_msg void OnPasteToBoard();
    afx_msg void OnUpdateCopyRows(CCmdUI* cmdUI);
    afx_msg void OnDeleteSearch();
    afx_msg void OnUpdateDeleteSearch(CCmdUI* cmdUI);
    DECLARE_MESSAGE_MAP()

    CMainFrame* Frame() const;
    CLeftView* Tree() const;
    void Reset(int kind, const char* const* captions, const int* widths, int count);
    int AddRow(const char* text, int image, LPARAM param);
    void SetText(int row, int column, const char* text);
    void SetImageLists();
    void SetStatus(const char* format, int count);
    int FirstSelected() const;
    CTreeNode* RowNode(int row) const;
    void FreeRows();

    int m_nKind = kNone;
    std::vector<yqListRow> m_rows;
};
