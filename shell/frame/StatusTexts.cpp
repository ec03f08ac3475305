#include "StatusTexts.h"

CString PageStatusText(int nPosition, int nCount) {
  CString s;
  s.Format("ページ： %d/%d ", nPosition, nCount);
  return s;
}

CString CoordStatusText(BOOL bX, int nLogical) {
  CString s;
  s.Format(bX ? "X： %.1f㎝" : "Y： %.1f㎝", nLogical * 0.01);
  return s;
}
