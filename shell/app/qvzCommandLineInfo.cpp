#include "qvzCommandLineInfo.h"

void qvzCommandLineInfo::ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast) {
  m_Params.push_back(pszParam);
  CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
}

CString qvzCommandLineInfo::GetParam(int i) const {
  return i >= 0 && i < (int)m_Params.size() ? m_Params[i] : CString();
}
