// Multi-byte text over code page 932 (Shift-JIS). The framework's own string code uses the
// Afx* forms, the same in both builds. The _mbs* names callers use come from the C runtime's
// <mbstring.h> on Windows (the framework sets its multi-byte code page to the ANSI one, 932)
// and from the versions here in the native build.
#pragma once

#include "afxtypes.h"

// True for a Shift-JIS lead byte (0x81-0x9F, 0xE0-0xFC).
inline bool AfxIsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Next character of a NUL-terminated string; a lead byte followed by NUL counts as one byte.
inline const char* AfxCharNext(const char* p) {
  if (*p == 0) return p;
  if (AfxIsLeadByte((unsigned char)*p) && p[1] != 0) return p + 2;
  return p + 1;
}
inline char* AfxCharNext(char* p) { return const_cast<char*>(AfxCharNext((const char*)p)); }
// Start of the character before p, scanning from start (the only safe way in Shift-JIS).
const char* AfxCharPrev(const char* start, const char* p);
// Byte length of the character at p (1 or 2) within a buffer of n bytes.
inline int AfxCharLen(const char* p, int n) {
  return (n >= 2 && AfxIsLeadByte((unsigned char)*p) && p[1] != 0) ? 2 : 1;
}

// First occurrence of a single-byte or double-byte character code (0x41 or 0x955C) at a
// character boundary, or NULL.
const char* AfxStrChr(const char* s, unsigned int c);
const char* AfxStrRChr(const char* s, unsigned int c);
// First occurrence of sub starting at a character boundary of s, or NULL.
const char* AfxStrStr(const char* s, const char* sub);
// Byte-by-byte comparison (unsigned bytes); NoCase folds ASCII letters only, never a trail byte.
int AfxStrCmp(const char* a, const char* b);
int AfxStrCmpNoCase(const char* a, const char* b);
// Copies at most nMax - 1 bytes and a terminator, never half a double-byte character.
void AfxStrCopyN(char* dest, const char* src, size_t nMax);
// Upper/lower-casing of ASCII letters outside double-byte characters, in place.
void AfxStrUpper(char* s);
void AfxStrLower(char* s);

#ifdef _WIN32
// The run-time library's declarations come first; the names are then pointed at the
// framework's versions, so that both builds (and Wine, whose _mbsstr is a plain strstr)
// behave the same.
#include <mbstring.h>
#include <tchar.h>
#endif

// The run-time library's multi-byte functions, for code page 932.
unsigned char* Afx_mbschr(const unsigned char* s, unsigned int c);
unsigned char* Afx_mbsrchr(const unsigned char* s, unsigned int c);
unsigned char* Afx_mbsstr(const unsigned char* s, const unsigned char* sub);
unsigned char* Afx_mbsinc(const unsigned char* p);
unsigned char* Afx_mbsdec(const unsigned char* start, const unsigned char* p);
unsigned char* Afx_mbsninc(const unsigned char* p, size_t count);
unsigned int Afx_mbsnextc(const unsigned char* p);
size_t Afx_mbslen(const unsigned char* s);
size_t Afx_mbsnbcnt(const unsigned char* s, size_t nChars);
size_t Afx_mbclen(const unsigned char* p);
int Afx_mbscmp(const unsigned char* a, const unsigned char* b);
int Afx_mbsicmp(const unsigned char* a, const unsigned char* b);
int Afx_mbsncmp(const unsigned char* a, const unsigned char* b, size_t nChars);
int Afx_mbsnbcmp(const unsigned char* a, const unsigned char* b, size_t nBytes);
int Afx_mbsnicmp(const unsigned char* a, const unsigned char* b, size_t nChars);
int Afx_mbsnbicmp(const unsigned char* a, const unsigned char* b, size_t nBytes);
size_t Afx_mbsspn(const unsigned char* s, const unsigned char* set);
size_t Afx_mbscspn(const unsigned char* s, const unsigned char* set);
unsigned char* Afx_mbspbrk(const unsigned char* s, const unsigned char* set);
unsigned char* Afx_mbsupr(unsigned char* s);
unsigned char* Afx_mbslwr(unsigned char* s);
unsigned char* Afx_mbsnbcpy(unsigned char* d, const unsigned char* s, size_t nBytes);
unsigned char* Afx_mbscpy(unsigned char* d, const unsigned char* s);
unsigned char* Afx_mbscat(unsigned char* d, const unsigned char* s);
unsigned char* Afx_mbstok(unsigned char* s, const unsigned char* delim);
int Afx_ismbblead(unsigned int c);
int Afx_ismbbtrail(unsigned int c);
int Afx_ismbslead(const unsigned char* start, const unsigned char* p);
int Afx_ismbstrail(const unsigned char* start, const unsigned char* p);


