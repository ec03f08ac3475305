#include "qvzWebPages.h"

#include <vector>

#include "qvzWebBrowser.h"

LONG ReadRegistryDefaultValue(HKEY hRoot, LPCTSTR lpszSubKey, char* szValue) {
  HKEY hKey = NULL;
  const LONG err = ::RegOpenKeyEx(hRoot, lpszSubKey, 0, KEY_QUERY_VALUE, &hKey);
  if (err != ERROR_SUCCESS) return err;
  char buf[MAX_PATH] = "";
  DWORD cb = sizeof(buf) - 1;
  ::RegQueryValueEx(hKey, NULL, NULL, NULL, (BYTE*)buf, &cb);
  ::RegCloseKey(hKey);
  memcpy(szValue, buf, sizeof(buf));
  return ERROR_SUCCESS;
}

int OpenUrlInBrowser(LPCTSTR lpszAddress, LPCTSTR lpszExtension) {
  char szType[MAX_PATH] = "";
  if (ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, lpszExtension, szType) != ERROR_SUCCESS) return 1;
  char szCommand[MAX_PATH] = "";
  if (ReadRegistryDefaultValue(HKEY_CLASSES_ROOT, CString(szType) + "\\shell\\open\\command", szCommand) != ERROR_SUCCESS)
    return 2;
  const CString command = BuildBrowserCommand(szCommand, lpszAddress);
  return BrowserCodeFromWinExec(::WinExec(command, SW_SHOW));
}

int ShowWebPage(LPCTSTR lpszAddress) {
  const int code = OpenUrlInBrowser(lpszAddress, ".htm");
  if (code == 0) return 1;
  AfxMessageBox(BrowserFailureMessage(code), MB_OK);
  return 0;
}

CString GetFileVersionString(LPCTSTR lpszPath) {
  DWORD dwHandle = 0;
  const DWORD size = ::GetFileVersionInfoSize(lpszPath, &dwHandle);
  if (size == 0) return CString();
  std::vector<char> block(size);
  if (!::GetFileVersionInfo(lpszPath, 0, size, block.data())) return CString();
  char* pValue = NULL;
  UINT len = 0;
  if (!::VerQueryValue(block.data(), "\\StringFileInfo\\041104b0\\FileVersion", (void**)&pValue, &len) || pValue == NULL)
    return CString();
  return CString(pValue);
}
