// The board designer's document: the template flag, paper size and customer fields as
// header properties, saving through a temporary copy, auto-save and page insertion.
#pragma once

#include <vector>

#include "jvqDocument.h"
#include "qvzGuideProperties.h"

#define QVZ_AUTOSAVE_TIMER 114

class qvzDocument : public jvqDocument {
  DECLARE_DYNCREATE(qvzDocument)
 public:
  qvzDocument();
  virtual ~qvzDocument();

  virtual void Serialize(CArchive& ar);
  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
  virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
  virtual void ResetContents();
  virtual void AddPage(jvqPage* pPage);
  virtual BOOL LoadScaled(LPCTSTR lpszPathName, int nWidth, int nHeight);

  // On every tick of timer 114 of the window that runs it.
  void AutoSave();
  // Timer 114 of the main window, with the "Interval" of section "AutoSave" (ms, 0 off).
  void StartAutoSaveTimer();
  void StopAutoSaveTimer();
  void UpdatePageThumbnails();

  // The rulers hand their guides to the document when it is written and take them back
  // when it is read; without rulers no guide is stored.
  static void (*s_pfnGetGuides)(BOOL bHorizontal, std::vector<qvzGuideEntry>& guides);
  static void (*s_pfnSetGuides)(BOOL bHorizontal, const std::vector<qvzGuideEntry>& guides);

  int m_bTemplate;
  std::vector<CDib*> m_PageThumbnails;
  int m_bShowWaitDialog;
  // The file auto-save writes to; set by the application.
  CString m_strAutoSavePath;
  // The temporary copy of the last save, and every temporary file made, deleted with
  // the document.
  CString m_strTempCopy;
  std::vector<CString> m_TempFiles;

 protected:
  void ApplyGridSettings();
  CString MakeOpenTempName();
  // Writes the document to the path through a temporary copy, reporting a failure; the
  // document's path, title and the recent-file list are left alone.
  BOOL SaveCopy(LPCTSTR lpszPathName);
};

// The last write time of the file as "2003/04/05 午後 01:30"; empty for a folder or a
// missing file.
CString FormatFileTime(LPCTSTR lpszFileName);
