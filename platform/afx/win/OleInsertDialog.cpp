#include "afxodlgs.h"

COleInsertDialog::COleInsertDialog(DWORD dwFlags, CWnd* pParentWnd) {
  memset(&m_io, 0, sizeof m_io);
  m_szFileName[0] = 0;
  m_io.cbStruct = sizeof m_io;
  m_io.dwFlags = dwFlags;
  m_io.hWndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : NULL;
  m_io.lpszFile = m_szFileName;
  m_io.cchFile = MAX_PATH;
}

INT_PTR COleInsertDialog::DoModal() {
  if (m_io.hWndOwner == NULL) {
    CWnd* pMain = AfxGetMainWnd();
    m_io.hWndOwner = pMain ? pMain->GetSafeHwnd() : NULL;
  }
  const UINT r = ::OleUIInsertObjectA(&m_io);
  if (r == OLEUI_OK) return IDOK;
  if (r == OLEUI_CANCEL) return IDCANCEL;
  return IDABORT;
}

int COleInsertDialog::GetSelectionType() const {
  if (m_io.dwFlags & IOF_SELECTCREATEFROMFILE) return (m_io.dwFlags & IOF_CHECKLINK) ? linkToFile : insertFromFile;
  return createNewItem;
}

BOOL COleInsertDialog::CreateItem(COleClientItem* pItem) {
  if (pItem == NULL) return FALSE;
  switch (GetSelectionType()) {
    case insertFromFile: return pItem->CreateFromFile(m_szFileName);
    case linkToFile: return FALSE;  // links are not made
    default: return pItem->CreateNewItem(m_io.clsid);
  }
}
