// The board designer's document: the template flag, paper size and customer fields as
// header properties, saving through a temporary copy, auto-save and page insertion.
#pragma once

#include <vector>

#include "afxdisp.h"
#include "jvqDocument.h"
#include "qvzGuideProperties.h"

#define QVZ_AUTOSAVE_TIMER 114

// The document server's class, under which other programs create boards.
extern const CLSID CLSID_qvzDocument;

class qvzDocument : public jvqDocument, public COleComObject {
  DECLARE_DYNCREATE(qvzDocument)
 public:
  // Automation with an empty dispatch map: a program may hold a board, call nothing on it.
  HRESULT QueryComInterface(REFIID riid, void** ppv) override;
  // The last program's release closes the board (and a server nobody sees ends with it).
  void OnFinalRelease() override;
  COleDispatchImpl m_xDispatch;

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
  virtual BOOL SaveModified();
  virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);

  // A board without a file, shown under the title: saving asks for a name, and the title
  // is neither a file nor an entry of the recent-file list.
  void SetUntitled(LPCTSTR lpszTitle);
  // A copy of the current page becomes the prototype of new pages.
  void TakeCurrentPageAsPrototype();

  // On every tick of timer 114 of the window that runs it.
  void AutoSave();
  // Timer 114 of the main window, with the "Interval" of section "AutoSave" (ms, 0 off).
  static void StartAutoSaveTimer();
  static void StopAutoSaveTimer();
  void UpdatePageThumbnails();

  // The rulers hand their guides to the document when it is written and take them back
  // when it is read; without rulers no guide is stored.
  static void (*s_pfnGetGuides)(BOOL bHorizontal, std::vector<qvzGuideEntry>& guides);
  static void (*s_pfnSetGuides)(BOOL bHorizontal, const std::vector<qvzGuideEntry>& guides);

  // The save question before the board is replaced or closed (IDYES, IDNO or IDCANCEL),
  // and whether the user went on; the application sets both.
  static int (*s_pfnAskToSave)(LPCTSTR lpszName);
  static void (*s_pfnSaveModifiedDone)(BOOL bGoOn);

  int m_bTemplate;
  // While a temporary copy is read: the file the user chose, which messages name.
  CString m_strSourceName;
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
