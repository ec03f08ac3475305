// Windows: the chain of modules searched for resources, string loading and ini profiles.
#include "afx.h"

#ifdef _WIN32

#include <mutex>
#include <vector>

#include <mbctype.h>  // last: it defines short macro names that the C++ headers use

namespace {

struct ModuleState {
  std::mutex lock;
  HINSTANCE hResource = NULL;
  std::vector<HINSTANCE> chain;  // extension modules, in the order they joined
};

ModuleState& State() {
  static ModuleState s_state;
  return s_state;
}

// Shift-JIS for the _mbs* functions of the run-time library, as a multi-byte program has.
struct MbcpInit {
  MbcpInit() { _setmbcp(_MB_CP_ANSI); }
} s_mbcpInit;

bool HasResource(HINSTANCE h, LPCTSTR lpszName, LPCTSTR lpszType) {
  return h != NULL && ::FindResourceA(h, lpszName, lpszType) != NULL;
}

}  // namespace

HINSTANCE AFXAPI AfxGetFrameworkHandle() {
  HMODULE h = NULL;
  ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCSTR)&AfxGetFrameworkHandle, &h);
  return h;
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
  ModuleState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.hResource != NULL ? s.hResource : ::GetModuleHandleA(NULL);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) {
  ModuleState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  s.hResource = hInstResource;
}

BOOL AFXAPI AfxAddResourceModule(HINSTANCE hModule) {
  if (hModule == NULL) return FALSE;
  ModuleState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  for (HINSTANCE h : s.chain)
    if (h == hModule) return FALSE;
  s.chain.push_back(hModule);
  return TRUE;
}

void AFXAPI AfxRemoveResourceModule(HINSTANCE hModule) {
  ModuleState& s = State();
  std::lock_guard<std::mutex> guard(s.lock);
  for (size_t i = 0; i < s.chain.size(); ++i)
    if (s.chain[i] == hModule) {
      s.chain.erase(s.chain.begin() + (long)i);
      return;
    }
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
  HINSTANCE hFirst = AfxGetResourceHandle();
  if (HasResource(hFirst, lpszName, lpszType)) return hFirst;
  std::vector<HINSTANCE> chain;
  {
    ModuleState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    chain = s.chain;
  }
  for (HINSTANCE h : chain)
    if (h != hFirst && HasResource(h, lpszName, lpszType)) return h;
  HINSTANCE hFramework = AfxGetFrameworkHandle();
  if (HasResource(hFramework, lpszName, lpszType)) return hFramework;
  return hFirst;
}

int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf) {
  if (lpszBuf == NULL || nMaxBuf == 0) return 0;
  lpszBuf[0] = 0;
  // Strings live in blocks of 16; the block's resource id is nID / 16 + 1.
  LPCTSTR lpszName = MAKEINTRESOURCEA((nID >> 4) + 1);
  HINSTANCE hInst = AfxFindResourceHandle(lpszName, (LPCTSTR)RT_STRING);
  int nLen = ::LoadStringA(hInst, nID, lpszBuf, (int)nMaxBuf);
  if (nLen < 0) nLen = 0;
  lpszBuf[nLen < (int)nMaxBuf ? nLen : (int)nMaxBuf - 1] = 0;
  return nLen;
}

CIniProfile::CIniProfile(LPCTSTR lpszIniPath) : m_strPath(lpszIniPath) {}

void CIniProfile::SetPath(LPCTSTR lpszIniPath) { m_strPath = lpszIniPath; }

CString CIniProfile::GetString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) const {
  if (lpszDefault == NULL) lpszDefault = "";
  // Grow the buffer until the value fits (the call returns size - 1 when it is cut).
  for (DWORD nSize = 4096;; nSize *= 2) {
    CString value;
    DWORD n = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, value.GetBuffer((int)nSize), nSize,
                                         m_strPath);
    value.ReleaseBuffer((int)n);
    if (n < nSize - 2 || nSize >= 0x100000) return value;
  }
}

UINT CIniProfile::GetInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const {
  return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_strPath);
}

BOOL CIniProfile::WriteString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  // Writing an entry to a missing section of a missing file creates both.
  return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_strPath);
}

BOOL CIniProfile::WriteInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
  CString s;
  s.Format("%d", nValue);
  return WriteString(lpszSection, lpszEntry, s);
}

#endif  // _WIN32
