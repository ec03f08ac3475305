#include "jvqViewHost.h"

#ifdef _WIN32
#include <windows.h>
#endif

int jvqViewHost::MessageBox(LPCTSTR lpszText, UINT nType) {
  switch (nType & 0xF) {
    case 4:  // MB_YESNO
      return 7;  // IDNO
    case 0:  // MB_OK
      return 1;  // IDOK
    default:
      return 2;  // IDCANCEL
  }
}

static jvqViewHost theNoHost;
static jvqViewHost* theHost = NULL;

jvqViewHost* jvqGetViewHost() { return theHost ? theHost : &theNoHost; }

jvqViewHost* jvqSetViewHost(jvqViewHost* pHost) {
  jvqViewHost* pOld = theHost;
  theHost = pHost;
  return pOld;
}

static BOOL AsyncKeyDown(int nVirtKey) {
#ifdef _WIN32
  return ::GetAsyncKeyState(nVirtKey) < 0;
#else
  return FALSE;
#endif
}

jvqKeyDownProc theKeyDownProc = AsyncKeyDown;

BOOL jvqIsKeyDown(int nVirtKey) { return theKeyDownProc ? theKeyDownProc(nVirtKey) : FALSE; }
