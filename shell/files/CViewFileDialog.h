// The picture-open dialog: the system's open dialog with the program's part below it, a
// preview switch, a progress bar and the thumbnails of the folder's pictures.
#pragma once

#include "CThumbnailList.h"
#include "afxdlgs.h"

class CViewFileDialog : public CFileDialog {
 public:
  CViewFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL, DWORD dwFlags = 0,
                  LPCTSTR lpszFilter = NULL, CWnd* pParentWnd = NULL, LPCTSTR lpszInitialDir = NULL);

  int DoModal() override;

  // Whether the next dialog shows its previews; kept for the run.
  static BOOL s_bPreview;

  CThumbnailList m_List;
  CProgressCtrl m_Progress;
  int m_nPreviewHeight;
  int m_nFilterIndex;  // the filter last filled for
  int m_nFills;        // fills begun, for those who watch

  static BOOL MatchesFilter(int nIndex, LPCTSTR lpszFilter, LPCTSTR lpszExt);
  BOOL FolderHasPictures();
  int CollectPictureFiles(const CString& strFolder, CStringArray& names);
  void FillThumbnails();
  void ShowPreviewArea(BOOL bShow);
  int CurrentFilterIndex();
  HWND Frame() const { return GetExplorerWindow(); }
  BOOL IsFilling() const { return m_bFilling; }

 protected:
  CString m_strPictureFilter;  // as the caller gave it: pairs separated by "|"
  CString m_strInitialDir;
  BOOL m_bAreaShown;
  BOOL m_bFilling;
  BOOL m_bRefill;     // asked again while filling: start over
  BOOL m_bStop;       // the dialog is closing: stop filling
  BOOL m_bPumpGuard;  // the fill handles messages only between files

  BOOL OnInitDialog() override;
  void OnInitDone() override;
  void OnFileNameChange() override;
  void OnFolderChange() override;
  void OnTypeChange() override;
  afx_msg void OnPreviewToggle();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

  CString CurrentFolder();
  BOOL PreviewTicked();
  // Lets pending messages through; FALSE when the fill should stop.
  BOOL PumpWhileFilling();
};

// Calls the frame's own procedure after passing palette messages to the top row's cells.
LRESULT CALLBACK PreviewPaletteProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The picture dialog as the program's pickers ask for a file: TRUE and the path, FALSE when
// cancelled.
BOOL AskPictureFileWithPreview(CWnd* pParent, LPCTSTR lpszFilter, LPCTSTR lpszInitialDir, CString* pPath);
