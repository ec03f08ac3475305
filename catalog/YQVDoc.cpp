#include "YQVDoc.h"

#include <memory>

#include "MainFrame.h"
#include "VendaroExplorerApp.h"
#include "yqSchema.h"

IMPLEMENT_DYNCREATE(CYQVDoc, CDocument)

namespace {

UINT DriveTypeOf(const char* root) { return ::GetDriveType(root); }

CString WithBackslash(const char* path)
{
    CString s(path);
    if (s.IsEmpty() || s[s.GetLength() - 1] != '\\')
        s += '\\';
    return s;
}

// The header record of the catalogue under a directory, or false.
bool ReadHeaderId(const char* directory, CString& id)
{
    const CString folder = WithBackslash(directory) + "DISTRIB\\";
    yqSchema schema;
    if (!schema.ReadFile(folder + "DRB"))
        return false;
    yqHeaderRecord header;
    if (!header.ReadFile(folder + schema.GetHeaderFileName()))
        return false;
    id = header.m_szId;
    return true;
}

IDiscoveryProgress* FrameProgress()
{
    return dynamic_cast<CMainFrame*>(AfxGetMainWnd());
}

}  // namespace

CYQVDoc::~CYQVDoc() { DeleteAllCatalogs(); }

CYQVDoc* CYQVDoc::GetActive()
{
    CWnd* main = AfxGetMainWnd();
    auto* frame = dynamic_cast<CFrameWnd*>(main);
    return frame ? dynamic_cast<CYQVDoc*>(frame->GetActiveDocument()) : nullptr;
}

yqCatalog* CYQVDoc::GetCatalog(int index) const
{
    return index >= 0 && index < GetCatalogCount() ? m_catalogs[index] : nullptr;
}

yqCatalog* CYQVDoc::FindCatalog(const char* path) const
{
    if (strcmp(path, "*:") == 0)
        return m_catalogs.empty() ? nullptr : m_catalogs.front();
    for (yqCatalog* c : m_catalogs)
        if (strcmp(c->GetRootPath(), path) == 0)
            return c;
    return nullptr;
}

void CYQVDoc::DeleteAllCatalogs()
{
    for (yqCatalog* c : m_catalogs)
        delete c;
    m_catalogs.clear();
}

BOOL CYQVDoc::IsSameCatalog(const char* directory, const char* id)
{
    CString found;
    return ReadHeaderId(directory, found) && strcmp(found, id) == 0;
}

CString CYQVDoc::GetCatalogId(const char* directory)
{
    CString id;
    return ReadHeaderId(directory, id) ? id : CString();
}

void CYQVDoc::LoadRoot(CVendaroExplorerApp& app, const char* root)
{
    auto catalog = std::make_unique<yqCatalog>();
    bool loaded = false;
    auto& entries = app.m_cacheEntries;
    size_t match = entries.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        CCatalogCacheEntry* e = entries[i];
        if (strcmp(e->m_strRoot, root) == 0 && IsSameCatalog(root, e->m_strId)) {
            match = i;
            break;
        }
    }
    if (match < entries.size()) {
        CCatalogCacheEntry* e = entries[match];
        // An entry without a block is read from its files.
        if (e->HasBlock() && catalog->LoadFromCache(root, app.m_strHistoryPath, e->m_nCacheOffset, e->m_nCacheSize)) {
            catalog->m_strId = e->m_strId;
            catalog->m_strTitle = e->m_strTitle;
            catalog->m_strRoot = root;
            loaded = true;
        } else {
            catalog = std::make_unique<yqCatalog>();
        }
    }
    if (!loaded && catalog->Load(root) && !catalog->GetId().IsEmpty()) {
        auto entry = std::make_unique<CCatalogCacheEntry>();
        entry->m_strId = catalog->GetId();
        entry->m_strRoot = root;
        entry->m_strTitle = catalog->GetTitle();
        entry->m_bNeedsWriting = TRUE;
        if (match < entries.size()) {
            // One entry per ID and root: the failing one is replaced, not shadowed.
            delete entries[match];
            entries[match] = entry.release();
        } else {
            entries.push_back(entry.release());
        }
        loaded = true;
    }
    if (loaded && !catalog->GetId().IsEmpty())
        m_catalogs.push_back(catalog.release());
}

void CYQVDoc::DiscoverCatalogs(CVendaroExplorerApp& app, DWORD driveMask, UINT (*driveType)(const char* root),
                               IDiscoveryProgress* progress)
{
    app.m_bBusy = TRUE;
    CWaitCursor wait;
    // Drives without media must not stop discovery with a system error box.
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    if (progress)
        progress->BeginProgress("Vendaroを検索しています...", 27, 1);
    for (int i = 0; i < 26; ++i) {
        char root[4] = {static_cast<char>('A' + i), ':', '\\', 0};
        if ((driveMask & (1u << i)) && driveType(root) != DRIVE_REMOVABLE)
            LoadRoot(app, root);
        if (progress)
            progress->StepProgress();
    }
    if (progress)
        progress->EndProgress();
    for (size_t i = 0; i < app.m_registeredDirs.size(); ++i)
        LoadRoot(app, app.m_registeredDirs[i]);
    ::SetErrorMode(oldMode);
    app.m_bBusy = FALSE;
}

void CYQVDoc::DiscoverCatalogs()
{
    DiscoverCatalogs(*GetVendaroApp(), ::GetLogicalDrives(), DriveTypeOf, FrameProgress());
}

void CYQVDoc::AddCatalog(const char* directory)
{
    CVendaroExplorerApp& app = *GetVendaroApp();
    app.m_bBusy = TRUE;
    CWaitCursor wait;
    IDiscoveryProgress* progress = FrameProgress();
    if (progress)
        progress->BeginProgress("Vendaroを検索しています...", 27, 1);
    auto catalog = std::make_unique<yqCatalog>();
    if (catalog->Load(directory) && !catalog->GetId().IsEmpty())
        m_catalogs.push_back(catalog.release());
    if (progress)
        progress->EndProgress();
    app.m_bBusy = FALSE;
}
