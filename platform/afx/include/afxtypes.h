// Win32 base types. On Windows they come from <windows.h>; the native build gets the few
// the framework core and its callers use, with the Win32 sizes (LONG and DWORD are 32-bit).
#pragma once

#ifdef _WIN32
#include <windows.h>
#else

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int INT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef char TCHAR;
typedef unsigned char _TUCHAR;
typedef float FLOAT;
typedef double DOUBLE;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef wchar_t WCHAR;
typedef wchar_t* LPWSTR;
typedef const wchar_t* LPCWSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef BYTE* PBYTE;
typedef WORD* LPWORD;
typedef DWORD* LPDWORD;
typedef LONG* LPLONG;
typedef UINT* PUINT;
typedef BOOL* LPBOOL;
typedef int* LPINT;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef LONG HRESULT;
typedef LONG SCODE;
typedef DWORD COLORREF;
typedef DWORD* LPCOLORREF;
typedef void* HANDLE;
typedef HANDLE HINSTANCE;
typedef HANDLE HMODULE;
typedef HANDLE HGLOBAL;
typedef HANDLE HWND;
typedef int HFILE;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef NULL
#define NULL 0
#endif
#define PASCAL
#define CALLBACK
#define WINAPI
#define CONST const
#define VOID void

#define MAX_PATH 260
#ifndef _MAX_PATH
#define _MAX_PATH 260
#endif
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define MAKEWORD(a, b) ((WORD)(((BYTE)((a) & 0xff)) | ((WORD)((BYTE)((b) & 0xff))) << 8))
#define MAKELONG(a, b) ((LONG)(((WORD)((a) & 0xffff)) | ((DWORD)((WORD)((b) & 0xffff))) << 16))
#define LOWORD(l) ((WORD)((DWORD)(l) & 0xffff))
#define HIWORD(l) ((WORD)(((DWORD)(l) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)((w) & 0xff))
#define HIBYTE(w) ((BYTE)(((WORD)(w) >> 8) & 0xff))
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

typedef struct tagPOINT { LONG x; LONG y; } POINT, *PPOINT, *LPPOINT;
typedef struct tagSIZE { LONG cx; LONG cy; } SIZE, *PSIZE, *LPSIZE;
typedef struct tagRECT { LONG left; LONG top; LONG right; LONG bottom; } RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;
typedef struct _FILETIME { DWORD dwLowDateTime; DWORD dwHighDateTime; } FILETIME, *LPFILETIME;
typedef struct _SYSTEMTIME {
  WORD wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
} SYSTEMTIME, *LPSYSTEMTIME;

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define FILE_ATTRIBUTE_COMPRESSED 0x00000800

// The lstr* functions callers use; byte strings, as the "A" forms.
inline int lstrlen(LPCSTR s) { return s ? (int)std::strlen(s) : 0; }
inline LPSTR lstrcpy(LPSTR d, LPCSTR s) { return std::strcpy(d, s); }
inline LPSTR lstrcat(LPSTR d, LPCSTR s) { return std::strcat(d, s); }
inline LPSTR lstrcpyn(LPSTR d, LPCSTR s, int n) {
  if (n <= 0) return d;
  int i = 0;
  for (; i < n - 1 && s[i]; ++i) d[i] = s[i];
  d[i] = 0;
  return d;
}
int lstrcmp(LPCSTR a, LPCSTR b);
int lstrcmpi(LPCSTR a, LPCSTR b);

#define ZeroMemory(dest, len) std::memset((dest), 0, (len))
#define FillMemory(dest, len, fill) std::memset((dest), (fill), (len))
#define CopyMemory(dest, src, len) std::memcpy((dest), (src), (len))
#define MoveMemory(dest, src, len) std::memmove((dest), (src), (len))
inline int wvsprintf(LPSTR buf, LPCSTR fmt, va_list args) { return std::vsprintf(buf, fmt, args); }
inline int wsprintf(LPSTR buf, LPCSTR fmt, ...) {
  va_list args;
  va_start(args, fmt);
  int n = std::vsprintf(buf, fmt, args);
  va_end(args);
  return n;
}
// (a * b) / c rounded half away from zero; -1 when c is 0 or on overflow, as the Win32 function.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long p = (long long)a * b;
  bool negative = (p < 0) != (c < 0);
  long long ap = p < 0 ? -p : p, ac = c < 0 ? -(long long)c : c;
  long long q = (ap + ac / 2) / ac;
  if (q > 0x7FFFFFFFLL) return -1;
  return negative ? (int)-q : (int)q;
}
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, size_t n);


// Device-independent bitmaps: the picture code reads and writes them in both builds.
typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER, *PBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD, *LPRGBQUAD;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define GENERIC_READ 0x80000000UL
#define GENERIC_WRITE 0x40000000UL

#endif  // !_WIN32

// The structures that files, clipboard blocks and archives carry byte for byte: the same size
// in every build (32-bit and 64-bit Windows, native), so a file written by one opens in another.
static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4 && sizeof(WORD) == 2, "Win32 integer widths");
static_assert(sizeof(POINT) == 8 && sizeof(SIZE) == 8 && sizeof(RECT) == 16, "geometry records");
static_assert(sizeof(COLORREF) == 4 && sizeof(RGBQUAD) == 4, "colour records");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "bitmap header record");