#define _mbschr Afx_mbschr
#define _mbsrchr Afx_mbsrchr
#define _mbsstr Afx_mbsstr
#define _mbsinc Afx_mbsinc
#define _mbsdec Afx_mbsdec
#define _mbsninc Afx_mbsninc
#define _mbsnextc Afx_mbsnextc
#define _mbslen Afx_mbslen
#define _mbsnbcnt Afx_mbsnbcnt
#define _mbclen Afx_mbclen
#define _mbscmp Afx_mbscmp
#define _mbsicmp Afx_mbsicmp
#define _mbsncmp Afx_mbsncmp
#define _mbsnbcmp Afx_mbsnbcmp
#define _mbsnicmp Afx_mbsnicmp
#define _mbsnbicmp Afx_mbsnbicmp
#define _mbsspn Afx_mbsspn
#define _mbscspn Afx_mbscspn
#define _mbspbrk Afx_mbspbrk
#define _mbsupr Afx_mbsupr
#define _mbslwr Afx_mbslwr
#define _mbsnbcpy Afx_mbsnbcpy
#define _mbscpy Afx_mbscpy
#define _mbscat Afx_mbscat
#define _mbstok Afx_mbstok
#define _ismbblead Afx_ismbblead
#define _ismbbtrail Afx_ismbbtrail
#define _ismbslead Afx_ismbslead
#define _ismbstrail Afx_ismbstrail

#ifndef _WIN32
// <tchar.h> for _MBCS: TCHAR text is byte text.
#define _T(x) x
#define _TEXT(x) x
#define TEXT(x) x
#define _tcslen strlen
#define _tcscpy strcpy
#define _tcsncpy strncpy
#define _tcscat strcat
#define _tcscmp(a, b) _mbscmp((const unsigned char*)(a), (const unsigned char*)(b))
#define _tcsicmp(a, b) _mbsicmp((const unsigned char*)(a), (const unsigned char*)(b))
#define _tcsnicmp(a, b, n) _mbsnbicmp((const unsigned char*)(a), (const unsigned char*)(b), (n))
#define _tcsncmp(a, b, n) _mbsnbcmp((const unsigned char*)(a), (const unsigned char*)(b), (n))
#define _tcschr(s, c) ((char*)_mbschr((const unsigned char*)(s), (unsigned char)(c)))
#define _tcsrchr(s, c) ((char*)_mbsrchr((const unsigned char*)(s), (unsigned char)(c)))
#define _tcsstr(s, t) ((char*)_mbsstr((const unsigned char*)(s), (const unsigned char*)(t)))
#define _tcsinc(p) ((char*)_mbsinc((const unsigned char*)(p)))
#define _tcsdec(s, p) ((char*)_mbsdec((const unsigned char*)(s), (const unsigned char*)(p)))
#define _tcsspn(s, t) _mbsspn((const unsigned char*)(s), (const unsigned char*)(t))
#define _tcscspn(s, t) _mbscspn((const unsigned char*)(s), (const unsigned char*)(t))
#define _tcspbrk(s, t) ((char*)_mbspbrk((const unsigned char*)(s), (const unsigned char*)(t)))
#define _tcsupr(s) ((char*)_mbsupr((unsigned char*)(s)))
#define _tcslwr(s) ((char*)_mbslwr((unsigned char*)(s)))
#define _istlead(c) _ismbblead((unsigned char)(c))
#define _tstoi atoi
#define _ttoi atoi
#define _tstol atol
#define _ttol atol
#define _tcstol strtol
#define _tcstoul strtoul
#define _tcstod strtod
#define _stprintf sprintf
#define _sntprintf snprintf
#define _vstprintf vsprintf
#define _vsntprintf vsnprintf
#define _tfopen fopen
#endif
