#pragma once
// The compression library: a whole file compressed into another and expanded back.
// The DLL exports ZolvCompress as ordinal 1 and ZolvExpand as ordinal 2 (stdcall).
// Both return 1 on success and 0 on failure; a failed call leaves no destination file.

#ifdef _WIN32
#include <windows.h>
#define ZOLV_CALL WINAPI
#else
#define ZOLV_CALL
#endif

extern "C" {
int ZOLV_CALL ZolvCompress(const char* pszSource, const char* pszDest);
int ZOLV_CALL ZolvExpand(const char* pszSource, const char* pszDest);
}

enum { ZOLV_ORDINAL_COMPRESS = 1, ZOLV_ORDINAL_EXPAND = 2 };
using ZOLVPROC = int(ZOLV_CALL*)(const char*, const char*);
