// Native build: Windows' share modes among the files this process has open, so that a
// second open, a removal or a rename of an open file fails the way it does on Windows.
#pragma once

#include "afx.h"

#ifndef _WIN32
// FALSE when an open file of this process refuses the access (sharing violation).
BOOL AfxShareCheckOpen(LPCTSTR lpszFileName, UINT nOpenFlags);
BOOL AfxShareCheckRemove(LPCTSTR lpszFileName);
void AfxShareRegister(int fd, UINT nOpenFlags);
void AfxShareUnregister(int fd);
// Held around a check and the open that follows it.
void AfxShareLock();
void AfxShareUnlock();
#endif
