#include "qvzStartMode.h"

#include <algorithm>

qvzStartMode ChooseStartMode(const CString& strParam0) {
  if (strParam0 == "B" || strParam0 == "b") return qvzStartHandOver;
  if (strParam0 == "M") return qvzStartFloorPlan;
  if (strParam0 == "T") return qvzStartPerspective;
  return qvzStartPlain;
}

BOOL IsBoardDocumentPath(LPCTSTR lpszPath) {
  CString name = lpszPath ? lpszPath : "";
  const int cut = std::max({name.ReverseFind('\\'), name.ReverseFind('/'), name.ReverseFind(':')});
  if (cut >= 0) name = name.Mid(cut + 1);
  return name.GetLength() >= 4 && name.Right(4).CompareNoCase(".VQD") == 0;
}

BOOL IsTemplatePath(const CString& strPath) {
  if (strPath.GetLength() < 4) return FALSE;
  CString tail = strPath.Right(4);
  tail.MakeUpper();
  return tail == ".TQF";
}

qvzHandOver ChooseHandOver(const CString& strParam0, const CString& strDocumentPath) {
  if (strParam0 == "M") return qvzHandOverFloorPlan;
  if (strParam0 == "T") return qvzHandOverPerspective;
  if (strDocumentPath.IsEmpty()) return qvzHandOverNothing;
  if (strDocumentPath.GetLength() >= QVZ_HANDOVER_PATH_SIZE) return qvzHandOverPathTooLong;
  return qvzHandOverOpenPath;
}
