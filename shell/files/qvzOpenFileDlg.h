// "ファイルを開く": a folder tree beside the six-cell preview grid, which lists the selected
// folder's sub-folders first and then its board files with their thumbnails.
#pragma once

#include "CColorEdit.h"
#include "CPreviewGrid.h"
#include "CShellFolderTree.h"

class qvzOpenFileDlg : public CDialog {
 public:
  explicit qvzOpenFileDlg(CWnd* pParent = NULL);

  void SetStartFolder(LPCTSTR lpszFolder) { m_strStartFolder = lpszFolder; }
  const CString& GetSelectedPath() const { return m_strSelectedPath; }
  const CString& GetCurrentFolder() const { return m_strCurrentFolder; }

  void LoadBoardFolder(const CString& strFolder);
  void ShowGridPage(int nPage) { m_Grid.ShowPage(nPage); }
  void SelectCell(int nCell);
  // Into the sub-folder of the selected cell through the tree.
  void EnterSelectedFolder();

  CShellFolderTree m_wndTree;
  CPreviewGrid m_Grid;
  int m_nFolderCount;  // the first entries of the grid are folders

 protected:
  CColorEdit m_wndPath, m_wndDescription;
  CString m_strStartFolder, m_strCurrentFolder, m_strSelectedPath;

  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL SelectedIsFolder() const;
  afx_msg LRESULT OnFolderSelected(WPARAM wParam, LPARAM lParam);
  afx_msg void OnCell(UINT nID);
  afx_msg void OnCellDoubleClick(UINT nID);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};
