// The platform's OLE dialogs as framework classes.
#pragma once

#include <oledlg.h>

#include "afxole.h"

// The insert-object dialog: a new object of an insertable class, or one from a file.
class COleInsertDialog {
 public:
  enum Selection { createNewItem = 0, insertFromFile = 1, linkToFile = 2 };

  explicit COleInsertDialog(DWORD dwFlags = IOF_SELECTCREATENEW, CWnd* pParentWnd = NULL);
  virtual ~COleInsertDialog() {}

  // IDOK or IDCANCEL; IDABORT when the platform cannot show the dialog.
  virtual INT_PTR DoModal();
  // Makes the chosen object in the item; FALSE when it cannot be made.
  BOOL CreateItem(COleClientItem* pItem);
  int GetSelectionType() const;
  CString GetPathName() const { return m_szFileName; }
  REFCLSID GetClassID() const { return m_io.clsid; }

  OLEUIINSERTOBJECTA m_io;
  char m_szFileName[MAX_PATH];
};

// The paste-special dialog: which of the clipboard's formats to paste, or a link.
class COlePasteSpecialDialog {
 public:
  enum Selection { pasteLink = 1, pasteNormal = 2, pasteOther = 3, pasteStatic = 4 };

  explicit COlePasteSpecialDialog(DWORD dwFlags = PSF_SELECTPASTE, COleDataObject* pDataObject = NULL,
                                  CWnd* pParentWnd = NULL);
  virtual ~COlePasteSpecialDialog();

  // One entry of the list: the format, its name and the result text (copied).
  void AddFormat(const FORMATETC& formatEtc, LPCTSTR lpszFormat, LPCTSTR lpszResult, DWORD flags);
  void AddFormat(CLIPFORMAT cf, DWORD tymed, LPCTSTR lpszFormat, LPCTSTR lpszResult, BOOL bEnableIcon, BOOL bLink);
  // Embedded object, embed source, pictures and (with bEnableLink) the link source.
  void AddStandardFormats(BOOL bEnableLink = TRUE);
  void AddLinkEntry(CLIPFORMAT cf);

  // IDOK or IDCANCEL; IDABORT when the platform cannot show the dialog (or the clipboard
  // offers nothing to paste).
  virtual INT_PTR DoModal();
  int GetSelectionType() const;
  int GetPasteIndex() const { return m_ps.nSelectedIndex; }
  // Makes the chosen form in the item; FALSE when it cannot be made.
  BOOL CreateItem(COleClientItem* pItem);

  OLEUIPASTESPECIALA m_ps;
  COleDataObject m_dataObject;

 protected:
  OLEUIPASTEENTRYA m_entries[16];
  CLIPFORMAT m_linkTypes[8];
  CString m_texts[32];
  int m_nTexts;
};
