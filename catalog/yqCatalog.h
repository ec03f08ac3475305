// One loaded catalogue: schema, header record, tables with their indexes, category tree and
// the caches of the items the views show.
#pragma once

#include <afx.h>

#include <vector>

#include "yqCategory.h"
#include "yqItem.h"
#include "yqSchema.h"
#include "yqTable.h"

class yqRecordset;

class yqCatalog {
public:
    // GetItem types.
    enum { kTypeProductImage = 1, kTypeProductDrawing = 2, kTypeSetImage = 3, kTypeSetDrawing = 4 };

    yqCatalog() = default;
    explicit yqCatalog(const char* root);
    virtual ~yqCatalog();
    yqCatalog(const yqCatalog&) = delete;
    yqCatalog& operator=(const yqCatalog&) = delete;

    // 1 on success; 0 when the path is missing or the schema cannot be read.
    virtual int Load(const char* root);
    // Frees the tables, the tree, the items, the header record and the schema's contents.
    void Clear();

    const CString& GetRootPath() const { return m_strRoot; }
    const CString& GetId() const { return m_strId; }
    const CString& GetTitle() const { return m_strTitle; }

    yqTable* GetTable(int n) const;
    yqTable* GetTableAt(int i) const { return m_tables[i]; }
    int GetTableCount() const { return static_cast<int>(m_tables.size()); }
    yqCategory* GetCategoryRoot() const { return m_pCategoryRoot; }

    yqItem* GetItem(const char* key, const char* number, int type);
    yqItem* BuildMainImageItem(yqRecordset* links, const char* key, const char* number);
    yqItem* BuildDrawingItem(yqRecordset* links, const char* key, const char* number);
    // A new array of items (the caller deletes the array, not the items), or NULL.
    yqItem** SearchItems(const char* code, const char* text, int low, int high, int mode, int& count);

    int BuildCategoryTree(yqTable* categories, yqCategory* root);
    void AppendChildNode(yqCategory* node, yqCategory* child);
    void PruneItemNodes(yqCategory* node);
    yqCategory* FindCategoryById(int id) const;

    int FindItemSlot(const std::vector<yqItem*>& cache, const char* key, const char* number) const;
    void CacheItem(yqItem* item);

    // The comparator the catalogue sorts that index of that table with, or NULL.
    static yqCompareProc FindComparator(const char* table, const char* code1, const char* code2);

    int SaveToCache(const char* file, int& offset, int& size);
    int LoadFromCache(const char* root, const char* file, int offset, int size);

    CString m_strRoot;
    CString m_strId;
    CString m_strTitle;
    std::vector<yqTable*> m_tables;
    yqCategory* m_pCategoryRoot = nullptr;
    yqHeaderRecord* m_pHeader = nullptr;
    yqSchema m_schema;
    std::vector<yqItem*> m_productItems;
    std::vector<yqItem*> m_setItems;

private:
    struct PictureSpec;
    yqItem* BuildFromLinks(yqRecordset* links, int linkIndex, int type, bool bStrict, const char* key,
                           const char* number);
    void ComposeInfo(yqItem* item, const yqRecord* owner, bool bSet);
    yqItem* FindCachedItem(const std::vector<yqItem*>& cache, const char* key, const char* number) const;
    // The item a search built before from this link row, with this kind.
    yqItem* FindBuiltItem(const void* linkRow, int kind, const char* key, const char* number) const;
    void SetRoot(const char* root);
    void LoadTables();
    void BuildBlock(std::vector<unsigned char>& block);

    // Where this catalogue's tree and indexes were last stored or restored from, so that
    // storing the same state again does not append another copy.
    CString m_strCacheFile;
    int m_nCacheOffset = -1;
    int m_nCacheSize = 0;
};
