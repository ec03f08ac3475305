// The help menu's web pages in the user's browser, and the program's version texts.
#pragma once

#include "afxwin.h"

// 0 and the key's default value in szValue (260 bytes), or the error of opening the key
// (szValue untouched).
LONG ReadRegistryDefaultValue(HKEY hRoot, LPCTSTR lpszSubKey, char* szValue);
// Starts the browser registered for the extension on the address: 0, or a code 1 to 7.
int OpenUrlInBrowser(LPCTSTR lpszAddress, LPCTSTR lpszExtension);
// 1 when the browser was started; else its message is shown and 0 returned.
int ShowWebPage(LPCTSTR lpszAddress);
// The "FileVersion" of the Japanese block of the file's version information; "" without one.
CString GetFileVersionString(LPCTSTR lpszPath);
