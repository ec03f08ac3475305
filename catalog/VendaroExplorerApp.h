// The catalogue browser's application: one instance, the settings files beside the program,
// and what every view shares (icons, font, busy flag, the lists kept between runs).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <vector>

#include "MyImageList.h"
#include "CatalogCacheEntry.h"
#include "SearchProgressDlg.h"
#include "SearchRecords.h"

class CMainFrame;

// The clipboard and drag format "VendaroExplorer", registered before the application starts.
extern UINT CF_VENDAROEXPLORER;

// Where the folder tree stood when the settings were last saved.
struct CTreePosition {
    CString strCurrentFolder;
    CString strCurrentText;
    CString strRootText;
    BOOL bExpanded = FALSE;
    BOOL bSelected = FALSE;
};
extern CTreePosition g_lastTreePosition;

class CVendaroExplorerApp : public CWinApp {
public:
    CVendaroExplorerApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    void ReadConfig();
    void WriteConfig();
    void LoadProfile();
    BOOL SaveProfile();
    void FreeLists();

    int GetCacheEntryOffset(int i) const;
    int GetCacheEntrySize(int i) const;
    CString GetCacheEntryTitle(int i) const;
    static int GetDriveIconIndex(const char* path);

    int m_nSplitterWidth = 200;
    RECT m_rcConfigWindow{100, 100, 600, 600};
    int m_nShowState = 2;
    CString m_strHistoryPath;
    CString m_strConfigPath;
    CFont m_font;
    BOOL m_bBusy = FALSE;
    std::vector<CCatalogCacheEntry*> m_cacheEntries;
    CMyImageList m_imageListSmall;
    CMyImageList m_imageListLarge;
    std::vector<CSearchCondition*> m_searchConditions;
    std::vector<CString> m_registeredDirs;
    std::vector<CImageSearch*> m_imageSearches;
    CSearchProgressDlg m_dlgSearchProgress;
    CString m_strProgramDir;
    RECT m_rcProfileWindow{0, 0, 0, 0};
    HANDLE m_hInstanceMapping = nullptr;
    HWND* m_pInstanceView = nullptr;

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

CVendaroExplorerApp* GetVendaroApp();
UINT RegisterVendaroClipboardFormat();
// FALSE (after telling the user) on a display of 256 colours or fewer.
BOOL CheckDisplayColors();

BOOL IsDriveReady(const char* root);
int FormatPrice(int value, CString& out);
