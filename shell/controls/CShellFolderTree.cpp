#include "CShellFolderTree.h"

#include <string.h>

#include "afxmbs.h"
#include "CTokenString.h"
#include "qvzHelpers.h"
#include "qvzMessages.h"

BEGIN_MESSAGE_MAP(CShellFolderTree, CTreeCtrl)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnItemExpanding)
  ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
  ON_NOTIFY_REFLECT(TVN_DELETEITEM, OnDeleteItem)
  ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
END_MESSAGE_MAP()

namespace {

const int kPathSize = 520;

// Item id lists, all allocated zero-filled through the shell allocator.
UINT IdListSize(LPCITEMIDLIST pidl) {
  if (pidl == NULL) return 0;
  UINT nSize = sizeof(USHORT);  // the terminator
  const BYTE* p = (const BYTE*)pidl;
  for (USHORT cb; (cb = ((const SHITEMID*)p)->cb) != 0; p += cb) nSize += cb;
  return nSize;
}

LPITEMIDLIST AllocIdList(UINT nSize) {
  void* p = ::CoTaskMemAlloc(nSize);
  if (p != NULL) memset(p, 0, nSize);
  return (LPITEMIDLIST)p;
}

LPITEMIDLIST ConcatIdLists(LPCITEMIDLIST pidlParent, LPCITEMIDLIST pidlChild) {
  UINT nParent = pidlParent != NULL ? IdListSize(pidlParent) - sizeof(USHORT) : 0;
  UINT nChild = IdListSize(pidlChild);
  if (nChild == 0) nChild = sizeof(USHORT);
  LPITEMIDLIST pNew = AllocIdList(nParent + nChild);
  if (pNew == NULL) return NULL;
  if (nParent) memcpy(pNew, pidlParent, nParent);
  if (pidlChild != NULL) memcpy((BYTE*)pNew + nParent, pidlChild, nChild);
  return pNew;
}

bool IsEmptyIdList(LPCITEMIDLIST pidl) { return pidl == NULL || pidl->mkid.cb == 0; }

// The display name of a folder item in the ANSI code page; FALSE when none can be had.
BOOL GetDisplayName(IShellFolder* pFolder, LPCITEMIDLIST pidl, DWORD dwFlags, char* pszName) {
  pszName[0] = '\0';
  STRRET str = {};
  if (pFolder == NULL || FAILED(pFolder->GetDisplayNameOf(pidl, dwFlags, &str))) return FALSE;
  switch (str.uType) {
    case STRRET_WSTR:
      if (str.pOleStr == NULL) return FALSE;
      if (::WideCharToMultiByte(CP_ACP, 0, str.pOleStr, -1, pszName, kPathSize, NULL, NULL) == 0)
        pszName[kPathSize - 1] = '\0';
      ::CoTaskMemFree(str.pOleStr);
      return TRUE;
    case STRRET_OFFSET:
      AfxStrCopyN(pszName, (const char*)pidl + str.uOffset, kPathSize);
      return TRUE;
    case STRRET_CSTR:
      AfxStrCopyN(pszName, str.cStr, kPathSize);
      return TRUE;
  }
  return FALSE;
}

BOOL GetIdListPath(LPCITEMIDLIST pidl, char* pszPath) {
  char szPath[MAX_PATH * 2] = {};
  pszPath[0] = '\0';
  if (pidl == NULL || !::SHGetPathFromIDListA(pidl, szPath)) return FALSE;
  AfxStrCopyN(pszPath, szPath, kPathSize);
  return pszPath[0] != '\0';
}

// Whether a path ends in a separator: its last byte is "\" and not a trail byte.
bool EndsWithSeparator(const char* psz) {
  size_t n = strlen(psz);
  if (n < 2 || psz[n - 1] != '\\') return false;
  const char* pLast = AfxCharPrev(psz, psz + n);
  return pLast == psz + n - 1;
}

// Case-insensitive, never folding a trail byte.
int CompareDisplayNames(const ShellTreeItemData* a, const ShellTreeItemData* b) {
  char szA[kPathSize], szB[kPathSize];
  GetDisplayName(a->pParentFolder, a->pidlRelative, SHGDN_NORMAL, szA);
  GetDisplayName(b->pParentFolder, b->pidlRelative, SHGDN_NORMAL, szB);
  return AfxStrCmpNoCase(szA, szB);
}

void GetSmallIcons(LPCITEMIDLIST pidl, int* pnImage, int* pnSelected) {
  SHFILEINFOA sfi = {};
  ::SHGetFileInfoA((LPCSTR)pidl, 0, &sfi, sizeof sfi, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  *pnImage = sfi.iIcon;
  memset(&sfi, 0, sizeof sfi);
  ::SHGetFileInfoA((LPCSTR)pidl, 0, &sfi, sizeof sfi,
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
  *pnSelected = sfi.iIcon;
}

}  // namespace

CShellFolderTree::CShellFolderTree()
    : m_pidlMyComputer(NULL),
      m_pidlNetwork(NULL),
      m_pidlPersonal(NULL),
      m_pDesktop(NULL),
      m_hRoot(NULL),
      m_hMyComputer(NULL),
      m_hNetwork(NULL),
      m_bFileSystemOnly(TRUE),
      m_bDestroying(FALSE) {}

CShellFolderTree::~CShellFolderTree() { ReleaseLists(); }

void CShellFolderTree::ReleaseLists() {
  for (LPITEMIDLIST* pp : {&m_pidlMyComputer, &m_pidlNetwork, &m_pidlPersonal}) {
    if (*pp != NULL) ::CoTaskMemFree(*pp);
    *pp = NULL;
  }
}

int CShellFolderTree::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CTreeCtrl::OnCreate(lpCreateStruct) == -1) return -1;
  Initialize();
  return 0;
}

