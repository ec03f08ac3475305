#include "qvzFontLists.h"

#include <string.h>

#include "afxmbs.h"

BOOL BelongsInAllFontList(LPCTSTR lpszFace) { return strcmp(lpszFace, "System") != 0; }

BOOL BelongsInTrueTypeList(LPCTSTR lpszFace, int nFontType, int nSource) {
  return (nFontType & 4) != 0 && BelongsInAllFontList(lpszFace) && AfxStrStr(lpszFace, "連綿") == NULL &&
         nSource != 1;
}
