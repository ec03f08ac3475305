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
