// Windows Sockets for the framework's programs.
#pragma once

#include <winsock2.h>

#include "afxwin.h"

// Starts Windows Sockets 1.1 once per process (later calls only report again); the library is
// released when the process ends. lpwsaData, when given, receives what the start reported.
BOOL AfxSocketInit(WSADATA* lpwsaData = NULL);
