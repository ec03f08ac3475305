#include "WinState.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

// Extension libraries of the process, newest first.
static CDynLinkLibrary* g_pFirstDLL = NULL;
static CRITICAL_SECTION* DllListLock() {
  static CRITICAL_SECTION cs;
  static bool bInit = (::InitializeCriticalSection(&cs), true);
  (void)bInit;
  return &cs;
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
  if (state.bInitialized) return TRUE;
  state.hModule = hModule;
  state.hResource = hModule;
  state.pFirstSharedClass = NULL;
  state.pFirstSharedFactory = NULL;
  state.bInitialized = TRUE;
  return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
  if (!state.bInitialized) return;
  // Leaves the chain when the library is unloaded; with bAll (process exit) as well.
  ::EnterCriticalSection(DllListLock());
  CDynLinkLibrary** ppLink = &g_pFirstDLL;
  while (*ppLink != NULL) {
    CDynLinkLibrary* pDLL = *ppLink;
    if (bAll || pDLL->m_hModule == state.hModule) {
      *ppLink = pDLL->m_pNextDLL;
      pDLL->m_pNextDLL = NULL;
      ::LeaveCriticalSection(DllListLock());
      delete pDLL;
      ::EnterCriticalSection(DllListLock());
      ppLink = &g_pFirstDLL;
    } else {
      ppLink = &pDLL->m_pNextDLL;
    }
  }
  ::LeaveCriticalSection(DllListLock());
  if (!bAll) state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem), m_pNextDLL(NULL) {
  ::EnterCriticalSection(DllListLock());
  m_pNextDLL = g_pFirstDLL;
  g_pFirstDLL = this;
  ::LeaveCriticalSection(DllListLock());
  AfxAddResourceModule(m_hResource);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pNextDLL(NULL) {
  ::EnterCriticalSection(DllListLock());
  m_pNextDLL = g_pFirstDLL;
  g_pFirstDLL = this;
  ::LeaveCriticalSection(DllListLock());
  AfxAddResourceModule(m_hResource);
}

CDynLinkLibrary::~CDynLinkLibrary() {
  ::EnterCriticalSection(DllListLock());
  for (CDynLinkLibrary** pp = &g_pFirstDLL; *pp != NULL; pp = &(*pp)->m_pNextDLL) {
    if (*pp == this) {
      *pp = m_pNextDLL;
      break;
    }
  }
  ::LeaveCriticalSection(DllListLock());
  AfxRemoveResourceModule(m_hResource);
}