void CShellFolderTree::OnDestroy() {
  m_bDestroying = TRUE;
  CTreeCtrl::OnDestroy();
}

int CShellFolderTree::Initialize() {
  // The system's small icons, through the root of the Windows drive.
  char szWindows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(szWindows, MAX_PATH);
  char szRoot[4] = {szWindows[0] ? szWindows[0] : 'C', ':', '\\', '\0'};
  SHFILEINFOA sfi = {};
  HIMAGELIST hImages =
      (HIMAGELIST)::SHGetFileInfoA(szRoot, 0, &sfi, sizeof sfi, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  if (hImages != NULL) SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)hImages);

  IShellFolder* pDesktop = NULL;
  ::SHGetDesktopFolder(&pDesktop);
  HWND hOwner = m_hWnd;
  char szName[kPathSize];
  struct {
    int nFolder;
    CString* pName;
  } names[] = {{CSIDL_DESKTOP, &m_strDesktopName},
               {CSIDL_DRIVES, &m_strMyComputerName},
               {CSIDL_INTERNET, &m_strInternetName},
               {CSIDL_NETWORK, &m_strNetworkName},
               {CSIDL_BITBUCKET, &m_strRecycleName}};
  for (auto& n : names) {
    LPITEMIDLIST pidl = NULL;
    n.pName->Empty();
    if (pDesktop != NULL && SUCCEEDED(::SHGetSpecialFolderLocation(hOwner, n.nFolder, &pidl)) && pidl != NULL) {
      if (GetDisplayName(pDesktop, pidl, SHGDN_NORMAL, szName)) *n.pName = szName;
      ::CoTaskMemFree(pidl);
    }
  }
  ReleaseLists();
  ::SHGetSpecialFolderLocation(hOwner, CSIDL_DRIVES, &m_pidlMyComputer);
  ::SHGetSpecialFolderLocation(hOwner, CSIDL_NETWORK, &m_pidlNetwork);
  ::SHGetSpecialFolderLocation(hOwner, CSIDL_PERSONAL, &m_pidlPersonal);

  m_strPersonalPath.Empty();
  HKEY hKey;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &hKey) == ERROR_SUCCESS) {
    char szValue[kPathSize] = {};
    DWORD cb = sizeof szValue - 1, dwType = 0;
    if (::RegQueryValueExA(hKey, "Personal", NULL, &dwType, (BYTE*)szValue, &cb) == ERROR_SUCCESS &&
        (dwType == REG_SZ || dwType == REG_EXPAND_SZ))
      m_strPersonalPath = szValue;
    ::RegCloseKey(hKey);
  }
  m_strDesktopPath.Empty();
  LPITEMIDLIST pidlDesktop = NULL;
  if (SUCCEEDED(::SHGetSpecialFolderLocation(hOwner, CSIDL_DESKTOP, &pidlDesktop)) && pidlDesktop != NULL) {
    if (GetIdListPath(pidlDesktop, szName)) m_strDesktopPath = szName;
    ::CoTaskMemFree(pidlDesktop);
  }

  if (pDesktop != NULL) {
    m_hMyComputer = m_hNetwork = NULL;
    DeleteAllItems();
    m_hRoot = InsertDesktopItem(pDesktop, TVI_FIRST);
    if (m_hRoot != NULL) FillChildren(pDesktop, NULL, m_hRoot);
    pDesktop->Release();
  }
  m_bDestroying = FALSE;
  if (m_hRoot != NULL) Expand(m_hRoot, TVE_EXPAND);
  return 1;
}

