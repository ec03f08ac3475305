// A framework extension library of our own: it joins the resource chain when loaded and
// leaves it when unloaded.
#include "afxwin.h"

static AFX_EXTENSION_MODULE extModule = {FALSE, NULL, NULL, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(extModule, hInstance)) return FALSE;
    new CDynLinkLibrary(extModule);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(extModule);
  }
  return TRUE;
}
