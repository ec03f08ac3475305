// The browser's document: the catalogues loaded now, found on the drives and in the
// registered folders, restored from their cache blocks where they still lie at the same place.
#pragma once

#include <afxwin.h>

#include <vector>

#include "yqCatalog.h"

class CVendaroExplorerApp;

// What discovery reports as it goes (the main frame's status-bar progress).
class IDiscoveryProgress {
public:
    virtual ~IDiscoveryProgress() = default;
    virtual void BeginProgress(const char* text, int total, int step) = 0;
    virtual void StepProgress() = 0;
    virtual void EndProgress() = 0;
};

class CYQVDoc : public CDocument {
    DECLARE_DYNCREATE(CYQVDoc)
public:
    CYQVDoc() = default;
    ~CYQVDoc() override;

    static CYQVDoc* GetActive();

    yqCatalog* GetCatalog(int index) const;
    int GetCatalogCount() const { return static_cast<int>(m_catalogs.size()); }
    yqCatalog* FindCatalog(const char* path) const;
    void DeleteAllCatalogs();
    void DiscoverCatalogs();
    void AddCatalog(const char* directory);
    static BOOL IsSameCatalog(const char* directory, const char* id);
    static CString GetCatalogId(const char* directory);

    // Discovery with its parts given: the drive letters present, how a root's drive type is
    // read, where progress goes. Used by DiscoverCatalogs and by tests.
    void DiscoverCatalogs(CVendaroExplorerApp& app, DWORD driveMask, UINT (*driveType)(const char* root),
                          IDiscoveryProgress* progress);
    // Loads one root through the cache entries; appends the catalogue when it has an ID.
    void LoadRoot(CVendaroExplorerApp& app, const char* root);

    std::vector<yqCatalog*> m_catalogs;
};
