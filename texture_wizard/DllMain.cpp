// The library joins the framework's module chain as an extension library.
#include "Patinor.h"

static AFX_EXTENSION_MODULE patinorModule = {FALSE, NULL, NULL, NULL, NULL};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(patinorModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(patinorModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(patinorModule);
    }
    return TRUE;
}

HINSTANCE GetPatinorModule()
{
    return patinorModule.hModule;
}