HTREEITEM CShellFolderTree::InsertDesktopItem(IShellFolder* pDesktop, HTREEITEM hInsertAfter) {
  LPITEMIDLIST pidl = AllocIdList(sizeof(USHORT));
  LPITEMIDLIST pidlAbsolute = AllocIdList(sizeof(USHORT));
  if (pidl == NULL || pidlAbsolute == NULL) {
    ::CoTaskMemFree(pidl);
    ::CoTaskMemFree(pidlAbsolute);
    return NULL;
  }
  return InsertFolderItem(pDesktop, pidl, pidlAbsolute, m_strDesktopName, 1, TVI_ROOT, hInsertAfter);
}

HTREEITEM CShellFolderTree::InsertFolderItem(IShellFolder* pFolder, LPITEMIDLIST pidlRelative,
                                             LPITEMIDLIST pidlAbsolute, const char* pszName, int nChildren,
                                             HTREEITEM hParent, HTREEITEM hInsertAfter) {
  ShellTreeItemData* pData = (ShellTreeItemData*)::CoTaskMemAlloc(sizeof(ShellTreeItemData));
  if (pData == NULL) {
    ::CoTaskMemFree(pidlRelative);
    ::CoTaskMemFree(pidlAbsolute);
    return NULL;
  }
  pData->pParentFolder = pFolder;
  pFolder->AddRef();
  pData->pidlRelative = pidlRelative;
  pData->pidlAbsolute = pidlAbsolute;

  TVINSERTSTRUCTA tvis = {};
  tvis.hParent = hParent;
  tvis.hInsertAfter = hInsertAfter;
  tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
  tvis.item.pszText = (LPSTR)pszName;
  GetSmallIcons(pidlAbsolute, &tvis.item.iImage, &tvis.item.iSelectedImage);
  tvis.item.cChildren = nChildren;
  tvis.item.lParam = (LPARAM)pData;
  HTREEITEM hItem = InsertItem(&tvis);
  if (hItem == NULL) {
    // Never became an item: no TVN_DELETEITEM will free it.
    pFolder->Release();
    ::CoTaskMemFree(pidlRelative);
    ::CoTaskMemFree(pidlAbsolute);
    ::CoTaskMemFree(pData);
  }
  return hItem;
}

ShellTreeItemData* CShellFolderTree::GetData(HTREEITEM hItem) const {
  if (hItem == NULL) return NULL;
  return (ShellTreeItemData*)GetItemData(hItem);
}

int CShellFolderTree::GetItemPath(HTREEITEM hItem, char* pszPath) {
  ShellTreeItemData* pData = GetData(hItem);
  if (pData == NULL) return 0;
  memset(pszPath, 0, kPathSize);
  GetIdListPath(pData->pidlAbsolute, pszPath);
  return 1;
}

BOOL CShellFolderTree::GetItemDisplayName(HTREEITEM hItem, char* pszName) {
  ShellTreeItemData* pData = GetData(hItem);
  pszName[0] = '\0';
  return pData != NULL && GetDisplayName(pData->pParentFolder, pData->pidlRelative, SHGDN_NORMAL, pszName);
}

IShellFolder* CShellFolderTree::BindItemFolder(HTREEITEM hItem) {
  ShellTreeItemData* pData = GetData(hItem);
  if (pData == NULL) return NULL;
  IShellFolder* pFolder = NULL;
  if (IsEmptyIdList(pData->pidlRelative)) {
    // The Desktop item is the desktop folder itself.
    if (FAILED(::SHGetDesktopFolder(&pFolder))) return NULL;
    return pFolder;
  }
  if (FAILED(pData->pParentFolder->BindToObject(pData->pidlRelative, NULL, IID_IShellFolder, (void**)&pFolder)))
    return NULL;
  return pFolder;
}

