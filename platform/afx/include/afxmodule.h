// Windows: the module chain searched for resources, and profile settings in an ini file.
#pragma once

#include "afxstr.h"

#ifdef _WIN32

// The module whose resources are searched first (the program unless set otherwise).
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

// Chain of further modules searched for resources, in the order they joined; the framework
// library's own resources come last. Extension libraries join when they initialize (the
// windows layer calls AfxAddResourceModule from CDynLinkLibrary's constructor) and leave
// with AfxRemoveResourceModule. Adding a module twice keeps its first place; TRUE when the
// module joined now, so that whoever added it knows to take it out again.
BOOL AFXAPI AfxAddResourceModule(HINSTANCE hModule);
void AFXAPI AfxRemoveResourceModule(HINSTANCE hModule);

// The first module of the chain (resource handle, joined modules, the framework) holding a
// resource of that name and type; the resource handle when none does.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// The framework library's own module.
HINSTANCE AFXAPI AfxGetFrameworkHandle();

// Loads string resource nID from the chain into lpszBuf (at most nMaxBuf - 1 bytes);
// the length, 0 when there is no such string.
int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf = 256);

// Settings in an ini file, the way CWinApp keeps them when it has no registry key:
// CWinApp::GetProfileString/GetProfileInt/WriteProfileString/WriteProfileInt call these
// with the application's m_pszProfileName.
class CIniProfile {
 public:
  explicit CIniProfile(LPCTSTR lpszIniPath = NULL);

  void SetPath(LPCTSTR lpszIniPath);
  const CString& GetPath() const { return m_strPath; }

  // The value, or lpszDefault (an empty string when NULL) when the entry is missing.
  CString GetString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL) const;
  // The value read as a decimal integer, or nDefault.
  UINT GetInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const;
  // lpszEntry NULL removes the section; lpszValue NULL removes the entry.
  BOOL WriteString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  BOOL WriteInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);

 private:
  CString m_strPath;
};

#endif  // _WIN32
