// The system's common dialogs: file open and save, colour, print.
#pragma once

#include "afxwin.h"
#include "afxwin_dlg.h"

#include <commdlg.h>

// Base of the common dialogs: the system runs the dialog; the object is attached to it
// while it is up, so the program's message maps and overrides see its messages.
class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
 public:
  explicit CCommonDialog(CWnd* pParentWnd);

 protected:
  // The system ends the dialog itself.
  void OnOK() override;
  void OnCancel() override;
  // Makes the owner the dialog gets and arranges for the object to be attached to it.
  HWND PreModalCommon();
  void PostModalCommon();
};

// The hook procedure the framework gives every common dialog.
UINT_PTR CALLBACK AfxCommDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

/////////////////////////////////////////////////////////////////////////////
// CFileDialog

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  // lpszFilter: pairs "description|pattern|" ending with "|".
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                       CWnd* pParentWnd = NULL);
  ~CFileDialog() override;

  // The system's structure, for the caller to adjust before DoModal (template, folder,
  // title, flags).
  OPENFILENAME m_ofn;

  // IDOK when a file was chosen, IDCANCEL otherwise.
  int DoModal() override;

  // The chosen file; while the explorer-style dialog is up, what it shows now.
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
  // Files of a multiple selection.
  POSITION GetStartPosition() const { return (POSITION)m_ofn.lpstrFile; }
  CString GetNextPathName(POSITION& pos) const;

  // While the explorer-style dialog is up.
  CString GetFolderPath() const;
  void SetControlText(int nID, LPCSTR lpsz);
  void HideControl(int nID);
  void SetDefExt(LPCSTR lpsz);

 protected:
  friend UINT_PTR CALLBACK AfxCommDlgProc(HWND, UINT, WPARAM, LPARAM);

  BOOL m_bOpenFileDialog;
  CString m_strFilter;
  TCHAR m_szFileTitle[64];
  TCHAR m_szFileName[_MAX_PATH];

  // Explorer-style notifications.
  virtual void OnInitDone();
  virtual void OnFileNameChange() {}
  virtual void OnFolderChange() {}
  virtual void OnTypeChange() {}
  // TRUE refuses the chosen name (the dialog stays up).
  virtual BOOL OnFileNameOK() { return FALSE; }
  virtual UINT OnShareViolation(LPCTSTR lpszPathName) { return OFN_SHAREWARN; }
  // Old-style dialogs: a list box's selection changed.
  virtual void OnLBSelChangedNotify(UINT nIDBox, UINT iCurSel, UINT nCode) {}

  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The explorer window around the program's part, or the dialog itself (old style).
  HWND GetExplorerWindow() const;
};

/////////////////////////////////////////////////////////////////////////////
// CColorDialog

class CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)
 public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

  CHOOSECOLOR m_cc;

  int DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr);
  // The custom colours, kept for the process.
  static COLORREF* PASCAL GetSavedCustomColors();
  static COLORREF c_CustColors[16];

 protected:
  friend UINT_PTR CALLBACK AfxCommDlgProc(HWND, UINT, WPARAM, LPARAM);
  // TRUE refuses the colour (the dialog stays up).
  virtual BOOL OnColorOK() { return FALSE; }
};

/////////////////////////////////////////////////////////////////////////////
// CPrintDialog

class CPrintDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPrintDialog)
 public:
  explicit CPrintDialog(BOOL bPrintSetupOnly,
                        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                        CWnd* pParentWnd = NULL);

  PRINTDLG& m_pd;

  int DoModal() override;
  // The default printer's settings without showing anything.
  BOOL GetDefaults();

  int GetCopies() const;
  BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
  int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
  LPDEVMODE GetDevMode() const;
  CString GetDriverName() const;
  CString GetDeviceName() const;
  CString GetPortName() const;
  HDC GetPrinterDC() const { return m_pd.hDC; }
  // A DC for the chosen printer (the caller deletes it); also kept in m_pd.hDC.
  HDC CreatePrinterDC();

 protected:
  PRINTDLG m_pdActual;
  // One of the three strings of DEVNAMES, checked against the block's size.
  CString GetDevNamesString(int nWhich) const;
};