BOOL CShellFolderTree::IsBelowNetwork(HTREEITEM hItem) const {
  if (m_hNetwork == NULL) return FALSE;
  for (HTREEITEM h = hItem; h != NULL; h = GetParentItem(h))
    if (h == m_hNetwork) return TRUE;
  return FALSE;
}

BOOL CShellFolderTree::HasChildNamed(HTREEITEM hParent, const char* pszName) const {
  for (HTREEITEM h = GetChildItem(hParent); h != NULL; h = GetNextSiblingItem(h))
    if (strcmp(GetItemText(h), pszName) == 0) return TRUE;
  return FALSE;
}

void CShellFolderTree::FillChildren(IShellFolder* pFolder, LPCITEMIDLIST pidlParent, HTREEITEM hParent) {
  IShellFolder* pDesktop = NULL;
  ::SHGetDesktopFolder(&pDesktop);
  char szParentPath[kPathSize] = {};
  const BOOL bBelowDesktopPath = hParent != m_hRoot && GetItemPath(hParent, szParentPath) &&
                                 !m_strDesktopPath.IsEmpty() && AfxStrCmpNoCase(szParentPath, m_strDesktopPath) == 0;

  IEnumIDList* pEnum = NULL;
  HWND hOwner = ::GetParent(m_hWnd);
  if (pFolder != NULL && pFolder->EnumObjects(hOwner, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &pEnum) == S_OK &&
      pEnum != NULL) {
    LPITEMIDLIST pidl = NULL;
    ULONG nFetched = 0;
    while (pEnum->Next(1, &pidl, &nFetched) == S_OK && nFetched == 1 && pidl != NULL) {
      SFGAOF attrs = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
      LPCITEMIDLIST child = pidl;
      if (FAILED(pFolder->GetAttributesOf(1, &child, &attrs)) ||
          !(attrs & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER))) {
        ::CoTaskMemFree(pidl);
        continue;
      }
      const int nChildren = (attrs & SFGAO_FOLDER) && (attrs & SFGAO_HASSUBFOLDER) ? 1 : 0;
      char szName[kPathSize];
      if (!GetDisplayName(pFolder, pidl, SHGDN_NORMAL, szName)) {
        ::CoTaskMemFree(pidl);
        break;
      }
      if (bBelowDesktopPath) {
        CString strDir = m_strDesktopPath + "\\" + szName + "\\";
        if (!DirectoryExists(strDir)) {
          ::CoTaskMemFree(pidl);
          continue;
        }
      }
      LPITEMIDLIST pidlAbsolute = ConcatIdLists(pidlParent, pidl);
      char szPath[kPathSize];
      const BOOL bHasPath = GetIdListPath(pidlAbsolute, szPath);
      if (m_bFileSystemOnly && !bHasPath && !IsBelowNetwork(hParent)) {
        BOOL bSpecial = FALSE;
        for (LPITEMIDLIST pidlSpecial : {m_pidlMyComputer, m_pidlNetwork, m_pidlPersonal})
          if (pDesktop != NULL && pidlSpecial != NULL && pidlAbsolute != NULL &&
              HRESULT_CODE(pDesktop->CompareIDs(0, pidlAbsolute, pidlSpecial)) == 0)
            bSpecial = TRUE;
        if (!bSpecial) {
          ::CoTaskMemFree(pidlAbsolute);
          ::CoTaskMemFree(pidl);
          continue;
        }
      }
      if (pidlAbsolute == NULL || HasChildNamed(hParent, szName)) {
        ::CoTaskMemFree(pidlAbsolute);
        ::CoTaskMemFree(pidl);
        continue;
      }
      HTREEITEM hItem = InsertFolderItem(pFolder, pidl, pidlAbsolute, szName, nChildren, hParent, TVI_FIRST);
      if (hItem != NULL && hParent == m_hRoot && !bHasPath) {
        if (m_hMyComputer == NULL && m_strMyComputerName == szName)
          m_hMyComputer = hItem;
        else if (m_hNetwork == NULL && m_strNetworkName == szName)
          m_hNetwork = hItem;
      }
    }
    pEnum->Release();
  }
  if (pDesktop != NULL) pDesktop->Release();
}

