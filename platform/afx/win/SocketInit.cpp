#include "afxsock.h"

#include <stdlib.h>

namespace {
WSADATA theSocketData;
bool theSocketsStarted = false;
void CleanUpSockets() { ::WSACleanup(); }
}  // namespace

BOOL AfxSocketInit(WSADATA* lpwsaData) {
  if (!theSocketsStarted) {
    if (::WSAStartup(MAKEWORD(1, 1), &theSocketData) != 0) return FALSE;
    if (LOBYTE(theSocketData.wVersion) != 1 || HIBYTE(theSocketData.wVersion) != 1) {
      ::WSACleanup();
      return FALSE;
    }
    theSocketsStarted = true;
    atexit(CleanUpSockets);
  }
  if (lpwsaData) *lpwsaData = theSocketData;
  return TRUE;
}
