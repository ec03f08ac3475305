// The few Win32 file calls the archive library makes, over POSIX, so that its reader can be
// fuzzed natively. Only the fuzzing tree sees this folder.
#pragma once

#include <sys/stat.h>

#include <cstdio>

#define MOVEFILE_REPLACE_EXISTING 0x1

inline int CreateDirectoryA(const char* path, void*) { return mkdir(path, 0755) == 0; }
inline int DeleteFileA(const char* path) { return std::remove(path) == 0; }
inline int MoveFileExA(const char* from, const char* to, unsigned) { return std::rename(from, to) == 0; }
