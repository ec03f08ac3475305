// The web browser command of the help menu's web pages: built from the command the registry
// gives for ".htm", and the codes and messages of a failed start.
#pragma once

#include "afx.h"

// The address put into the registered command: in place of a quoted "%1" (quoted), of a bare
// %1 (bare), else after the command and a space.
CString BuildBrowserCommand(const CString& strCommand, const CString& strAddress);

// OpenUrlInBrowser's code for a WinExec result: 0 when started, else 3 to 7.
int BrowserCodeFromWinExec(unsigned int nResult);

// The message ShowWebPage shows for a code 1 to 7.
LPCTSTR BrowserFailureMessage(int nCode);

// The maker's web site and the help menu's three pages on it.
#define QVZ_WEB_HOST "http://www.talvik.example"
#define QVZ_WEB_PRODUCT QVZ_WEB_HOST "/products/qvz/"
#define QVZ_WEB_SUPPORT QVZ_WEB_HOST "/support/"
#define QVZ_WEB_HOME QVZ_WEB_HOST "/"