int CShellFolderTree::SpecialRank(const ShellTreeItemData* pData) {
  if (pData == NULL || m_pDesktop == NULL) return 3;
  char szPath[kPathSize];
  if (!m_strPersonalPath.IsEmpty() && GetIdListPath(pData->pidlAbsolute, szPath) &&
      AfxStrCmpNoCase(szPath, m_strPersonalPath) == 0)
    return 0;
  const LPITEMIDLIST special[3] = {m_pidlPersonal, m_pidlMyComputer, m_pidlNetwork};
  for (int i = 0; i < 3; i++)
    if (special[i] != NULL && HRESULT_CODE(m_pDesktop->CompareIDs(0, pData->pidlAbsolute, special[i])) == 0) return i;
  return 3;
}

int CALLBACK CShellFolderTree::CompareBelowRoot(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
  // Personal, My Computer, Network Neighborhood, then the rest by name: what a sort by name
  // followed by a stable sort by rank gives.
  CShellFolderTree* pTree = (CShellFolderTree*)lParamSort;
  const ShellTreeItemData* a = (const ShellTreeItemData*)lParam1;
  const ShellTreeItemData* b = (const ShellTreeItemData*)lParam2;
  int nRank = pTree->SpecialRank(a) - pTree->SpecialRank(b);
  return nRank != 0 ? nRank : CompareDisplayNames(a, b);
}

int CALLBACK CShellFolderTree::CompareBelowFolder(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
  CShellFolderTree* pTree = (CShellFolderTree*)lParamSort;
  const ShellTreeItemData* a = (const ShellTreeItemData*)lParam1;
  const ShellTreeItemData* b = (const ShellTreeItemData*)lParam2;
  int nRank = pTree->SpecialRank(a) - pTree->SpecialRank(b);
  if (nRank != 0) return nRank;
  char szA[kPathSize], szB[kPathSize];
  if (GetIdListPath(a->pidlAbsolute, szA) && GetIdListPath(b->pidlAbsolute, szB)) return AfxStrCmpNoCase(szA, szB);
  return CompareDisplayNames(a, b);
}

void CShellFolderTree::SortChildrenOf(HTREEITEM hItem) {
  if (FAILED(::SHGetDesktopFolder(&m_pDesktop))) m_pDesktop = NULL;
  TVSORTCB sort = {};
  sort.hParent = hItem;
  sort.lpfnCompare = hItem == m_hRoot ? CompareBelowRoot : CompareBelowFolder;
  sort.lParam = (LPARAM)this;
  SortChildrenCB(&sort);
  if (m_pDesktop != NULL) m_pDesktop->Release();
  m_pDesktop = NULL;
}

void CShellFolderTree::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  NMTREEVIEWA* pTree = (NMTREEVIEWA*)pNMHDR;
  HTREEITEM hItem = pTree->itemNew.hItem;
  if (hItem == NULL || (GetItemState(hItem, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE)) return;
  ShellTreeItemData* pData = GetData(hItem);
  if (pData == NULL) return;
  CWaitCursor wait;
  if (IShellFolder* pFolder = BindItemFolder(hItem)) {
    FillChildren(pFolder, pData->pidlAbsolute, hItem);
    pFolder->Release();
  }
  SortChildrenOf(hItem);
  if (GetChildItem(hItem) == NULL) {
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    item.cChildren = 0;
    SetItem(&item);
  }
}

void CShellFolderTree::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (m_bDestroying) return;
  HTREEITEM hItem = ((NMTREEVIEWA*)pNMHDR)->itemNew.hItem;
  if (GetData(hItem) == NULL) return;
  FolderSelectedRecord record = {};
  IShellFolder* pFolder = BindItemFolder(hItem);
  if (pFolder != NULL) {
    record.nKind = FOLDER_KIND_PATH;
    GetItemPath(hItem, record.szPath);
    if (record.szPath[0] == '\0') {
      record.nKind = FOLDER_KIND_DISPLAYNAME;
      GetItemDisplayName(hItem, record.szPath);
    }
    pFolder->Release();
  } else if (hItem == m_hRoot) {
    record.nKind = FOLDER_KIND_PATH;
    AfxStrCopyN(record.szPath, m_strDesktopPath, sizeof record.szPath);
  } else {
    record.nKind = FOLDER_KIND_DISPLAYNAME;
    if (!GetItemDisplayName(hItem, record.szPath)) return;
  }
  ::SendMessage(::GetParent(m_hWnd), QVZM_FOLDERSELECTED, (WPARAM)GetDlgCtrlID(), (LPARAM)&record);
}

