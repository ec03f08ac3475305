// Everything "qvz.ini" carries between runs, held by the application while it runs. Only
// the application writes the file, once, when the main window closes.
#pragma once

#include "afx.h"

// Where the settings are read from and written to: the application's profile, or a table in
// tests.
class qvzProfileStore {
 public:
  virtual ~qvzProfileStore() {}
  virtual int GetInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) = 0;
  virtual CString GetString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) = 0;
  virtual void WriteInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) = 0;
  virtual void WriteString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) = 0;
};

struct qvzAppSettings {
  RECT rcWindow;
  POINT ptPrintOffset;
  int nWindowStatus;
  COLORREF crBackground;
  COLORREF crGrid;
  int nGridSpacing;
  int nZoom;
  int nAutoSaveInterval;
  int nLastTemplateDialogPage;
  int nFavoriteLastSelect;
  int nSymbolLastSelect;
  int nShapeLastSelect;
  int nSymbolScale;
  int nGridType;
  int nDrawPrintArea;
  int nFitGrid;
  int nShowRuler;
  int nShowGrid;
  int nShowGuide;
  RECT rcPreviewWindow;
  CString strAutoSavePath;
  CString strOpenDir;
  CString strOpenImageDir;
  CString strOpenMadoriDir;
  int nImageDisplayType;
  int nLockMsgFlag;
  int nDrawPreview;

  qvzAppSettings();
  // Reads every key; strAppFolder ends in "\".
  void Load(qvzProfileStore& store, const CString& strAppFolder);
  // Writes every key from the record as it stands.
  void Save(qvzProfileStore& store) const;
  // The placement written at close: a window minimised off screen (not shown normally, all
  // edges at most 0) is stored as shown (5, unless maximised 3) at 100, 100, 750, 550.
  void TakeWindowPlacement(int nShowCmd, const RECT& rcWindow);
};

// Whether a stored folder still exists (tests replace it).
typedef BOOL (*qvzFolderExistsProc)(LPCTSTR lpszPath);
extern qvzFolderExistsProc theFolderExistsProc;
