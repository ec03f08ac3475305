// The shell folder tree over a temporary tree with Japanese names on drive C:.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CShellFolderTree.h"
#include "ControlsTest.h"
#include "qvzMessages.h"

namespace {

class CTreeFrame : public CFrameWnd {
 public:
  std::vector<std::pair<int, std::string>> m_records;

 protected:
  afx_msg LRESULT OnFolderSelected(WPARAM, LPARAM lParam) {
    const FolderSelectedRecord* p = (const FolderSelectedRecord*)lParam;
    m_records.emplace_back(p->nKind, p->szPath);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTreeFrame, CFrameWnd)
  ON_MESSAGE(QVZM_FOLDERSELECTED, OnFolderSelected)
END_MESSAGE_MAP()

// 表 and ソ end in the byte of a backslash.
const char* const kDirs[] = {"C:\\DATA", "C:\\QVZTREE", "C:\\QVZTREE\\表", "C:\\QVZTREE\\表\\ソ"};
// Two names the ANSI code page shows alike ("a?").
const wchar_t* const kTwins[] = {L"C:\\QVZTREE\\\x8868\\a\xD55C", L"C:\\QVZTREE\\\x8868\\a\xAE00"};

class ShellFolderTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* dir : kDirs) ::CreateDirectoryA(dir, NULL);
    for (const wchar_t* dir : kTwins) ::CreateDirectoryW(dir, NULL);
    m_pFrame = new CTreeFrame;
    ASSERT_TRUE(m_pFrame->Create(NULL, "フォルダ", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 500)));
    m_pFrame->ShowWindow(SW_SHOW);
    ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                              CRect(0, 0, 380, 460), m_pFrame, 30));
    PumpPending();
  }
  void TearDown() override {
    if (::IsWindow(m_tree.m_hWnd)) m_tree.DestroyWindow();
    DestroyTestFrame(m_pFrame);
    for (const wchar_t* dir : kTwins) ::RemoveDirectoryW(dir);
    for (int i = 3; i >= 0; i--) ::RemoveDirectoryA(kDirs[i]);
  }
  std::string SelectedPath() {
    char sz[520] = {};
    HTREEITEM h = m_tree.GetSelectedItem();
    if (h == NULL || !m_tree.GetItemPath(h, sz)) return "<none>";
    return sz;
  }
  CTreeFrame* m_pFrame = nullptr;
  CShellFolderTree m_tree;
};

TEST_F(ShellFolderTreeTest, DesktopAndMyComputer) {
  HTREEITEM hRoot = m_tree.GetDesktopItem();
  ASSERT_NE(hRoot, (HTREEITEM)NULL);
  EXPECT_EQ(m_tree.GetRootItem(), hRoot);
  HTREEITEM hMyComputer = m_tree.GetMyComputerItem();
  ASSERT_NE(hMyComputer, (HTREEITEM)NULL);
  EXPECT_EQ(m_tree.GetParentItem(hMyComputer), hRoot);

  // My Computer has no file-system path: kind 100 with its display name.
  IShellFolder* pDesktop = NULL;
  ASSERT_HRESULT_SUCCEEDED(::SHGetDesktopFolder(&pDesktop));
  LPITEMIDLIST pidl = NULL;
  ASSERT_HRESULT_SUCCEEDED(::SHGetSpecialFolderLocation(NULL, CSIDL_DRIVES, &pidl));
  STRRET str = {};
  ASSERT_HRESULT_SUCCEEDED(pDesktop->GetDisplayNameOf(pidl, SHGDN_NORMAL, &str));
  char szName[520] = {};
  if (str.uType == STRRET_WSTR) {
    ::WideCharToMultiByte(CP_ACP, 0, str.pOleStr, -1, szName, sizeof szName, NULL, NULL);
    ::CoTaskMemFree(str.pOleStr);
  } else if (str.uType == STRRET_CSTR) {
    lstrcpynA(szName, str.cStr, sizeof szName);
  } else {
    lstrcpynA(szName, (const char*)pidl + str.uOffset, sizeof szName);
  }
  ::CoTaskMemFree(pidl);
  pDesktop->Release();
  EXPECT_EQ(std::string((LPCTSTR)m_tree.GetItemText(hMyComputer)), szName);

  m_pFrame->m_records.clear();
  m_tree.SelectItem(hMyComputer);
  ASSERT_EQ(m_pFrame->m_records.size(), 1u);
  EXPECT_EQ(m_pFrame->m_records[0].first, FOLDER_KIND_DISPLAYNAME);
  EXPECT_EQ(m_pFrame->m_records[0].second, szName);
}

