// What the user browses and hands on: a product or a product set seen through its main
// image or main drawing. Its texts point into the catalogue's rows, so an item lives exactly
// as long as its catalogue.
#pragma once

#include <afx.h>

#include <vector>

struct _TREEITEM;

// A further picture of an item: its caption and comment, and its full path.
struct yqItemPicture {
    CString m_strText;
    CString m_strPath;
};

class yqItem : public CObject {
public:
    enum { kProductImage = 2, kSetImage = 3, kProductDrawing = 4, kSetDrawing = 5 };

    yqItem() = default;
    ~yqItem() override = default;
    void Dump(CDumpContext& dc) const override {}

    const char* GetCatalogId() const { return m_pCatalogId ? static_cast<const char*>(*m_pCatalogId) : nullptr; }
    bool IsProduct() const { return m_nKind == kProductImage || m_nKind == kProductDrawing; }

    int m_nKind = 0;
    const char* m_pszKey = nullptr;
    const char* m_pszNumber = nullptr;
    const char* m_pszName = nullptr;
    const char* m_pszCaption = nullptr;
    const CString* m_pCatalogId = nullptr;  // the catalogue's ID
    double m_dPrice = -1;
    const char* m_pszPriceSuffix = nullptr;
    CString m_strPicturePath;
    std::vector<yqItemPicture> m_pictures;
    CString m_strInfo;
    _TREEITEM* m_hTreeItem = nullptr;
    // The link row a search built it from (null for items built per product): a later search
    // that meets the same row takes this item again.
    const void* m_pLinkRow = nullptr;
};
