#include "qvzWebBrowser.h"

CString BuildBrowserCommand(const CString& strCommand, const CString& strAddress) {
  const int quoted = strCommand.Find("\"%1\"");
  if (quoted >= 0) return strCommand.Left(quoted) + "\"" + strAddress + "\"";
  const int bare = strCommand.Find("%1");
  if (bare >= 0) return strCommand.Left(bare) + strAddress;
  // Glued to the command the address would become part of the program's name.
  return strCommand + " " + strAddress;
}

int BrowserCodeFromWinExec(unsigned int nResult) {
  switch (nResult) {
    case 0: return 3;
    case 2: return 4;   // file not found
    case 3: return 5;   // path not found
    case 11: return 6;  // bad format
  }
  return nResult < 32 ? 7 : 0;
}

LPCTSTR BrowserFailureMessage(int nCode) {
  switch (nCode) {
    case 1:
    case 2: return "ＷＥＢブラウザがインストールされていないため、\r\nページを表示できません。";
    case 3: return "メモリまたはリソースが不足しているため、\r\nページを表示できません。";
    case 4:
    case 5: return "ＷＥＢブラウザが見つからないため、\r\nページを表示できません。";
    case 6: return "ＷＥＢブラウザが破損しているため、\r\nページを表示できません。";
  }
  return "ページを表示できません。";
}