TEST_F(ShellFolderTreeTest, SelectPathFindsDrivesAndFolders) {
  m_pFrame->m_records.clear();
  EXPECT_NE(m_tree.SelectPath("C:"), 0);
  EXPECT_EQ(SelectedPath(), "C:\\");
  ASSERT_FALSE(m_pFrame->m_records.empty());
  EXPECT_EQ(m_pFrame->m_records.back(), std::make_pair(FOLDER_KIND_PATH, std::string("C:\\")));

  EXPECT_NE(m_tree.SelectPath("c:\\data\\"), 0);
  EXPECT_STRCASEEQ(SelectedPath().c_str(), "C:\\DATA");

  // Ending in the trail byte of 表, with and without a separator after it.
  EXPECT_NE(m_tree.SelectPath("C:\\QVZTREE\\表"), 0);
  EXPECT_EQ(SelectedPath(), "C:\\QVZTREE\\表");
  EXPECT_NE(m_tree.SelectPath("C:\\DATA"), 0);
  EXPECT_NE(m_tree.SelectPath("C:\\QVZTREE\\表\\"), 0);
  EXPECT_EQ(SelectedPath(), "C:\\QVZTREE\\表");

  EXPECT_NE(m_tree.SelectPath("C:\\QVZTREE\\表\\ソ"), 0);
  EXPECT_EQ(SelectedPath(), "C:\\QVZTREE\\表\\ソ");
  EXPECT_EQ(m_pFrame->m_records.back(), std::make_pair(FOLDER_KIND_PATH, std::string("C:\\QVZTREE\\表\\ソ")));
}

TEST_F(ShellFolderTreeTest, MissesKeepTheSelection) {
  ASSERT_NE(m_tree.SelectPath("C:\\DATA"), 0);
  HTREEITEM hBefore = m_tree.GetSelectedItem();
  EXPECT_EQ(m_tree.SelectPath("C:\\NOSUCH\\DATA"), 0);     // the middle component matches nothing
  EXPECT_EQ(m_tree.SelectPath("C:\\QVZTREE\\nosuch"), 0);
  EXPECT_EQ(m_tree.SelectPath("\\\\server\\share"), 0);    // no such network item to find it under
  EXPECT_EQ(m_tree.SelectPath("1:\\x"), 0);
  EXPECT_EQ(m_tree.SelectPath("C"), 0);
  EXPECT_EQ(m_tree.GetSelectedItem(), hBefore);
}

TEST_F(ShellFolderTreeTest, ButtonsAndTwins) {
  ASSERT_NE(m_tree.SelectPath("C:\\QVZTREE\\表\\ソ"), 0);
  HTREEITEM hLeaf = m_tree.GetSelectedItem();
  // Expanded once and empty: the expand button is gone.
  TVITEM item = {};
  item.mask = TVIF_CHILDREN;
  item.hItem = hLeaf;
  ASSERT_TRUE(m_tree.GetItem(&item));
  EXPECT_EQ(item.cChildren, 0);
  EXPECT_EQ(m_tree.GetChildItem(hLeaf), (HTREEITEM)NULL);

  // Two folders whose names show alike appear once.
  HTREEITEM hParent = m_tree.GetParentItem(hLeaf);
  int nTwins = 0, nChildren = 0;
  for (HTREEITEM h = m_tree.GetChildItem(hParent); h != NULL; h = m_tree.GetNextSiblingItem(h)) {
    nChildren++;
    nTwins += m_tree.GetItemText(h) == CString("a?");
  }
  EXPECT_EQ(nTwins, 1);
  EXPECT_EQ(nChildren, 2);
  // Sorted by path below a folder: a? before ソ.
  EXPECT_EQ(m_tree.GetItemText(m_tree.GetChildItem(hParent)), CString("a?"));
}

}  // namespace
