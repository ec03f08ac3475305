// The folder and catalogue tree in the left pane, as the main frame calls it. This is the
// frame's side of the tree: root nodes for the loaded catalogues; the full tree with its
// searches and history replaces these members.
#pragma once

#include <afxcview.h>

struct CTreePosition;
class yqCatalog;

class CLeftView : public CTreeView {
    DECLARE_DYNCREATE(CLeftView)
public:
    CLeftView() = default;

    virtual void DeleteAllNodes();
    virtual void AddRootNodes();
    // Selects the catalogue root, else the data-search root, else the desktop root.
    virtual void SelectStartNode();
    // After a reload: the stored position when it still exists; else the catalogue root (or
    // the desktop root) expanded with its first child selected.
    virtual BOOL RestorePosition(const CTreePosition& pos);
    virtual void SelectFallbackNode();
    // Whether the step is possible; `take` also takes it.
    virtual BOOL GoBack(BOOL take);
    virtual BOOL GoForward(BOOL take);
    // The selected node's path, label and top branch; FALSE without a selection.
    virtual BOOL GetPosition(CTreePosition& pos);
    // A registered catalogue's node under the catalogue root, selected.
    virtual void AddCatalogNode(yqCatalog* catalog, int icon);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    HTREEITEM m_hCatalogRoot = nullptr;
    HTREEITEM m_hDesktopRoot = nullptr;
};
