// The open dialog's folder pane: a tree over the shell namespace with the Desktop as its
// root, children filled on first expansion, special folders first, and every selection
// told to the parent with QVZM_FOLDERSELECTED.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#include <shlobj.h>

#include <stdint.h>

// The data of every tree item, allocated with the shell allocator.
struct ShellTreeItemData {
  IShellFolder* pParentFolder;  // a reference is held
  LPITEMIDLIST pidlRelative;
  LPITEMIDLIST pidlAbsolute;
};

#define FOLDER_KIND_DISPLAYNAME 100  // path holds the display name of a virtual folder
#define FOLDER_KIND_PATH 200         // path holds a file-system path

// Passed by address with QVZM_FOLDERSELECTED; valid only during the call.
struct FolderSelectedRecord {
  int32_t nKind;
  char szPath[520];
};
static_assert(sizeof(FolderSelectedRecord) == 524, "int32 kind and 520 path bytes");

class CShellFolderTree : public CTreeCtrl {
 public:
  CShellFolderTree();
  ~CShellFolderTree() override;

  // After subclassing (or from WM_CREATE): the Desktop and its children. Returns 1.
  int Initialize();
  // Expands and selects the item of a drive or UNC path; 0 when there is none.
  int SelectPath(const char* pszPath);
  // 0 without item data; else the file-system path (empty when there is none) and non-zero.
  int GetItemPath(HTREEITEM hItem, char* pszPath);

  HTREEITEM GetDesktopItem() const { return m_hRoot; }
  HTREEITEM GetMyComputerItem() const { return m_hMyComputer; }
  HTREEITEM GetNetworkItem() const { return m_hNetwork; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  void ReleaseLists();
  HTREEITEM InsertDesktopItem(IShellFolder* pDesktop, HTREEITEM hInsertAfter);
  void FillChildren(IShellFolder* pFolder, LPCITEMIDLIST pidlParent, HTREEITEM hParent);
  HTREEITEM InsertFolderItem(IShellFolder* pFolder, LPITEMIDLIST pidlRelative, LPITEMIDLIST pidlAbsolute,
                             const char* pszName, int nChildren, HTREEITEM hParent, HTREEITEM hInsertAfter);
  IShellFolder* BindItemFolder(HTREEITEM hItem);
  ShellTreeItemData* GetData(HTREEITEM hItem) const;
  BOOL GetItemDisplayName(HTREEITEM hItem, char* pszName);
  BOOL IsBelowNetwork(HTREEITEM hItem) const;
  BOOL HasChildNamed(HTREEITEM hParent, const char* pszName) const;
  int SpecialRank(const ShellTreeItemData* pData);
  void SortChildrenOf(HTREEITEM hItem);
  HTREEITEM FindPath(HTREEITEM hItem, const char* pszPath, int nDepth);
  HTREEITEM FindUncPath(HTREEITEM hItem, const char* pszPath);
  void ExpandOnce(HTREEITEM hItem);
  static int CALLBACK CompareBelowRoot(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
  static int CALLBACK CompareBelowFolder(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

  CString m_strDesktopName;
  CString m_strMyComputerName;
  CString m_strNetworkName;
  CString m_strInternetName;
  CString m_strRecycleName;
  CString m_strPersonalPath;
  CString m_strDesktopPath;
  LPITEMIDLIST m_pidlMyComputer;
  LPITEMIDLIST m_pidlNetwork;
  LPITEMIDLIST m_pidlPersonal;
  IShellFolder* m_pDesktop;  // held while sorting
  HTREEITEM m_hRoot;
  HTREEITEM m_hMyComputer;
  HTREEITEM m_hNetwork;
  BOOL m_bFileSystemOnly;
  BOOL m_bDestroying;
};
