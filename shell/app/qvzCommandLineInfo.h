// The command line of QVZ.exe: MFC's parsing, and every parameter kept in order (switches
// without their "/" or "-") for the start modes.
#pragma once

#include <vector>

#include "afxwin.h"

class qvzCommandLineInfo : public CCommandLineInfo {
 public:
  void ParseParam(LPCTSTR pszParam, BOOL bFlag, BOOL bLast) override;
  // Parameter i, "" when there is none.
  CString GetParam(int i) const;

  std::vector<CString> m_Params;
};