void CShellFolderTree::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  ShellTreeItemData* pData = (ShellTreeItemData*)((NMTREEVIEWA*)pNMHDR)->itemOld.lParam;
  if (pData == NULL) return;
  if (pData->pParentFolder != NULL) pData->pParentFolder->Release();
  ::CoTaskMemFree(pData->pidlRelative);
  ::CoTaskMemFree(pData->pidlAbsolute);
  ::CoTaskMemFree(pData);
}

void CShellFolderTree::OnRightClick(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CShellFolderTree::ExpandOnce(HTREEITEM hItem) {
  if (!(GetItemState(hItem, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE)) {
    Expand(hItem, TVE_EXPAND);
  } else if (GetChildItem(hItem) == NULL) {
    // Empty when it was first opened (a drive list not ready yet, a folder filled since):
    // read it again rather than miss what is there now.
    Expand(hItem, TVE_COLLAPSE | TVE_COLLAPSERESET);
    Expand(hItem, TVE_EXPAND);
  }
}

HTREEITEM CShellFolderTree::FindPath(HTREEITEM hItem, const char* pszPath, int nDepth) {
  char szItem[kPathSize];
  if (GetItemPath(hItem, szItem) && szItem[0] && AfxStrCmpNoCase(szItem, pszPath) == 0) return hItem;
  ExpandOnce(hItem);
  CTokenString target(pszPath);
  target.Split('\\');
  if (target.GetTokenCount() <= nDepth) return NULL;
  for (HTREEITEM hChild = GetChildItem(hItem); hChild != NULL; hChild = GetNextSiblingItem(hChild)) {
    char szChild[kPathSize];
    if (!GetItemPath(hChild, szChild) || !szChild[0]) continue;
    CTokenString child(szChild);
    child.Split('\\');
    if (child.GetTokenCount() > nDepth && AfxStrCmpNoCase(child.GetToken(nDepth), target.GetToken(nDepth)) == 0)
      return FindPath(hChild, pszPath, nDepth + 1);  // a miss here ends the search
  }
  return NULL;
}

HTREEITEM CShellFolderTree::FindUncPath(HTREEITEM hItem, const char* pszPath) {
  char szItem[kPathSize];
  if (GetItemPath(hItem, szItem) && szItem[0] && AfxStrCmpNoCase(szItem, pszPath) == 0) return hItem;
  ExpandOnce(hItem);
  const size_t nTarget = strlen(pszPath);
  for (HTREEITEM hChild = GetChildItem(hItem); hChild != NULL; hChild = GetNextSiblingItem(hChild)) {
    char szChild[kPathSize];
    if (!GetItemPath(hChild, szChild)) continue;
    HTREEITEM hFound = NULL;
    if (szChild[0] == '\\' && szChild[1] == '\\') {
      size_t n = strlen(szChild);
      if (AfxStrCmpNoCase(szChild, pszPath) == 0) {
        hFound = hChild;
      } else if (n < nTarget) {
        CString strHead(pszPath, (int)n);
        if (AfxStrCmpNoCase(strHead, szChild) == 0) hFound = FindUncPath(hChild, pszPath);
      }
    } else {
      hFound = FindUncPath(hChild, pszPath);
    }
    if (hFound != NULL) {
      EnsureVisible(hFound);
      return hFound;
    }
  }
  return NULL;
}

int CShellFolderTree::SelectPath(const char* pszPath) {
  if (m_hRoot == NULL || m_hMyComputer == NULL || pszPath == NULL || strlen(pszPath) < 2) return 0;
  CString strPath = pszPath;
  // A trailing separator goes (never the trail byte of a character such as 表); a bare
  // drive gets one.
  if (strPath.GetLength() > 3 && EndsWithSeparator(strPath)) strPath = strPath.Left(strPath.GetLength() - 1);
  if (strPath.GetLength() == 2) strPath += "\\";

  HTREEITEM hFound = NULL;
  const unsigned char c = (unsigned char)pszPath[0];
  if (pszPath[0] == '\\' && pszPath[1] == '\\') {
    if (m_hNetwork == NULL) return 0;
    HTREEITEM hStart = GetSelectedItem();
    if (hStart == NULL) return 0;
    hFound = FindUncPath(hStart, pszPath);
  } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
    hFound = FindPath(m_hMyComputer, strPath, 0);
  }
  if (hFound == NULL) return 0;
  Expand(hFound, TVE_EXPAND);
  SelectItem(hFound);
  return 1;
}
