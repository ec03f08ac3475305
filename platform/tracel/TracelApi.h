#pragma once

// The six entries of the scene library "tracel.dll", looked up by name. All are stdcall
// with undecorated names; text buffers hold 261 bytes (260 characters and a zero).
#include <windows.h>

typedef BOOL(WINAPI* VXI_RTFILEOPEN)(const char* scenePath);
typedef void(WINAPI* VXI_RAYTRACEFILECLOSE)(void);
typedef int(WINAPI* VXI_RTGETVIEWCOUNT)(void);
typedef BOOL(WINAPI* VXI_RTGETVIEWNAME)(int index, char* name);
typedef BOOL(WINAPI* VXI_RTGETBKIMGFILE)(char* path);
typedef BOOL(WINAPI* VXI_RTGETBKCOLOR)(int* red, int* green, int* blue);

#define TRACEL_TEXT_BUFFER 261
