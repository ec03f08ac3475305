// The favourites as the main frame offers them: the organiser (32967), the categories of
// the favourites submenu, and the favourite dialogs the view asks for through its host.
#include "jvqView.h"
#include "qvzContentFolders.h"
#include "qvzFavoriteOrganizerDlg.h"
#include "qvzFavoriteRenameDlg.h"
#include "qvzMainFrame.h"
#include "qvzNewCategoryDlg.h"
#include "resource.h"

// The view handles ids up to ID_FAVORITE_FIRST + 99: the categories beyond 99 are left out
// so the new-category item keeps an id it answers.
#define FAVORITE_MENU_MAX 99

BOOL qvzMainFrame::AskNewFavoriteCategory(CString* pName) {
  qvzNewCategoryDlg dlg(this);
  if (dlg.DoModal() != IDOK) return FALSE;
  *pName = dlg.m_strText;
  return TRUE;
}

BOOL qvzMainFrame::AskFavoriteRename(LPCTSTR lpszFolder, CString* pName) {
  qvzFavoriteRenameDlg dlg(this);
  dlg.m_strFolder = qvzFolderPrefix(lpszFolder);
  dlg.m_strName = *pName;
  if (dlg.DoModal() != IDOK) return FALSE;
  *pName = dlg.m_strName;
  return TRUE;
}

void qvzMainFrame::OnOrganizeFavorites() {
  qvzFavoriteOrganizerDlg dlg(this);
  dlg.DoModal();
  ReloadFavoriteCategories();
}

void qvzMainFrame::FillFavoritesSubmenu(CMenu* pSub) {
  CStringList names;
  ReadCategoryList(names);
  UINT id = ID_FAVORITE_FIRST;
  for (POSITION p = names.GetHeadPosition(); p && id < ID_FAVORITE_FIRST + FAVORITE_MENU_MAX;)
    pSub->AppendMenu(MF_STRING, id++, names.GetNext(p));
  if (id > ID_FAVORITE_FIRST) pSub->AppendMenu(MF_SEPARATOR);
  pSub->AppendMenu(MF_STRING, id, "新規分類追加...");
}
